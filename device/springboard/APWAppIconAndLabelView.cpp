#include "device/springboard/APWAppIconAndLabelView.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;

Ref<objc::Object> APWAppIconAndLabelView::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<APWAppIconAndLabelView>(), this, frame);
    setOpaque(false);
    double side = springboard::iconImageSide(SBIcon::FormatHome);
    m_iconButton = UIButton::buttonWithType(UIButtonTypeCustom);
    m_iconButton->setFrame(CGRectMake((frame.size.width - side) / 2, 0, side, side));
    addSubview(m_iconButton);
    m_label = UILabel::create(CGRectMake(0, side + 5, frame.size.width, 15));
    m_label->setFont(UIFont::systemFontOfSize(12).ptr());
    m_label->setTextColor(UIColor::whiteColor().ptr());
    m_label->setTextAlignment(NSTextAlignmentCenter);
    addSubview(m_label);
    return Ref<objc::Object>(this);
}

// The original: the app's icon on the button, its name on the label.
void APWAppIconAndLabelView::setBundleIdentifier(const std::string& bundleIdentifier)
{
    m_bundleIdentifier = bundleIdentifier;
    SBIcon* icon = springboard::iconController()->model()->iconForIdentifier(bundleIdentifier);
    m_iconButton->setImage(springboard::appIconArt(icon, SBIcon::FormatHome).ptr(), UIControlStateNormal);
    m_label->setText(icon ? springboard::iconDisplayName(icon) : std::string());
    setAccessibilityLabel(m_label->text());
}

void APWAppIconAndLabelView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<APWAppIconAndLabelView>(rt, "UIView")
        .ivar("_iconButton", &APWAppIconAndLabelView::m_iconButton)
        .method(uikit::sel::initWithFrame, &APWAppIconAndLabelView::initWithFrame)
        .method(springboard::sel::bundleIdentifier, &APWAppIconAndLabelView::bundleIdentifier)
        .method(springboard::sel::setBundleIdentifier, &APWAppIconAndLabelView::setBundleIdentifier)
        .build();
}
