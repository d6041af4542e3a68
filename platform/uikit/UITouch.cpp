#include "platform/uikit/UITouch.h"

#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIWindow.h"

UITouch::UITouch() = default;
UITouch::~UITouch() = default;

void UITouch::addRecognizer(UIGestureRecognizer* r) { m_recognizers.emplace_back(r); }

CGPoint UITouch::locationInView(UIView* view) const
{
    return view ? view->convertPointFromView(m_location, nullptr) : m_location;
}

CGPoint UITouch::previousLocationInView(UIView* view) const
{
    return view ? view->convertPointFromView(m_previous, nullptr) : m_previous;
}

void UITouch::setView(UIView* view) { m_view = view; }
void UITouch::setWindow(UIWindow* window) { m_window = window; }

void UITouch::moveTo(CGPoint windowPoint)
{
    m_previous = m_location;
    m_location = windowPoint;
}

void UITouch::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UITouch>("NSObject");
    c->addMethod("locationInView:", [](UITouch* self, objc::SEL, UIView* view) { return self->locationInView(view); });
    c->addMethod("previousLocationInView:", [](UITouch* self, objc::SEL, UIView* view) { return self->previousLocationInView(view); });
    c->addMethod("tapCount", [](UITouch* self, objc::SEL) { return self->tapCount(); });
    c->addMethod("view", [](UITouch* self, objc::SEL) { return objc::Ref<UIView>(self->view()); });
}

void UIEvent::registerClass(objc::Runtime& rt)
{
    rt.registerClass<UIEvent>("NSObject");
}
