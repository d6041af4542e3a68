#include "platform/uikit/UISwitch.h"

#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <cmath>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

Ref<UISwitch> UISwitch::create(CGRect frame)
{
    auto view = objc::make<UISwitch>();
    msgSend<Ref<objc::Object>>(view, "initWithFrame:", frame);
    return view;
}

void UISwitch::setOn(bool on, bool animated) { msgSend(this, "setOn:animated:", on, animated); }

namespace {

// -drawRect: the track (filled with the on tint when on) and the thumb at its end.
void drawRect(UISwitch* self, SEL, CGRect)
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

void UISwitch::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UISwitch>("UIControl");
    c->addMethod("drawRect:", drawRect);
    c->addMethod("initWithFrame:", [c](UISwitch* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", CGRectMake(frame.origin.x, frame.origin.y, 51, 31));
        self->setOpaque(false);
        return Ref<objc::Object>(self);
    });
    // The platform keeps a switch at its own size whatever frame it is given.
    c->addMethod("setFrame:", [c](UISwitch* self, SEL, CGRect frame) { objc::msgSendSuper(c, self, "setFrame:", CGRectMake(frame.origin.x, frame.origin.y, 51, 31)); });
    c->addMethod("sizeThatFits:", [](UISwitch*, SEL, CGSize) { return CGSizeMake(51, 31); });
    c->addMethod("isOn", [](UISwitch* self, SEL) { return self->isOn(); });
    c->addMethod("setOn:", [](UISwitch* self, SEL, bool on) { self->setOn(on, false); });
    c->addMethod("setOn:animated:", [](UISwitch* self, SEL, bool on, bool) { self->m_on = on; });
    c->addMethod("setOnTintColor:", [](UISwitch* self, SEL, UIColor* color) { self->setOnTintColor(color); });
    c->addMethod("onTintColor", [](UISwitch* self, SEL) { return Ref<UIColor>(self->onTintColor()); });
    c->addMethod("setTintColor:", [](UISwitch* self, SEL, UIColor* color) { self->setTintColor(color); });
    c->addMethod("setThumbTintColor:", [](UISwitch* self, SEL, UIColor* color) { self->setThumbTintColor(color); });
    c->addMethod("endTrackingWithTouch:withEvent:", [](UISwitch* self, SEL, UITouch*, UIEvent* event) {
        if (!self->isTouchInside())
            return;
        self->setOn(!self->m_on, true);
        self->sendActionsForControlEvents(UIControlEventValueChanged, event);
    });
}
