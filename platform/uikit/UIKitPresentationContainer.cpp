#include "platform/uikit/UIKitPresentationContainer.h"

#include "platform/uikit/UITouch.h"

using objc::Ref;
using objc::SEL;

Ref<UIKitPresentationContainer> UIKitPresentationContainer::create(CGRect frame)
{
    auto view = objc::make<UIKitPresentationContainer>();
    objc::msgSend<Ref<objc::Object>>(view, "initWithFrame:", frame);
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    return view;
}

void UIKitPresentationContainer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIKitPresentationContainer>("UIView");
    c->addMethod("touchesBegan:withEvent:", [](UIKitPresentationContainer*, SEL, const UITouchSet&, UIEvent*) { });
    c->addMethod("touchesMoved:withEvent:", [](UIKitPresentationContainer*, SEL, const UITouchSet&, UIEvent*) { });
    c->addMethod("touchesCancelled:withEvent:", [](UIKitPresentationContainer*, SEL, const UITouchSet&, UIEvent*) { });
    c->addMethod("touchesEnded:withEvent:", [](UIKitPresentationContainer* self, SEL, const UITouchSet& touches, UIEvent*) {
        bool outside = false;
        for (auto& t : touches)
            outside |= t->view() == self;
        if (outside && self->m_outsideTap) {
            auto handler = self->m_outsideTap;
            handler();
        }
    });
}
