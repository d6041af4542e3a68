#pragma once

// Reading and writing the value a specifier's row shows, through the row's getter and setter on
// its target, and the default getter and setter behind PSListController's readPreferenceValue:
// and setPreferenceValue:specifier:.

#include "platform/preferences/PSSpecifier.h"

#include <string>

namespace preferences {

// Sends the specifier's getter to its target with the specifier. A getter may answer an object
// (NSString, NSNumber, ...) or a string (made an NSString here); one that takes no argument is
// called without. Null when there is no target or getter, or the call fails (logged).
objc::Ref<objc::Object> readSpecifierValue(PSSpecifier* specifier);
// Sends the specifier's setter (value, specifier) to its target; false when that is not possible.
bool writeSpecifierValue(PSSpecifier* specifier, objc::Object* value);

// The stored value of the specifier's "key" in its "defaults" domain, or its "default" property
// when nothing is stored (or when the specifier names no domain or key).
objc::Ref<objc::Object> readDefaultPreferenceValue(PSSpecifier* specifier);
// Stores `value` under "key" in the "defaults" domain (a null value removes the key), makes it
// durable, then posts the specifier's "PostNotification", if any, on the Darwin center.
void writeDefaultPreferenceValue(objc::Object* value, PSSpecifier* specifier);

// How a value reads in a row: strings as they are, numbers in their shortest form, booleans
// as "1"/"0"; "" for null.
std::string displayText(objc::Object* value);

// Sends `sel` to `target` with `argument`, for row actions and pane factories; a failure (no such
// method, another signature) is logged and answers false instead of throwing.
bool sendAction(objc::Object* target, objc::SEL sel, objc::Object* argument);

// Logs a problem of the Preferences framework to the system log.
void logProblem(const std::string& message);

} // namespace preferences
