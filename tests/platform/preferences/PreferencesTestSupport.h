#pragma once

#include "platform/corefoundation/CoreFoundation.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/Preferences.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIWindow.h"
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

    // Shows `root` inside a navigation controller in a key window, laid out.
    UINavigationController* showInNavigation(UIViewController* rootController)
    {
        navigation = UINavigationController::createWithRoot(rootController);
        window = UIWindow::create(UIScreen::mainScreen()->bounds());
        window->setRootViewController(navigation);
        window->makeKeyAndVisible();
        settle();
        window->layoutIfNeeded();
        return navigation;
    }

    // The visible cell of a row of `list`'s table.
    UITableViewCell* cellAt(PSListController* list, NSInteger section, NSInteger row)
    {
        window->layoutIfNeeded();
        return list->table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
    }

    // Taps the middle of a row of `list` with a finger, then lets transitions finish.
    void tapRow(PSListController* list, NSInteger section, NSInteger row)
    {
        UITableViewCell* cell = cellAt(list, section, row);
        ASSERT_NE(cell, nullptr) << "row " << section << "." << row << " is not visible";
        CGRect frame = cell->convertRectToView(cell->bounds(), nullptr);
        touch.tap(CGPointMake(frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2));
        settle();
    }

    static void settle(double seconds = 1) { dispatch::RunLoop::main().advance(static_cast<dispatch::Nanoseconds>(seconds * 1e9)); }

    testing_support::TestEnvironment env;
    std::vector<std::string> posted;
    objc::Ref<UINavigationController> navigation;
    objc::Ref<UIWindow> window;
    uikit::TouchDriver touch;
};
