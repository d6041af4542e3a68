#include "platform/uikit/UIKitGlyphView.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

using objc::Ref;

Ref<UIKitGlyphView> UIKitGlyphView::create(Glyph glyph, CGRect frame)
{
    auto view = objc::make<UIKitGlyphView>();
    uikit::sel::initWithFrame(view, frame);
    view->m_glyph = glyph;
    view->setOpaque(false);
    view->setUserInteractionEnabled(false);
    return view;
}

namespace {

// -drawRect: the glyph of its kind, in its colour (else the tint) where it has one.
void drawGlyph(UIKitGlyphView* self, CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr)
        return;
    CGRect b = self->bounds();
    Ref<UIColor> color = self->color() ? Ref<UIColor>(self->color()) : self->tintColor();
    double w = b.size.width, h = b.size.height, x = b.origin.x, y = b.origin.y;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (self->glyph()) {
    case UIKitGlyphView::Glyph::Checkmark:
        uikit::setSourceColor(cr, color);
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, x + 1, y + h * 0.55);
        cairo_line_to(cr, x + w * 0.38, y + h - 1);
        cairo_line_to(cr, x + w - 1, y + 1);
        cairo_stroke(cr);
        break;
    case UIKitGlyphView::Glyph::Disclosure:
        uikit::setSourceColor(cr, color);
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, x + 1.5, y + 1.5);
        cairo_line_to(cr, x + w - 1.5, y + h / 2);
        cairo_line_to(cr, x + 1.5, y + h - 1.5);
        cairo_stroke(cr);
        break;
    case UIKitGlyphView::Glyph::Reorder:
        cairo_set_source_rgb(cr, 0.6, 0.6, 0.62);
        for (int i = -1; i <= 1; ++i)
            cairo_rectangle(cr, x + w / 2 - 9, y + h / 2 + i * 5 - 0.75, 18, 1.5);
        cairo_fill(cr);
        break;
    case UIKitGlyphView::Glyph::DeleteCircle:
    case UIKitGlyphView::Glyph::InsertCircle: {
        bool insert = self->glyph() == UIKitGlyphView::Glyph::InsertCircle;
        double r = std::min(w, h) / 2;
        cairo_arc(cr, x + w / 2, y + h / 2, r, 0, 2 * M_PI);
        if (insert)
            cairo_set_source_rgb(cr, 0.3, 0.85, 0.39);
        else
            cairo_set_source_rgb(cr, 1, 0.23, 0.19);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_rectangle(cr, x + w / 2 - r * 0.55, y + h / 2 - 1, r * 1.1, 2);
        if (insert)
            cairo_rectangle(cr, x + w / 2 - 1, y + h / 2 - r * 0.55, 2, r * 1.1);
        cairo_fill(cr);
        break;
    }
    }
}

} // namespace

void UIKitGlyphView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIKitGlyphView>(rt, "UIView").method(uikit::sel::drawRect, &drawGlyph).build();
}
