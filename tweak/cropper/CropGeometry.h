#pragma once

// The cropper's rectangle arithmetic, free of views so it can be tested alone. All rectangles are
// in root-view points (origin top left, y down).

#include "platform/graphics/CGGeometry.h"

namespace ovrimo::cropper {

// The picture of `imageSize` scaled so it covers the hole `crop` along its shorter side, centred
// on the hole. Zero when either size is empty.
CGRect fitImageToCrop(CGSize imageSize, CGRect crop);
// `rect` resized (about its centre) to no less than `smallest` and no more than `largest`;
// only widths are compared.
CGRect clampScale(CGRect rect, CGRect smallest, CGRect largest);
// `rect` moved (size kept) so that it leaves no gap inside the hole `crop`; `wideView` says the
// picture view's current frame is wider than high, which centres a short picture vertically.
CGRect clampBorder(CGRect rect, CGRect crop, bool wideView);
// The rectangle in picture pixels under the hole, given the picture's settled frame.
// Zero when a size is empty.
CGRect subImageRect(CGRect latest, CGRect crop, CGSize imageSize);

} // namespace ovrimo::cropper
