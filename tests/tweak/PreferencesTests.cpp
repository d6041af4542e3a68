#include "tests/tweak/TweakTestSupport.h"

#include <gtest/gtest.h>

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

// SpringBoard's icon controller, for the reload that follows a preferences change.
class SBIconController : public objc::NSObject {
    OBJC_CLASS(SBIconController)
public:
    Ref<NSArray> icons;
};

TEST_F(PreferencesTest, ChangeNotificationReloadsSnapshotAndEveryIcon)
{
    auto* controller = env.runtime().registerClass<SBIconController>("NSObject");
    static Ref<SBIconController> shared;
    shared = objc::make<SBIconController>();
    auto quiet = appIcon("com.apple.mobilenotes");
    auto badged = appIcon("com.apple.mobilemail");
    badged->badge = 3;
    shared->icons = NSArray::make({ quiet, badged });
    controller->addClassMethod("sharedInstance", [](objc::Object*, objc::SEL) { return shared; });
    controller->addMethod("model", [](SBIconController* self, objc::SEL) { return Ref<objc::Object>(self); });
    controller->addMethod("leafIcons", [](SBIconController* self, objc::SEL) { return self->icons; });

    int posted = 0;
    CFNotificationCenterAddObserver(CFNotificationCenterGetLocalCenter(), &posted,
        [](CFNotificationCenterRef, void* observer, const std::string&, const void* object, NSDictionary* info) {
            EXPECT_EQ(object, nullptr);
            EXPECT_EQ(info, nullptr);
            ++*static_cast<int*>(observer);
        },
        kIconImageChangedNotification, nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);

    ReplacePreferencesSnapshot(LoadPreferencesDomain());
    CFPreferencesSetAppValue("enabled", NSNumber::withBool(false), kPreferencesDomain);
    PreferencesChanged(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, kPreferencesChangedNotification, nullptr, nullptr);
    EXPECT_FALSE(SwitchIsOn("enabled"));
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(quiet->reloads, 1);
    EXPECT_EQ(quiet->badgeNotes, 0);
    EXPECT_EQ(badged->reloads, 1);
    EXPECT_EQ(badged->badgeNotes, 1);
    shared = nullptr;
}

} // namespace
