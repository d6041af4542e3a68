#pragma once

// The tweak core's preferences: one snapshot of the whole "com.zarnek.ovrimo" domain, replaced as
// a whole when "com.zarnek.ovrimo.prefs" is posted, and read with the reading rules below at the
// moment each decision is made.

#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/graphics/UIColor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ovrimo {

inline constexpr const char* kPreferencesDomain = "com.zarnek.ovrimo";
inline constexpr const char* kPreferencesChangedNotification = "com.zarnek.ovrimo.prefs";
inline constexpr const char* kIconImageChangedNotification = "com.zarnek.ovrimo.iconimagechanged";

// The snapshot itself (never null once loaded).
NSMutableDictionary* PreferencesSnapshot();
// Lists every key of the domain and fetches them together into a new snapshot.
objc::Ref<NSMutableDictionary> LoadPreferencesDomain();
void ReplacePreferencesSnapshot(objc::Ref<NSMutableDictionary> snapshot);

// Reading rules. A value of a kind that has no boolean or integer value (an array, a dictionary,
// data) counts as absent.
// A switch is on unless it is present with a false boolean value.
bool SwitchIsOn(const NSDictionary* snapshot, std::string_view key);
std::optional<std::int64_t> IntegerValue(const NSDictionary* snapshot, std::string_view key);
std::optional<std::string> StringValue(const NSDictionary* snapshot, std::string_view key);
// The same, on the tweak core's snapshot.
bool SwitchIsOn(std::string_view key);
std::optional<std::int64_t> IntegerValue(std::string_view key);
std::optional<std::string> StringValue(std::string_view key);

// "calendardate" as a colour, or null for "none" (or absent).
objc::Ref<UIColor> CalendarDateColor();

// The observer of "com.zarnek.ovrimo.prefs".
void PreferencesChanged(CFNotificationCenterRef center, void* observer, const std::string& name, const void* object, NSDictionary* userInfo);

// The welcome alert's button: "firstrun" off in the snapshot, and the whole snapshot written back.
void MarkFirstRunDone();

} // namespace ovrimo
