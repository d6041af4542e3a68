#pragma once

// The changes the platform makes to the device's files, on host paths. Each passes through the
// fault seam (FaultInjection.h) once per step that a process could die between: a folder tree is
// removed entry by entry and copied file by file, so a test sees every state a real stop could
// leave. None follows a symbolic link: links are copied, linked and removed as themselves.

#include <filesystem>
#include <system_error>

namespace filesystem {

// Makes one folder; false (and `ec`) when it exists or cannot be made.
bool makeFolder(const std::filesystem::path& folder, std::error_code& ec);
// Makes the folder and every missing folder above it, one change each.
bool makeFolders(const std::filesystem::path& folder, std::error_code& ec);
// Renames `from` over `to` (replacing a file, or an empty folder, that is there).
bool renameEntry(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);
// Removes a file, a link or a folder with everything in it, deepest entries first. True when
// nothing is left at `path` (also when nothing was there).
bool removeTree(const std::filesystem::path& path, std::error_code& ec);
// Copies a file, a link or a folder with everything in it to `to`, which must not exist. Any
// other kind of entry (a FIFO, a device) is refused.
bool copyTree(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);
// Makes `to` a second name of the regular file `from` (a hard link).
bool linkFile(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);

} // namespace filesystem
