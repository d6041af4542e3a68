#pragma once

// The image operations that turn a stored picture into the image SpringBoard shows.

#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"

namespace ovrimo {

// `image` stretched to fill a transparent canvas of `size` points at the screen's scale.
objc::Ref<UIImage> RedrawImage(UIImage* image, CGSize size);
// `custom` stretched to `reference`'s size, its alpha multiplied by `reference`'s alpha at each
// place: transparent outside the reference's silhouette. The result has scale 1.
objc::Ref<UIImage> ShapeLikeReference(UIImage* custom, UIImage* reference);
// `image` recoloured with `colour` inside its own alpha (a canvas of scale 2).
objc::Ref<UIImage> TintImage(UIImage* image, UIColor* colour);
// `top` drawn over `base`, both filling a canvas of `base`'s size at the screen's scale.
objc::Ref<UIImage> OverlayImage(UIImage* base, UIImage* top);

} // namespace ovrimo
