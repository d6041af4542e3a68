#include "platform/uikit/UILongPressGestureRecognizer.h"

#include "platform/uikit/UITouch.h"

#include <cmath>

using objc::SEL;

void UILongPressGestureRecognizer::handleTouchesBegan(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesBegan:withEvent:", touches, event);
    if (state() != UIGestureRecognizerStatePossible)
        return;
    if (m_touches.size() > m_touchesRequired)
        return fail();
    if (m_touches.size() != m_touchesRequired)
        return;
    m_start = centroid();
    after(m_minimumPressDuration, [this] {
        if (state() == UIGestureRecognizerStatePossible && m_touches.size() == m_touchesRequired)
            transitionTo(UIGestureRecognizerStateBegan);
    });
}

void UILongPressGestureRecognizer::handleTouchesMoved(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesMoved:withEvent:", touches, event);
    CGPoint p = centroid();
    if (state() == UIGestureRecognizerStatePossible) {
        if (std::hypot(p.x - m_start.x, p.y - m_start.y) > m_allowableMovement)
            fail();
    } else if (isActive()) {
        transitionTo(UIGestureRecognizerStateChanged);
    }
}

void UILongPressGestureRecognizer::handleTouchesEnded(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesEnded:withEvent:", touches, event);
    if (isActive())
        transitionTo(UIGestureRecognizerStateEnded);
    else if (state() == UIGestureRecognizerStatePossible)
        fail();
}

void UILongPressGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UILongPressGestureRecognizer>("UIGestureRecognizer");
    c->addMethod("touchesBegan:withEvent:", [](UILongPressGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesBegan(touches, event); });
    c->addMethod("touchesMoved:withEvent:", [](UILongPressGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesMoved(touches, event); });
    c->addMethod("touchesEnded:withEvent:", [](UILongPressGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesEnded(touches, event); });
    c->addMethod("setMinimumPressDuration:", [](UILongPressGestureRecognizer* self, SEL, double d) { self->setMinimumPressDuration(d); });
    c->addMethod("minimumPressDuration", [](UILongPressGestureRecognizer* self, SEL) { return self->minimumPressDuration(); });
    c->addMethod("setAllowableMovement:", [](UILongPressGestureRecognizer* self, SEL, double m) { self->setAllowableMovement(m); });
    c->addMethod("setNumberOfTouchesRequired:", [](UILongPressGestureRecognizer* self, SEL, NSUInteger n) { self->setNumberOfTouchesRequired(n); });
}
