#pragma once

// The app switcher's icon on systems 9 and 10. Runtime methods: icon, setIcon:, layoutSubviews;
// ivar _imageView.

#include "device/springboard/SBIcon.h"
#include "platform/uikit/UIImageView.h"

class SBDeckSwitcherIconImageContainerView : public UIView {
    OBJC_CLASS(SBDeckSwitcherIconImageContainerView)
public:
    static void registerClass(objc::Runtime& rt);

private:
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    SBIcon* icon() const { return m_icon.ptr(); }
    void setIcon(SBIcon* icon);
    void showIconImage();

    objc::Ref<SBIcon> m_icon;
    objc::Ref<UIImageView> m_imageView;
};
