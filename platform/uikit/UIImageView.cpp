#include "platform/uikit/UIImageView.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include <algorithm>

using objc::Ref;

Ref<UIImageView> UIImageView::createWithImage(UIImage* image)
{
    auto view = objc::make<UIImageView>();
    uikit::sel::initWithImage(view, image);
    return view;
}

Ref<UIImageView> UIImageView::create(CGRect frame)
{
    auto view = objc::make<UIImageView>();
    uikit::sel::initWithFrame(view, frame);
    return view;
}

void UIImageView::setImage(UIImage* image) { uikit::sel::setImage(this, image); }

CGRect UIImageView::imageRectForContentMode(UIViewContentMode mode, CGSize size, CGRect b)
{
    CGFloat w = b.size.width, h = b.size.height;
    switch (mode) {
    case UIViewContentModeScaleAspectFit:
    case UIViewContentModeScaleAspectFill: {
        if (size.width <= 0 || size.height <= 0)
            return b;
        CGFloat sx = w / size.width, sy = h / size.height;
        CGFloat s = mode == UIViewContentModeScaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
        CGSize fitted = CGSizeMake(size.width * s, size.height * s);
        return CGRectMake(b.origin.x + (w - fitted.width) / 2, b.origin.y + (h - fitted.height) / 2, fitted.width, fitted.height);
    }
    case UIViewContentModeCenter:
        return CGRectMake(b.origin.x + (w - size.width) / 2, b.origin.y + (h - size.height) / 2, size.width, size.height);
    case UIViewContentModeTop:
        return CGRectMake(b.origin.x + (w - size.width) / 2, b.origin.y, size.width, size.height);
    case UIViewContentModeBottom:
        return CGRectMake(b.origin.x + (w - size.width) / 2, b.origin.y + h - size.height, size.width, size.height);
    case UIViewContentModeLeft:
        return CGRectMake(b.origin.x, b.origin.y + (h - size.height) / 2, size.width, size.height);
    case UIViewContentModeRight:
        return CGRectMake(b.origin.x + w - size.width, b.origin.y + (h - size.height) / 2, size.width, size.height);
    case UIViewContentModeTopLeft:
        return CGRectMake(b.origin.x, b.origin.y, size.width, size.height);
    case UIViewContentModeTopRight:
        return CGRectMake(b.origin.x + w - size.width, b.origin.y, size.width, size.height);
    case UIViewContentModeBottomLeft:
        return CGRectMake(b.origin.x, b.origin.y + h - size.height, size.width, size.height);
    case UIViewContentModeBottomRight:
        return CGRectMake(b.origin.x + w - size.width, b.origin.y + h - size.height, size.width, size.height);
    default:
        return b;
    }
}

namespace {

// -drawRect: the image (the highlighted one while highlighted), placed by the content mode.
void drawImage(UIImageView* self, CGRect)
{
    UIImage* image = self->isHighlighted() && self->highlightedImage() ? self->highlightedImage() : self->image();
    if (image)
        image->drawInRect(UIImageView::imageRectForContentMode(self->contentMode(), image->size(), self->bounds()));
}

} // namespace

// Registration -----------------------------------------------------------------------------------

Ref<objc::Object> UIImageView::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UIImageView>(), this, frame);
    setUserInteractionEnabled(false);
    setOpaque(false);
    return Ref<objc::Object>(this);
}

Ref<objc::Object> UIImageView::initWithImage(UIImage* image)
{
    CGSize size = image ? image->size() : CGSizeZero;
    uikit::sel::initWithFrame(this, CGRectMake(0, 0, size.width, size.height));
    m_image = image;
    return Ref<objc::Object>(this);
}

void UIImageView::storeImage(UIImage* image)
{
    m_image = image;
    setNeedsDisplay();
}

namespace {
CGSize imageSize(UIImageView* self, CGSize) { return self->image() ? self->image()->size() : CGSizeZero; }
} // namespace

void UIImageView::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIImageView>(rt, "UIView")
        .method(sel::drawRect, &drawImage)
        .method(sel::initWithFrame, &UIImageView::initWithFrame)
        .method(sel::initWithImage, &UIImageView::initWithImage)
        .method(sel::image, &UIImageView::image)
        .method(sel::setImage, &UIImageView::storeImage)
        .method(sel::sizeThatFits, &imageSize)
        .build();
}
