#include "tweak/IconImages.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIGraphics.h"

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

Ref<UIImage> ShapeLikeReference(UIImage* custom, UIImage* reference)
{
    if (!custom || !reference)
        return nullptr;
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

    Ref<UIImage> body = RedrawImage(custom, reference->size());
    if (!body || !maskPicture)
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
