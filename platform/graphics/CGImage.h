#pragma once

// CGImage: an immutable bitmap. Colour pictures are kept as cairo image surfaces in cairo's
// native layout (32-bit words, premultiplied alpha in the top byte: on a little-endian machine
// the platform's kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Little), which is what
// the metadata reports. Image masks keep one coverage byte per pixel. CGImageRef is a strong
// reference; CGImageRelease/CGImageRetain are no-ops kept for platform-style code.

#include "platform/graphics/CGColor.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Object.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

using CGBitmapInfo = uint32_t;

enum CGImageAlphaInfo : uint32_t {
    kCGImageAlphaNone = 0,
    kCGImageAlphaPremultipliedLast = 1,
    kCGImageAlphaPremultipliedFirst = 2,
    kCGImageAlphaLast = 3,
    kCGImageAlphaFirst = 4,
    kCGImageAlphaNoneSkipLast = 5,
    kCGImageAlphaNoneSkipFirst = 6,
    kCGImageAlphaOnly = 7,
};

// Plain constants rather than an enumeration, so that "alpha info | byte order" is an integer.
inline constexpr CGBitmapInfo kCGBitmapAlphaInfoMask = 0x1F;
inline constexpr CGBitmapInfo kCGBitmapFloatComponents = 1u << 8;
inline constexpr CGBitmapInfo kCGBitmapByteOrderMask = 0x7000;
inline constexpr CGBitmapInfo kCGBitmapByteOrderDefault = 0;
inline constexpr CGBitmapInfo kCGBitmapByteOrder16Little = 1u << 12;
inline constexpr CGBitmapInfo kCGBitmapByteOrder32Little = 2u << 12;
inline constexpr CGBitmapInfo kCGBitmapByteOrder16Big = 3u << 12;
inline constexpr CGBitmapInfo kCGBitmapByteOrder32Big = 4u << 12;

enum CGColorRenderingIntent : int {
    kCGRenderingIntentDefault = 0,
    kCGRenderingIntentAbsoluteColorimetric,
    kCGRenderingIntentRelativeColorimetric,
    kCGRenderingIntentPerceptual,
    kCGRenderingIntentSaturation,
};

// The byte order of cairo's 32-bit pixels on this machine.
inline constexpr CGBitmapInfo kCGBitmapByteOrder32Host = std::endian::native == std::endian::little ? kCGBitmapByteOrder32Little : kCGBitmapByteOrder32Big;

// Bytes of pixel data, shared without copying when they come from an image.
class CGDataProvider final : public objc::Object {
public:
    using ReleaseCallback = std::function<void()>;
    CGDataProvider(std::vector<uint8_t> bytes);
    CGDataProvider(const uint8_t* data, size_t size, objc::Ref<objc::Object> owner, ReleaseCallback release = nullptr);
    ~CGDataProvider() override;

    const uint8_t* bytes() const { return m_data; }
    size_t size() const { return m_size; }
    // The image whose pixels these are, when the provider came from CGImageGetDataProvider.
    objc::Object* owner() const { return m_owner.ptr(); }

private:
    std::vector<uint8_t> m_storage;
    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    objc::Ref<objc::Object> m_owner;
    ReleaseCallback m_release;
};
using CGDataProviderRef = objc::Ref<CGDataProvider>;

using CGDataProviderReleaseDataCallback = void (*)(void* info, const void* data, size_t size);
// The data is used in place and must stay valid until `release` is called (it may be null).
CGDataProviderRef CGDataProviderCreateWithData(void* info, const void* data, size_t size, CGDataProviderReleaseDataCallback release);
CGDataProviderRef CGDataProviderCreateWithBytes(std::vector<uint8_t> bytes);
std::vector<uint8_t> CGDataProviderCopyData(const CGDataProvider* provider);
inline void CGDataProviderRelease(const CGDataProvider*) { }

class CGImage final : public objc::Object {
public:
    enum class Kind { Color, Grey, Mask };

    // Takes over one reference to `surface` (ARGB32 or RGB24 for colour and grey pictures, A8
    // holding coverage for masks).
    CGImage(cairo_surface_t* surface, Kind kind, bool interpolate = true);
    ~CGImage() override;

    cairo_surface_t* surface() const { return m_surface; }
    Kind kind() const { return m_kind; }
    bool isMask() const { return m_kind == Kind::Mask; }
    bool hasAlpha() const;
    size_t width() const;
    size_t height() const;
    size_t bitsPerComponent() const { return 8; }
    size_t bitsPerPixel() const { return m_kind == Kind::Color ? 32 : 8; }
    size_t bytesPerRow() const;
    CGColorSpaceRef colorSpace() const;
    CGBitmapInfo bitmapInfo() const;
    bool shouldInterpolate() const { return m_interpolate; }

    // Pixel rows in the reported layout (for colour pictures, the surface's own memory).
    const uint8_t* data() const;
    size_t dataSize() const { return bytesPerRow() * height(); }

private:
    cairo_surface_t* m_surface;
    Kind m_kind;
    bool m_interpolate;
    mutable std::once_flag m_greyOnce;
    mutable std::vector<uint8_t> m_greyBytes;
};
using CGImageRef = objc::Ref<CGImage>;

inline void CGImageRelease(const CGImage*) { }
inline CGImageRef CGImageRetain(CGImage* image) { return image; }

size_t CGImageGetWidth(const CGImage* image);
size_t CGImageGetHeight(const CGImage* image);
size_t CGImageGetBitsPerComponent(const CGImage* image);
size_t CGImageGetBitsPerPixel(const CGImage* image);
size_t CGImageGetBytesPerRow(const CGImage* image);
CGColorSpaceRef CGImageGetColorSpace(const CGImage* image);
CGBitmapInfo CGImageGetBitmapInfo(const CGImage* image);
CGImageAlphaInfo CGImageGetAlphaInfo(const CGImage* image);
bool CGImageIsMask(const CGImage* image);
bool CGImageGetShouldInterpolate(const CGImage* image);
CGDataProviderRef CGImageGetDataProvider(CGImage* image);

// A picture from raw pixels. Supported: 8 bits per component; RGB at 32 bits per pixel (any alpha
// info, either 32-bit byte order) or 24; grey at 8 bits, or 16 with alpha. Null when the layout is
// unsupported or the data is too short.
CGImageRef CGImageCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel, size_t bytesPerRow,
    const CGColorSpace* space, CGBitmapInfo bitmapInfo, const CGDataProvider* provider, const CGFloat* decode,
    bool shouldInterpolate, CGColorRenderingIntent intent);
CGImageRef CGImageCreateCopy(CGImage* image);

// An image mask: one sample per pixel, 0 (black) paints, the maximum (white) blocks, values in
// between paint in proportion. Samples of 1, 2, 4 or 8 bits; with more bits per pixel than per
// component (a colour picture's pixels) the sample is the picture's grey level composited over
// white. `decode` may swap the meaning ({1, 0}).
CGImageRef CGImageMaskCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel, size_t bytesPerRow,
    const CGDataProvider* provider, const CGFloat* decode, bool shouldInterpolate);
// `image` with its coverage multiplied by `mask`, stretched to the image's size: an image mask
// (black lets through) or a grey picture (its samples are the alpha).
CGImageRef CGImageCreateWithMask(CGImage* image, CGImage* mask);
// `image` with every pixel whose components all lie in [components[2i], components[2i+1]] (in 0…255)
// made transparent. Six values for an RGB image, two for a grey one.
CGImageRef CGImageCreateWithMaskingColors(CGImage* image, const CGFloat* components);
// The part of `image` in `rect` (pixels, origin at the top left), expanded outwards to whole
// pixels and clipped to the bitmap. Null when nothing is left.
CGImageRef CGImageCreateWithImageInRect(CGImage* image, CGRect rect);
