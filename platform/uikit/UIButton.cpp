#include "platform/uikit/UIButton.h"

#include "platform/uikit/TextLayout.h"

#include <algorithm>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

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
    return msgSend<Ref<UIButton>>(objc::Runtime::current().requireClass("UIButton"), "buttonWithType:", type);
}

void UIButton::setTitle(const std::string& title, NSUInteger state) { msgSend(this, "setTitle:forState:", title, state); }
std::string UIButton::titleForState(NSUInteger state) const { return lookup(m_titles, state); }
void UIButton::setTitleColor(UIColor* color, NSUInteger state) { msgSend(this, "setTitleColor:forState:", color, state); }

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

void UIButton::setImage(UIImage* image, NSUInteger state) { msgSend(this, "setImage:forState:", image, state); }
UIImage* UIButton::imageForState(NSUInteger state) const { return lookup(m_images, state).ptr(); }
void UIButton::setBackgroundImage(UIImage* image, NSUInteger state) { msgSend(this, "setBackgroundImage:forState:", image, state); }
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

void UIButton::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIButton>("UIControl");
    c->addMethod("_stateDidChange", [](UIButton* self, SEL) { self->updateContent(); });
    c->addClassMethod("buttonWithType:", [](objc::Object* cls, SEL, NSInteger type) -> Ref<UIButton> {
        auto object = static_cast<objc::Class*>(cls)->createInstance();
        Ref<UIButton> button(objc::checkedObjectCast<UIButton>(object.ptr()));
        button->m_type = static_cast<UIButtonType>(type);
        msgSend<Ref<objc::Object>>(button, "initWithFrame:", CGRectZero);
        return button;
    });
    c->addMethod("initWithFrame:", [c](UIButton* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->setOpaque(false);
        self->m_backgroundImageView = UIImageView::create();
        self->m_backgroundImageView->setHidden(true);
        self->m_imageView = UIImageView::create();
        self->m_imageView->setContentMode(UIViewContentModeScaleAspectFit);
        self->m_imageView->setHidden(true);
        self->m_titleLabel = UILabel::create();
        self->m_titleLabel->setFont(UIFont::systemFontOfSize(15));
        self->m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
        self->m_titleLabel->setLineBreakMode(NSLineBreakByTruncatingMiddle);
        self->m_titleLabel->setHidden(true);
        self->addSubview(self->m_backgroundImageView);
        self->addSubview(self->m_imageView);
        self->addSubview(self->m_titleLabel);
        self->updateContent();
        return Ref<objc::Object>(self);
    });
    c->addMethod("buttonType", [](UIButton* self, SEL) { return self->buttonType(); });
    c->addMethod("setTitle:forState:", [](UIButton* self, SEL, std::string title, NSUInteger state) {
        self->m_titles[state] = std::move(title);
        self->updateContent();
    });
    c->addMethod("titleForState:", [](UIButton* self, SEL, NSUInteger state) { return self->titleForState(state); });
    c->addMethod("setTitleColor:forState:", [](UIButton* self, SEL, UIColor* color, NSUInteger state) {
        if (color)
            self->m_titleColors[state] = color;
        else
            self->m_titleColors.erase(state);
        self->updateContent();
    });
    c->addMethod("titleColorForState:", [](UIButton* self, SEL, NSUInteger state) { return self->titleColorForState(state); });
    c->addMethod("setImage:forState:", [](UIButton* self, SEL, UIImage* image, NSUInteger state) {
        if (image)
            self->m_images[state] = image;
        else
            self->m_images.erase(state);
        self->updateContent();
    });
    c->addMethod("imageForState:", [](UIButton* self, SEL, NSUInteger state) { return Ref<UIImage>(self->imageForState(state)); });
    c->addMethod("setBackgroundImage:forState:", [](UIButton* self, SEL, UIImage* image, NSUInteger state) {
        if (image)
            self->m_backgroundImages[state] = image;
        else
            self->m_backgroundImages.erase(state);
        self->updateContent();
    });
    c->addMethod("backgroundImageForState:", [](UIButton* self, SEL, NSUInteger state) { return Ref<UIImage>(self->backgroundImageForState(state)); });
    c->addMethod("titleLabel", [](UIButton* self, SEL) { return Ref<UILabel>(self->titleLabel()); });
    c->addMethod("imageView", [](UIButton* self, SEL) { return Ref<UIImageView>(self->imageView()); });
    c->addMethod("setTitleEdgeInsets:", [](UIButton* self, SEL, UIEdgeInsets insets) { self->setTitleEdgeInsets(insets); });
    c->addMethod("setImageEdgeInsets:", [](UIButton* self, SEL, UIEdgeInsets insets) { self->setImageEdgeInsets(insets); });
    c->addMethod("setContentEdgeInsets:", [](UIButton* self, SEL, UIEdgeInsets insets) { self->setContentEdgeInsets(insets); });
    c->addMethod("layoutSubviews", [](UIButton* self, SEL) { self->layoutContent(); });
    c->addMethod("sizeThatFits:", [](UIButton* self, SEL, CGSize) {
        uikit::TextStyle style { self->m_titleLabel->font(), NSTextAlignmentCenter, 1, NSLineBreakByTruncatingMiddle };
        CGSize t = uikit::measureText(self->currentTitle(), style, 0);
        CGSize i = self->currentImage() ? self->currentImage()->size() : CGSizeZero;
        return CGSizeMake(t.width + i.width + self->m_contentInsets.left + self->m_contentInsets.right + self->m_titleInsets.left + self->m_titleInsets.right,
            std::max({ t.height, i.height, 30.0 }) + self->m_contentInsets.top + self->m_contentInsets.bottom);
    });
}
