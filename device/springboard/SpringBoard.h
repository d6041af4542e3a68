#pragma once

// The home screen process of the simulated phone: its boot. SpringBoard's classes are registered
// per device profile (a class the booted system does not have is simply absent); the process's
// per-device state is in SpringBoardState.h.

#include "device/springboard/SpringBoardState.h"

namespace springboard {

// Registers SpringBoard's classes for `profile` with `runtime` (once per runtime) and remembers
// the profile for the process.
void registerSpringBoardClasses(objc::Runtime& runtime, const device::DeviceProfile& profile);

// First boot: writes the default layout file, the default web clip and a few sample photos when
// they do not exist yet. Existing files are never touched.
void writeDefaultFiles(const device::DeviceProfile& profile);

} // namespace springboard
