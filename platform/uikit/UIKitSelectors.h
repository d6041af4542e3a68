#pragma once

// Selectors that UIKit's classes introduce, declared once with their signatures, for code that
// overrides or sends them from outside UIKit (SpringBoard's views, for one).

#include "platform/graphics/UIImage.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UIKitTypes.h"
#include "platform/uikit/UIResponder.h"


namespace uikit::sel {

using objc::Ref;
using objc::Sel;

// UIView
inline constinit Sel<Ref<objc::Object>(CGRect)> initWithFrame { "initWithFrame:" };
inline constinit Sel<void()> layoutSubviews { "layoutSubviews" };
inline constinit Sel<void()> didMoveToWindow { "didMoveToWindow" };

// UIImageView
inline constinit Sel<Ref<UIImage>()> image { "image" };
inline constinit Sel<void(UIImage*)> setImage { "setImage:" };

// UIResponder
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesBeganWithEvent { "touchesBegan:withEvent:" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesMovedWithEvent { "touchesMoved:withEvent:" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesEndedWithEvent { "touchesEnded:withEvent:" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesCancelledWithEvent { "touchesCancelled:withEvent:" };

// --- view controllers, tables, navigation, alerts, gestures, application (below) ---

} // namespace uikit::sel
