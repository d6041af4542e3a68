#pragma once

// Preferences domains, as the platform's CFPreferences calls have them. A domain is a dictionary
// of property-list values stored at /var/mobile/Library/Preferences/<application id>.plist on the
// device. Every set writes the file through at once (atomically), and every read looks at the
// file again when it has changed, so what one app writes another reads, with no shared memory.
//
// Only the current user's any-host domain exists (the one the system uses); other user and host
// combinations read as empty and ignore writes.

#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSDictionary.h"

#include <string>

extern const std::string kCFPreferencesCurrentUser;
extern const std::string kCFPreferencesAnyUser;
extern const std::string kCFPreferencesCurrentHost;
extern const std::string kCFPreferencesAnyHost;
extern const std::string kCFPreferencesAnyApplication;

// The keys of the domain (NSString elements, sorted); an empty array for an empty domain.
objc::Ref<NSArray> CFPreferencesCopyKeyList(const std::string& applicationID, const std::string& userName, const std::string& hostName);
// The values of `keysToFetch` that exist (all values when `keysToFetch` is null).
objc::Ref<NSDictionary> CFPreferencesCopyMultiple(NSArray* keysToFetch, const std::string& applicationID, const std::string& userName, const std::string& hostName);
// Sets every entry of `keysToSet` and removes every key of `keysToRemove`, in one write.
void CFPreferencesSetMultiple(NSDictionary* keysToSet, NSArray* keysToRemove, const std::string& applicationID, const std::string& userName, const std::string& hostName);

// The current user's any-host domain of `applicationID`.
objc::Ref<objc::Object> CFPreferencesCopyAppValue(const std::string& key, const std::string& applicationID);
// A null value removes the key.
void CFPreferencesSetAppValue(const std::string& key, objc::Object* value, const std::string& applicationID);
// Makes what this process wrote durable and what others wrote visible; true on success.
bool CFPreferencesAppSynchronize(const std::string& applicationID);

namespace corefoundation {
// The device path of a domain's file.
std::string preferencesDevicePath(const std::string& applicationID);
} // namespace corefoundation
