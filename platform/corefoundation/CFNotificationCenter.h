#pragma once

// The platform's notification centers. The Darwin center is system-wide: it carries a name only
// (object and user info are dropped) and delivers on the main run loop, after the posting code
// has returned. The local center is this process's: it passes object and user info along and
// delivers at once, on the posting thread. Observers are kept per booted device.

#include "platform/corefoundation/NSDictionary.h"

#include <string>

struct __CFNotificationCenter;
using CFNotificationCenterRef = __CFNotificationCenter*;

using CFNotificationCallback = void (*)(CFNotificationCenterRef center, void* observer, const std::string& name, const void* object, NSDictionary* userInfo);

enum CFNotificationSuspensionBehavior : long {
    CFNotificationSuspensionBehaviorDrop = 1,
    CFNotificationSuspensionBehaviorCoalesce = 2,
    CFNotificationSuspensionBehaviorHold = 3,
    CFNotificationSuspensionBehaviorDeliverImmediately = 4,
};

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();
CFNotificationCenterRef CFNotificationCenterGetLocalCenter();

// An empty `name` observes every name; a null `object` every object (the Darwin center ignores
// objects). Apps are never suspended here, so the suspension behaviour is recorded only.
void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer, CFNotificationCallback callback, const std::string& name, const void* object, CFNotificationSuspensionBehavior suspensionBehavior);
// Removes the observer's registrations for `name` (all names when empty) and `object` (any when null).
void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer, const std::string& name, const void* object);
void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer);
void CFNotificationCenterPostNotification(CFNotificationCenterRef center, const std::string& name, const void* object, NSDictionary* userInfo, bool deliverImmediately);

namespace corefoundation {
// The number of registrations on a center of the current device (for tests and diagnostics).
std::size_t notificationObserverCount(CFNotificationCenterRef center);
} // namespace corefoundation
