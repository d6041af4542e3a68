// PNG data as the icon store holds it, decoded and shaped like an icon.

#include "ImageShaping.h"

#include "platform/graphics/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::device();
    if (!graphics::looksLikePNG(data, size))
        return 0;
    objc::Ref<UIImage> picture = UIImage::imageWithData(data, size);
    if (picture && picture->imageOrientation() != UIImageOrientationUp)
        fuzz::fail("a PNG decoded with an orientation");
    fuzz::shapeDecodedPicture(picture);
    return 0;
}
