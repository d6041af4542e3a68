#include "platform/uikit/UIActivityIndicatorView.h"

#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

namespace {
CGFloat sideFor(UIActivityIndicatorViewStyle style) { return style == UIActivityIndicatorViewStyleWhiteLarge ? 37 : 20; }
} // namespace

Ref<UIActivityIndicatorView> UIActivityIndicatorView::create(UIActivityIndicatorViewStyle style)
{
    auto view = objc::make<UIActivityIndicatorView>();
    msgSend<Ref<objc::Object>>(view, "initWithActivityIndicatorStyle:", style);
    return view;
}

void UIActivityIndicatorView::setStyle(UIActivityIndicatorViewStyle style)
{
    m_style = style;
    m_color = style == UIActivityIndicatorViewStyleGray ? UIColor::grayColor() : UIColor::whiteColor();
    CGRect f = frame();
    CGFloat side = sideFor(style);
    setFrame(CGRectMake(CGRectGetMidX(f) - side / 2, CGRectGetMidY(f) - side / 2, side, side));
}

void UIActivityIndicatorView::startAnimating()
{
    m_animating = true;
    if (m_hidesWhenStopped)
        setHidden(false);
}

void UIActivityIndicatorView::stopAnimating()
{
    m_animating = false;
    if (m_hidesWhenStopped)
        setHidden(true);
}

void UIActivityIndicatorView::setHidesWhenStopped(bool on)
{
    m_hidesWhenStopped = on;
    if (on && !m_animating)
        setHidden(true);
}

namespace {

// -drawRect: twelve spokes, fading round the circle.
void drawRect(UIActivityIndicatorView* self, SEL, CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr)
        return;
    CGRect b = self->bounds();
    double cx = CGRectGetMidX(b), cy = CGRectGetMidY(b);
    double r = std::min(b.size.width, b.size.height) / 2;
    Ref<UIColor> color = self->color() ? Ref<UIColor>(self->color()) : UIColor::whiteColor();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, std::max(2.0, r * 0.18));
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6 - M_PI / 2;
        uikit::setSourceColor(cr, color, 0.25 + 0.75 * (12 - i) / 12.0);
        cairo_move_to(cr, cx + std::cos(a) * r * 0.5, cy + std::sin(a) * r * 0.5);
        cairo_line_to(cr, cx + std::cos(a) * r * 0.95, cy + std::sin(a) * r * 0.95);
        cairo_stroke(cr);
    }
}

} // namespace

void UIActivityIndicatorView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIActivityIndicatorView>("UIView");
    c->addMethod("drawRect:", drawRect);
    c->addMethod("initWithActivityIndicatorStyle:", [](UIActivityIndicatorView* self, SEL, NSInteger style) {
        CGFloat side = sideFor(static_cast<UIActivityIndicatorViewStyle>(style));
        msgSend<Ref<objc::Object>>(self, "initWithFrame:", CGRectMake(0, 0, side, side));
        self->setStyle(static_cast<UIActivityIndicatorViewStyle>(style));
        self->setOpaque(false);
        self->setUserInteractionEnabled(false);
        self->setHidden(true);
        return Ref<objc::Object>(self);
    });
    c->addMethod("startAnimating", [](UIActivityIndicatorView* self, SEL) { self->startAnimating(); });
    c->addMethod("stopAnimating", [](UIActivityIndicatorView* self, SEL) { self->stopAnimating(); });
    c->addMethod("isAnimating", [](UIActivityIndicatorView* self, SEL) { return self->isAnimating(); });
    c->addMethod("setColor:", [](UIActivityIndicatorView* self, SEL, UIColor* color) { self->setColor(color); });
    c->addMethod("setActivityIndicatorViewStyle:", [](UIActivityIndicatorView* self, SEL, NSInteger s) { self->setStyle(static_cast<UIActivityIndicatorViewStyle>(s)); });
    c->addMethod("setHidesWhenStopped:", [](UIActivityIndicatorView* self, SEL, bool on) { self->setHidesWhenStopped(on); });
    c->addMethod("sizeThatFits:", [](UIActivityIndicatorView* self, SEL, CGSize) {
        CGFloat side = sideFor(self->style());
        return CGSizeMake(side, side);
    });
}
