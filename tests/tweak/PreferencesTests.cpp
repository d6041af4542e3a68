#include "tests/tweak/TweakTestSupport.h"

#include <gtest/gtest.h>

#include <map>

using namespace tweak_test;
using namespace ovrimo;

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    TweakEnvironment env;
};

TEST_F(PreferencesTest, AnEmptyDomainMeansEveryDefault)
{
    ReplacePreferencesSnapshot(LoadPreferencesDomain());
    for (const char* key : { "enabled", "systemwide", "firstrun" })
        EXPECT_TRUE(SwitchIsOn(key)) << key;
    EXPECT_FALSE(IntegerValue("folderoverlay"));
    EXPECT_FALSE(IntegerValue("activationmethodsingle"));
    EXPECT_EQ(CalendarDateColor(), nullptr);
}

TEST_F(PreferencesTest, SwitchesReadNumbersAndBooleansAlike)
{
    env.setPreference("enabled", NSNumber::withInteger(0));
    EXPECT_FALSE(SwitchIsOn("enabled"));
    env.setPreference("enabled", NSNumber::withInteger(1));
    EXPECT_TRUE(SwitchIsOn("enabled"));
    env.setPreference("systemwide", NSNumber::withBool(false));
    EXPECT_FALSE(SwitchIsOn("systemwide"));
    env.setPreference("activationmethodsingle", NSNumber::withBool(true));
    EXPECT_EQ(IntegerValue("activationmethodsingle"), 1);
}

TEST_F(PreferencesTest, ValuesWithoutABooleanOrIntegerCountAsAbsent)
{
    env.setPreference("enabled", NSArray::make({ NSNumber::withInteger(0) }));
    EXPECT_TRUE(SwitchIsOn("enabled"));
    env.setPreference("folderoverlay", NSDictionary::make());
    EXPECT_FALSE(IntegerValue("folderoverlay"));
}

TEST_F(PreferencesTest, CalendarDateColourIsScannedFromTheSecondCharacter)
{
    auto components = [](UIColor* c) {
        CGFloat r, g, b, a;
        c->getRed(&r, &g, &b, &a);
        return std::array<int, 4> { int(r * 255 + 0.5), int(g * 255 + 0.5), int(b * 255 + 0.5), int(a * 255 + 0.5) };
    };
    env.setPreference("calendardate", NSString::make("#FF0000"));
    EXPECT_EQ(components(CalendarDateColor()), (std::array<int, 4> { 255, 0, 0, 255 }));
    env.setPreference("calendardate", NSString::make("FF0000"));
    EXPECT_EQ(components(CalendarDateColor()), (std::array<int, 4> { 15, 0, 0, 255 }));
    env.setPreference("calendardate", NSString::make("#zzz"));
    EXPECT_EQ(components(CalendarDateColor()), (std::array<int, 4> { 0, 0, 0, 255 }));
    env.setPreference("calendardate", NSString::make("none"));
    EXPECT_EQ(CalendarDateColor(), nullptr);
}

TEST_F(PreferencesTest, FirstRunDoneWritesTheWholeSnapshotBack)
{
    env.setPreference("folderoverlay", NSNumber::withInteger(1));
    env.setPreference("calendardate", NSString::make("#00FF00"));
    MarkFirstRunDone();
    CFPreferencesAppSynchronize(kPreferencesDomain);
    auto stored = CFPreferencesCopyMultiple(nullptr, kPreferencesDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    EXPECT_EQ(stored->boolForKey("firstrun"), false);
    EXPECT_EQ(stored->integerForKey("folderoverlay"), 1);
    EXPECT_EQ(stored->stringForKey("calendardate"), "#00FF00");
    // A later reload sees the same values.
    ReplacePreferencesSnapshot(LoadPreferencesDomain());
    EXPECT_FALSE(SwitchIsOn("firstrun"));
}

// Counts what the reload after a preferences change sends to SpringBoard's icons and folder icon
// views, calling through to SpringBoard's own.
struct ReloadSpy {
    static inline std::map<objc::Object*, int> reloads, badgeNotes;
    static inline int folderUpdates = 0;
    static inline objc::Imp<void()> previousReload, previousNote;
    static inline objc::Imp<void(bool)> previousUpdate;

    static void install()
    {
        reloads.clear();
        badgeNotes.clear();
        folderUpdates = 0;
        MSHookMessageEx(objc::objc_getClass("SBIcon"), "reloadIconImage", [](SBIcon* self, objc::SEL cmd) {
            ++reloads[self];
            previousReload(self, cmd);
        }, &previousReload);
        MSHookMessageEx(objc::objc_getClass("SBIcon"), "noteBadgeDidChange", [](SBIcon* self, objc::SEL cmd) {
            ++badgeNotes[self];
            previousNote(self, cmd);
        }, &previousNote);
        MSHookMessageEx(objc::objc_getClass("SBFolderIconImageView"), "updateImageAnimated:", [](objc::Object* self, objc::SEL cmd, bool animated) {
            EXPECT_TRUE(animated);
            ++folderUpdates;
            previousUpdate(self, cmd, animated);
        }, &previousUpdate);
    }
};

TEST_F(PreferencesTest, ChangeNotificationReloadsSnapshotAndEveryIcon)
{
    SBIcon* mail = appIcon("com.apple.mobilemail");
    ASSERT_NE(mail, nullptr);
    objc::msgSend(mail, "setBadge:", NSNumber::withInteger(3).ptr());
    ReloadSpy::install();

    int posted = 0;
    CFNotificationCenterAddObserver(CFNotificationCenterGetLocalCenter(), &posted,
        [](CFNotificationCenterRef, void* observer, const std::string&, const void* object, NSDictionary* info) {
            EXPECT_EQ(object, nullptr);
            EXPECT_EQ(info, nullptr);
            ++*static_cast<int*>(observer);
        },
        kIconImageChangedNotification, nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);

    CFPreferencesSetAppValue("enabled", NSNumber::withBool(false), kPreferencesDomain);
    PreferencesChanged(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, kPreferencesChangedNotification, nullptr, nullptr);
    EXPECT_FALSE(SwitchIsOn("enabled"));
    EXPECT_EQ(posted, 1);
    // Every app icon once, badges noted only where there is one; the folder through its view.
    int apps = 0, folders = 0;
    for (auto& icon : springboard::iconController()->model()->leafIcons()) {
        if (dynamic_cast<SBFolderIcon*>(icon.ptr())) {
            ++folders;
            EXPECT_EQ(ReloadSpy::reloads[icon.ptr()], 0);
            continue;
        }
        ++apps;
        EXPECT_EQ(ReloadSpy::reloads[icon.ptr()], 1) << icon->identifier();
        EXPECT_EQ(ReloadSpy::badgeNotes[icon.ptr()], icon.ptr() == mail ? 1 : 0) << icon->identifier();
    }
    EXPECT_GT(apps, 10);
    ASSERT_GT(folders, 0);
    EXPECT_EQ(ReloadSpy::folderUpdates, folders);
}

} // namespace
