#include "platform/graphics/CGImage.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/GraphicsInternal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using namespace graphics::internal;

namespace graphics::internal {

bool sizeAcceptable(size_t width, size_t height)
{
    if (width == 0 || height == 0)
        return false;
    // cairo addresses pixels with int, and we refuse pictures too large to hold safely.
    if (width > 32767 || height > 32767)
        return false;
    return static_cast<double>(width) * static_cast<double>(height) <= graphics::kMaxImagePixels;
}

cairo_surface_t* createSurface(cairo_format_t format, size_t width, size_t height)
{
    if (!sizeAcceptable(width, height))
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(format, static_cast<int>(width), static_cast<int>(height));
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return surface;
}

} // namespace graphics::internal

// MARK: - Data providers

CGDataProvider::CGDataProvider(std::vector<uint8_t> bytes)
    : m_storage(std::move(bytes))
    , m_data(m_storage.data())
    , m_size(m_storage.size())
{
}

CGDataProvider::CGDataProvider(const uint8_t* data, size_t size, objc::Ref<objc::Object> owner, ReleaseCallback release)
    : m_data(data)
    , m_size(size)
    , m_owner(std::move(owner))
    , m_release(std::move(release))
{
}

CGDataProvider::~CGDataProvider()
{
    if (m_release)
        m_release();
}

CGDataProviderRef CGDataProviderCreateWithData(void* info, const void* data, size_t size, CGDataProviderReleaseDataCallback release)
{
    if (!data && size)
        return nullptr;
    CGDataProvider::ReleaseCallback callback;
    if (release)
        callback = [release, info, data, size] { release(info, data, size); };
    return CGDataProviderRef::adopt(new CGDataProvider(static_cast<const uint8_t*>(data), size, nullptr, std::move(callback)));
}

CGDataProviderRef CGDataProviderCreateWithBytes(std::vector<uint8_t> bytes)
{
    return CGDataProviderRef::adopt(new CGDataProvider(std::move(bytes)));
}

std::vector<uint8_t> CGDataProviderCopyData(const CGDataProvider* provider)
{
    if (!provider)
        return {};
    return std::vector<uint8_t>(provider->bytes(), provider->bytes() + provider->size());
}

// MARK: - CGImage

CGImage::CGImage(cairo_surface_t* surface, Kind kind, bool interpolate)
    : m_surface(surface)
    , m_kind(kind)
    , m_interpolate(interpolate)
{
    cairo_surface_flush(m_surface);
}

CGImage::~CGImage()
{
    cairo_surface_destroy(m_surface);
}

bool CGImage::hasAlpha() const
{
    return m_kind == Kind::Color && cairo_image_surface_get_format(m_surface) == CAIRO_FORMAT_ARGB32;
}

size_t CGImage::width() const
{
    return static_cast<size_t>(cairo_image_surface_get_width(m_surface));
}

size_t CGImage::height() const
{
    return static_cast<size_t>(cairo_image_surface_get_height(m_surface));
}

size_t CGImage::bytesPerRow() const
{
    if (m_kind == Kind::Color)
        return static_cast<size_t>(cairo_image_surface_get_stride(m_surface));
    return width();
}

CGColorSpaceRef CGImage::colorSpace() const
{
    switch (m_kind) {
    case Kind::Color: return CGColorSpaceCreateDeviceRGB();
    case Kind::Grey: return CGColorSpaceCreateDeviceGray();
    case Kind::Mask: return nullptr;
    }
    return nullptr;
}

CGBitmapInfo CGImage::bitmapInfo() const
{
    if (m_kind != Kind::Color)
        return kCGImageAlphaNone;
    return (hasAlpha() ? kCGImageAlphaPremultipliedFirst : kCGImageAlphaNoneSkipFirst) | kCGBitmapByteOrder32Host;
}

const uint8_t* CGImage::data() const
{
    if (m_kind == Kind::Color)
        return cairo_image_surface_get_data(m_surface);
    // Grey pictures are stored as RGB and masks as coverage; their reported bytes are one sample
    // per pixel (for masks: 0 paints, 255 blocks). Made on first request; images are immutable.
    std::call_once(m_greyOnce, [this] {
        size_t w = width(), h = height();
        int stride = cairo_image_surface_get_stride(m_surface);
        const uint8_t* base = cairo_image_surface_get_data(m_surface);
        std::vector<uint8_t> bytes(w * h);
        for (size_t y = 0; y < h; ++y) {
            const uint8_t* row = base + y * stride;
            for (size_t x = 0; x < w; ++x) {
                if (m_kind == Kind::Mask)
                    bytes[y * w + x] = 255 - row[x];
                else
                    bytes[y * w + x] = static_cast<uint8_t>((reinterpret_cast<const uint32_t*>(row)[x] >> 16) & 0xFF);
            }
        }
        m_greyBytes = std::move(bytes);
    });
    return m_greyBytes.data();
}

size_t CGImageGetWidth(const CGImage* image) { return image ? image->width() : 0; }
size_t CGImageGetHeight(const CGImage* image) { return image ? image->height() : 0; }
size_t CGImageGetBitsPerComponent(const CGImage* image) { return image ? image->bitsPerComponent() : 0; }
size_t CGImageGetBitsPerPixel(const CGImage* image) { return image ? image->bitsPerPixel() : 0; }
size_t CGImageGetBytesPerRow(const CGImage* image) { return image ? image->bytesPerRow() : 0; }
CGColorSpaceRef CGImageGetColorSpace(const CGImage* image) { return image ? image->colorSpace() : nullptr; }
CGBitmapInfo CGImageGetBitmapInfo(const CGImage* image) { return image ? image->bitmapInfo() : 0; }
CGImageAlphaInfo CGImageGetAlphaInfo(const CGImage* image)
{
    return static_cast<CGImageAlphaInfo>(CGImageGetBitmapInfo(image) & kCGBitmapAlphaInfoMask);
}
bool CGImageIsMask(const CGImage* image) { return image && image->isMask(); }
bool CGImageGetShouldInterpolate(const CGImage* image) { return image && image->shouldInterpolate(); }

CGDataProviderRef CGImageGetDataProvider(CGImage* image)
{
    if (!image)
        return nullptr;
    return CGDataProviderRef::adopt(new CGDataProvider(image->data(), image->dataSize(), objc::Ref<objc::Object>(image)));
}

namespace {

bool layoutFits(size_t width, size_t height, size_t bitsPerPixel, size_t bytesPerRow, const CGDataProvider* provider)
{
    if (!provider || !sizeAcceptable(width, height))
        return false;
    if (bytesPerRow < (width * bitsPerPixel + 7) / 8)
        return false;
    // The last row need only be as long as its pixels.
    size_t needed = bytesPerRow * (height - 1) + (width * bitsPerPixel + 7) / 8;
    return provider->size() >= needed;
}

} // namespace

CGImageRef CGImageCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel, size_t bytesPerRow,
    const CGColorSpace* space, CGBitmapInfo bitmapInfo, const CGDataProvider* provider, const CGFloat*, bool shouldInterpolate,
    CGColorRenderingIntent)
{
    if (bitsPerComponent != 8 || !space || (bitmapInfo & kCGBitmapFloatComponents))
        return nullptr;
    if (!layoutFits(width, height, bitsPerPixel, bytesPerRow, provider))
        return nullptr;
    auto alphaInfo = static_cast<CGImageAlphaInfo>(bitmapInfo & kCGBitmapAlphaInfoMask);
    uint32_t order = bitmapInfo & kCGBitmapByteOrderMask;
    const uint8_t* src = provider->bytes();
    CGColorSpaceModel model = space->model();

    if (model == kCGColorSpaceModelMonochrome && bitsPerPixel == 8 && alphaInfo == kCGImageAlphaNone) {
        cairo_surface_t* surface = createSurface(CAIRO_FORMAT_RGB24, width, height);
        if (!surface)
            return nullptr;
        uint8_t* dst = cairo_image_surface_get_data(surface);
        int stride = cairo_image_surface_get_stride(surface);
        for (size_t y = 0; y < height; ++y) {
            auto* out = reinterpret_cast<uint32_t*>(dst + y * stride);
            const uint8_t* in = src + y * bytesPerRow;
            for (size_t x = 0; x < width; ++x)
                out[x] = packPixel(255, in[x], in[x], in[x]);
        }
        cairo_surface_mark_dirty(surface);
        return CGImageRef::adopt(new CGImage(surface, CGImage::Kind::Grey, shouldInterpolate));
    }

    bool hasAlpha = alphaInfo != kCGImageAlphaNone && alphaInfo != kCGImageAlphaNoneSkipFirst && alphaInfo != kCGImageAlphaNoneSkipLast;
    bool premultiplied = alphaInfo == kCGImageAlphaPremultipliedFirst || alphaInfo == kCGImageAlphaPremultipliedLast;
    bool alphaFirst = alphaInfo == kCGImageAlphaPremultipliedFirst || alphaInfo == kCGImageAlphaFirst || alphaInfo == kCGImageAlphaNoneSkipFirst;

    int channels;
    if (model == kCGColorSpaceModelRGB && bitsPerPixel == 32 && alphaInfo != kCGImageAlphaNone && alphaInfo != kCGImageAlphaOnly)
        channels = 4;
    else if (model == kCGColorSpaceModelRGB && bitsPerPixel == 24 && alphaInfo == kCGImageAlphaNone)
        channels = 3;
    else if (model == kCGColorSpaceModelMonochrome && bitsPerPixel == 16 && hasAlpha)
        channels = 2;
    else
        return nullptr;

    cairo_surface_t* surface = createSurface(hasAlpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width, height);
    if (!surface)
        return nullptr;
    uint8_t* dst = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    bool reversed = channels == 4 && order == kCGBitmapByteOrder32Little;
    for (size_t y = 0; y < height; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(dst + y * stride);
        const uint8_t* in = src + y * bytesPerRow;
        for (size_t x = 0; x < width; ++x, in += channels) {
            uint8_t r, g, b, a = 255;
            if (channels == 4) {
                uint8_t c[4] = { in[0], in[1], in[2], in[3] };
                if (reversed)
                    std::reverse(c, c + 4);
                if (alphaFirst) {
                    a = c[0], r = c[1], g = c[2], b = c[3];
                } else {
                    r = c[0], g = c[1], b = c[2], a = c[3];
                }
            } else if (channels == 3) {
                r = in[0], g = in[1], b = in[2];
            } else {
                bool first = alphaFirst;
                r = g = b = first ? in[1] : in[0];
                a = first ? in[0] : in[1];
            }
            if (!hasAlpha)
                a = 255;
            else if (premultiplied) {
                r = std::min(r, a), g = std::min(g, a), b = std::min(b, a);
            } else {
                r = premultiply(r, a), g = premultiply(g, a), b = premultiply(b, a);
            }
            out[x] = packPixel(a, r, g, b);
        }
    }
    cairo_surface_mark_dirty(surface);
    return CGImageRef::adopt(new CGImage(surface, CGImage::Kind::Color, shouldInterpolate));
}

CGImageRef CGImageCreateCopy(CGImage* image)
{
    // Images are immutable, so the copy can share the pixels.
    return image;
}

CGImageRef CGImageMaskCreate(size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel, size_t bytesPerRow,
    const CGDataProvider* provider, const CGFloat* decode, bool shouldInterpolate)
{
    bool supportedDepth = bitsPerComponent == 1 || bitsPerComponent == 2 || bitsPerComponent == 4 || bitsPerComponent == 8;
    if (!supportedDepth || bitsPerPixel < bitsPerComponent || (bitsPerPixel != bitsPerComponent && (bitsPerComponent != 8 || bitsPerPixel % 8)))
        return nullptr;
    if (!layoutFits(width, height, bitsPerPixel, bytesPerRow, provider))
        return nullptr;
    cairo_surface_t* surface = createSurface(CAIRO_FORMAT_A8, width, height);
    if (!surface)
        return nullptr;
    bool invert = decode && decode[0] > decode[1];
    // Pixels of one of our own colour pictures are read as their grey level over white.
    auto* sourceImage = dynamic_cast<CGImage*>(provider->owner());
    bool nativeColor = bitsPerPixel == 32 && sourceImage && sourceImage->kind() == CGImage::Kind::Color;

    const uint8_t* src = provider->bytes();
    uint8_t* dst = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    unsigned maxSample = (1u << bitsPerComponent) - 1;
    size_t bytesPerPixel = bitsPerPixel / 8;
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* in = src + y * bytesPerRow;
        uint8_t* out = dst + y * stride;
        for (size_t x = 0; x < width; ++x) {
            unsigned sample;
            if (nativeColor) {
                uint32_t p = reinterpret_cast<const uint32_t*>(in)[x];
                unsigned a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
                if (!sourceImage->hasAlpha())
                    a = 255;
                unsigned grey = (r * 77 + g * 150 + b * 29 + 128) >> 8;
                sample = std::min(255u, grey + (255 - a));
            } else if (bitsPerComponent == 8) {
                sample = in[x * bytesPerPixel];
            } else {
                size_t bit = x * bitsPerComponent;
                sample = (in[bit / 8] >> (8 - bitsPerComponent - bit % 8)) & maxSample;
                sample = sample * 255 / maxSample;
            }
            // A sample of 0 paints fully: coverage is its complement.
            out[x] = static_cast<uint8_t>(invert ? sample : 255 - sample);
        }
    }
    cairo_surface_mark_dirty(surface);
    return CGImageRef::adopt(new CGImage(surface, CGImage::Kind::Mask, shouldInterpolate));
}

namespace graphics::internal {

cairo_surface_t* coverageOf(CGImage* mask)
{
    if (mask->isMask())
        return cairo_surface_reference(mask->surface());
    cairo_surface_t* surface = createSurface(CAIRO_FORMAT_A8, mask->width(), mask->height());
    if (!surface)
        return nullptr;
    const uint8_t* src = cairo_image_surface_get_data(mask->surface());
    int srcStride = cairo_image_surface_get_stride(mask->surface());
    uint8_t* dst = cairo_image_surface_get_data(surface);
    int dstStride = cairo_image_surface_get_stride(surface);
    for (size_t y = 0; y < mask->height(); ++y) {
        auto* in = reinterpret_cast<const uint32_t*>(src + y * srcStride);
        for (size_t x = 0; x < mask->width(); ++x) {
            uint32_t p = in[x];
            unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            unsigned grey = (r * 77 + g * 150 + b * 29 + 128) >> 8;
            // Premultiplied grey is already the grey over black, i.e. the alpha it stands for.
            dst[y * dstStride + x] = static_cast<uint8_t>(grey);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

} // namespace graphics::internal

CGImageRef CGImageCreateWithMask(CGImage* image, CGImage* mask)
{
    if (!image || !mask || image->isMask())
        return nullptr;
    cairo_surface_t* coverage = coverageOf(mask);
    if (!coverage)
        return nullptr;
    cairo_surface_t* surface = createSurface(CAIRO_FORMAT_ARGB32, image->width(), image->height());
    if (!surface) {
        cairo_surface_destroy(coverage);
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_surface(cr, image->surface(), 0, 0);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(coverage);
    if (mask->width() != image->width() || mask->height() != image->height()) {
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, double(mask->width()) / image->width(), double(mask->height()) / image->height());
        cairo_pattern_set_matrix(pattern, &m);
        cairo_pattern_set_filter(pattern, mask->shouldInterpolate() ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    }
    cairo_mask(cr, pattern);
    cairo_pattern_destroy(pattern);
    cairo_destroy(cr);
    cairo_surface_destroy(coverage);
    cairo_surface_flush(surface);
    return CGImageRef::adopt(new CGImage(surface, CGImage::Kind::Color, image->shouldInterpolate()));
}

CGImageRef CGImageCreateWithMaskingColors(CGImage* image, const CGFloat* components)
{
    if (!image || !components || image->isMask())
        return nullptr;
    size_t w = image->width(), h = image->height();
    cairo_surface_t* surface = createSurface(CAIRO_FORMAT_ARGB32, w, h);
    if (!surface)
        return nullptr;
    bool grey = image->kind() == CGImage::Kind::Grey;
    bool alpha = image->hasAlpha();
    auto inRange = [&](int index, unsigned value) { return value >= components[2 * index] && value <= components[2 * index + 1]; };
    const uint8_t* src = cairo_image_surface_get_data(image->surface());
    int srcStride = cairo_image_surface_get_stride(image->surface());
    uint8_t* dst = cairo_image_surface_get_data(surface);
    int dstStride = cairo_image_surface_get_stride(surface);
    for (size_t y = 0; y < h; ++y) {
        auto* in = reinterpret_cast<const uint32_t*>(src + y * srcStride);
        auto* out = reinterpret_cast<uint32_t*>(dst + y * dstStride);
        for (size_t x = 0; x < w; ++x) {
            uint32_t p = in[x];
            uint8_t a = alpha ? uint8_t(p >> 24) : 255;
            uint8_t r = unpremultiply((p >> 16) & 0xFF, a), g = unpremultiply((p >> 8) & 0xFF, a), b = unpremultiply(p & 0xFF, a);
            bool masked = grey ? inRange(0, r) : inRange(0, r) && inRange(1, g) && inRange(2, b);
            out[x] = masked ? 0 : (alpha ? p : (p | 0xFF000000u));
        }
    }
    cairo_surface_mark_dirty(surface);
    return CGImageRef::adopt(new CGImage(surface, CGImage::Kind::Color, image->shouldInterpolate()));
}

CGImageRef CGImageCreateWithImageInRect(CGImage* image, CGRect rect)
{
    if (!image)
        return nullptr;
    CGRect bounds = CGRectMake(0, 0, double(image->width()), double(image->height()));
    CGRect piece = CGRectIntersection(CGRectIntegral(CGRectStandardize(rect)), bounds);
    if (CGRectIsEmpty(piece))
        return nullptr;
    auto x0 = static_cast<size_t>(piece.origin.x), y0 = static_cast<size_t>(piece.origin.y);
    auto w = static_cast<size_t>(piece.size.width), h = static_cast<size_t>(piece.size.height);
    cairo_format_t format = cairo_image_surface_get_format(image->surface());
    cairo_surface_t* surface = createSurface(format, w, h);
    if (!surface)
        return nullptr;
    size_t bytesPerPixel = format == CAIRO_FORMAT_A8 ? 1 : 4;
    const uint8_t* src = cairo_image_surface_get_data(image->surface());
    int srcStride = cairo_image_surface_get_stride(image->surface());
    uint8_t* dst = cairo_image_surface_get_data(surface);
    int dstStride = cairo_image_surface_get_stride(surface);
    for (size_t y = 0; y < h; ++y)
        std::memcpy(dst + y * dstStride, src + (y0 + y) * srcStride + x0 * bytesPerPixel, w * bytesPerPixel);
    cairo_surface_mark_dirty(surface);
    return CGImageRef::adopt(new CGImage(surface, image->kind(), image->shouldInterpolate()));
}
