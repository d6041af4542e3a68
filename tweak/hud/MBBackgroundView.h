#pragma once

// A plain or frosted rectangle: the overlay's dimming layer and its centred box. Style 0 fills
// with `color`; style 1 draws a frosted light-grey plate tinted with `color`. The layer's corner
// radius rounds both.

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIView.h"

#include <cstdint>

namespace ovrimo::hud {

class MBBackgroundView : public UIView {
    OBJC_CLASS(MBBackgroundView)
public:
    std::int64_t style() const { return m_style; }
    UIColor* color() const { return m_color.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void setStyleValue(std::int64_t style);
    void setColorValue(UIColor* color);
    void drawBackground(CGRect rect);

    std::int64_t m_style = 1;
    objc::Ref<UIColor> m_color;
};

} // namespace ovrimo::hud
