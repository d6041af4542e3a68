#pragma once

// The app switcher's icon on systems 11 and later. Runtime methods: icon, setIcon:, imageView,
// layoutSubviews, updateIcon.

#include "device/springboard/SBIcon.h"
#include "platform/uikit/UIImageView.h"

class SBFluidSwitcherIconImageContainerView : public UIView {
    OBJC_CLASS(SBFluidSwitcherIconImageContainerView)
public:
    static void registerClass(objc::Runtime& rt);

private:
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    SBIcon* icon() const { return m_icon.ptr(); }
    UIImageView* imageView() const { return m_imageView.ptr(); }
    void setIcon(SBIcon* icon);
    void updateIcon();
    void layOutImage();

    objc::Ref<SBIcon> m_icon;
    objc::Ref<UIImageView> m_imageView;
};
