#pragma once

// The cropper's picture operations: each answers a new upright picture, one pixel per point, or
// null for no picture (a null or empty input). None throws.

#include "platform/graphics/UIImage.h"

namespace ovrimo::cropper {

// The picture as a person sees it, redrawn upright; an upright picture is answered as it is.
objc::Ref<UIImage> fixOrientation(UIImage* image);
// The picture turned clockwise by `degrees` on a canvas just large enough to hold it.
objc::Ref<UIImage> imageRotatedByDegrees(double degrees, UIImage* image);
// The part of the (upright) picture in `rect` (pixels, top left origin), expanded to whole pixels.
objc::Ref<UIImage> subImage(UIImage* image, CGRect rect);

} // namespace ovrimo::cropper
