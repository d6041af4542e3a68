#pragma once

// A seam for crash-consistency tests. Every call of this layer that changes the device's files (a
// folder made, a file written, renamed, linked or removed) asks `allowChange` first and counts as
// one change. Normally every change is allowed. A test may arm a fault at the Nth change from then
// on: that change alone fails, as on a full or read-only disk, or the process "dies" there, after
// which that change and every later one fail without touching the disk — so the disk holds exactly
// what a process killed at that moment would leave behind.

namespace filesystem {

enum class FaultKind {
    FailOneChange,
    DieAtChange,
};

// Arms a fault at the `nthChange`th change (1 for the next one) and restarts the count.
void armFault(FaultKind kind, long nthChange);
// No fault from now on; the count restarts.
void disarmFaults();
// The changes asked for since the last arm or disarm.
long changesCounted();
// Whether the armed fault has struck.
bool faultHasStruck();

// Whether the change about to be made may go ahead; when not, errno is EIO.
bool allowChange();

} // namespace filesystem
