#include "tweak/Preferences.h"

#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/foundation/NSScanner.h"
#include "platform/runtime/Message.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIView.h"
#include "platform/corefoundation/NSNumber.h"

#include <cstdlib>

namespace ovrimo {

using objc::msgSend;
using objc::Ref;

namespace {

Ref<NSMutableDictionary> g_snapshot;
objc::Class* g_iconControllerClass = nullptr;

// Only values that answer the reading's message count; anything else is as good as absent.
objc::Object* readable(const NSDictionary* snapshot, std::string_view key, const char* selector)
{
    objc::Object* value = snapshot ? snapshot->objectForKey(key) : nullptr;
    return value && objc::respondsToSelector(value, selector) ? value : nullptr;
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
    objc::Object* value = readable(snapshot, key, "boolValue");
    return !value || msgSend<bool>(value, "boolValue");
}

std::optional<std::int64_t> IntegerValue(const NSDictionary* snapshot, std::string_view key)
{
    objc::Object* value = readable(snapshot, key, "integerValue");
    if (!value)
        return std::nullopt;
    return msgSend<std::int64_t>(value, "integerValue");
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

double SystemVersionNumber()
{
    return std::strtod(UIDevice::currentDevice()->systemVersion().c_str(), nullptr);
}

Ref<UIView> HomeScreenIconViewForIcon(objc::Object* icon)
{
    Ref<objc::Object> map;
    if (SystemVersionNumber() >= 9.3)
        map = msgSend<Ref<objc::Object>>(msgSend<Ref<objc::Object>>(objc::objc_getClass("SBIconController"), "sharedInstance"), "homescreenIconViewMap");
    else
        map = msgSend<Ref<objc::Object>>(objc::objc_getClass("SBIconViewMap"), "homescreenMap");
    return msgSend<Ref<UIView>>(map, "mappedIconViewForIcon:", icon);
}

void ReloadAllIconImages()
{
    if (!g_iconControllerClass)
        g_iconControllerClass = objc::objc_getClass("SBIconController");
    auto controller = msgSend<Ref<objc::Object>>(g_iconControllerClass, "sharedInstance");
    auto model = msgSend<Ref<objc::Object>>(controller, "model");
    auto icons = msgSend<Ref<NSArray>>(model, "leafIcons");
    objc::Class* folderIconClass = objc::objc_getClass("SBFolderIcon");
    for (std::size_t i = 0; icons && i < icons->count(); ++i) {
        objc::Object* icon = icons->objectAtIndex(i);
        if (objc::isKindOfClass(icon, folderIconClass)) {
            Ref<UIView> iconView = HomeScreenIconViewForIcon(icon);
            auto imageView = iconView ? objc::getIvar<Ref<objc::Object>>(iconView, "_folderIconImageView") : nullptr;
            msgSend(imageView, "updateImageAnimated:", true);
            continue;
        }
        msgSend(icon, "reloadIconImage");
        if (msgSend<std::int64_t>(icon, "badgeValue") > 0)
            msgSend(icon, "noteBadgeDidChange");
        else if (msgSend<Ref<objc::Object>>(icon, "badgeNumberOrString"))
            msgSend(icon, "noteBadgeDidChange");
    }
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
