#include "platform/uikit/UIActivityIndicatorView.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <limits>

using objc::Ref;

namespace {
CGFloat sideFor(UIActivityIndicatorViewStyle style) { return style == UIActivityIndicatorViewStyleWhiteLarge ? 37 : 20; }
} // namespace

Ref<UIActivityIndicatorView> UIActivityIndicatorView::create(UIActivityIndicatorViewStyle style)
{
    auto view = objc::make<UIActivityIndicatorView>();
    uikit::sel::initWithActivityIndicatorStyle(view, style);
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

namespace {
constexpr const char* kSpinKey = "spin";
} // namespace

// A turn a second, clockwise, in twelve steps: each step moves the bright spoke on by one.
void UIActivityIndicatorView::startAnimating()
{
    if (!m_animating) {
        uikit::LayerAnimation spin;
        spin.property = uikit::LayerAnimation::Property::Rotation;
        spin.from = 0;
        spin.to = 2 * M_PI;
        spin.duration = 1;
        spin.curve = uikit::TimingCurve::Linear;
        spin.repeatCount = std::numeric_limits<double>::infinity();
        spin.steps = 12;
        layer()->addAnimation(spin, kSpinKey);
    }
    m_animating = true;
    if (m_hidesWhenStopped)
        setHidden(false);
}

void UIActivityIndicatorView::stopAnimating()
{
    m_animating = false;
    layer()->removeAnimationForKey(kSpinKey);
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

// -drawRect: twelve spokes, the brightest at the top and the others fading behind it
// anticlockwise, as a clockwise turn leaves them.
void drawSpokes(UIActivityIndicatorView* self, CGRect)
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
        double a = -i * M_PI / 6 - M_PI / 2;
        uikit::setSourceColor(cr, color, 0.25 + 0.75 * (12 - i) / 12.0);
        cairo_move_to(cr, cx + std::cos(a) * r * 0.5, cy + std::sin(a) * r * 0.5);
        cairo_line_to(cr, cx + std::cos(a) * r * 0.95, cy + std::sin(a) * r * 0.95);
        cairo_stroke(cr);
    }
}

} // namespace

// Registration -----------------------------------------------------------------------------------

Ref<objc::Object> UIActivityIndicatorView::initWithActivityIndicatorStyle(NSInteger style)
{
    CGFloat side = sideFor(static_cast<UIActivityIndicatorViewStyle>(style));
    uikit::sel::initWithFrame(this, CGRectMake(0, 0, side, side));
    setStyle(static_cast<UIActivityIndicatorViewStyle>(style));
    setOpaque(false);
    setUserInteractionEnabled(false);
    setHidden(true);
    return Ref<objc::Object>(this);
}

namespace {

CGSize spinnerSize(UIActivityIndicatorView* self, CGSize)
{
    CGFloat side = sideFor(self->style());
    return CGSizeMake(side, side);
}

} // namespace

void UIActivityIndicatorView::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIActivityIndicatorView>(rt, "UIView")
        .method(sel::drawRect, &drawSpokes)
        .method(sel::initWithActivityIndicatorStyle, &UIActivityIndicatorView::initWithActivityIndicatorStyle)
        .method(sel::startAnimating, &UIActivityIndicatorView::startAnimating)
        .method(sel::stopAnimating, &UIActivityIndicatorView::stopAnimating)
        .method(sel::isAnimating, &UIActivityIndicatorView::isAnimating)
        .method(sel::setColor, &UIActivityIndicatorView::setColor)
        .method(sel::setActivityIndicatorViewStyle, &UIActivityIndicatorView::setStyle)
        .method(sel::setHidesWhenStopped, &UIActivityIndicatorView::setHidesWhenStopped)
        .method(sel::sizeThatFits, &spinnerSize)
        .build();
}
