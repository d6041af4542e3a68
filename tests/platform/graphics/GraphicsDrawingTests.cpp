// Drawing paths, flips, orientation, masks and blend modes, with pictures whose corners differ.

#include "tests/platform/graphics/GraphicsTestSupport.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/UIBezierPath.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace graphics_test;
using objc::Ref;

namespace {

class GraphicsDrawing : public ::testing::Test {
protected:
    GraphicsDrawing() { registerGraphicsClasses(env.runtime()); }
    testing_support::TestEnvironment env;
};

// The image operations below are written the way the system's own code uses the platform.

Ref<UIImage> redraw(UIImage* image, CGSize size)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    image->drawInRect(CGRectMake(0, 0, size.width, size.height));
    Ref<UIImage> result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

Ref<UIImage> tintImage(UIImage* image, UIColor* colour)
{
    UIGraphicsBeginImageContextWithOptions(image->size(), false, 2.0);
    image->drawAtPoint(CGPointZero, kCGBlendModeNormal, 1.0);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSetFillColorWithColor(c, colour->CGColor());
    CGContextSetBlendMode(c, static_cast<CGBlendMode>(18));
    CGContextSetAlpha(c, 1.0);
    CGContextFillRect(c, CGRectMake(0, 0, image->size().width, image->size().height));
    Ref<UIImage> result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

Ref<UIImage> overlayImage(UIImage* base, UIImage* top)
{
    CGSize size = base->size();
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    CGRect rect = CGRectMake(0, 0, float(size.width), float(size.height));
    base->drawInRect(rect);
    top->drawInRect(rect);
    Ref<UIImage> result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

Ref<UIImage> shapeLikeReference(UIImage* custom, UIImage* reference)
{
    Ref<UIImage> silhouette = tintImage(reference, UIColor::blackColor());
    UIGraphicsBeginImageContextWithOptions(silhouette->size(), false, 1.0);
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), UIColor::whiteColor()->CGColor());
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, silhouette->size().width, silhouette->size().height));
    Ref<UIImage> backdrop = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    Ref<UIImage> maskPicture = overlayImage(backdrop, silhouette);
    Ref<UIImage> body = redraw(custom, reference->size());
    if (body->size() != maskPicture->size())
        maskPicture = redraw(maskPicture, body->size());

    CGImageRef m = maskPicture->CGImage();
    CGImageRef mask = CGImageMaskCreate(CGImageGetWidth(m), CGImageGetHeight(m), CGImageGetBitsPerComponent(m), CGImageGetBitsPerPixel(m),
        CGImageGetBytesPerRow(m), CGImageGetDataProvider(m), nullptr, false);
    CGImageRef masked = CGImageCreateWithMask(body->CGImage(), mask);
    CGContextRef bitmap = CGBitmapContextCreate(nullptr, CGImageGetWidth(masked), CGImageGetHeight(masked), CGImageGetBitsPerComponent(masked),
        CGImageGetBytesPerRow(masked), CGImageGetColorSpace(masked), CGImageGetBitmapInfo(masked));
    CGContextDrawImage(bitmap, CGRectMake(0, 0, CGImageGetWidth(masked), CGImageGetHeight(masked)), masked);
    CGImageRef out = CGBitmapContextCreateImage(bitmap);
    return UIImage::imageWithCGImage(out, 1.0, UIImageOrientationUp);
}

Ref<UIImage> fixOrientation(UIImage* image)
{
    UIImageOrientation o = image->imageOrientation();
    if (o == UIImageOrientationUp)
        return image;
    CGFloat w = image->size().width, h = image->size().height;
    CGAffineTransform t = CGAffineTransformIdentity;
    switch (o) {
    case UIImageOrientationDown:
    case UIImageOrientationDownMirrored:
        t = CGAffineTransformRotate(CGAffineTransformTranslate(t, w, h), M_PI);
        break;
    case UIImageOrientationLeft:
    case UIImageOrientationLeftMirrored:
        t = CGAffineTransformRotate(CGAffineTransformTranslate(t, w, 0), M_PI_2);
        break;
    case UIImageOrientationRight:
    case UIImageOrientationRightMirrored:
        t = CGAffineTransformRotate(CGAffineTransformTranslate(t, 0, h), -M_PI_2);
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
    CGImageRef cg = image->CGImage();
    CGContextRef c = CGBitmapContextCreate(nullptr, size_t(w), size_t(h), CGImageGetBitsPerComponent(cg), 0, CGImageGetColorSpace(cg), CGImageGetBitmapInfo(cg));
    CGContextConcatCTM(c, t);
    bool sideways = o == UIImageOrientationLeft || o == UIImageOrientationRight || o == UIImageOrientationLeftMirrored || o == UIImageOrientationRightMirrored;
    CGContextDrawImage(c, sideways ? CGRectMake(0, 0, h, w) : CGRectMake(0, 0, w, h), cg);
    return UIImage::imageWithCGImage(CGBitmapContextCreateImage(c));
}

Ref<UIImage> imageRotatedByDegrees(double degrees, UIImage* image)
{
    double a = degrees / 180 * M_PI;
    CGSize size = image->size();
    CGRect box = CGRectApplyAffineTransform(CGRectMake(0, 0, size.width, size.height), CGAffineTransformMakeRotation(a));
    UIGraphicsBeginImageContext(box.size);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextTranslateCTM(c, box.size.width / 2, box.size.height / 2);
    CGContextRotateCTM(c, a);
    CGContextScaleCTM(c, 1, -1);
    CGContextDrawImage(c, CGRectMake(-size.width / 2, -size.height / 2, size.width, size.height), image->CGImage());
    Ref<UIImage> result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

const Corners kUpright { kRed, kGreen, kBlue, kYellow };

} // namespace

TEST_F(GraphicsDrawing, CanvasDrawKeepsCornersAndMeasuresInPoints)
{
    auto image = UIImage::imageWithCGImage(fourCorners(8, 4), 1);
    EXPECT_EQ(image->size(), CGSizeMake(8, 4));
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(16, 8), false, 2);
    image->drawInRect(CGRectMake(0, 0, 16, 8));
    Ref<UIImage> drawn = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_TRUE(drawn);
    EXPECT_EQ(drawn->scale(), 2);
    EXPECT_EQ(drawn->size(), CGSizeMake(16, 8));
    EXPECT_EQ(CGImageGetWidth(drawn->CGImage()), 32u);
    EXPECT_EQ(cornersOf(drawn->CGImage()), kUpright);
    EXPECT_FALSE(UIGraphicsGetCurrentContext());
}

TEST_F(GraphicsDrawing, ScaleZeroMeansMainScreenScale)
{
    graphics::setMainScreenScale(3);
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(10, 5), false, 0);
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    graphics::setMainScreenScale(2);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->scale(), 3);
    EXPECT_EQ(CGImageGetWidth(image->CGImage()), 30u);
    EXPECT_EQ(CGImageGetHeight(image->CGImage()), 15u);
}

TEST_F(GraphicsDrawing, BitmapContextDrawIsUprightAndCanvasDrawIsUpsideDownUntilFlipped)
{
    CGImageRef picture = fourCorners(8, 4);
    CGContextRef bitmap = CGBitmapContextCreate(nullptr, 8, 4, 8, 0, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host);
    CGContextDrawImage(bitmap, CGRectMake(0, 0, 8, 4), picture);
    EXPECT_EQ(cornersOf(CGBitmapContextCreateImage(bitmap)), kUpright);

    UIGraphicsBeginImageContext(CGSizeMake(8, 4));
    CGContextDrawImage(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 8, 4), picture);
    Ref<UIImage> unflipped = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(cornersOf(unflipped->CGImage()), (Corners { kBlue, kYellow, kRed, kGreen }));

    // The flip the date layer uses: translate by the height, scale y by -1.
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(8, 4), false, 1);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextTranslateCTM(c, 0, 4);
    CGContextScaleCTM(c, 1, -1);
    CGContextDrawImage(c, CGRectMake(0, 0, 8, 4), picture);
    Ref<UIImage> flipped = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(cornersOf(flipped->CGImage()), kUpright);
}

TEST_F(GraphicsDrawing, CanvasTransformReportsTheFlippedDeviceSpace)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(10, 20), false, 2);
    EXPECT_EQ(CGContextGetCTM(UIGraphicsGetCurrentContext()), CGAffineTransformMake(2, 0, 0, -2, 0, 40));
    UIGraphicsEndImageContext();
    CGContextRef bitmap = CGBitmapContextCreate(nullptr, 10, 20, 8, 0, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaPremultipliedLast);
    EXPECT_TRUE(CGAffineTransformIsIdentity(CGContextGetCTM(bitmap)));
    CGContextTranslateCTM(bitmap, 3, 4);
    CGContextSaveGState(bitmap);
    CGContextScaleCTM(bitmap, 2, 2);
    CGContextRestoreGState(bitmap);
    EXPECT_EQ(CGContextGetCTM(bitmap), CGAffineTransformMakeTranslation(3, 4));
}

TEST_F(GraphicsDrawing, SplitPiecesAreTheRightQuartersUpright)
{
    // The page split: each piece is drawn through a vertical flip and an offset.
    auto picture = UIImage::imageWithCGImage(fourCorners(8, 4), 1);
    const double W = 8, H = 4;
    const int rows = 2, columns = 2;
    const RGBA expected[4] = { kRed, kGreen, kBlue, kYellow };
    for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < columns; ++k) {
            UIGraphicsBeginImageContextWithOptions(CGSizeMake(W / columns, H / rows), false, 1.0);
            CGContextRef c = UIGraphicsGetCurrentContext();
            CGContextScaleCTM(c, 1, -1);
            CGContextTranslateCTM(c, 0, -H / rows);
            CGContextTranslateCTM(c, -(W * k) / columns, -(H * (rows - 1 - r)) / rows);
            CGContextDrawImage(c, CGRectMake(0, 0, W, H), picture->CGImage());
            Ref<UIImage> piece = UIGraphicsGetImageFromCurrentImageContext();
            UIGraphicsEndImageContext();
            const RGBA& want = expected[r * columns + k];
            EXPECT_EQ(cornersOf(piece->CGImage()), (Corners { want, want, want, want })) << "piece " << r * columns + k;
        }
    }
}

TEST_F(GraphicsDrawing, CropExpandsOutwardsAndClipsToTheBitmap)
{
    CGImageRef picture = fourCorners(8, 4);
    CGImageRef topRight = CGImageCreateWithImageInRect(picture, CGRectMake(4, 0, 4, 2));
    ASSERT_TRUE(topRight);
    EXPECT_EQ(pixelAt(topRight, 0, 0), kGreen);
    EXPECT_EQ(pixelAt(topRight, 3, 1), kGreen);

    CGImageRef fractional = CGImageCreateWithImageInRect(picture, CGRectMake(0.5, 0.5, 1, 1));
    EXPECT_EQ(CGImageGetWidth(fractional), 2u);
    EXPECT_EQ(CGImageGetHeight(fractional), 2u);

    CGImageRef clipped = CGImageCreateWithImageInRect(picture, CGRectMake(-3, 2, 100, 100));
    EXPECT_EQ(CGImageGetWidth(clipped), 8u);
    EXPECT_EQ(CGImageGetHeight(clipped), 2u);
    EXPECT_EQ(pixelAt(clipped, 0, 0), kBlue);

    EXPECT_FALSE(CGImageCreateWithImageInRect(picture, CGRectMake(20, 20, 5, 5)));
    EXPECT_FALSE(CGImageCreateWithImageInRect(picture, CGRectMake(1, 1, 0, 0)));
}

TEST_F(GraphicsDrawing, RotateByNinetyTurnsClockwise)
{
    auto picture = UIImage::imageWithCGImage(fourCorners(8, 4), 1);
    Ref<UIImage> turned = imageRotatedByDegrees(90, picture);
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->size(), CGSizeMake(4, 8));
    EXPECT_EQ(cornersOf(turned->CGImage()), (Corners { kBlue, kRed, kYellow, kGreen }));
    Ref<UIImage> back = picture;
    for (int i = 0; i < 4; ++i)
        back = imageRotatedByDegrees(90, back);
    EXPECT_EQ(back->size(), CGSizeMake(8, 4));
    EXPECT_EQ(cornersOf(back->CGImage()), kUpright);
}

TEST_F(GraphicsDrawing, EachOrientationTagDrawsAndFixesUpright)
{
    // What the stored four-corner picture looks like upright under each tag.
    const Corners expected[8] = {
        { kRed, kGreen, kBlue, kYellow }, // Up
        { kYellow, kBlue, kGreen, kRed }, // Down
        { kGreen, kYellow, kRed, kBlue }, // Left
        { kBlue, kRed, kYellow, kGreen }, // Right
        { kGreen, kRed, kYellow, kBlue }, // UpMirrored
        { kBlue, kYellow, kRed, kGreen }, // DownMirrored
        { kRed, kBlue, kGreen, kYellow }, // LeftMirrored
        { kYellow, kGreen, kBlue, kRed }, // RightMirrored
    };
    CGImageRef stored = fourCorners(8, 4);
    for (int tag = 0; tag < 8; ++tag) {
        auto o = static_cast<UIImageOrientation>(tag);
        auto image = UIImage::imageWithCGImage(stored, 1, o);
        bool sideways = tag == 2 || tag == 3 || tag == 6 || tag == 7;
        CGSize size = image->size();
        EXPECT_EQ(size, sideways ? CGSizeMake(4, 8) : CGSizeMake(8, 4)) << "tag " << tag;

        Ref<UIImage> drawn = redraw(image, size);
        EXPECT_EQ(cornersOf(drawn->CGImage()), expected[tag]) << "drawInRect, tag " << tag;

        Ref<UIImage> fixed = fixOrientation(image);
        EXPECT_EQ(fixed->imageOrientation(), UIImageOrientationUp);
        EXPECT_EQ(fixed->size(), size) << "tag " << tag;
        EXPECT_EQ(cornersOf(fixed->CGImage()), expected[tag]) << "fixOrientation, tag " << tag;
    }
}

TEST_F(GraphicsDrawing, ShapeLikeReferenceMultipliesAlphas)
{
    // Reference: opaque grey whose alpha grows left to right; custom: colours whose alpha grows
    // top to bottom. Both 60 x 60 points at scale 2.
    const size_t n = 120;
    std::vector<uint8_t> ref(n * n * 4), custom(n * n * 4);
    for (size_t y = 0; y < n; ++y) {
        for (size_t x = 0; x < n; ++x) {
            uint8_t* r = &ref[(y * n + x) * 4];
            r[0] = r[1] = r[2] = 90, r[3] = uint8_t(x * 255 / (n - 1));
            uint8_t* c = &custom[(y * n + x) * 4];
            c[0] = uint8_t(x * 2), c[1] = 200, c[2] = uint8_t(y), c[3] = uint8_t(y * 255 / (n - 1));
        }
    }
    auto reference = UIImage::imageWithCGImage(imageFromRGBA(n, n, ref), 2);
    auto picture = UIImage::imageWithCGImage(imageFromRGBA(n, n, custom), 2);
    Ref<UIImage> shaped = shapeLikeReference(picture, reference);
    ASSERT_TRUE(shaped);
    EXPECT_EQ(shaped->scale(), 1);
    EXPECT_EQ(shaped->size(), CGSizeMake(120, 120));
    int worst = 0;
    for (size_t y = 0; y < n; y += 7) {
        for (size_t x = 0; x < n; x += 5) {
            double want = (y * 255.0 / (n - 1)) * (x * 255.0 / (n - 1)) / 255.0;
            int got = pixelAt(shaped->CGImage(), x, y).a;
            worst = std::max(worst, int(std::lround(std::fabs(got - want))));
        }
    }
    EXPECT_LE(worst, 1);
    // Where both are opaque the custom colour survives unchanged.
    EXPECT_EQ(pixelAt(shaped->CGImage(), n - 1, n - 1), (RGBA { int(2 * (n - 1)), 200, int(n - 1), 255 }));
}

TEST_F(GraphicsDrawing, SourceInFillKeepsAlphaAndReplacesColour)
{
    std::vector<uint8_t> bytes(4 * 4 * 4);
    for (size_t i = 0; i < 16; ++i) {
        bytes[i * 4 + 0] = 10, bytes[i * 4 + 1] = 200, bytes[i * 4 + 2] = 30;
        bytes[i * 4 + 3] = uint8_t(i * 17);
    }
    auto shape = UIImage::imageWithCGImage(imageFromRGBA(4, 4, bytes), 2);
    Ref<UIImage> tinted = tintImage(shape, UIColor::redColor());
    EXPECT_EQ(tinted->scale(), 2);
    for (size_t i = 0; i < 16; ++i) {
        RGBA p = pixelAt(tinted->CGImage(), i % 4, i / 4);
        EXPECT_EQ(p.a, int(i * 17)) << i;
        if (p.a > 30) {
            EXPECT_EQ(p, (RGBA { 255, 0, 0, p.a })) << i;
        }
    }
}

TEST_F(GraphicsDrawing, ColourMaskingRemovesExactlyTheNearWhiteRange)
{
    const int values[] = { 0, 100, 221, 222, 240, 255 };
    std::vector<uint8_t> bytes;
    for (int r : values)
        for (int g : { 221, 222, 255 })
            bytes.insert(bytes.end(), { uint8_t(r), uint8_t(g), 230, 255 });
    size_t w = bytes.size() / 4;
    CGImageRef picture = imageFromRGBA(w, 1, bytes);
    const CGFloat range[6] = { 222, 255, 222, 255, 222, 255 };
    CGImageRef masked = CGImageCreateWithMaskingColors(picture, range);
    ASSERT_TRUE(masked);
    for (size_t x = 0; x < w; ++x) {
        int r = bytes[x * 4], g = bytes[x * 4 + 1];
        bool nearWhite = r >= 222 && g >= 222;
        RGBA p = pixelAt(masked, x, 0);
        EXPECT_EQ(p.a, nearWhite ? 0 : 255) << "r " << r << " g " << g;
        if (!nearWhite) {
            EXPECT_EQ(p, (RGBA { r, g, 230, 255 }));
        }
    }
}

TEST_F(GraphicsDrawing, ImageMaskLetsBlackThroughAndBlocksWhite)
{
    const std::vector<uint8_t> samples = { 0, 64, 128, 255 };
    CGImageRef mask = CGImageMaskCreate(4, 1, 8, 8, 4, CGDataProviderCreateWithBytes(samples), nullptr, false);
    ASSERT_TRUE(mask);
    EXPECT_TRUE(CGImageIsMask(mask));
    std::vector<uint8_t> red(4 * 4);
    for (size_t i = 0; i < 4; ++i)
        red[i * 4] = 255, red[i * 4 + 3] = 255;
    CGImageRef masked = CGImageCreateWithMask(imageFromRGBA(4, 1, red), mask);
    ASSERT_TRUE(masked);
    for (size_t x = 0; x < 4; ++x)
        EXPECT_NEAR(pixelAt(masked, x, 0).a, 255 - samples[x], 1) << x;

    // A one-bit mask, and a decode array that swaps the meaning.
    const std::vector<uint8_t> bits = { 0b10100000 };
    CGImageRef oneBit = CGImageMaskCreate(4, 1, 1, 1, 1, CGDataProviderCreateWithBytes(bits), nullptr, false);
    const CGFloat swap[2] = { 1, 0 };
    CGImageRef swapped = CGImageMaskCreate(4, 1, 1, 1, 1, CGDataProviderCreateWithBytes(bits), swap, false);
    EXPECT_EQ(pixelAt(oneBit, 0, 0).a, 0);
    EXPECT_EQ(pixelAt(oneBit, 1, 0).a, 255);
    EXPECT_EQ(pixelAt(swapped, 0, 0).a, 255);
    // Data shorter than the rows it claims is refused.
    EXPECT_FALSE(CGImageMaskCreate(4, 2, 8, 8, 4, CGDataProviderCreateWithBytes(samples), nullptr, false));
}

TEST_F(GraphicsDrawing, AlphaBlendClearAndClips)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(20, 20), false, 1);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSetRGBFillColor(c, 0, 0, 1, 1);
    CGContextSetAlpha(c, 0.5);
    CGContextFillRect(c, CGRectMake(0, 0, 20, 20));
    CGContextSetAlpha(c, 1);
    CGContextClearRect(c, CGRectMake(0, 0, 10, 20));
    CGContextSaveGState(c);
    UIBezierPath::bezierPathWithOvalInRect(CGRectMake(10, 0, 10, 10))->addClip();
    CGContextSetRGBFillColor(c, 1, 0, 0, 1);
    CGContextFillRect(c, CGRectMake(0, 0, 20, 20));
    CGContextRestoreGState(c);
    CGContextFillRect(c, CGRectMake(0, 19, 1, 1)); // the clip is gone again
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(pixelAt(image->CGImage(), 5, 5).a, 0);
    RGBA half = pixelAt(image->CGImage(), 15, 15);
    EXPECT_NEAR(half.a, 128, 1);
    EXPECT_EQ(half.b, 255);
    EXPECT_EQ(pixelAt(image->CGImage(), 15, 5), kRed);
    EXPECT_EQ(pixelAt(image->CGImage(), 10, 0).r, 0); // outside the oval's corner
    EXPECT_EQ(pixelAt(image->CGImage(), 0, 19), kBlue);
}

TEST_F(GraphicsDrawing, ClipToMaskAndDrawingAnImageMask)
{
    const std::vector<uint8_t> samples = { 0, 255, 255, 0 };
    CGImageRef mask = CGImageMaskCreate(2, 2, 8, 8, 2, CGDataProviderCreateWithBytes(samples), nullptr, false);
    CGContextRef bitmap = CGBitmapContextCreate(nullptr, 2, 2, 8, 0, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host);
    CGContextSaveGState(bitmap);
    CGContextClipToMask(bitmap, CGRectMake(0, 0, 2, 2), mask);
    CGContextSetRGBFillColor(bitmap, 0, 1, 0, 1);
    CGContextFillRect(bitmap, CGRectMake(0, 0, 2, 2));
    CGContextRestoreGState(bitmap);
    CGImageRef clipped = CGBitmapContextCreateImage(bitmap);
    // The mask's first row lies at the top, as with CGContextDrawImage.
    EXPECT_EQ(pixelAt(clipped, 0, 0), kGreen);
    EXPECT_EQ(pixelAt(clipped, 1, 0).a, 0);
    EXPECT_EQ(pixelAt(clipped, 1, 1), kGreen);

    CGContextClearRect(bitmap, CGRectMake(0, 0, 2, 2));
    CGContextSetRGBFillColor(bitmap, 0, 0, 1, 1);
    CGContextDrawImage(bitmap, CGRectMake(0, 0, 2, 2), mask);
    CGImageRef painted = CGBitmapContextCreateImage(bitmap);
    EXPECT_EQ(pixelAt(painted, 0, 0), kBlue);
    EXPECT_EQ(pixelAt(painted, 0, 1).a, 0);
}

TEST_F(GraphicsDrawing, BitmapContextsHonourTheirLayoutAndRefuseBadOnes)
{
    auto rgb = CGColorSpaceCreateDeviceRGB();
    std::vector<uint32_t> memory(16 * 3, 0);
    CGContextRef own = CGBitmapContextCreate(memory.data(), 3, 3, 8, 64, rgb, kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host);
    ASSERT_TRUE(own);
    EXPECT_EQ(CGBitmapContextGetBytesPerRow(own), 64u);
    CGContextSetRGBFillColor(own, 1, 0, 0, 1);
    CGContextFillRect(own, CGRectMake(0, 0, 1, 1)); // bottom left
    EXPECT_EQ(CGBitmapContextGetData(own), memory.data());
    EXPECT_EQ(memory[2 * 16], 0xFFFF0000u);
    EXPECT_EQ(memory[0], 0u);

    CGContextRef opaque = CGBitmapContextCreate(nullptr, 4, 4, 8, 0, rgb, kCGImageAlphaNoneSkipLast);
    EXPECT_EQ(CGBitmapContextGetAlphaInfo(opaque), kCGImageAlphaNoneSkipFirst);
    EXPECT_EQ(CGImageGetAlphaInfo(CGBitmapContextCreateImage(opaque)), kCGImageAlphaNoneSkipFirst);

    CGContextRef grey = CGBitmapContextCreate(nullptr, 2, 1, 8, 0, CGColorSpaceCreateDeviceGray(), kCGImageAlphaNone);
    CGContextSetRGBFillColor(grey, 1, 1, 1, 1);
    CGContextFillRect(grey, CGRectMake(0, 0, 1, 1));
    CGImageRef greyImage = CGBitmapContextCreateImage(grey);
    EXPECT_EQ(CGImageGetBitsPerPixel(greyImage), 8u);
    EXPECT_EQ(CGColorSpaceGetModel(CGImageGetColorSpace(greyImage)), kCGColorSpaceModelMonochrome);
    auto bytes = CGDataProviderCopyData(CGImageGetDataProvider(greyImage));
    EXPECT_EQ(bytes, (std::vector<uint8_t> { 255, 0 }));

    EXPECT_FALSE(CGBitmapContextCreate(nullptr, 0, 4, 8, 0, rgb, kCGImageAlphaPremultipliedLast));
    EXPECT_FALSE(CGBitmapContextCreate(nullptr, 20000, 20000, 8, 0, rgb, kCGImageAlphaPremultipliedLast));
    EXPECT_FALSE(CGBitmapContextCreate(nullptr, 4, 4, 8, 8, rgb, kCGImageAlphaPremultipliedLast));
    EXPECT_FALSE(CGBitmapContextCreate(nullptr, 4, 4, 16, 0, rgb, kCGImageAlphaPremultipliedLast));
}

TEST_F(GraphicsDrawing, EmptyCanvasStaysBalancedAndDrawsNothing)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(4, 4), false, 1);
    CGContextRef outer = UIGraphicsGetCurrentContext();
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(0, 10), false, 1);
    EXPECT_FALSE(UIGraphicsGetCurrentContext());
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 1, 1));
    EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();
    EXPECT_EQ(UIGraphicsGetCurrentContext(), outer);
    CGContextScaleCTM(outer, 0, 1);
    CGContextFillRect(outer, CGRectMake(0, 0, 4, 4)); // singular transform: nothing drawn
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(pixelAt(image->CGImage(), 1, 1).a, 0);
}

TEST_F(GraphicsDrawing, RuntimeMessagesReachTheImage)
{
    auto image = UIImage::imageWithCGImage(fourCorners(8, 4), 2, UIImageOrientationRight);
    EXPECT_EQ(objc::msgSend<CGSize>(image, "size"), CGSizeMake(2, 4));
    EXPECT_EQ(objc::msgSend<double>(image, "scale"), 2);
    EXPECT_EQ(objc::msgSend<int>(image, "imageOrientation"), 3);
    EXPECT_EQ(objc::msgSend<CGImageRef>(image, "CGImage").ptr(), image->CGImage().ptr());
    Ref<UIImage> made = objc::msgSend<Ref<UIImage>>(objc::objc_getClass("UIImage"), "imageWithCGImage:scale:orientation:", image->CGImage().ptr(), 1.0, 0);
    ASSERT_TRUE(made);
    auto allocated = objc::msgSend<Ref<objc::Object>>(objc::objc_getClass("UIImage"), "alloc");
    Ref<UIImage> initialised = objc::msgSend<Ref<UIImage>>(allocated, "initWithCGImage:", image->CGImage().ptr());
    ASSERT_TRUE(initialised);
    EXPECT_EQ(initialised->size(), CGSizeMake(8, 4));
    auto another = objc::msgSend<Ref<objc::Object>>(objc::objc_getClass("UIImage"), "alloc");
    EXPECT_FALSE(objc::msgSend<Ref<UIImage>>(another, "initWithContentsOfFile:", std::string("/missing.png")));
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(8, 4), false, 1);
    objc::msgSend(made, "drawInRect:", CGRectMake(0, 0, 8, 4));
    Ref<UIImage> drawn = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(cornersOf(drawn->CGImage()), kUpright);
}

TEST_F(GraphicsDrawing, CalendarDateLayerKeepsThePrintUprightOnATransparentGround)
{
    // White ground with a dark mark in the top-left quarter, flattened through JPEG.
    const size_t n = 32;
    std::vector<uint8_t> bytes(n * n * 4, 255);
    for (size_t y = 0; y < n / 2; ++y)
        for (size_t x = 0; x < n / 2; ++x)
            bytes[(y * n + x) * 4 + 0] = 30, bytes[(y * n + x) * 4 + 1] = 40, bytes[(y * n + x) * 4 + 2] = 50;
    auto icon = UIImage::imageWithCGImage(imageFromRGBA(n, n, bytes), 2);
    auto flattened = UIImage::imageWithData(*UIImageJPEGRepresentation(icon, 1.0));
    ASSERT_TRUE(flattened);

    CGSize size = flattened->size();
    UIGraphicsBeginImageContextWithOptions(size, false, 1.0);
    const CGFloat nearWhite[6] = { 222, 255, 222, 255, 222, 255 };
    CGImageRef masked = CGImageCreateWithMaskingColors(flattened->CGImage(), nearWhite);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextTranslateCTM(c, 0, size.height);
    CGContextScaleCTM(c, 1, -1);
    CGContextDrawImage(c, CGRectMake(0, 0, size.width, size.height), masked);
    Ref<UIImage> layer = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();

    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->size(), CGSizeMake(32, 32));
    RGBA mark = pixelAt(layer->CGImage(), 4, 4);
    EXPECT_EQ(mark.a, 255);
    EXPECT_NEAR(mark.r, 30, 6);
    EXPECT_EQ(pixelAt(layer->CGImage(), 4, 27).a, 0);
    EXPECT_EQ(pixelAt(layer->CGImage(), 27, 4).a, 0);
    EXPECT_EQ(pixelAt(layer->CGImage(), 27, 27).a, 0);
}
