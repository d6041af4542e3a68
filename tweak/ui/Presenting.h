#pragma once

// Where the system's screens are presented from, and the platform's own button titles.

#include "platform/uikit/UIViewController.h"

#include <string>

namespace ovrimo {

// A device with a floating dock (system 11 or later, the dock controller present and saying so).
bool FloatingDockInUse();
// The floating dock's controller on such a device, else the key window's root controller.
// Null when neither exists.
UIViewController* PresentingController();
// The platform's translation of a button title ("OK", "Cancel"): UIKit's Localizable table,
// empty when it has none.
std::string SystemButtonTitle(const std::string& key);

} // namespace ovrimo
