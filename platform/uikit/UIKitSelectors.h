#pragma once

// Selectors that UIKit's classes introduce and that subclasses override or other code sends
// through the runtime, declared once with their signatures.

#include "platform/graphics/UIImage.h"
#include "platform/runtime/Sel.h"

namespace uikit::sel {

using objc::Ref;
using objc::Sel;

inline constinit Sel<void()> layoutSubviews { "layoutSubviews" };
inline constinit Sel<Ref<UIImage>()> image { "image" };
inline constinit Sel<void(UIImage*)> setImage { "setImage:" };

} // namespace uikit::sel
