#pragma once

// Code loaded from a device's files: the injected libraries and the settings bundles' code.

#include <filesystem>
#include <string>

namespace filesystem {

// Opens the library at `hostPath` as one never loaded before, so that its initializers run and
// its state starts fresh for the device being booted. The dynamic loader knows a library by its
// file: a file opened earlier in this process (a device booted again on the same root) is opened
// through a copy of its own, removed again once loaded (the mapping stays). The handle is never
// closed: code of a library may still sit in method tables and blocks. Null, and `error` says
// why, when it cannot be loaded.
void* openLibraryFresh(const std::filesystem::path& hostPath, std::string& error);

} // namespace filesystem
