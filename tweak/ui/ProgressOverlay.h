#pragma once

// The progress overlay as the system uses it: a dimmed screen with a title and a detail text.

#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"

#include <string>

namespace ovrimo {

// The progress overlay, shown over `controller`'s view's superview when there is one, else over
// the floating dock's presenting view or the key window. Null when there is nowhere to show it
// (callers send it hideAnimated: all the same: a message to null does nothing).
objc::Ref<UIView> ShowProgressOverlay(const std::string& text, const std::string& detail, UIViewController* controller);
// The same overlay over `container` (null when there is none, or no overlay class).
objc::Ref<UIView> ShowProgressOverlayOn(UIView* container, const std::string& text, const std::string& detail);

} // namespace ovrimo
