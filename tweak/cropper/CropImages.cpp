#include "tweak/cropper/CropImages.h"

#include "platform/graphics/CGContext.h"

#include <cmath>
#include <numbers>

namespace ovrimo::cropper {

namespace {

// An RGB bitmap of the picture's depth, colour space and alpha layout; null when it cannot be made.
CGContextRef bitmapLike(CGImage* cg, size_t w, size_t h)
{
    if (!w || !h)
        return nullptr;
    return CGBitmapContextCreate(nullptr, w, h, 8, w * 4, CGImageGetColorSpace(cg), CGImageGetBitmapInfo(cg));
}

objc::Ref<UIImage> finish(CGContextRef ctx)
{
    if (!ctx)
        return nullptr;
    CGImageRef out = CGBitmapContextCreateImage(ctx);
    if (!out)
        return nullptr;
    return UIImage::imageWithCGImage(out, 1, UIImageOrientationUp);
}

} // namespace

objc::Ref<UIImage> fixOrientation(UIImage* image)
{
    if (!image || !image->CGImage())
        return nullptr;
    UIImageOrientation o = image->imageOrientation();
    if (o == UIImageOrientationUp)
        return objc::Ref<UIImage>(image);
    CGSize size = image->size();
    CGFloat w = size.width, h = size.height;
    CGAffineTransform t = CGAffineTransformMakeTranslation(0, 0);
    constexpr double pi = std::numbers::pi;
    switch (o) {
    case UIImageOrientationDown:
    case UIImageOrientationDownMirrored:
        t = CGAffineTransformRotate(CGAffineTransformTranslate(t, w, h), pi);
        break;
    case UIImageOrientationLeft:
    case UIImageOrientationLeftMirrored:
        t = CGAffineTransformRotate(CGAffineTransformTranslate(t, w, 0), pi / 2);
        break;
    case UIImageOrientationRight:
    case UIImageOrientationRightMirrored:
        t = CGAffineTransformRotate(CGAffineTransformTranslate(t, 0, h), -pi / 2);
        break;
    default:
        break;
    }
    switch (o) {
    case UIImageOrientationUpMirrored:
    case UIImageOrientationDownMirrored:
        t = CGAffineTransformScale(CGAffineTransformTranslate(t, w, 0), -1, 1);
        break;
    case UIImageOrientationLeftMirrored:
    case UIImageOrientationRightMirrored:
        t = CGAffineTransformScale(CGAffineTransformTranslate(t, h, 0), -1, 1);
        break;
    default:
        break;
    }
    CGImage* cg = image->CGImage();
    CGContextRef ctx = bitmapLike(cg, size_t(std::trunc(w)), size_t(std::trunc(h)));
    if (!ctx)
        return nullptr;
    CGContextConcatCTM(ctx, t);
    bool sideways = o == UIImageOrientationLeft || o == UIImageOrientationRight || o == UIImageOrientationLeftMirrored || o == UIImageOrientationRightMirrored;
    CGContextDrawImage(ctx, sideways ? CGRectMake(0, 0, h, w) : CGRectMake(0, 0, w, h), cg);
    return finish(ctx);
}

objc::Ref<UIImage> imageRotatedByDegrees(double degrees, UIImage* image)
{
    if (!image || !image->CGImage())
        return nullptr;
    CGSize size = image->size();
    double a = degrees / 180 * std::numbers::pi;
    CGRect box = CGRectApplyAffineTransform(CGRectMake(0, 0, size.width, size.height), CGAffineTransformMakeRotation(a));
    size_t bw = size_t(std::lround(box.size.width)), bh = size_t(std::lround(box.size.height));
    CGContextRef ctx = bitmapLike(image->CGImage(), bw, bh);
    if (!ctx)
        return nullptr;
    // Bitmap coordinates have y up, so a clockwise turn on screen is a negative angle here.
    CGContextTranslateCTM(ctx, CGFloat(bw) / 2, CGFloat(bh) / 2);
    CGContextRotateCTM(ctx, -a);
    CGContextDrawImage(ctx, CGRectMake(-size.width / 2, -size.height / 2, size.width, size.height), image->CGImage());
    return finish(ctx);
}

objc::Ref<UIImage> subImage(UIImage* image, CGRect rect)
{
    if (!image || !image->CGImage() || !(rect.size.width > 0) || !(rect.size.height > 0))
        return nullptr;
    // Edges that the arithmetic leaves a hair off a whole pixel (503.9999999) are taken as that
    // pixel, so that expanding outwards does not add a column or row the hole never showed.
    auto snap = [](CGFloat v) {
        CGFloat whole = std::round(v);
        return std::fabs(v - whole) < 1e-6 ? whole : v;
    };
    CGFloat x0 = snap(rect.origin.x), y0 = snap(rect.origin.y);
    CGFloat x1 = snap(rect.origin.x + rect.size.width), y1 = snap(rect.origin.y + rect.size.height);
    CGImageRef part = CGImageCreateWithImageInRect(image->CGImage(), CGRectMake(x0, y0, x1 - x0, y1 - y0));
    if (!part)
        return nullptr;
    return UIImage::imageWithCGImage(part, 1, UIImageOrientationUp);
}

} // namespace ovrimo::cropper
