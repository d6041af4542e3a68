#pragma once

// The one simulated device a fuzz target runs every input on: a runtime with the frameworks
// registered, a phone screen, and an empty device root in a temporary folder (removed at exit).
// Diagnostics written to std::cerr (damaged files moved aside, refused pictures) are dropped, so
// that a long run's output is libFuzzer's own.

#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIScreen.h"
#include "tests/support/TestEnvironment.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace fuzz {

inline testing_support::TestEnvironment& device()
{
    static testing_support::TestEnvironment* env = [] {
        std::cerr.rdbuf(nullptr);
        static testing_support::TestEnvironment environment;
        registerUIKitClasses(environment.runtime());
        uikit::configureScreen(CGSizeMake(375, 667), 2);
        uikit::configureDevice("12.4", "iPhone", UIUserInterfaceIdiomPhone);
        return &environment;
    }();
    return *env;
}

// Replaces the file at a device path with `bytes`, making its folders.
inline void writeDeviceFile(const std::string& devicePath, const uint8_t* bytes, size_t size)
{
    auto host = device().hostPath(devicePath);
    std::filesystem::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

// Empties a device folder (what an earlier input left there: files set aside as damaged).
inline void clearDeviceFolder(const std::string& devicePath)
{
    std::error_code ec;
    std::filesystem::remove_all(device().hostPath(devicePath), ec);
}

// A broken invariant: a finding, reported as a crash with the reason.
[[noreturn]] inline void fail(const char* why)
{
    fprintf(stderr, "fuzz invariant broken: %s\n", why);
    std::abort();
}

} // namespace fuzz
