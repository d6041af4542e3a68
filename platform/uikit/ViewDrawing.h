#pragma once

// Small drawing helpers shared by the views' drawRect: methods and the renderer. A view draws in
// the current graphics context (the renderer makes its canvas current around drawRect:), in the
// view's own bounds coordinates.

#include "platform/graphics/CGGeometry.h"
#include "platform/uikit/UIKitTypes.h"

#include <string>

typedef struct _cairo cairo_t;
class CGColor;
class UIColor;
class UIFont;

namespace uikit {

// The cairo context behind the current graphics context, or null when there is none. Its source
// and path are the caller's to set; drawRect: runs between a save and a restore of the state.
// NOTE: A fill colour set with -[UIColor setFill] or CGContextSetRGBFillColor lives in the
// CGContext, not in cairo: it applies to UIRectFill and CGContext drawing, not to cairo_fill here.
cairo_t* currentCairoContext();

// Sets the source to the colour, its alpha multiplied by `alpha`; null is opaque black.
void setSourceColor(cairo_t* cr, const UIColor* color, double alpha = 1);
void setSourceColor(cairo_t* cr, const CGColor* color);

// Adds a rectangle with rounded corners to the path; the radius is limited to half the shorter side.
void addRoundedRect(cairo_t* cr, CGRect rect, double radius);

// Draws the text in `rect` in the font and colour, vertically centred as a label draws it.
void drawTextInRect(cairo_t* cr, const std::string& text, const UIFont* font, const UIColor* color, CGRect rect,
    NSTextAlignment alignment = NSTextAlignmentCenter, NSInteger numberOfLines = 1, NSLineBreakMode lineBreakMode = NSLineBreakByTruncatingTail);

} // namespace uikit
