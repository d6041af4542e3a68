#include "platform/uikit/UIKitPresentationContainer.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITouch.h"

using objc::Ref;
namespace sel = uikit::sel;

Ref<UIKitPresentationContainer> UIKitPresentationContainer::create(CGRect frame)
{
    auto view = objc::make<UIKitPresentationContainer>();
    sel::initWithFrame(view, frame);
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    return view;
}

void UIKitPresentationContainer::ignoreTouches(const UITouchSet&, UIEvent*) { }

void UIKitPresentationContainer::touchesEndedWithEvent(const UITouchSet& touches, UIEvent*)
{
    bool outside = false;
    for (auto& t : touches)
        outside |= t->view() == this;
    if (outside && m_outsideTap) {
        auto handler = m_outsideTap;
        handler();
    }
}

void UIKitPresentationContainer::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIKitPresentationContainer>(rt, "UIView")
        .method(sel::touchesBeganWithEvent, &UIKitPresentationContainer::ignoreTouches)
        .method(sel::touchesMovedWithEvent, &UIKitPresentationContainer::ignoreTouches)
        .method(sel::touchesCancelledWithEvent, &UIKitPresentationContainer::ignoreTouches)
        .method(sel::touchesEndedWithEvent, &UIKitPresentationContainer::touchesEndedWithEvent)
        .build();
}
