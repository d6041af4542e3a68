#pragma once

#include "platform/uikit/UIControl.h"

// An on/off switch, always 51 × 31 points. A tap toggles it and sends value-changed.
class UISwitch : public UIControl {
    OBJC_CLASS(UISwitch)
public:
    static objc::Ref<UISwitch> create(CGRect frame = CGRectZero);

    bool isOn() const { return m_on; }
    void setOn(bool on, bool animated = false);
    UIColor* onTintColor() const { return m_onTintColor.ptr(); }
    void setOnTintColor(UIColor* c) { m_onTintColor = c; }
    UIColor* thumbTintColor() const { return m_thumbTintColor.ptr(); }
    void setThumbTintColor(UIColor* c) { m_thumbTintColor = c; }

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void applyFrameAtOwnSize(CGRect frame);
    void setOnNotAnimated(bool on);
    void storeOn(bool on, bool animated);
    void toggleOnTap(UITouch* touch, UIEvent* event);

    bool m_on = false;
    objc::Ref<UIColor> m_onTintColor;
    objc::Ref<UIColor> m_thumbTintColor;
};
