#include "Injector.h"

#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/LoadedCode.h"
#include "platform/filesystem/ReadFile.h"
#include "platform/runtime/Runtime.h"

#include <plist/plist.h>

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <set>

namespace substrate {

namespace fs = std::filesystem;

namespace {

// The libraries this device has loaded, by device path. Dies with the device's runtime.
struct LoadedLibraries {
    std::set<std::string> paths;
};

std::vector<std::string> stringsOf(plist_t array)
{
    std::vector<std::string> out;
    if (!array || plist_get_node_type(array) != PLIST_ARRAY)
        return out;
    for (uint32_t i = 0; i < plist_array_get_size(array); ++i) {
        plist_t item = plist_array_get_item(array, i);
        if (plist_get_node_type(item) != PLIST_STRING)
            continue;
        char* text = nullptr;
        plist_get_string_val(item, &text);
        if (text) {
            out.emplace_back(text);
            std::free(text);
        }
    }
    return out;
}

// A filter names a few bundles; anything larger is not a filter.
constexpr std::size_t kMaximumFilterSize = 1 << 20;

} // namespace

std::vector<std::string> filterBundles(const std::string& filterPlistDevicePath)
{
    auto host = filesystem::DeviceRoot::resolve(filterPlistDevicePath);
    if (!host)
        return {};
    // Regular files only, read without blocking: a FIFO or a device at the path is refused.
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(*host, ec)))
        return {};
    std::string error;
    auto contents = filesystem::readWholeFile(*host, kMaximumFilterSize, &error);
    if (!contents) {
        std::cerr << "Injector: the filter " << filterPlistDevicePath << " cannot be read (" << error << "); the library is not injected" << std::endl;
        return {};
    }
    const std::string& bytes = *contents;
    if (bytes.empty())
        return {};
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    if (!root)
        return {};
    std::vector<std::string> bundles;
    if (plist_get_node_type(root) == PLIST_DICT) {
        plist_t filter = plist_dict_get_item(root, "Filter");
        if (filter && plist_get_node_type(filter) == PLIST_DICT)
            bundles = stringsOf(plist_dict_get_item(filter, "Bundles"));
    }
    plist_free(root);
    return bundles;
}

std::vector<std::string> injectDynamicLibraries(const std::string& bundleIdentifier)
{
    std::vector<std::string> loaded;
    auto folder = filesystem::DeviceRoot::resolve(kDynamicLibrariesFolder);
    std::error_code ec;
    if (!folder || !fs::is_directory(*folder, ec))
        return loaded;

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(*folder, ec))
        if (entry.path().extension() == ".dylib")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());

    auto& already = objc::Runtime::current().state<LoadedLibraries>();
    for (const auto& name : names) {
        std::string devicePath = std::string(kDynamicLibrariesFolder) + "/" + name + ".dylib";
        auto bundles = filterBundles(std::string(kDynamicLibrariesFolder) + "/" + name + ".plist");
        if (std::find(bundles.begin(), bundles.end(), bundleIdentifier) == bundles.end())
            continue;
        if (already.paths.count(devicePath))
            continue;
        auto host = filesystem::DeviceRoot::resolve(devicePath);
        if (!host) {
            std::cerr << "substrate: " << devicePath << " is outside the device, not loaded\n";
            continue;
        }
        // Every device, a new root or the same one booted again, gets fresh library state and
        // initializers that run again.
        std::string why;
        void* handle = filesystem::openLibraryFresh(*host, why);
        if (!handle) {
            std::cerr << "substrate: cannot load " << devicePath << " into " << bundleIdentifier << ": " << why << "\n";
            continue;
        }
        already.paths.insert(devicePath);
        loaded.push_back(devicePath);
    }
    return loaded;
}

} // namespace substrate
