// The settings bundle loaded by the Settings app: its entry and root pane, every row of the
// preferences pane writing the value and type the tweak core reads (and the tweak following at
// once), the follow and donate links.

#include "ovrimoprefs/OvrimoPrefs.h"
#include "platform/graphics/UIColor.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UISwitch.h"
#include "tests/ovrimoprefs/SettingsBundleFixture.h"

using namespace settings_tests;

namespace {

class SettingsPanes : public SettingsBundleTest {
protected:
    void SetUp() override { pref("firstrun", false); }

    NSNumber* storedNumber(const std::string& key)
    {
        m_kept = stored(key);
        return dynamic_cast<NSNumber*>(m_kept.ptr());
    }

    void expectBoolean(const std::string& key, bool value)
    {
        NSNumber* number = storedNumber(key);
        ASSERT_NE(number, nullptr) << key << " is not stored";
        EXPECT_TRUE(number->isBoolean()) << key << " is stored as a number, not a boolean";
        EXPECT_EQ(number->boolValue(), value) << key;
    }

    void expectInteger(const std::string& key, std::int64_t value)
    {
        NSNumber* number = storedNumber(key);
        ASSERT_NE(number, nullptr) << key << " is not stored";
        EXPECT_FALSE(number->isBoolean()) << key << " is stored as a boolean, not an integer";
        EXPECT_EQ(number->integerValue(), value) << key;
    }

    bool switchOn(const std::string& id)
    {
        UITableViewCell* cell = cellOf(id);
        auto* toggle = cell ? dynamic_cast<UISwitch*>(cell->accessoryView()) : nullptr;
        return toggle && toggle->isOn();
    }

    NSInteger selectedSegment(const std::string& id)
    {
        UITableViewCell* cell = cellOf(id);
        auto* control = cell ? dynamic_cast<UISegmentedControl*>(msgSend<Ref<UIControl>>(cell, "control").ptr()) : nullptr;
        return control ? control->selectedSegmentIndex() : -2;
    }

private:
    Ref<objc::Object> m_kept;
};

TEST_F(SettingsPanes, SettingsListsTheEntryWithItsIconAndLoadsTheBundleWhenOpened)
{
    boot("iphone8-ios12");
    ASSERT_TRUE(dev().launch("com.apple.Preferences"));
    settle();
    // The bundle's classes exist only once its code is loaded.
    EXPECT_EQ(objc::objc_getClass("ovrimoprefsListController"), nullptr);
    UITableViewCell* entry = cellOf("ovrimoprefs");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->textLabel()->text(), "Ovrimo");
    ASSERT_NE(entry->imageView()->image(), nullptr) << "the entry shows the bundle's icon";
    EXPECT_EQ(entry->imageView()->image()->size().width, 29);

    PSListController* root = openOvrimo();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->title(), "Ovrimo");
    // The links name the panes by class, the donate row its action.
    EXPECT_EQ(root->specifierForID("settings")->detailControllerClass()->name(), "OvrimoSettingsListController");
    EXPECT_EQ(root->specifierForID("statistics")->detailControllerClass()->name(), "OvrimoStatisticsRestoreListController");
    EXPECT_EQ(root->specifierForID("info")->detailControllerClass()->name(), "OvrimoInfoListController");
    EXPECT_EQ(std::string(objc::sel_getName(root->specifierForID("donate")->buttonAction())), "donate:");
    // The follow button: the bundle's picture in its own colours.
    UIBarButtonItem* follow = root->navigationItem()->rightBarButtonItem();
    ASSERT_NE(follow, nullptr);
    ASSERT_NE(follow->image(), nullptr);
    EXPECT_EQ(follow->image()->renderingMode(), 1);
    // Every segmented control made from now on takes the accent colour.
    UIColor* tint = UISegmentedControlAppearance::shared()->tintColor();
    ASSERT_NE(tint, nullptr);
    EXPECT_TRUE(CGColorEqualToColor(tint->CGColor(), ovrimoprefs::AccentColor()->CGColor()));

    for (const char* id : { "settings", "statistics", "info" }) {
        tapRow(id);
        PSListController* pane = topPane();
        ASSERT_NE(pane, root) << id << " did not open";
        EXPECT_GT(pane->specifiers()->count(), 2u) << id << " has no rows";
        back();
    }
}

TEST_F(SettingsPanes, AnEmptyDomainShowsTheDefaultsTheTweakReads)
{
    boot("iphone8-ios12");
    openPane("settings");
    for (const char* id : { "Enabled", "Systemwide" })
        EXPECT_TRUE(switchOn(id)) << id << ": an absent boolean reads as on";
    EXPECT_FALSE(switchOn("Welcome message")) << "the stored false of the fixture";
    EXPECT_EQ(shownValue("activationmethodsingle"), "Tap");
    EXPECT_EQ(shownValue("activationmethodmulti"), "None");
    EXPECT_EQ(shownValue("defaultactionreplace"), "Ask");
    EXPECT_EQ(shownValue("defaultactionrestore"), "Ask");
    EXPECT_EQ(selectedSegment("generatemethod"), 0);
    EXPECT_EQ(selectedSegment("folderoverlay"), 0);
    // The switch cell draws in the accent colour.
    auto* toggle = dynamic_cast<UISwitch*>(cellOf("Enabled")->accessoryView());
    ASSERT_NE(toggle, nullptr);
    ASSERT_NE(toggle->onTintColor(), nullptr);
    EXPECT_TRUE(CGColorEqualToColor(toggle->onTintColor()->CGColor(), ovrimoprefs::AccentColor()->CGColor()));
    // Looking changes nothing.
    EXPECT_EQ(storedPreferences()->count(), 1u) << "only the firstrun of the fixture";
}

TEST_F(SettingsPanes, SwitchesWriteBooleansAndTheTweakFollowsAtOnce)
{
    customPicture(kCalendar, kRed);
    boot("iphone8-ios12");
    ASSERT_TRUE(isRed(centreOf(shownImage(kCalendar))));
    openPane("settings");
    countChanges();
    toggle("Enabled");
    expectBoolean("enabled", false);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(isRed(centreOf(shownImage(kCalendar)))) << "the home screen shows the original without a restart";
    toggle("Enabled");
    expectBoolean("enabled", true);
    EXPECT_TRUE(isRed(centreOf(shownImage(kCalendar))));
    toggle("Systemwide");
    expectBoolean("systemwide", false);
    toggle("Welcome message");
    expectBoolean("firstrun", true);
    EXPECT_EQ(changes, 4);
}

TEST_F(SettingsPanes, ChoicesWriteIntegersAndTheTweakFollowsAtOnce)
{
    customPicture(kFolderKey, kGreen);
    boot("iphone8-ios12");
    ASSERT_NE(folderView(), nullptr);
    ASSERT_EQ(folderView()->folderIconImageView()->viewWithTag(12344312), nullptr);
    openPane("settings");
    chooseSegment("folderoverlay", 1);
    expectInteger("folderoverlay", 1);
    settle(1100);
    EXPECT_NE(folderView()->folderIconImageView()->viewWithTag(12344312), nullptr) << "the folder follows into overlay mode";
    chooseSegment("folderoverlay", 2);
    expectInteger("folderoverlay", 2);
    chooseSegment("generatemethod", 1);
    expectInteger("generatemethod", 1);

    chooseFromList("activationmethodsingle", "Swipe down");
    expectInteger("activationmethodsingle", 3);
    EXPECT_EQ(shownValue("activationmethodsingle"), "Swipe down");
    chooseFromList("activationmethodsingle", "\"+\" button");
    expectInteger("activationmethodsingle", 1);
    chooseFromList("activationmethodmulti", "Centre");
    expectInteger("activationmethodmulti", 4);
    chooseFromList("defaultactionreplace", "Move to icon library");
    expectInteger("defaultactionreplace", 2);
    chooseFromList("defaultactionrestore", "Delete");
    expectInteger("defaultactionrestore", 1);

    // In editing mode the choices show: "+" buttons on icons, the page button in the centre.
    back();
    back();
    dev().pressHome();
    enterEditing();
    EXPECT_NE(iconView("com.apple.mobilemail")->viewWithTag(121345), nullptr) << "the \"+\" button";
    EXPECT_FALSE(findViews(dev().window(), [](UIView* v) { return v->tag() == 212543; }).empty()) << "the page button";
}

TEST_F(SettingsPanes, TheDateColourRowCarriesWhatTheColourPickerNeeds)
{
    boot("iphone8-ios12");
    PSListController* pane = openPane("settings");
    Ref<PSSpecifier> row = pane->specifierForID("calendardate");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->stringProperty("cellClass"), "ZarnekColorPickerLinkCell");
    EXPECT_EQ(row->stringProperty("detail"), "ZarnekColorPicker");
    EXPECT_EQ(row->stringProperty("key"), "calendardate");
    EXPECT_EQ(row->stringProperty("defaults"), kDomain);
    EXPECT_EQ(row->stringProperty("default"), "none") << "an absent key means no date";
    EXPECT_EQ(row->stringProperty("PostNotification"), kChanged);
    // The tweak reads "#RRGGBB" or "none" only: the words that derive a colour are not offered.
    EXPECT_FALSE(row->boolProperty("allowAutomatic", true));
    EXPECT_FALSE(row->boolProperty("allowTransparent", true));
    // The row opens the controls kit's colour picker.
    tapRow("calendardate");
    UIViewController* top = settingsApp()->topViewController();
    ASSERT_TRUE(top);
    EXPECT_EQ(top->isa()->name(), "ZarnekColorPicker");
}

TEST_F(SettingsPanes, EveryPreferenceRowNamesTheDomainAndPostsTheChange)
{
    boot("iphone8-ios12");
    PSListController* pane = openPane("settings");
    std::set<std::string> keys;
    for (const auto& item : pane->specifiers()->items()) {
        auto* row = dynamic_cast<PSSpecifier*>(item.ptr());
        if (!row || row->cellType() == PSGroupCell)
            continue;
        std::string key = row->stringProperty("key");
        ASSERT_FALSE(key.empty()) << row->name() << " edits no preference";
        keys.insert(key);
        EXPECT_EQ(row->stringProperty("defaults"), kDomain) << key;
        EXPECT_EQ(row->stringProperty("PostNotification"), kChanged) << key;
        EXPECT_TRUE(row->propertyForKey("default")) << key << " has no default";
    }
    EXPECT_EQ(keys, (std::set<std::string> { "enabled", "systemwide", "folderoverlay", "generatemethod", "calendardate", "firstrun", "activationmethodsingle",
                        "activationmethodmulti", "defaultactionrestore", "defaultactionreplace" }));
}

TEST_F(SettingsPanes, FollowOpensTheFirstInstalledClientOrTheWebPage)
{
    boot("iphone8-ios12");
    PSListController* root = openOvrimo();
    UIButton* button = settingsApp()->navigationBar()->buttonForItem(root->navigationItem()->rightBarButtonItem());
    tapView(button);
    ASSERT_FALSE(uikit::openedURLs().empty());
    EXPECT_EQ(uikit::openedURLs().back(), "https://mobile.twitter.com/ZarnekDev") << "no client installed: the web profile";

    // Two clients installed: the earlier one in the order wins.
    boot("test-ios12-social");
    root = openOvrimo();
    tapView(settingsApp()->navigationBar()->buttonForItem(root->navigationItem()->rightBarButtonItem()));
    ASSERT_FALSE(uikit::openedURLs().empty());
    EXPECT_EQ(uikit::openedURLs().back(), "twitterrific:///profile?screen_name=ZarnekDev");
}

TEST_F(SettingsPanes, DonateOpensTheDonationPage)
{
    boot("iphone8-ios12");
    openOvrimo();
    tapRow("donate");
    ASSERT_FALSE(uikit::openedURLs().empty());
    EXPECT_EQ(uikit::openedURLs().back(), "https://www.zarnek.com/donate/ovrimo");
}

} // namespace
