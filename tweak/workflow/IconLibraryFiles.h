#pragma once

// The workflow's additions to the icon library: numbered files at its top level.

#include <optional>
#include <string>
#include <vector>

namespace ovrimo {

inline constexpr const char* kIconLibraryFolder = "/var/mobile/Documents/Ovrimo/IconLibrary/";
// The numbered names tried in order before random ones.
inline constexpr int kNumberedLibraryNames = 9998;

// The first of 1.png … 9998.png at which nothing exists (gaps are filled first), creating the
// library folder when it is missing. When all are taken, a random number below 10,000,000 that is
// also free (a bounded number of tries). Nothing when no free name was found: nothing is ever
// overwritten.
std::optional<std::string> NextIconLibraryPath();
// Copies the file at `path` into the library under the next free name; the source stays.
// False when nothing was copied.
bool MoveToIconLibrary(const std::string& path);
// Copies each file into the library under the next free names, in order, all or none: the
// library is changed in one swap, so a failure or a stop half-way leaves it as it was.
bool MoveAllToIconLibrary(const std::vector<std::string>& paths);

} // namespace ovrimo
