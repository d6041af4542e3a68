#pragma once

// Painting with cairo into a fresh image context, for the UIKit layers that draw pictures of
// views: the context begun, its cairo context reached, the drawing between a save and a restore,
// what was drawn taken before the context ends.

#include "platform/graphics/CairoAccess.h"
#include "platform/graphics/UIGraphics.h"

#include <cairo.h>

namespace graphics {

// `draw(context, cr)` paints; `take(context, cr)` keeps what it painted (an image, the surface)
// while the context still lives. Answers what `take` answered, or an empty one for an empty size
// or a context cairo cannot reach.
template<class Draw, class Take>
auto drawInImageContext(CGSize size, bool opaque, double scale, Draw&& draw, Take&& take) -> decltype(take(static_cast<CGContext*>(nullptr), static_cast<cairo_t*>(nullptr)))
{
    if (size.width <= 0 || size.height <= 0)
        return {};
    UIGraphicsBeginImageContextWithOptions(size, opaque, scale);
    CGContextRef context = UIGraphicsGetCurrentContext();
    cairo_t* cr = cairoContext(context);
    if (!cr) {
        UIGraphicsEndImageContext();
        return {};
    }
    cairo_save(cr);
    draw(context.ptr(), cr);
    cairo_restore(cr);
    auto kept = take(context.ptr(), cr);
    UIGraphicsEndImageContext();
    return kept;
}

} // namespace graphics
