#include "tests/tweak/TweakTestSupport.h"

#include <cairo.h>

namespace tweak_test {

Pixel pixelAt(UIImage* image, size_t x, size_t y)
{
    CGImage* cg = image->CGImage();
    cairo_surface_t* surface = cg->surface();
    cairo_surface_flush(surface);
    const uint8_t* row = cairo_image_surface_get_data(surface) + y * static_cast<size_t>(cairo_image_surface_get_stride(surface));
    uint32_t argb = reinterpret_cast<const uint32_t*>(row)[x];
    int a = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24 ? 255 : static_cast<int>(argb >> 24);
    auto unpremultiply = [a](uint32_t c) { return a == 0 ? 0 : static_cast<int>((c * 255 + a / 2) / a); };
    return { unpremultiply((argb >> 16) & 0xFF), unpremultiply((argb >> 8) & 0xFF), unpremultiply(argb & 0xFF), a };
}

} // namespace tweak_test
