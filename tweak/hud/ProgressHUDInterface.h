#pragma once

// How the rest of the tweak shows and hides the progress overlay: the class is found by name
// ("MBProgressHUD"), so these selectors are all the callers share with it.

#include "platform/graphics/UIColor.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"

#include <cstdint>

namespace ovrimo::hud {

using objc::Object;
using objc::Ref;
using objc::Sel;

// Class method: a new overlay over `view` (which must not be null), added as its topmost
// subview and shown; it removes itself from the view when hidden.
inline constinit Sel<Ref<UIView>(UIView*, bool)> showHUDAddedToAnimated { "showHUDAddedTo:animated:" };
inline constinit Sel<void(bool)> showAnimated { "showAnimated:" };
inline constinit Sel<void(bool)> hideAnimated { "hideAnimated:" };
inline constinit Sel<void(bool, double)> hideAnimatedAfterDelay { "hideAnimated:afterDelay:" };

// The overlay's parts.
inline constinit Sel<Ref<UILabel>()> label { "label" };
inline constinit Sel<Ref<UILabel>()> detailsLabel { "detailsLabel" };
inline constinit Sel<Ref<UIView>()> backgroundView { "backgroundView" };
inline constinit Sel<Ref<UIView>()> bezelView { "bezelView" };

// MBBackgroundView: 0 solid colour, 1 blur.
inline constinit Sel<void(std::int64_t)> setStyle { "setStyle:" };
inline constinit Sel<void(UIColor*)> setColor { "setColor:" };

} // namespace ovrimo::hud
