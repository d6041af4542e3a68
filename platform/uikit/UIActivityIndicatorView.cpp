#include "platform/uikit/UIActivityIndicatorView.h"

using objc::msgSend;
using objc::Ref;
using objc::SEL;

namespace {
CGFloat sideFor(UIActivityIndicatorViewStyle style) { return style == UIActivityIndicatorViewStyleWhiteLarge ? 37 : 20; }
} // namespace

Ref<UIActivityIndicatorView> UIActivityIndicatorView::create(UIActivityIndicatorViewStyle style)
{
    auto view = objc::make<UIActivityIndicatorView>();
    msgSend<Ref<objc::Object>>(view, "initWithActivityIndicatorStyle:", style);
    return view;
}

void UIActivityIndicatorView::setStyle(UIActivityIndicatorViewStyle style)
{
    m_style = style;
    m_color = style == UIActivityIndicatorViewStyleGray ? UIColor::grayColor() : UIColor::whiteColor();
    CGRect f = frame();
    CGFloat side = sideFor(style);
    setFrame(CGRectMake(CGRectGetMidX(f) - side / 2, CGRectGetMidY(f) - side / 2, side, side));
}

void UIActivityIndicatorView::startAnimating()
{
    m_animating = true;
    if (m_hidesWhenStopped)
        setHidden(false);
}

void UIActivityIndicatorView::stopAnimating()
{
    m_animating = false;
    if (m_hidesWhenStopped)
        setHidden(true);
}

void UIActivityIndicatorView::setHidesWhenStopped(bool on)
{
    m_hidesWhenStopped = on;
    if (on && !m_animating)
        setHidden(true);
}

void UIActivityIndicatorView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIActivityIndicatorView>("UIView");
    c->addMethod("initWithActivityIndicatorStyle:", [](UIActivityIndicatorView* self, SEL, NSInteger style) {
        CGFloat side = sideFor(static_cast<UIActivityIndicatorViewStyle>(style));
        msgSend<Ref<objc::Object>>(self, "initWithFrame:", CGRectMake(0, 0, side, side));
        self->setStyle(static_cast<UIActivityIndicatorViewStyle>(style));
        self->setOpaque(false);
        self->setUserInteractionEnabled(false);
        self->setHidden(true);
        return Ref<objc::Object>(self);
    });
    c->addMethod("startAnimating", [](UIActivityIndicatorView* self, SEL) { self->startAnimating(); });
    c->addMethod("stopAnimating", [](UIActivityIndicatorView* self, SEL) { self->stopAnimating(); });
    c->addMethod("isAnimating", [](UIActivityIndicatorView* self, SEL) { return self->isAnimating(); });
    c->addMethod("setColor:", [](UIActivityIndicatorView* self, SEL, UIColor* color) { self->setColor(color); });
    c->addMethod("setActivityIndicatorViewStyle:", [](UIActivityIndicatorView* self, SEL, NSInteger s) { self->setStyle(static_cast<UIActivityIndicatorViewStyle>(s)); });
    c->addMethod("setHidesWhenStopped:", [](UIActivityIndicatorView* self, SEL, bool on) { self->setHidesWhenStopped(on); });
    c->addMethod("sizeThatFits:", [](UIActivityIndicatorView* self, SEL, CGSize) {
        CGFloat side = sideFor(self->style());
        return CGSizeMake(side, side);
    });
}
