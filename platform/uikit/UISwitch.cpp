#include "platform/uikit/UISwitch.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <cmath>

using objc::Ref;

Ref<UISwitch> UISwitch::create(CGRect frame)
{
    auto view = objc::make<UISwitch>();
    uikit::sel::initWithFrame(view, frame);
    return view;
}

void UISwitch::setOn(bool on, bool animated) { uikit::sel::setOnAnimated(this, on, animated); }

namespace {

// -drawRect: the track (filled with the on tint when on) and the thumb at its end.
void drawSwitch(UISwitch* self, CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr)
        return;
    CGRect b = self->bounds();
    CGRect track = CGRectMake(b.origin.x + 0.5, b.origin.y + 0.5, 50, 30);
    uikit::addRoundedRect(cr, track, 15);
    if (self->isOn()) {
        Ref<UIColor> tint = self->onTintColor() ? Ref<UIColor>(self->onTintColor()) : UIColor::colorWithRed(0.298, 0.851, 0.392, 1);
        uikit::setSourceColor(cr, tint);
        cairo_fill(cr);
    } else {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.9, 0.9, 0.92);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    double cx = self->isOn() ? b.origin.x + 51 - 15.5 : b.origin.x + 15.5;
    cairo_arc(cr, cx, b.origin.y + 15.5, 13.5, 0, 2 * M_PI);
    uikit::setSourceColor(cr, self->thumbTintColor() ? self->thumbTintColor() : UIColor::whiteColor().ptr());
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.15);
    cairo_set_line_width(cr, 0.75);
    cairo_stroke(cr);
}

} // namespace

// Registration -----------------------------------------------------------------------------------

// The platform keeps a switch at its own size whatever frame it is given.
Ref<objc::Object> UISwitch::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UISwitch>(), this, CGRectMake(frame.origin.x, frame.origin.y, 51, 31));
    setOpaque(false);
    return Ref<objc::Object>(this);
}

void UISwitch::applyFrameAtOwnSize(CGRect frame) { uikit::sel::setFrame.sendSuper(objc::classOf<UISwitch>(), this, CGRectMake(frame.origin.x, frame.origin.y, 51, 31)); }

void UISwitch::setOnNotAnimated(bool on) { setOn(on, false); }
void UISwitch::storeOn(bool on, bool) { m_on = on; }

void UISwitch::toggleOnTap(UITouch*, UIEvent* event)
{
    if (!isTouchInside())
        return;
    setOn(!m_on, true);
    sendActionsForControlEvents(UIControlEventValueChanged, event);
}

namespace {
CGSize switchSize(UISwitch*, CGSize) { return CGSizeMake(51, 31); }
} // namespace

void UISwitch::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UISwitch>(rt, "UIControl")
        .method(sel::drawRect, &drawSwitch)
        .method(sel::initWithFrame, &UISwitch::initWithFrame)
        .method(sel::setFrame, &UISwitch::applyFrameAtOwnSize)
        .method(sel::sizeThatFits, &switchSize)
        .method(sel::isOn, &UISwitch::isOn)
        .method(sel::setOn, &UISwitch::setOnNotAnimated)
        .method(sel::setOnAnimated, &UISwitch::storeOn)
        .method(sel::setOnTintColor, &UISwitch::setOnTintColor)
        .method(sel::onTintColor, &UISwitch::onTintColor)
        .method(sel::setTintColor, &UISwitch::setTintColor)
        .method(sel::setThumbTintColor, &UISwitch::setThumbTintColor)
        .method(sel::endTrackingWithTouchWithEvent, &UISwitch::toggleOnTap)
        .build();
}
