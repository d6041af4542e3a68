#include "tweak/hud/MBProgressHUDRoundedButton.h"

#include "tweak/hud/HUDSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

namespace ovrimo::hud {

using objc::Ref;

Ref<objc::Object> MBProgressHUDRoundedButton::initWithFrame(CGRect frame)
{
    objc::sendSuperOrZero(uikit::sel::initWithFrame, this, frame);
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    return Ref<objc::Object>(this);
}

// A one-point outline, fully rounded, in the title's colour; only while it has a title.
void MBProgressHUDRoundedButton::drawOutline(CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr || currentTitle().empty())
        return;
    CGRect b = CGRectInset(bounds(), 0.5, 0.5);
    cairo_new_path(cr);
    uikit::addRoundedRect(cr, b, b.size.height / 2);
    Ref<UIColor> color = currentTitleColor();
    uikit::setSourceColor(cr, color.ptr());
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void MBProgressHUDRoundedButton::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<MBProgressHUDRoundedButton>(rt, "UIButton")
        .method(uikit::sel::initWithFrame, &MBProgressHUDRoundedButton::initWithFrame)
        .method(uikit::sel::drawRect, &MBProgressHUDRoundedButton::drawOutline)
        .buildSystemClass();
}

} // namespace ovrimo::hud
