#pragma once

// Where and how the workflow shows itself: the controller everything is presented from, the
// product's one-button alerts, the platform's own button titles and the progress overlay.

#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"

#include <cstdint>
#include <functional>
#include <string>

namespace ovrimo {

inline constexpr const char* kProductName = "Ovrimo";
// The pause between showing the progress overlay and starting the blocking work, so that the
// overlay is drawn first.
inline constexpr std::int64_t kOverlayHeadStartNanoseconds = 10'000'000;

// A device with a floating dock (system 11 or later, the dock controller present and saying so).
bool FloatingDockInUse();
// The floating dock's controller on such a device, else the key window's root controller.
// Null when neither exists.
UIViewController* PresentingController();
// The platform's translation of a button title ("OK", "Cancel"): UIKit's Localizable table,
// empty when it has none.
std::string SystemButtonTitle(const std::string& key);
// "Error N! Something went wrong. …" in the wording each number has always had.
std::string NumberedError(int number, bool contactDeveloper = false);
// A one-button alert titled with the product's name, presented from PresentingController();
// returns at once. While that controller still presents a screen the workflow is about to
// close (the cropper, the library browser), the first such message waits for ShowPendingAlert.
void ShowMessageAlert(const std::string& message);
// The same alert over `controller`, a screen that stays open behind it (the cropper after a failed
// Save), when that screen presents nothing else; otherwise as ShowMessageAlert.
void ShowMessageAlertOver(UIViewController* controller, const std::string& message);
// Shows the message that waited, once the screen in front has closed.
void ShowPendingAlert();
// The progress overlay, shown over `controller`'s view's superview when there is one, else over
// the floating dock's presenting view or the key window. Null when there is nowhere to show it
// (callers send it hideAnimated: all the same: a message to null does nothing).
objc::Ref<UIView> ShowProgressOverlay(const std::string& text, const std::string& detail, UIViewController* controller);

} // namespace ovrimo
