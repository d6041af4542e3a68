// JPEG data (a picture from the photo library, its EXIF orientation included), decoded and shaped
// like an icon.

#include "ImageShaping.h"

#include "platform/graphics/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::device();
    if (!graphics::looksLikeJPEG(data, size))
        return 0;
    fuzz::shapeDecodedPicture(UIImage::imageWithData(data, size));
    return 0;
}
