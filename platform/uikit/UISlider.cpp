#include "platform/uikit/UISlider.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

using objc::Ref;

namespace {
constexpr CGFloat kThumbRadius = 14;
}

Ref<UISlider> UISlider::create(CGRect frame)
{
    auto view = objc::make<UISlider>();
    uikit::sel::initWithFrame(view, frame);
    return view;
}

void UISlider::setValue(float value, bool animated) { uikit::sel::setValueAnimated(this, value, animated); }

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
void drawSlider(UISlider* self, CGRect)
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

// Registration -----------------------------------------------------------------------------------

Ref<objc::Object> UISlider::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UISlider>(), this, frame);
    setOpaque(false);
    return Ref<objc::Object>(this);
}

void UISlider::setValueNotAnimated(float value) { setValue(value, false); }
void UISlider::storeValue(float value, bool) { m_value = std::clamp(value, m_min, m_max); }

bool UISlider::beginTrackingAt(UITouch* touch, UIEvent* event)
{
    m_changedWhileTracking = false;
    trackTo(touch->locationInView(this).x, event);
    return true;
}

bool UISlider::continueTrackingAt(UITouch* touch, UIEvent* event)
{
    trackTo(touch->locationInView(this).x, event);
    return true;
}

void UISlider::endTrackingAt(UITouch* touch, UIEvent* event)
{
    trackTo(touch->locationInView(this).x, event);
    if (!m_continuous && m_changedWhileTracking)
        sendActionsForControlEvents(UIControlEventValueChanged, event);
}

namespace {
CGSize sliderSize(UISlider* self, CGSize) { return CGSizeMake(self->bounds().size.width, 31); }
} // namespace

void UISlider::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UISlider>(rt, "UIControl")
        .method(sel::drawRect, &drawSlider)
        .method(sel::initWithFrame, &UISlider::initWithFrame)
        .method(sel::value, &UISlider::value)
        .method(sel::setValue, &UISlider::setValueNotAnimated)
        .method(sel::setValueAnimated, &UISlider::storeValue)
        .method(sel::setMinimumValue, &UISlider::setMinimumValue)
        .method(sel::setMaximumValue, &UISlider::setMaximumValue)
        .method(sel::minimumValue, &UISlider::minimumValue)
        .method(sel::maximumValue, &UISlider::maximumValue)
        .method(sel::setContinuous, &UISlider::setContinuous)
        .method(sel::setMinimumTrackTintColor, &UISlider::setMinimumTrackTintColor)
        .method(sel::setMaximumTrackTintColor, &UISlider::setMaximumTrackTintColor)
        .method(sel::setThumbTintColor, &UISlider::setThumbTintColor)
        .method(sel::sizeThatFits, &sliderSize)
        .method(sel::beginTrackingWithTouchWithEvent, &UISlider::beginTrackingAt)
        .method(sel::continueTrackingWithTouchWithEvent, &UISlider::continueTrackingAt)
        .method(sel::endTrackingWithTouchWithEvent, &UISlider::endTrackingAt)
        .build();
}
