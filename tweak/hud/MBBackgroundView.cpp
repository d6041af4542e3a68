#include "tweak/hud/MBBackgroundView.h"

#include "tweak/hud/ProgressHUDInterface.h"
#include "tweak/hud/HUDSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

namespace ovrimo::hud {

using objc::Ref;

Ref<Object> MBBackgroundView::initWithFrame(CGRect frame)
{
    objc::sendSuperOrZero(uikit::sel::initWithFrame, this, frame);
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    m_style = 1;
    m_color = UIColor::colorWithWhite(0.8, 0.6);
    return Ref<Object>(this);
}

void MBBackgroundView::setStyleValue(std::int64_t style)
{
    // Only the two styles exist; anything else keeps the current one.
    if (style != 0 && style != 1) {
        objc::diagnose("MBBackgroundView: unknown style " + std::to_string(style));
        return;
    }
    m_style = style;
}

void MBBackgroundView::setColorValue(UIColor* color) { m_color = color; }

void MBBackgroundView::drawBackground(CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr)
        return;
    CGRect b = bounds();
    double radius = layer() ? layer()->cornerRadius() : 0;
    if (m_style == 1) {
        // The frost: an opaque-ish light grey under the tint, so the box reads as a plate over
        // whatever lies beneath, as the blurred platform material does.
        cairo_new_path(cr);
        uikit::addRoundedRect(cr, b, radius);
        cairo_set_source_rgba(cr, 0.92, 0.92, 0.92, 0.85);
        cairo_fill(cr);
    }
    if (m_color) {
        cairo_new_path(cr);
        uikit::addRoundedRect(cr, b, radius);
        uikit::setSourceColor(cr, m_color.ptr());
        cairo_fill(cr);
    }
}

void MBBackgroundView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<MBBackgroundView>(rt, "UIView")
        .method(uikit::sel::initWithFrame, &MBBackgroundView::initWithFrame)
        .method(setStyle, &MBBackgroundView::setStyleValue)
        .method(setColor, &MBBackgroundView::setColorValue)
        .method(uikit::sel::drawRect, &MBBackgroundView::drawBackground)
        .buildSystemClass();
}

} // namespace ovrimo::hud
