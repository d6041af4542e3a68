#pragma once

#include "platform/corefoundation/CoreFoundation.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/preferences/Preferences.h"
#include "platform/uikit/UIScreen.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A fresh device with the Preferences framework and a 375 × 667 screen at scale 2.
class PreferencesTest : public ::testing::Test {
protected:
    PreferencesTest()
    {
        registerPreferencesClasses(env.runtime());
        uikit::configureScreen(CGSizeMake(375, 667), 2);
    }

    void writeDeviceFile(const std::string& devicePath, const std::string& bytes)
    {
        auto host = env.hostPath(devicePath);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary) << bytes;
    }

    // Writes a property list (given as the body of its top-level element) to a device path.
    void writePlist(const std::string& devicePath, const std::string& body)
    {
        writeDeviceFile(devicePath, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>\n");
    }

    // Records the Darwin notifications posted from now on (delivered on the main run loop).
    void observeDarwin()
    {
        CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), this,
            [](CFNotificationCenterRef, void* observer, const std::string& name, const void*, NSDictionary*) {
                static_cast<PreferencesTest*>(observer)->posted.push_back(name);
            },
            "", nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    }

    static void settle(double seconds = 1) { dispatch::RunLoop::main().advance(static_cast<dispatch::Nanoseconds>(seconds * 1e9)); }

    testing_support::TestEnvironment env;
    std::vector<std::string> posted;
};
