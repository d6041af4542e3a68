#include "platform/uikit/UISlider.h"

#include "platform/uikit/UITouch.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

namespace {
constexpr CGFloat kThumbRadius = 14;
}

Ref<UISlider> UISlider::create(CGRect frame)
{
    auto view = objc::make<UISlider>();
    msgSend<Ref<objc::Object>>(view, "initWithFrame:", frame);
    return view;
}

void UISlider::setValue(float value, bool animated) { msgSend(this, "setValue:animated:", value, animated); }

void UISlider::setMinimumValue(float v)
{
    m_min = v;
    m_max = std::max(m_max, v);
    m_value = std::clamp(m_value, m_min, m_max);
}

void UISlider::setMaximumValue(float v)
{
    m_max = v;
    m_min = std::min(m_min, v);
    m_value = std::clamp(m_value, m_min, m_max);
}

CGFloat UISlider::trackStart() const { return kThumbRadius; }
CGFloat UISlider::trackEnd() const { return std::max(kThumbRadius, bounds().size.width - kThumbRadius); }

void UISlider::trackTo(CGFloat x, UIEvent* event)
{
    CGFloat span = trackEnd() - trackStart();
    float fraction = span > 0 ? static_cast<float>(std::clamp((x - trackStart()) / span, 0.0, 1.0)) : 0.f;
    float value = m_min + fraction * (m_max - m_min);
    if (value == m_value)
        return;
    m_value = value;
    m_changedWhileTracking = true;
    if (m_continuous)
        sendActionsForControlEvents(UIControlEventValueChanged, event);
}

namespace {

// -drawRect: the track, tinted up to the value, and the thumb at the value.
void drawRect(UISlider* self, SEL, CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr)
        return;
    CGRect b = self->bounds();
    double mid = b.origin.y + b.size.height / 2;
    double span = self->maximumValue() - self->minimumValue();
    double f = span > 0 ? (self->value() - self->minimumValue()) / span : 0;
    double x0 = b.origin.x + self->trackStart(), x1 = b.origin.x + self->trackEnd();
    double tx = x0 + (x1 - x0) * f;
    uikit::setSourceColor(cr, self->minimumTrackTintColor() ? Ref<UIColor>(self->minimumTrackTintColor()) : self->tintColor());
    cairo_rectangle(cr, b.origin.x + 2, mid - 1, tx - b.origin.x - 2, 2);
    cairo_fill(cr);
    if (self->maximumTrackTintColor())
        uikit::setSourceColor(cr, self->maximumTrackTintColor());
    else
        cairo_set_source_rgb(cr, 0.72, 0.72, 0.74);
    cairo_rectangle(cr, tx, mid - 1, b.origin.x + b.size.width - 2 - tx, 2);
    cairo_fill(cr);
    cairo_arc(cr, tx, mid, 13.5, 0, 2 * M_PI);
    uikit::setSourceColor(cr, self->thumbTintColor() ? self->thumbTintColor() : UIColor::whiteColor().ptr());
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.2);
    cairo_set_line_width(cr, 0.75);
    cairo_stroke(cr);
}

} // namespace

void UISlider::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UISlider>("UIControl");
    c->addMethod("drawRect:", drawRect);
    c->addMethod("initWithFrame:", [c](UISlider* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->setOpaque(false);
        return Ref<objc::Object>(self);
    });
    c->addMethod("value", [](UISlider* self, SEL) { return static_cast<double>(self->value()); });
    c->addMethod("setValue:", [](UISlider* self, SEL, double v) { self->setValue(static_cast<float>(v), false); });
    c->addMethod("setValue:animated:", [](UISlider* self, SEL, double v, bool) { self->m_value = std::clamp(static_cast<float>(v), self->m_min, self->m_max); });
    c->addMethod("setMinimumValue:", [](UISlider* self, SEL, double v) { self->setMinimumValue(static_cast<float>(v)); });
    c->addMethod("setMaximumValue:", [](UISlider* self, SEL, double v) { self->setMaximumValue(static_cast<float>(v)); });
    c->addMethod("minimumValue", [](UISlider* self, SEL) { return static_cast<double>(self->minimumValue()); });
    c->addMethod("maximumValue", [](UISlider* self, SEL) { return static_cast<double>(self->maximumValue()); });
    c->addMethod("setContinuous:", [](UISlider* self, SEL, bool on) { self->setContinuous(on); });
    c->addMethod("setMinimumTrackTintColor:", [](UISlider* self, SEL, UIColor* color) { self->setMinimumTrackTintColor(color); });
    c->addMethod("setMaximumTrackTintColor:", [](UISlider* self, SEL, UIColor* color) { self->setMaximumTrackTintColor(color); });
    c->addMethod("setThumbTintColor:", [](UISlider* self, SEL, UIColor* color) { self->setThumbTintColor(color); });
    c->addMethod("sizeThatFits:", [](UISlider* self, SEL, CGSize) { return CGSizeMake(self->bounds().size.width, 31); });
    c->addMethod("beginTrackingWithTouch:withEvent:", [](UISlider* self, SEL, UITouch* touch, UIEvent* event) {
        self->m_changedWhileTracking = false;
        self->trackTo(touch->locationInView(self).x, event);
        return true;
    });
    c->addMethod("continueTrackingWithTouch:withEvent:", [](UISlider* self, SEL, UITouch* touch, UIEvent* event) {
        self->trackTo(touch->locationInView(self).x, event);
        return true;
    });
    c->addMethod("endTrackingWithTouch:withEvent:", [](UISlider* self, SEL, UITouch* touch, UIEvent* event) {
        self->trackTo(touch->locationInView(self).x, event);
        if (!self->m_continuous && self->m_changedWhileTracking)
            self->sendActionsForControlEvents(UIControlEventValueChanged, event);
    });
}
