#pragma once

#include <string>
#include <vector>

namespace substrate {

// The device folder the loader reads: each NAME.dylib here is injected into the apps named by the
// "Filter" → "Bundles" array of NAME.plist beside it.
inline constexpr const char* kDynamicLibrariesFolder = "/Library/MobileSubstrate/DynamicLibraries";

// Loads (dlopen) every dynamic library of the device whose filter names `bundleIdentifier`, in
// name order, so that its load-time initializers run. A library already loaded on this device is
// not loaded again. A library that fails to load is reported on standard error and skipped; the
// app goes on without it. Returns the device paths of the libraries loaded by this call.
std::vector<std::string> injectDynamicLibraries(const std::string& bundleIdentifier);

// The bundle identifiers a filter plist names (empty when it is missing or unreadable).
std::vector<std::string> filterBundles(const std::string& filterPlistDevicePath);

} // namespace substrate
