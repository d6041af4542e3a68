#pragma once

// The settings bundle on a booted phone with the built package installed: Settings is opened
// from the home screen, its Ovrimo entry tapped, and the panes driven with a finger.

#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/preferences/PSListController.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIWindow.h"
#include "tests/tweak/ScenarioFixture.h"

namespace settings_tests {

using namespace scenario;

inline constexpr const char* kLibrary = "/var/mobile/Documents/Ovrimo/IconLibrary/";

class SettingsBundleTest : public ScenarioTest {
protected:
    SettingsBundleTest() { device::settings::registerSettingsApp(); }

    void TearDown() override
    {
        if (m_observing)
            CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), this);
        ScenarioTest::TearDown();
    }

    // Counts "com.zarnek.ovrimo.prefs" from now on.
    void countChanges()
    {
        m_observing = true;
        CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), this,
            [](CFNotificationCenterRef, void* observer, const std::string&, const void*, NSDictionary*) { ++static_cast<SettingsBundleTest*>(observer)->changes; },
            kChanged, nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    }

    UINavigationController* settingsApp()
    {
        UIViewController* shown = icons()->rootViewController()->presentedViewController();
        while (shown && !dynamic_cast<UINavigationController*>(shown) && shown->presentedViewController())
            shown = shown->presentedViewController();
        if (!dynamic_cast<UINavigationController*>(shown))
            ADD_FAILURE() << "Settings is not on screen (" << (shown ? shown->isa()->name() : std::string("nothing")) << " is)";
        return dynamic_cast<UINavigationController*>(shown);
    }
    PSListController* topPane() { return settingsApp() ? dynamic_cast<PSListController*>(settingsApp()->topViewController()) : nullptr; }

    // Settings, then its Ovrimo entry: the bundle's root pane.
    PSListController* openOvrimo()
    {
        EXPECT_TRUE(dev().launch("com.apple.Preferences"));
        settle();
        tapRow("ovrimoprefs");
        PSListController* pane = topPane();
        EXPECT_TRUE(pane && pane->isa()->name() == "ovrimoprefsListController") << "the root pane did not open";
        return pane;
    }

    // The root pane, then the link row `id` of it.
    PSListController* openPane(const std::string& id)
    {
        openOvrimo();
        tapRow(id);
        return topPane();
    }

    // The cell of the row `id` of the pane on top, scrolled into view.
    UITableViewCell* cellOf(const std::string& id)
    {
        PSListController* pane = topPane();
        if (!pane)
            return nullptr;
        Ref<PSSpecifier> row = pane->specifierForID(id);
        auto path = msgSend<Ref<NSIndexPath>>(pane, "indexPathForSpecifier:", row.ptr());
        if (!path)
            return nullptr;
        pane->table()->scrollToRowAtIndexPath(path, false);
        dev().window()->layoutIfNeeded();
        return pane->table()->cellForRowAtIndexPath(path);
    }

    void tapView(UIView* view)
    {
        ASSERT_NE(view, nullptr);
        CGRect frame = view->convertRectToView(view->bounds(), nullptr);
        dev().touch().tap(CGPointMake(CGRectGetMidX(frame), CGRectGetMidY(frame)));
        settle(600);
    }

    void tapRow(const std::string& id)
    {
        UITableViewCell* cell = cellOf(id);
        ASSERT_NE(cell, nullptr) << "no row " << id;
        tapView(cell);
    }

    // The switch of a switch row, tapped.
    void toggle(const std::string& id)
    {
        UITableViewCell* cell = cellOf(id);
        ASSERT_NE(cell, nullptr) << "no row " << id;
        tapView(cell->accessoryView());
    }

    // A segment of a segment row, tapped.
    void chooseSegment(const std::string& id, NSUInteger index)
    {
        UITableViewCell* cell = cellOf(id);
        ASSERT_NE(cell, nullptr) << "no row " << id;
        auto* control = dynamic_cast<UISegmentedControl*>(msgSend<Ref<UIControl>>(cell, "control").ptr());
        ASSERT_NE(control, nullptr);
        CGRect bounds = control->bounds();
        double width = bounds.size.width / static_cast<double>(control->numberOfSegments());
        CGRect frame = control->convertRectToView(CGRectMake(width * static_cast<double>(index), 0, width, bounds.size.height), nullptr);
        dev().touch().tap(CGPointMake(CGRectGetMidX(frame), CGRectGetMidY(frame)));
        settle();
    }

    // A list row opened and one of its choices tapped (the list closes with the back button).
    void chooseFromList(const std::string& id, const std::string& title)
    {
        tapRow(id);
        PSListController* list = topPane();
        ASSERT_TRUE(list && list->isa()->name() == "PSListItemsController");
        bool found = false;
        for (NSInteger row = 0; row < list->table()->numberOfRowsInSection(0); ++row) {
            auto path = NSIndexPath::indexPathForRow(row, 0);
            UITableViewCell* cell = list->table()->cellForRowAtIndexPath(path);
            if (cell && cell->textLabel()->text() == title) {
                tapView(cell);
                found = true;
                break;
            }
        }
        ASSERT_TRUE(found) << "the list " << id << " has no choice " << title;
        back();
    }

    void back()
    {
        settingsApp()->popViewControllerAnimated(false);
        settle();
    }

    // The value the domain holds now, as the tweak core reads it.
    Ref<objc::Object> stored(const std::string& key)
    {
        CFPreferencesAppSynchronize(kDomain);
        return CFPreferencesCopyAppValue(key, kDomain);
    }

    // The alert on screen, its message checked, then one of its actions tapped.
    void answer(const std::string& message, const std::string& action)
    {
        UIAlertController* alert = alertOnScreen();
        ASSERT_NE(alert, nullptr) << "no alert for " << message;
        EXPECT_EQ(alert->title(), "Ovrimo");
        EXPECT_EQ(alert->message(), message);
        for (const auto& candidate : alert->actions())
            if (candidate->title() == action) {
                tapView(alert->buttonForAction(candidate));
                return;
            }
        ADD_FAILURE() << "the alert has no action " << action;
    }

    std::string shownValue(const std::string& id)
    {
        UITableViewCell* cell = cellOf(id);
        return cell && cell->detailTextLabel() ? cell->detailTextLabel()->text() : std::string("(no row)");
    }

    void writeFile(const std::string& devicePath, std::size_t bytes)
    {
        auto host = root().host(devicePath);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary) << std::string(bytes, 'x');
    }

    int changes = 0;

private:
    bool m_observing = false;
};

} // namespace settings_tests
