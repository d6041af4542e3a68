#include "tweak/IconImages.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/UIGraphics.h"

#include <vector>

namespace ovrimo {

using objc::Ref;

Ref<UIImage> RedrawImage(UIImage* image, CGSize size)
{
    if (!image)
        return nullptr;
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    image->drawInRect(CGRectMake(0, 0, size.width, size.height));
    Ref<UIImage> result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

Ref<UIImage> TintImage(UIImage* image, UIColor* colour)
{
    if (!image)
        return nullptr;
    CGSize size = image->size();
    UIGraphicsBeginImageContextWithOptions(size, false, 2.0);
    CGContextRef context = UIGraphicsGetCurrentContext();
    image->drawAtPoint(CGPointZero, kCGBlendModeNormal, 1.0);
    if (colour)
        CGContextSetFillColorWithColor(context, colour->CGColor());
    CGContextSetBlendMode(context, kCGBlendModeSourceIn);
    CGContextSetAlpha(context, 1.0);
    CGContextFillRect(context, CGRectMake(0, 0, size.width, size.height));
    Ref<UIImage> result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

Ref<UIImage> OverlayImage(UIImage* base, UIImage* top)
{
    if (!base)
        return nullptr;
    CGSize size = base->size();
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    base->drawInRect(CGRectMake(0, 0, size.width, size.height));
    // The rectangle's sides go through single precision on the way, as the platform code has it.
    if (top)
        top->drawInRect(CGRectMake(0, 0, static_cast<float>(size.width), static_cast<float>(size.height)));
    Ref<UIImage> result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

namespace {

// The scale the silhouette is drawn at (TintImage's canvas).
constexpr CGFloat kSilhouetteScale = 2.0;

// SpringBoard's usual icon: upright, at the silhouette's scale, on a screen of that scale. Then
// every canvas of the steps below has the reference's own pixels, the image mask is the
// reference's alpha pixel for pixel, and shaping comes to one pass over the body multiplying each
// premultiplied pixel by that alpha (within a level of the steps' own rounding).
bool ShapesPixelForPixel(UIImage* reference, UIImage* body)
{
    CGImage* r = reference->CGImage();
    CGImage* b = body->CGImage();
    return reference->scale() == kSilhouetteScale && graphics::mainScreenScale() == kSilhouetteScale
        && reference->imageOrientation() == UIImageOrientationUp && r->kind() == CGImage::Kind::Color && b->kind() == CGImage::Kind::Color
        && b->width() == r->width() && b->height() == r->height() && b->hasAlpha();
}

Ref<UIImage> MultiplyByAlphaOf(UIImage* body, UIImage* reference)
{
    CGImage* b = body->CGImage();
    CGImage* r = reference->CGImage();
    size_t width = b->width(), height = b->height();
    std::vector<uint8_t> pixels(width * height * 4);
    for (size_t y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(b->data() + y * b->bytesPerRow());
        const auto* shape = reinterpret_cast<const uint32_t*>(r->data() + y * r->bytesPerRow());
        auto* out = reinterpret_cast<uint32_t*>(pixels.data() + y * width * 4);
        bool shapeHasAlpha = r->hasAlpha();
        for (size_t x = 0; x < width; ++x) {
            uint32_t a = shapeHasAlpha ? shape[x] >> 24 : 255, p = in[x], result = 0;
            // Each byte rounded to nearest, as the compositing of a mask does.
            for (int shift = 0; shift < 32; shift += 8)
                result |= ((((p >> shift) & 0xFF) * a + 127) / 255) << shift;
            out[x] = result;
        }
    }
    CGImageRef shaped = CGImageCreate(width, height, 8, 32, width * 4, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host,
        CGDataProviderCreateWithBytes(std::move(pixels)), nullptr, true, kCGRenderingIntentDefault);
    return UIImage::imageWithCGImage(shaped, 1.0, UIImageOrientationUp);
}

} // namespace

Ref<UIImage> ShapeLikeReference(UIImage* custom, UIImage* reference)
{
    if (!custom || !reference || !reference->CGImage())
        return nullptr;
    Ref<UIImage> body = RedrawImage(custom, reference->size());
    if (!body)
        return nullptr;
    if (ShapesPixelForPixel(reference, body))
        return MultiplyByAlphaOf(body, reference);
    // A picture that is white where the reference is transparent and black where it is opaque.
    Ref<UIImage> silhouette = TintImage(reference, UIColor::blackColor());
    if (!silhouette)
        return nullptr;
    CGSize silhouetteSize = silhouette->size();
    UIGraphicsBeginImageContextWithOptions(silhouetteSize, true, 1.0);
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), UIColor::whiteColor()->CGColor());
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, silhouetteSize.width, silhouetteSize.height));
    Ref<UIImage> backdrop = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    Ref<UIImage> maskPicture = OverlayImage(backdrop, silhouette);

    if (!maskPicture)
        return nullptr;
    if (body->size().width != maskPicture->size().width || body->size().height != maskPicture->size().height)
        maskPicture = RedrawImage(maskPicture, body->size());
    if (!maskPicture)
        return nullptr;

    CGImage* maskSource = maskPicture->CGImage();
    CGImageRef mask = CGImageMaskCreate(CGImageGetWidth(maskSource), CGImageGetHeight(maskSource), CGImageGetBitsPerComponent(maskSource),
        CGImageGetBitsPerPixel(maskSource), CGImageGetBytesPerRow(maskSource), CGImageGetDataProvider(maskSource), nullptr, false);
    CGImageRef masked = CGImageCreateWithMask(body->CGImage(), mask);
    if (!masked)
        return nullptr;

    size_t width = CGImageGetWidth(masked), height = CGImageGetHeight(masked);
    CGContextRef bitmap = CGBitmapContextCreate(nullptr, width, height, CGImageGetBitsPerComponent(masked), CGImageGetBytesPerRow(masked),
        CGImageGetColorSpace(masked), CGImageGetBitmapInfo(masked));
    if (!bitmap)
        return nullptr;
    CGContextDrawImage(bitmap, CGRectMake(0, 0, width, height), masked);
    CGImageRef shaped = CGBitmapContextCreateImage(bitmap);
    return UIImage::imageWithCGImage(shaped, 1.0, UIImageOrientationUp);
}

} // namespace ovrimo
