#include "device/springboard/SBFluidSwitcherIconImageContainerView.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;

Ref<objc::Object> SBFluidSwitcherIconImageContainerView::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<SBFluidSwitcherIconImageContainerView>(), this, frame);
    setOpaque(false);
    m_imageView = UIImageView::create(CGRectMake(0, 0, frame.size.width, frame.size.height));
    addSubview(m_imageView);
    return Ref<objc::Object>(this);
}

void SBFluidSwitcherIconImageContainerView::setIcon(SBIcon* icon)
{
    m_icon = icon;
    springboard::sel::updateIcon(this);
    setNeedsLayout();
}

// The originals of updateIcon and layoutSubviews: the icon's home screen image in the image view.
void SBFluidSwitcherIconImageContainerView::updateIcon() { m_imageView->setImage(springboard::appIconArt(m_icon, SBIcon::FormatHome)); }

void SBFluidSwitcherIconImageContainerView::layOutImage()
{
    m_imageView->setFrame(bounds());
    m_imageView->setImage(springboard::appIconArt(m_icon, SBIcon::FormatHome));
}

void SBFluidSwitcherIconImageContainerView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBFluidSwitcherIconImageContainerView>(rt, "UIView")
        .method(uikit::sel::initWithFrame, &SBFluidSwitcherIconImageContainerView::initWithFrame)
        .method(springboard::sel::icon, &SBFluidSwitcherIconImageContainerView::icon)
        .method(springboard::sel::imageView, &SBFluidSwitcherIconImageContainerView::imageView)
        .method(springboard::sel::setIcon, &SBFluidSwitcherIconImageContainerView::setIcon)
        .method(springboard::sel::updateIcon, &SBFluidSwitcherIconImageContainerView::updateIcon)
        .method(uikit::sel::layoutSubviews, &SBFluidSwitcherIconImageContainerView::layOutImage)
        .build();
}
