#pragma once

// What every control of the kit does with its specifier's preferences domain: read one key,
// store one key and make it durable, announce a change. Every control reads only its own
// specifier's properties, through these.

#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Object.h"

#include <string>

class UIViewController;

namespace zarnek {

// The value stored under `key` in `domain` after synchronising it; null when either is empty or
// nothing is stored.
objc::Ref<objc::Object> readStoredValue(const std::string& domain, const std::string& key);
// Stores `value` under `key` (a null value removes it) and synchronises the domain; does nothing
// when either name is empty. False when the domain could not be written.
bool storeValue(const std::string& domain, const std::string& key, objc::Object* value);
// Posts `name` on the Darwin center, no object, no user info, delivered at once (nothing when empty).
void postDarwinNotification(const std::string& name);

// A specifier property of the expected class, null when absent or of another kind.
template<class T>
objc::Ref<T> propertyOfKind(PSSpecifier* specifier, const std::string& key)
{
    if (!specifier)
        return nullptr;
    objc::Ref<objc::Object> value = specifier->propertyForKey(key);
    return objc::Ref<T>(dynamic_cast<T*>(value.ptr()));
}

// The controller on top of the key window's presentations, to present alerts and browsers on.
UIViewController* presentingController();

// A problem of the kit, on the system log (never thrown).
void logKitProblem(const std::string& message);

} // namespace zarnek
