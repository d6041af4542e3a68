#pragma once

// What happens to a picture from the icon store: decoded (orientation from its data), then shaped
// like SpringBoard's own icon. Whatever decodes must shape, at the reference's pixel size.

#include "FuzzDevice.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIImage.h"
#include "tweak/IconImages.h"

namespace fuzz {

// A small icon as SpringBoard draws one: 20 points at 2x, a rounded opaque square.
inline UIImage* referenceIcon()
{
    static objc::Ref<UIImage> icon = [] {
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(20, 20), false, 2);
        CGContextRef context = UIGraphicsGetCurrentContext();
        CGContextSetRGBFillColor(context, 0, 0, 1, 1);
        CGContextAddRoundedRect(context, CGRectMake(0, 0, 20, 20), 4);
        CGContextFillPath(context);
        objc::Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        return image;
    }();
    return icon.ptr();
}

inline void shapeDecodedPicture(UIImage* picture)
{
    if (!picture)
        return;
    CGSize size = picture->size();
    if (!(size.width > 0 && size.height > 0))
        fail("a decoded picture has no size");
    objc::Ref<UIImage> shaped = ovrimo::ShapeLikeReference(picture, referenceIcon());
    if (!shaped)
        fail("a decoded picture could not be shaped");
    if (shaped->size().width != 40 || shaped->size().height != 40)
        fail("the shaped picture is not the reference's pixel size");
}

} // namespace fuzz
