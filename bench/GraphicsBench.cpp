// The per-icon costs of the graphics layer: decoding a stored 256 × 256 PNG, redrawing it at icon
// size (60 points at scale 2) with the reference's silhouette applied, and encoding a 256 × 256 PNG.

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/graphics/UIBezierPath.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Runtime.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

using objc::Ref;

namespace {

// A picture like an icon: smooth gradients with a little grain, opaque.
CGImageRef iconLikePicture(size_t n)
{
    std::mt19937 random(11);
    std::vector<uint8_t> bytes(n * n * 4);
    for (size_t y = 0; y < n; ++y) {
        for (size_t x = 0; x < n; ++x) {
            uint8_t* p = &bytes[(y * n + x) * 4];
            p[0] = uint8_t(x * 255 / n);
            p[1] = uint8_t(y * 255 / n);
            p[2] = uint8_t(128 + 100 * std::sin(double(x + y) / 20) + random() % 8);
            p[3] = 255;
        }
    }
    return CGImageCreate(n, n, 8, 32, n * 4, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaNoneSkipLast, CGDataProviderCreateWithBytes(bytes),
        nullptr, true, kCGRenderingIntentDefault);
}

// An icon silhouette: a rounded square of 60 points at scale 2.
Ref<UIImage> roundedReference()
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(60, 60), false, 2);
    UIColor::whiteColor()->setFill();
    UIBezierPath::bezierPathWithRoundedRect(CGRectMake(0, 0, 60, 60), 13)->fill();
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

struct Device {
    Device() { registerGraphicsClasses(runtime); }
    objc::Runtime runtime;
};

Ref<UIImage> redraw(UIImage* image, CGSize size)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    image->drawInRect(CGRectMake(0, 0, size.width, size.height));
    Ref<UIImage> result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

// The whole shaping of a stored picture: silhouette, mask picture, body, image mask, fresh bitmap.
Ref<UIImage> shapeLike(UIImage* custom, UIImage* reference)
{
    UIGraphicsBeginImageContextWithOptions(reference->size(), false, 2.0);
    reference->drawAtPoint(CGPointZero, kCGBlendModeNormal, 1);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSetFillColorWithColor(c, UIColor::blackColor()->CGColor());
    CGContextSetBlendMode(c, kCGBlendModeSourceIn);
    CGContextFillRect(c, CGRectMake(0, 0, reference->size().width, reference->size().height));
    Ref<UIImage> silhouette = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();

    UIGraphicsBeginImageContextWithOptions(silhouette->size(), false, 1.0);
    UIColor::whiteColor()->setFill();
    UIRectFill(CGRectMake(0, 0, silhouette->size().width, silhouette->size().height));
    Ref<UIImage> backdrop = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();

    UIGraphicsBeginImageContextWithOptions(backdrop->size(), false, 0);
    CGRect all = CGRectMake(0, 0, backdrop->size().width, backdrop->size().height);
    backdrop->drawInRect(all);
    silhouette->drawInRect(all);
    Ref<UIImage> maskPicture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();

    Ref<UIImage> body = redraw(custom, reference->size());
    CGImageRef m = maskPicture->CGImage();
    CGImageRef mask = CGImageMaskCreate(CGImageGetWidth(m), CGImageGetHeight(m), 8, CGImageGetBitsPerPixel(m), CGImageGetBytesPerRow(m),
        CGImageGetDataProvider(m), nullptr, false);
    CGImageRef masked = CGImageCreateWithMask(body->CGImage(), mask);
    CGContextRef bitmap = CGBitmapContextCreate(nullptr, CGImageGetWidth(masked), CGImageGetHeight(masked), 8, CGImageGetBytesPerRow(masked),
        CGImageGetColorSpace(masked), CGImageGetBitmapInfo(masked));
    CGContextDrawImage(bitmap, CGRectMake(0, 0, CGImageGetWidth(masked), CGImageGetHeight(masked)), masked);
    return UIImage::imageWithCGImage(CGBitmapContextCreateImage(bitmap), 1.0, UIImageOrientationUp);
}

void DecodePNG256(benchmark::State& state)
{
    auto png = *graphics::encodePNG(iconLikePicture(256));
    for (auto _ : state)
        benchmark::DoNotOptimize(graphics::decodePNG(png.data(), png.size()));
    state.counters["bytes"] = double(png.size());
}
BENCHMARK(DecodePNG256)->Unit(benchmark::kMicrosecond);

void EncodePNG256(benchmark::State& state)
{
    CGImageRef picture = iconLikePicture(256);
    for (auto _ : state)
        benchmark::DoNotOptimize(graphics::encodePNG(picture));
}
BENCHMARK(EncodePNG256)->Unit(benchmark::kMicrosecond);

// Stretch 256 × 256 pixels into a 60-point canvas at scale 2 (120 × 120) and apply an image mask.
void StretchTo120WithMask(benchmark::State& state)
{
    Device device;
    auto picture = UIImage::imageWithCGImage(iconLikePicture(256), 1);
    Ref<UIImage> reference = roundedReference();
    CGImageRef r = reference->CGImage();
    // The silhouette as an image mask (alpha to "black lets through").
    std::vector<uint8_t> samples(120 * 120);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = uint8_t(255 - (reinterpret_cast<const uint32_t*>(r->data())[i] >> 24));
    CGImageRef mask = CGImageMaskCreate(120, 120, 8, 8, 120, CGDataProviderCreateWithBytes(samples), nullptr, false);
    for (auto _ : state) {
        Ref<UIImage> body = redraw(picture, CGSizeMake(60, 60));
        benchmark::DoNotOptimize(CGImageCreateWithMask(body->CGImage(), mask));
    }
}
BENCHMARK(StretchTo120WithMask)->Unit(benchmark::kMicrosecond);

// The full shaping as the icon store does it, with every intermediate canvas.
void ShapeLikeReference(benchmark::State& state)
{
    Device device;
    auto picture = UIImage::imageWithCGImage(iconLikePicture(256), 1);
    Ref<UIImage> reference = roundedReference();
    for (auto _ : state)
        benchmark::DoNotOptimize(shapeLike(picture, reference));
}
BENCHMARK(ShapeLikeReference)->Unit(benchmark::kMicrosecond);

// One icon draw end to end: decode the stored PNG, shape it.
void IconDraw(benchmark::State& state)
{
    Device device;
    auto png = *graphics::encodePNG(iconLikePicture(256));
    Ref<UIImage> reference = roundedReference();
    for (auto _ : state) {
        auto picture = UIImage::imageWithData(png);
        benchmark::DoNotOptimize(shapeLike(picture, reference));
    }
}
BENCHMARK(IconDraw)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
