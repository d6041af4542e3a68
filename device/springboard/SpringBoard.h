#pragma once

// The home screen process of the simulated phone. SpringBoard's classes are registered per device
// profile (a class the booted system does not have is simply absent), and the process keeps its
// per-device state in the runtime, so that a newly booted device starts clean.

#include "device/profiles/DeviceProfile.h"
#include "platform/runtime/Runtime.h"

#include <functional>
#include <string>
#include <vector>

class SBIconModel;
class SBIconController;
class SBUIController;

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

// Registers SpringBoard's classes for `profile` with `runtime` (once per runtime) and remembers
// the profile for the process.
void registerSpringBoardClasses(objc::Runtime& runtime, const device::DeviceProfile& profile);

// The profile of the running SpringBoard (throws when SpringBoard's classes were not registered).
const device::DeviceProfile& profile();
SpringBoardState& state();

// SpringBoard's log: kept for scripts and tests (messages()) and printed on standard error.
void log(std::string message);
const std::vector<std::string>& messages();

// Versions of the booted system, as SpringBoard's version gates read them.
bool systemAtLeast(double version);

// First boot: writes the default layout file, the default web clip and a few sample photos when
// they do not exist yet. Existing files are never touched.
void writeDefaultFiles(const device::DeviceProfile& profile);

// Reads the layout file into a new icon model (the default layout, with a message, when the file
// is missing or damaged).
objc::Ref<SBIconModel> loadIconModel();

} // namespace springboard
