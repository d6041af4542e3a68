#include "Injector.h"

#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/ReadFile.h"
#include "platform/runtime/Runtime.h"

#include <plist/plist.h>

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <mutex>
#include <set>

#include <unistd.h>

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

// The host files this process has opened as libraries. Opening one of them again would hand back
// the library loaded then (the dynamic loader knows it by its name), with its state and without
// running its initializers: a device booted again on the same root would come up without it.
struct OpenedFiles {
    std::mutex mutex;
    std::set<std::string> paths;
    unsigned copies = 0;
};
OpenedFiles& openedFiles()
{
    static OpenedFiles opened;
    return opened;
}

// Opens the library at `host` as a library never loaded before: a file opened earlier in this
// process is opened through a copy of its own, removed again once loaded (the mapping stays).
void* openFresh(const fs::path& host, std::string& error)
{
    OpenedFiles& opened = openedFiles();
    fs::path copy;
    {
        std::lock_guard lock(opened.mutex);
        if (opened.paths.insert(host.string()).second)
            copy.clear();
        else
            copy = fs::temp_directory_path() / ("ovrimo-library-" + std::to_string(::getpid()) + "-" + std::to_string(++opened.copies) + "-" + host.filename().string());
    }
    if (!copy.empty()) {
        std::error_code ec;
        fs::copy_file(host, copy, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            error = "cannot copy it to " + copy.string() + ": " + ec.message();
            return nullptr;
        }
    }
    const fs::path& opening = copy.empty() ? host : copy;
    void* handle = dlopen(opening.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : "unknown error";
    }
    if (!copy.empty()) {
        std::error_code ec;
        fs::remove(copy, ec);
    }
    return handle;
}

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
        // initializers that run again. Handles are kept for the life of the process: code of a
        // library may still sit in method tables and blocks.
        std::string why;
        void* handle = openFresh(*host, why);
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
