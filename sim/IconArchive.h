#pragma once

// The phone's icon store, icon library and preference file as one .zip, in the phone's own
// layout (entry names are device paths without the leading '/'), and such a .zip taken back.
// Both run on the phone's thread: they read and write the device root.

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

inline constexpr const char* kIconStoreFolder = "/var/mobile/Documents/Ovrimo/Icons";
inline constexpr const char* kIconLibraryFolder = "/var/mobile/Documents/Ovrimo/IconLibrary";
inline constexpr const char* kPreferencesFile = "/var/mobile/Library/Preferences/com.zarnek.ovrimo.plist";

struct ArchiveLimits {
    std::size_t entries = 4096;
    std::uint64_t entryBytes = 16u << 20;
    std::uint64_t totalBytes = 256u << 20;
    // Pixels of one picture.
    double pixels = 16.0 * 1024 * 1024;
};

// Every regular file of the three places (symbolic links and other files are left out).
// Throws RequestError 500 when the archive cannot be made.
std::vector<std::uint8_t> makeIconArchive();

// Checks the whole archive first: each entry must be a PNG picture that decodes, in the icon
// store (flat) or the icon library (top level or one folder down), or the preference file as a
// property-list dictionary; names must not climb out (`..`, absolute paths, backslashes) and sizes
// must stay within `limits`. Only then writes the files (same-named files are replaced, others
// kept): the store and the library each get their new contents beside them and are swapped in
// together, so a failure changes nothing and a stop leaves each folder old or new. Answers
// the number of files written. Throws RequestError: 400 for an archive that is not one or holds
// something it may not, 413 for one that is too large.
std::size_t restoreIconArchive(const std::vector<std::uint8_t>& zip, const ArchiveLimits& limits = {});

} // namespace sim
