#pragma once

// The one pixel reader of the tests: straight (not premultiplied) 8-bit colour read from an
// image's bitmap, by pixel or by point.

#include "platform/graphics/CGImage.h"
#include "platform/graphics/CairoAccess.h"
#include "platform/graphics/UIImage.h"

#include <cairo.h>

#include <cstdint>
#include <ostream>

namespace testing_support {

struct RGBA {
    int r = 0, g = 0, b = 0, a = 0;
    bool operator==(const RGBA&) const = default;
    friend std::ostream& operator<<(std::ostream& os, const RGBA& c)
    {
        return os << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << ")";
    }
};

// The pixel at (x, y) of the bitmap, origin top left; transparent black outside it or for no
// image.
inline RGBA pixelAt(const CGImage* image, size_t x, size_t y)
{
    if (!image || x >= image->width() || y >= image->height())
        return {};
    cairo_surface_t* s = image->surface();
    cairo_surface_flush(s);
    const uint8_t* row = cairo_image_surface_get_data(s) + y * size_t(cairo_image_surface_get_stride(s));
    if (cairo_image_surface_get_format(s) == CAIRO_FORMAT_A8)
        return { 0, 0, 0, row[x] };
    uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];
    int a = cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32 ? int(p >> 24) : 255;
    auto straight = [a](int c) { return a ? (c * 255 + a / 2) / a : 0; };
    return { straight((p >> 16) & 0xFF), straight((p >> 8) & 0xFF), straight(p & 0xFF), a };
}

inline RGBA pixelAt(UIImage* image, size_t x, size_t y) { return pixelAt(image ? image->CGImage().ptr() : nullptr, x, y); }

// The pixel under a point of the image (points times the image's scale).
inline RGBA pixelAt(UIImage* image, CGPoint p)
{
    if (!image || p.x < 0 || p.y < 0)
        return {};
    double scale = image->scale();
    return pixelAt(image, static_cast<size_t>(p.x * scale), static_cast<size_t>(p.y * scale));
}

} // namespace testing_support
