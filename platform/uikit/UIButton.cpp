#include "platform/uikit/UIButton.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/UIKitSelectors.h"

#include <algorithm>

using objc::Ref;

namespace {

// The value for a state: the state's own, else the normal state's.
template<class Map>
auto lookup(const Map& map, NSUInteger state) -> typename Map::mapped_type
{
    if (auto it = map.find(state); it != map.end())
        return it->second;
    // Highlighted while selected falls back to selected, then normal.
    if (state & UIControlStateSelected)
        if (auto it = map.find(UIControlStateSelected); it != map.end())
            return it->second;
    if (auto it = map.find(UIControlStateNormal); it != map.end())
        return it->second;
    return {};
}

} // namespace

Ref<UIButton> UIButton::buttonWithType(UIButtonType type)
{
    return uikit::sel::buttonWithType(objc::Runtime::current().requireClass("UIButton"), type);
}

void UIButton::setTitle(const std::string& title, NSUInteger state) { uikit::sel::setTitleForState(this, title, state); }
std::string UIButton::titleForState(NSUInteger state) const { return lookup(m_titles, state); }
void UIButton::setTitleColor(UIColor* color, NSUInteger state) { uikit::sel::setTitleColorForState(this, color, state); }

Ref<UIColor> UIButton::titleColorForState(NSUInteger state) const
{
    if (auto color = lookup(m_titleColors, state))
        return color;
    if (m_type == UIButtonTypeCustom)
        return UIColor::whiteColor();
    auto tint = tintColor();
    if (state & UIControlStateDisabled)
        return UIColor::colorWithWhite(0.6, 1);
    if (state & UIControlStateHighlighted)
        return tint->colorWithAlphaComponent(0.2);
    return tint;
}

void UIButton::setImage(UIImage* image, NSUInteger state) { uikit::sel::setImageForState(this, image, state); }
UIImage* UIButton::imageForState(NSUInteger state) const { return lookup(m_images, state).ptr(); }
void UIButton::setBackgroundImage(UIImage* image, NSUInteger state) { uikit::sel::setBackgroundImageForState(this, image, state); }
UIImage* UIButton::backgroundImageForState(NSUInteger state) const { return lookup(m_backgroundImages, state).ptr(); }

void UIButton::setTitleEdgeInsets(UIEdgeInsets insets)
{
    m_titleInsets = insets;
    setNeedsLayout();
}

void UIButton::setImageEdgeInsets(UIEdgeInsets insets)
{
    m_imageInsets = insets;
    setNeedsLayout();
}

void UIButton::setContentEdgeInsets(UIEdgeInsets insets)
{
    m_contentInsets = insets;
    setNeedsLayout();
}

void UIButton::updateContent()
{
    if (!m_titleLabel)
        return;
    NSUInteger s = state();
    std::string title = titleForState(s);
    m_titleLabel->setText(title);
    m_titleLabel->setTextColor(titleColorForState(s));
    m_titleLabel->setHidden(title.empty());
    m_imageView->setImage(imageForState(s));
    m_imageView->setHidden(!imageForState(s));
    m_backgroundImageView->setImage(backgroundImageForState(s));
    m_backgroundImageView->setHidden(!backgroundImageForState(s));
    setNeedsLayout();
}

void UIButton::layoutContent()
{
    CGRect b = bounds();
    m_backgroundImageView->setFrame(b);
    CGRect content = UIEdgeInsetsInsetRect(b, m_contentInsets);
    UIImage* image = currentImage();
    CGSize imageSize = image ? image->size() : CGSizeZero;
    std::string title = currentTitle();

    // The title wraps within the width left for it; the image gives way when both do not fit.
    CGFloat titleRoom = std::max(0.0, content.size.width - m_titleInsets.left - m_titleInsets.right);
    uikit::TextStyle style { m_titleLabel->font(), m_titleLabel->textAlignment(), m_titleLabel->numberOfLines(), m_titleLabel->lineBreakMode() };
    CGSize titleSize = title.empty() ? CGSizeZero : uikit::measureText(title, style, m_titleLabel->numberOfLines() == 1 ? 0 : titleRoom);
    titleSize.width = std::min(titleSize.width, titleRoom);
    CGFloat roomForImage = std::max(0.0, content.size.width - titleSize.width - m_imageInsets.left - m_imageInsets.right);
    if (imageSize.width > roomForImage || imageSize.height > content.size.height) {
        CGFloat s = std::min(imageSize.width > 0 ? roomForImage / imageSize.width : 1.0, imageSize.height > 0 ? content.size.height / imageSize.height : 1.0);
        s = std::max(0.0, s);
        imageSize = CGSizeMake(imageSize.width * s, imageSize.height * s);
    }
    titleSize.height = std::min(titleSize.height, std::max(0.0, content.size.height - m_titleInsets.top - m_titleInsets.bottom));

    CGFloat total = imageSize.width + titleSize.width;
    CGFloat x = content.origin.x + (content.size.width - total) / 2;
    CGFloat midY = CGRectGetMidY(content);
    CGRect imageFrame = CGRectMake(x + (m_imageInsets.left - m_imageInsets.right) / 2, midY - imageSize.height / 2 + (m_imageInsets.top - m_imageInsets.bottom) / 2, imageSize.width, imageSize.height);
    CGRect titleFrame = CGRectMake(x + imageSize.width + (m_titleInsets.left - m_titleInsets.right) / 2, midY - titleSize.height / 2 + (m_titleInsets.top - m_titleInsets.bottom) / 2, titleSize.width, titleSize.height);
    m_imageView->setFrame(imageFrame);
    m_titleLabel->setFrame(titleFrame);
}

// Registration -----------------------------------------------------------------------------------

// +buttonWithType: makes a UIButton (class methods do not see their receiver).
Ref<UIButton> UIButton::newButtonWithType(NSInteger type)
{
    auto object = objc::Runtime::current().requireClass(className())->createInstance();
    Ref<UIButton> button(objc::checkedObjectCast<UIButton>(object.ptr()));
    button->m_type = static_cast<UIButtonType>(type);
    uikit::sel::initWithFrame(button, CGRectZero);
    return button;
}

Ref<objc::Object> UIButton::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UIButton>(), this, frame);
    setOpaque(false);
    m_backgroundImageView = UIImageView::create();
    m_backgroundImageView->setHidden(true);
    m_imageView = UIImageView::create();
    m_imageView->setContentMode(UIViewContentModeScaleAspectFit);
    m_imageView->setHidden(true);
    m_titleLabel = UILabel::create();
    m_titleLabel->setFont(UIFont::systemFontOfSize(15));
    m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
    m_titleLabel->setLineBreakMode(NSLineBreakByTruncatingMiddle);
    m_titleLabel->setHidden(true);
    addSubview(m_backgroundImageView);
    addSubview(m_imageView);
    addSubview(m_titleLabel);
    updateContent();
    return Ref<objc::Object>(this);
}

void UIButton::storeTitle(std::string title, NSUInteger state)
{
    m_titles[state] = std::move(title);
    updateContent();
}

namespace {

// A value for a state, or none (null) to fall back to the normal state's.
template<class Map, class Value>
void storeOrForget(Map& map, Value* value, NSUInteger state)
{
    if (value)
        map[state] = value;
    else
        map.erase(state);
}

} // namespace

void UIButton::storeTitleColor(UIColor* color, NSUInteger state)
{
    storeOrForget(m_titleColors, color, state);
    updateContent();
}

void UIButton::storeImage(UIImage* image, NSUInteger state)
{
    storeOrForget(m_images, image, state);
    updateContent();
}

void UIButton::storeBackgroundImage(UIImage* image, NSUInteger state)
{
    storeOrForget(m_backgroundImages, image, state);
    updateContent();
}

CGSize UIButton::fittingSize(CGSize)
{
    uikit::TextStyle style { m_titleLabel->font(), NSTextAlignmentCenter, 1, NSLineBreakByTruncatingMiddle };
    CGSize t = uikit::measureText(currentTitle(), style, 0);
    CGSize i = currentImage() ? currentImage()->size() : CGSizeZero;
    return CGSizeMake(t.width + i.width + m_contentInsets.left + m_contentInsets.right + m_titleInsets.left + m_titleInsets.right,
        std::max({ t.height, i.height, 30.0 }) + m_contentInsets.top + m_contentInsets.bottom);
}

void UIButton::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIButton>(rt, "UIControl")
        .method(sel::_stateDidChange, &UIButton::updateContent)
        .classMethod(sel::buttonWithType, &UIButton::newButtonWithType)
        .method(sel::initWithFrame, &UIButton::initWithFrame)
        .method(sel::buttonType, &UIButton::buttonType)
        .method(sel::setTitleForState, &UIButton::storeTitle)
        .method(sel::titleForState, &UIButton::titleForState)
        .method(sel::setTitleColorForState, &UIButton::storeTitleColor)
        .method(sel::titleColorForState, &UIButton::titleColorForState)
        .method(sel::setImageForState, &UIButton::storeImage)
        .method(sel::imageForState, &UIButton::imageForState)
        .method(sel::setBackgroundImageForState, &UIButton::storeBackgroundImage)
        .method(sel::backgroundImageForState, &UIButton::backgroundImageForState)
        .method(sel::titleLabel, &UIButton::titleLabel)
        .method(sel::imageView, &UIButton::imageView)
        .method(sel::setTitleEdgeInsets, &UIButton::setTitleEdgeInsets)
        .method(sel::setImageEdgeInsets, &UIButton::setImageEdgeInsets)
        .method(sel::setContentEdgeInsets, &UIButton::setContentEdgeInsets)
        .method(sel::layoutSubviews, &UIButton::layoutContent)
        .method(sel::sizeThatFits, &UIButton::fittingSize)
        .build();
}
