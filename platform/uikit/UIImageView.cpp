#include "platform/uikit/UIImageView.h"

#include <algorithm>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

Ref<UIImageView> UIImageView::createWithImage(UIImage* image)
{
    auto view = objc::make<UIImageView>();
    msgSend<Ref<objc::Object>>(view, "initWithImage:", image);
    return view;
}

Ref<UIImageView> UIImageView::create(CGRect frame)
{
    auto view = objc::make<UIImageView>();
    msgSend<Ref<objc::Object>>(view, "initWithFrame:", frame);
    return view;
}

void UIImageView::setImage(UIImage* image) { msgSend(this, "setImage:", image); }

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
void drawRect(UIImageView* self, SEL, CGRect)
{
    UIImage* image = self->isHighlighted() && self->highlightedImage() ? self->highlightedImage() : self->image();
    if (image)
        image->drawInRect(UIImageView::imageRectForContentMode(self->contentMode(), image->size(), self->bounds()));
}

} // namespace

void UIImageView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIImageView>("UIView");
    c->addMethod("drawRect:", drawRect);
    c->addMethod("initWithFrame:", [c](UIImageView* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->setUserInteractionEnabled(false);
        self->setOpaque(false);
        return Ref<objc::Object>(self);
    });
    c->addMethod("initWithImage:", [](UIImageView* self, SEL, UIImage* image) {
        CGSize size = image ? image->size() : CGSizeZero;
        msgSend<Ref<objc::Object>>(self, "initWithFrame:", CGRectMake(0, 0, size.width, size.height));
        self->m_image = image;
        return Ref<objc::Object>(self);
    });
    c->addMethod("image", [](UIImageView* self, SEL) { return Ref<UIImage>(self->image()); });
    c->addMethod("setImage:", [](UIImageView* self, SEL, UIImage* image) { self->m_image = image; });
    c->addMethod("sizeThatFits:", [](UIImageView* self, SEL, CGSize) { return self->image() ? self->image()->size() : CGSizeZero; });
}
