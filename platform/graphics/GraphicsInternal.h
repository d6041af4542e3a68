#pragma once

// Helpers shared by the graphics sources; not part of the layer's interface.

#include <cairo.h>

#include <cstddef>
#include <cstdint>

class CGImage;

namespace graphics::internal {

// A new, cleared image surface, or null when the size is zero, above kMaxImagePixels or beyond
// cairo's limits.
cairo_surface_t* createSurface(cairo_format_t format, size_t width, size_t height);
bool sizeAcceptable(size_t width, size_t height);


// Coverage (A8) of an image mask, or of a grey or colour picture used as one (its grey level is the
// alpha). A new reference; null when out of memory.
cairo_surface_t* coverageOf(CGImage* mask);

inline uint8_t premultiply(uint8_t c, uint8_t a)
{
    return static_cast<uint8_t>((c * a + 127) / 255);
}
inline uint8_t unpremultiply(uint8_t c, uint8_t a)
{
    if (a == 0)
        return 0;
    unsigned v = (c * 255u + a / 2) / a;
    return static_cast<uint8_t>(v > 255 ? 255 : v);
}
inline uint32_t packPixel(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

} // namespace graphics::internal
