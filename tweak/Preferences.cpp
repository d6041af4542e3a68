#include "tweak/Preferences.h"

#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/foundation/NSScanner.h"
#include "platform/runtime/Message.h"
#include "tweak/IconViews.h"
#include "tweak/PrivateInterfaces.h"
#include "platform/corefoundation/NSNumber.h"

#include <cstdlib>

namespace ovrimo {

using objc::Ref;

namespace {

Ref<NSMutableDictionary> g_snapshot;

// Only values that answer the reading's message count; anything else is as good as absent.
objc::Object* readable(const NSDictionary* snapshot, std::string_view key, const objc::SelBase& reading)
{
    objc::Object* value = snapshot ? snapshot->objectForKey(key) : nullptr;
    return reading.isAnsweredBy(value) ? value : nullptr;
}

} // namespace

NSMutableDictionary* PreferencesSnapshot()
{
    if (!g_snapshot)
        g_snapshot = LoadPreferencesDomain();
    return g_snapshot.ptr();
}

Ref<NSMutableDictionary> LoadPreferencesDomain()
{
    Ref<NSArray> keys = CFPreferencesCopyKeyList(kPreferencesDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    Ref<NSDictionary> values = CFPreferencesCopyMultiple(keys, kPreferencesDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    auto snapshot = objc::make<NSMutableDictionary>();
    if (values)
        snapshot->addEntriesFromDictionary(*values);
    return snapshot;
}

void ReplacePreferencesSnapshot(Ref<NSMutableDictionary> snapshot)
{
    // The old snapshot goes before the new one comes, as the platform code releases it first.
    g_snapshot = nullptr;
    g_snapshot = snapshot ? std::move(snapshot) : objc::make<NSMutableDictionary>();
}

bool SwitchIsOn(const NSDictionary* snapshot, std::string_view key)
{
    objc::Object* value = readable(snapshot, key, sb::boolValue);
    return !value || sb::boolValue.orZero(value);
}

std::optional<std::int64_t> IntegerValue(const NSDictionary* snapshot, std::string_view key)
{
    objc::Object* value = readable(snapshot, key, sb::integerValue);
    if (!value)
        return std::nullopt;
    return sb::integerValue.orZero(value);
}

std::optional<std::string> StringValue(const NSDictionary* snapshot, std::string_view key)
{
    return snapshot ? snapshot->stringForKey(key) : std::nullopt;
}

bool SwitchIsOn(std::string_view key) { return SwitchIsOn(PreferencesSnapshot(), key); }
std::optional<std::int64_t> IntegerValue(std::string_view key) { return IntegerValue(PreferencesSnapshot(), key); }
std::optional<std::string> StringValue(std::string_view key) { return StringValue(PreferencesSnapshot(), key); }

Ref<UIColor> CalendarDateColor()
{
    std::string text = StringValue("calendardate").value_or("none");
    if (text == "none")
        return nullptr;
    // The leading character (normally "#") is skipped; no digits leave the value at 0, black.
    unsigned value = 0;
    auto scanner = NSScanner::scannerWithString(text);
    scanner->setScanLocation(1);
    scanner->scanHexInt(&value);
    return UIColor::colorWithRed(((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0, 1.0);
}

void PreferencesChanged(CFNotificationCenterRef, void*, const std::string&, const void*, NSDictionary*)
{
    ReplacePreferencesSnapshot(LoadPreferencesDomain());
    CFNotificationCenterPostNotification(CFNotificationCenterGetLocalCenter(), kIconImageChangedNotification, nullptr, nullptr, true);
    ReloadAllIconImages();
}

void MarkFirstRunDone()
{
    NSMutableDictionary* snapshot = PreferencesSnapshot();
    snapshot->setObject(NSNumber::withBool(false), "firstrun");
    CFPreferencesSetMultiple(snapshot, nullptr, kPreferencesDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
}

} // namespace ovrimo
