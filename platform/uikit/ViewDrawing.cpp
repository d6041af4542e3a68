#include "platform/uikit/ViewDrawing.h"

#include "platform/graphics/CairoAccess.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/TextLayout.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace uikit {

cairo_t* currentCairoContext()
{
    return graphics::cairoContext(UIGraphicsGetCurrentContext());
}

void setSourceColor(cairo_t* cr, const UIColor* color, double alpha)
{
    if (!color) {
        cairo_set_source_rgba(cr, 0, 0, 0, alpha);
        return;
    }
    cairo_set_source_rgba(cr, color->red(), color->green(), color->blue(), color->alpha() * alpha);
}

void setSourceColor(cairo_t* cr, const CGColor* color)
{
    CGFloat rgba[4] = { 0, 0, 0, 1 };
    if (color)
        color->getRGBA(rgba);
    cairo_set_source_rgba(cr, rgba[0], rgba[1], rgba[2], rgba[3]);
}

void addRoundedRect(cairo_t* cr, CGRect r, double radius)
{
    radius = std::max(0.0, std::min({ radius, r.size.width / 2, r.size.height / 2 }));
    if (radius <= 0) {
        cairo_rectangle(cr, r.origin.x, r.origin.y, r.size.width, r.size.height);
        return;
    }
    double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void drawTextInRect(cairo_t* cr, const std::string& text, const UIFont* font, const UIColor* color, CGRect rect,
    NSTextAlignment alignment, NSInteger numberOfLines, NSLineBreakMode lineBreakMode)
{
    setSourceColor(cr, color);
    TextStyle style { font, alignment, numberOfLines, lineBreakMode };
    drawText(cr, text, style, rect);
}

} // namespace uikit
