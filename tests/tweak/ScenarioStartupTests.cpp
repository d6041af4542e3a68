// Start-up on booted phones: the library is injected into SpringBoard, the replacements go in under
// their version gates, and the welcome alert greets a fresh device once.

#include "ScenarioFixture.h"

#include "platform/uikit/UIDevice.h"
#include "tweak/Startup.h"

#include <algorithm>

using namespace scenario;

namespace {

// Every row of the replacement table, in order.
const std::vector<std::string> kRows = {
    "SBIconView _applyEditingStateAnimated:",
    "SBFolderController setEditing:animated:",
    "SBClockApplicationIconImageView contentsImage",
    "SBIconImageView contentsImage",
    "SBIcon gridCellImage",
    "SBIcon getIconImage:",
    "SBIconImageCrossfadeView _updateCornerMask",
    "SBDeckSwitcherIconImageContainerView layoutSubviews",
    "BBBulletin sectionIconImageWithFormat:",
    "PSTableCell setIcon:",
    "_SBIconGridWrapperView layoutSubviews",
    "_SBIconGridWrapperView reposition",
    "SBFolderIconImageView layoutSubviews",
    "SBIconController _launchIcon:",
    "NCNotificationRequestContentProvider icon",
    "WGWidgetInfo icon",
    "WGWidgetInfo settingsIcon",
    "SearchUIAppIconImage generateImageWithFormat:",
    "APWAppIconAndLabelView setBundleIdentifier:",
    "SBFluidSwitcherIconImageContainerView layoutSubviews",
    "SBFluidSwitcherIconImageContainerView updateIcon",
    "SBUIController restoreContent",
};

std::vector<std::string> rows(std::initializer_list<std::pair<int, int>> ranges)
{
    std::vector<std::string> out;
    for (auto [first, last] : ranges)
        for (int i = first; i <= last; ++i)
            out.push_back(kRows[i - 1]);
    return out;
}

// The implementation a row's class answers its selector with now (null when the class or the
// method is missing on this system).
objc::ImpPtr currentImp(const std::string& row)
{
    auto space = row.find(' ');
    objc::Class* cls = objc::objc_getClass(row.substr(0, space));
    if (!cls)
        return nullptr;
    objc::Method* method = cls->findMethod(objc::sel_registerName(row.substr(space + 1)));
    return method ? method->imp : nullptr;
}

class StartupGates : public ScenarioTest {
protected:
    // Runs the tweak core's start-up on a device booted without the package, and checks that what
    // it reports installed is exactly what changed in SpringBoard's method tables (rows whose class
    // this system lacks cannot change).
    std::vector<std::string> startOn(const std::string& profile, const char* forcedSystemVersion = nullptr)
    {
        boot(profile, false);
        if (forcedSystemVersion)
            uikit::configureDevice(forcedSystemVersion, dev().profile().model, UIUserInterfaceIdiomPhone);
        std::map<std::string, objc::ImpPtr> before;
        for (auto& row : kRows)
            before[row] = currentImp(row);
        std::vector<std::string> installed = ovrimo::StartTweakCore();
        for (auto& row : kRows) {
            bool listed = std::find(installed.begin(), installed.end(), row) != installed.end();
            bool exists = before[row] != nullptr;
            if (exists)
                EXPECT_EQ(listed, currentImp(row) != before[row]) << row << " on " << profile;
            else
                EXPECT_EQ(currentImp(row), nullptr) << row << " appeared on " << profile;
        }
        return installed;
    }
};

} // namespace

TEST_F(StartupGates, TheLibraryIsInjectedIntoSpringBoardAndStartsAtBoot)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    EXPECT_EQ(dev().injectedLibraries(), (std::vector<std::string> { "/Library/MobileSubstrate/DynamicLibraries/Ovrimo.dylib" }));
    // Both initializers ran: each observes the preferences notification.
    EXPECT_EQ(corefoundation::notificationObserverCount(CFNotificationCenterGetDarwinNotifyCenter()), 2u);

    // A device without the package runs none of it.
    boot("iphone8-ios12", false);
    EXPECT_TRUE(dev().injectedLibraries().empty());
    EXPECT_EQ(corefoundation::notificationObserverCount(CFNotificationCenterGetDarwinNotifyCenter()), 0u);
}

TEST_F(StartupGates, OldCoreFoundationInstallsTheFirstFourteenWhateverTheSystemVersion)
{
    EXPECT_EQ(startOn("iphone5-ios9"), rows({ { 1, 14 }, { 22, 22 } }));
    // The same CoreFoundation with a system that claims 12.4: still no rows 15 to 21.
    EXPECT_EQ(startOn("iphone5-ios9", "12.4"), rows({ { 1, 14 }, { 22, 22 } }));
    pref("firstrun", false);
    EXPECT_EQ(startOn("iphone5-ios9"), rows({ { 1, 14 } }));
}

TEST_F(StartupGates, NewerSystemsAddTheirRows)
{
    EXPECT_EQ(startOn("iphone7-ios10"), rows({ { 1, 19 }, { 22, 22 } }));
    EXPECT_EQ(startOn("iphone8-ios12"), rows({ { 1, 22 } }));
    EXPECT_EQ(startOn("iphonex-ios13"), rows({ { 1, 22 } }));
    pref("firstrun", false);
    EXPECT_EQ(startOn("iphone8-ios12"), rows({ { 1, 21 } }));
}

namespace {

class Welcome : public ScenarioTest {
protected:
    // Leaves the home screen for an app and comes back, which restores SpringBoard's content.
    void restoreContent()
    {
        int before = ui()->restoreCount();
        ASSERT_TRUE(dev().launch("com.apple.mobilenotes"));
        settle();
        dev().pressHome();
        settle();
        ASSERT_GT(ui()->restoreCount(), before);
    }
};

} // namespace

TEST_F(Welcome, AFreshDeviceShowsItUntilTheButtonIsChosen)
{
    pref("systemwide", false);
    pref("calendardate", std::string("#00FF00"));
    pref("folderoverlay", 1LL);
    boot("iphone8-ios12");
    UIAlertController* alert = alertOnScreen();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Ovrimo");
    EXPECT_EQ(alert->message(),
        "\n\n\n\n\n\nWelcome to Ovrimo! I asume that you want to replace some icon images. You can start right away, to begin just simply enter "
        "edit mode (wiggle mode) and single tap on an icon of your choice. Happy replacing!");
    ASSERT_EQ(alert->actions().size(), 1u);
    EXPECT_EQ(alert->actions()[0]->title(), "Don't show anymore");
    EXPECT_EQ(alert->actions()[0]->style(), UIAlertActionStyleCancel);
    // The picture: half the size of the settings bundle's popup art, centred at (135, 90).
    auto art = UIImage::imageWithContentsOfFile("/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo_popup.png");
    ASSERT_TRUE(art);
    auto pictures = findViews(alert->view(), [](UIView* v) { return dynamic_cast<UIImageView*>(v) && static_cast<UIImageView*>(v)->image(); });
    bool found = false;
    for (UIView* v : pictures) {
        if (v->center() == CGPointMake(135, 90)) {
            found = true;
            EXPECT_EQ(v->bounds().size, CGSizeMake(art->size().width / 2, art->size().height / 2));
            EXPECT_GT(centreOf(static_cast<UIImageView*>(v)->image()).a, 0);
        }
    }
    EXPECT_TRUE(found) << "no picture at (135, 90) in the alert";
    shot("welcome");

    // The finger chooses the button.
    CGRect button = alert->buttonForAction(alert->actions()[0].ptr())->convertRectToView(alert->buttonForAction(alert->actions()[0].ptr())->bounds(), nullptr);
    dev().touch().tap({ CGRectGetMidX(button), CGRectGetMidY(button) });
    settle();
    EXPECT_EQ(alertOnScreen(), nullptr);

    // "firstrun" is off on disk, and every other key is kept.
    auto stored = storedPreferences();
    auto* firstrun = dynamic_cast<NSNumber*>(stored->objectForKey("firstrun"));
    ASSERT_NE(firstrun, nullptr);
    EXPECT_FALSE(firstrun->boolValue());
    ASSERT_NE(dynamic_cast<NSNumber*>(stored->objectForKey("systemwide")), nullptr);
    EXPECT_FALSE(dynamic_cast<NSNumber*>(stored->objectForKey("systemwide"))->boolValue());
    EXPECT_EQ(dynamic_cast<NSNumber*>(stored->objectForKey("folderoverlay"))->integerValue(), 1);
    ASSERT_NE(dynamic_cast<NSString*>(stored->objectForKey("calendardate")), nullptr);
    EXPECT_EQ(dynamic_cast<NSString*>(stored->objectForKey("calendardate"))->value(), "#00FF00");

    // The next content restore shows nothing.
    restoreContent();
    EXPECT_EQ(alertOnScreen(), nullptr);
}

TEST_F(Welcome, ItComesBackOnEveryRestoreUntilChosen)
{
    boot("iphone7-ios10");
    UIAlertController* first = alertOnScreen();
    ASSERT_NE(first, nullptr);
    first->dismissViewControllerAnimated(false);
    settle();
    ASSERT_EQ(alertOnScreen(), nullptr);
    restoreContent();
    ASSERT_NE(alertOnScreen(), nullptr);
    EXPECT_EQ(alertOnScreen()->title(), "Ovrimo");
}

TEST_F(Welcome, OffAtBootMeansNeverInThatProcess)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    EXPECT_EQ(alertOnScreen(), nullptr);
    changePref("firstrun", true);
    restoreContent();
    EXPECT_EQ(alertOnScreen(), nullptr);
}

TEST_F(Welcome, DisabledTweakShowsNoWelcome)
{
    pref("enabled", false);
    boot("iphone5-ios9");
    EXPECT_EQ(alertOnScreen(), nullptr);
    changePref("enabled", true);
    restoreContent();
    EXPECT_NE(alertOnScreen(), nullptr);
}

TEST_F(Welcome, TheButtonWritesTheWholeSnapshotOverWhatChangedMeanwhile)
{
    pref("calendardate", std::string("#00FF00"));
    pref("folderoverlay", 1LL);
    boot("iphone8-ios12");
    UIAlertController* alert = alertOnScreen();
    ASSERT_NE(alert, nullptr);
    // Written behind the tweak's back, with no notification: its snapshot still holds the old
    // values and lacks the new key.
    CFPreferencesSetAppValue("calendardate", NSString::make("none").ptr(), kDomain);
    CFPreferencesSetAppValue("generatemethod", NSNumber::withInteger(1).ptr(), kDomain);
    ASSERT_TRUE(CFPreferencesAppSynchronize(kDomain));

    CGRect button = alert->buttonForAction(alert->actions()[0].ptr())->convertRectToView(alert->buttonForAction(alert->actions()[0].ptr())->bounds(), nullptr);
    dev().touch().tap({ CGRectGetMidX(button), CGRectGetMidY(button) });
    settle();
    auto stored = storedPreferences();
    ASSERT_NE(dynamic_cast<NSString*>(stored->objectForKey("calendardate")), nullptr);
    EXPECT_EQ(dynamic_cast<NSString*>(stored->objectForKey("calendardate"))->value(), "#00FF00");
    ASSERT_NE(dynamic_cast<NSNumber*>(stored->objectForKey("folderoverlay")), nullptr);
    EXPECT_EQ(dynamic_cast<NSNumber*>(stored->objectForKey("folderoverlay"))->integerValue(), 1);
    ASSERT_NE(dynamic_cast<NSNumber*>(stored->objectForKey("firstrun")), nullptr);
    EXPECT_FALSE(dynamic_cast<NSNumber*>(stored->objectForKey("firstrun"))->boolValue());
    // Nothing is removed.
    ASSERT_NE(dynamic_cast<NSNumber*>(stored->objectForKey("generatemethod")), nullptr);
    EXPECT_EQ(dynamic_cast<NSNumber*>(stored->objectForKey("generatemethod"))->integerValue(), 1);
}
