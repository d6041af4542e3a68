#include "device/springboard/SBDeckSwitcherIconImageContainerView.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;

Ref<objc::Object> SBDeckSwitcherIconImageContainerView::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<SBDeckSwitcherIconImageContainerView>(), this, frame);
    setOpaque(false);
    m_imageView = UIImageView::create(CGRectMake(0, 0, frame.size.width, frame.size.height));
    addSubview(m_imageView);
    return Ref<objc::Object>(this);
}

void SBDeckSwitcherIconImageContainerView::setIcon(SBIcon* icon)
{
    m_icon = icon;
    setNeedsLayout();
    uikit::sel::layoutSubviews(this);
}

// The original of layoutSubviews: the icon's home screen image in the image view.
void SBDeckSwitcherIconImageContainerView::showIconImage()
{
    m_imageView->setFrame(bounds());
    m_imageView->setImage(springboard::appIconArt(m_icon, SBIcon::FormatHome));
}

void SBDeckSwitcherIconImageContainerView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBDeckSwitcherIconImageContainerView>(rt, "UIView")
        .ivar("_imageView", &SBDeckSwitcherIconImageContainerView::m_imageView)
        .method(uikit::sel::initWithFrame, &SBDeckSwitcherIconImageContainerView::initWithFrame)
        .method(springboard::sel::icon, &SBDeckSwitcherIconImageContainerView::icon)
        .method(springboard::sel::setIcon, &SBDeckSwitcherIconImageContainerView::setIcon)
        .method(uikit::sel::layoutSubviews, &SBDeckSwitcherIconImageContainerView::showIconImage)
        .build();
}
