#pragma once

// The image of an icon view. Runtime methods: initWithFrame:, icon, setIcon:, contentsImage,
// updateImageAnimated:, displayedImage, darkeningOverlayImage, layoutSubviews. Every drawing
// step goes through the runtime, so a replacement of contentsImage changes what the screen shows.

#include "device/springboard/SBIcon.h"
#include "platform/uikit/UIImageView.h"

class SBIconImageView : public UIView {
    OBJC_CLASS(SBIconImageView)
public:
    SBIcon* icon() const { return m_icon.ptr(); }
    // What the view shows (the last contentsImage it fetched).
    UIImage* displayedImage() const { return m_contents ? m_contents->image() : nullptr; }
    UIImageView* contentsView() const { return m_contents.ptr(); }

    static void registerClass(objc::Runtime&);

protected:
    // The originals, also what subclasses build on.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void setIcon(SBIcon* icon);
    objc::Ref<UIImage> contentsImage();
    void updateImageAnimated(bool animated);
    objc::Ref<UIImage> darkeningOverlayImage();
    void layOutContents();

    objc::Ref<SBIcon> m_icon;
    objc::Ref<UIImageView> m_contents;
};

namespace springboard {

// The side an icon's image is drawn at in `view`: its width, or the home screen icon's side while
// the view has no size yet.
double iconSideOf(UIView* view);

} // namespace springboard
