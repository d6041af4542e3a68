#pragma once

// The system's one-button message alerts.

#include "platform/uikit/UIViewController.h"

#include <string>

namespace ovrimo {

// A one-button alert titled with the product's name, presented from PresentingController();
// returns at once. While that controller still presents a screen the workflow is about to
// close (the cropper, the library browser), the first such message waits for ShowPendingAlert.
void ShowMessageAlert(const std::string& message);
// The same alert over `controller`, a screen that stays open behind it (the cropper after a failed
// Save), when that screen presents nothing else; otherwise as ShowMessageAlert.
void ShowMessageAlertOver(UIViewController* controller, const std::string& message);
// Shows the message that waited, once the screen in front has closed.
void ShowPendingAlert();

} // namespace ovrimo
