#pragma once

// Selectors that QuartzCore's layer classes introduce, declared once with their signatures.

#include "platform/graphics/CGColor.h"
#include "platform/graphics/UIBezierPath.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UIKitTypes.h"

#include <string>

class CALayer;

namespace quartzcore::sel {

using objc::Ref;
using objc::Sel;

// CALayer (its frame, setFrame: and bounds are UIView's, in uikit::sel)
inline constinit Sel<Ref<CALayer>()> layer { "layer" };
inline constinit Sel<CGFloat()> cornerRadius { "cornerRadius" };
inline constinit Sel<void(CGFloat)> setCornerRadius { "setCornerRadius:" };
inline constinit Sel<CGFloat()> borderWidth { "borderWidth" };
inline constinit Sel<void(CGFloat)> setBorderWidth { "setBorderWidth:" };
inline constinit Sel<void(CGColor*)> setBorderColor { "setBorderColor:" };
inline constinit Sel<CGFloat()> zPosition { "zPosition" };
inline constinit Sel<void(CGFloat)> setZPosition { "setZPosition:" };
inline constinit Sel<bool()> masksToBounds { "masksToBounds" };
inline constinit Sel<void(bool)> setMasksToBounds { "setMasksToBounds:" };
inline constinit Sel<Ref<CALayer>()> mask { "mask" };
inline constinit Sel<void(objc::Object*)> setMask { "setMask:" };
inline constinit Sel<double()> opacity { "opacity" };
inline constinit Sel<void(double)> setOpacity { "setOpacity:" };

// CAShapeLayer
inline constinit Sel<Ref<UIBezierPath>()> path { "path" };
inline constinit Sel<void(UIBezierPath*)> setPath { "setPath:" };
inline constinit Sel<void(CGColor*)> setFillColor { "setFillColor:" };
inline constinit Sel<void(std::string)> setFillRule { "setFillRule:" };

} // namespace quartzcore::sel
