#include "device/springboard/SBIconImageView.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;
namespace sel = springboard::sel;

Ref<objc::Object> SBIconImageView::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<SBIconImageView>(), this, frame);
    setOpaque(false);
    setUserInteractionEnabled(false);
    m_contents = UIImageView::create(CGRectMake(0, 0, frame.size.width, frame.size.height));
    addSubview(m_contents);
    return Ref<objc::Object>(this);
}

void SBIconImageView::setIcon(SBIcon* icon)
{
    m_icon = icon;
    sel::updateImageAnimated(this, false);
}

// The original: the home screen image of the icon.
Ref<UIImage> SBIconImageView::contentsImage() { return sel::getIconImage(icon(), SBIcon::FormatHome); }

void SBIconImageView::updateImageAnimated(bool)
{
    Ref<UIImage> image = sel::contentsImage(this);
    if (m_contents)
        m_contents->setImage(image);
}

Ref<UIImage> SBIconImageView::darkeningOverlayImage() { return springboard::drawIconShape(springboard::iconSideOf(this)); }

void SBIconImageView::layOutContents()
{
    if (m_contents)
        m_contents->setFrame(bounds());
}

void SBIconImageView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBIconImageView>(rt, "UIView")
        .method(uikit::sel::initWithFrame, &SBIconImageView::initWithFrame)
        .method(sel::icon, &SBIconImageView::icon)
        .method(sel::setIcon, &SBIconImageView::setIcon)
        .method(sel::contentsImage, &SBIconImageView::contentsImage)
        .method(sel::updateImageAnimated, &SBIconImageView::updateImageAnimated)
        .method(sel::displayedImage, &SBIconImageView::displayedImage)
        .method(sel::darkeningOverlayImage, &SBIconImageView::darkeningOverlayImage)
        .method(uikit::sel::layoutSubviews, &SBIconImageView::layOutContents)
        .build();
}

namespace springboard {

double iconSideOf(UIView* view)
{
    double side = view->bounds().size.width;
    return side > 0 ? side : iconImageSide(SBIcon::FormatHome);
}

} // namespace springboard
