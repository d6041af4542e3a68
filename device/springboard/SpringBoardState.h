#pragma once

// What the home screen process keeps per device: the profile it runs on, its singletons and its
// log. Kept in the runtime, so that a newly booted device starts clean. Every SpringBoard class may
// read it; it knows none of them.

#include "device/profiles/DeviceProfile.h"
#include "platform/runtime/Runtime.h"

#include <functional>
#include <string>
#include <vector>

namespace springboard {

// What SpringBoard knows about the device it runs on, and what it reported while running.
struct SpringBoardState {
    device::DeviceProfile profile;
    bool configured = false;
    std::vector<std::string> messages;
    // Web clip identifiers that the layout file used and found.
    std::vector<std::string> webClipIdentifiers;
    // Every icon view made (weak), for editing mode and the icon view map.
    std::vector<objc::WeakRef<objc::Object>> iconViews;
    // The process's singletons, made at launch.
    objc::Ref<objc::Object> iconController;
    objc::Ref<objc::Object> uiController;
    objc::Ref<objc::Object> floatingDockController;
    objc::Ref<objc::Object> viewMap;
    // Makes an app's screen (a UIViewController) for a bundle identifier; null when the app has
    // no launcher of its own.
    std::function<objc::Ref<objc::Object>(const std::string&)> appScreenFactory;
};

// The profile of the running SpringBoard (throws when SpringBoard's classes were not registered).
const device::DeviceProfile& profile();
SpringBoardState& state();

// SpringBoard's log: kept for scripts and tests (messages()) and printed on standard error.
void log(std::string message);
const std::vector<std::string>& messages();

// Versions of the booted system, as SpringBoard's version gates read them.
bool systemAtLeast(double version);

} // namespace springboard
