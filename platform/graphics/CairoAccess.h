#pragma once

// The cairo objects behind graphics handles, for layers that paint with cairo and pango
// themselves (the UIKit renderer). Nothing is copied; the returned objects stay owned by the
// handle and live as long as it does.

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"

#include <cairo.h>

namespace graphics {

// The cairo context of a canvas or bitmap context, with the context's current transform and clip
// applied (in a UIKit canvas: points, origin top left). Save and restore around your drawing
// (cairo_save/cairo_restore); the graphics state kept outside cairo (fill colour, alpha, blend
// mode, masks from CGContextClipToMask) does not apply to what you draw through it. Null for null.
cairo_t* cairoContext(CGContext* context);

// A surface with the image's pixels (ARGB32 or RGB24; A8 coverage for image masks), one unit per
// pixel. Read only: images are immutable. Null for null.
cairo_surface_t* cairoSurface(CGImage* image);

// An image of the given surface's current pixels (copied). ARGB32, RGB24 or A8 (as a mask) only.
CGImageRef imageFromCairoSurface(cairo_surface_t* surface);

} // namespace graphics
