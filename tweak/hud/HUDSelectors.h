#pragma once

// The overlay's own selectors, beyond those the rest of the tweak shares (ProgressHUDInterface.h):
// its parts' drawing, its settings and its timers.

#include "platform/runtime/Sel.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIView.h"

namespace ovrimo::hud {

using objc::Object;
using objc::Ref;
using objc::Sel;

namespace hudsel {
using uikit::sel::didMoveToSuperview;
using uikit::sel::drawRect;
inline constinit Sel<Ref<UIButton>()> button { "button" };
inline constinit Sel<void(bool)> setRemoveFromSuperViewOnHide { "setRemoveFromSuperViewOnHide:" };
inline constinit Sel<void(double)> setGraceTime { "setGraceTime:" };
inline constinit Sel<void(double)> setMinShowTime { "setMinShowTime:" };
inline constinit Sel<void(CGPoint)> setOffset { "setOffset:" };
inline constinit Sel<void(double)> setMargin { "setMargin:" };
using uikit::sel::setDelegate;
// The overlay's own timers and its fade out, run as its methods.
inline constinit Sel<void()> graceTimeEnded { "graceTimeEnded" };
inline constinit Sel<void()> minShowTimeEnded { "minShowTimeEnded" };
inline constinit Sel<void()> hideDelayEnded { "hideDelayEnded" };
inline constinit Sel<void()> fadedOut { "fadedOut" };
// Sent to the delegate, when it answers it, once the overlay is hidden.
inline constinit Sel<void(UIView*)> hudWasHidden { "hudWasHidden:" };
} // namespace hudsel

} // namespace ovrimo::hud
