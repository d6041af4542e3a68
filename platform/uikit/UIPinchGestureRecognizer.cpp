#include "platform/uikit/UIPinchGestureRecognizer.h"

#include "platform/uikit/UITouch.h"

#include <cmath>

using objc::SEL;

CGFloat UIPinchGestureRecognizer::distance() const
{
    if (m_touches.size() < 2)
        return m_currentDistance;
    CGPoint a = m_touches[0]->windowLocation(), b = m_touches[1]->windowLocation();
    return std::hypot(b.x - a.x, b.y - a.y);
}

CGFloat UIPinchGestureRecognizer::scale() const
{
    if (m_baseDistance <= 0)
        return m_baseScale;
    return m_baseScale * m_currentDistance / m_baseDistance;
}

void UIPinchGestureRecognizer::setScale(CGFloat scale)
{
    m_baseScale = scale;
    m_baseDistance = m_currentDistance;
}

void UIPinchGestureRecognizer::handleTouchesBegan(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesBegan:withEvent:", touches, event);
    if (m_touches.size() == 2 && state() == UIGestureRecognizerStatePossible) {
        m_initialDistance = m_baseDistance = m_currentDistance = distance();
        m_baseScale = 1;
    } else if (m_touches.size() > 2 && state() == UIGestureRecognizerStatePossible) {
        fail();
    }
}

void UIPinchGestureRecognizer::handleTouchesMoved(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesMoved:withEvent:", touches, event);
    if (m_touches.size() < 2)
        return;
    CGFloat previous = scale();
    m_currentDistance = distance();
    m_velocity = scale() - previous;
    if (state() == UIGestureRecognizerStatePossible) {
        if (std::fabs(m_currentDistance - m_initialDistance) > 4)
            transitionTo(UIGestureRecognizerStateBegan);
    } else if (isActive()) {
        transitionTo(UIGestureRecognizerStateChanged);
    }
}

void UIPinchGestureRecognizer::handleTouchesEnded(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesEnded:withEvent:", touches, event);
    if (isActive() && m_touches.size() < 2)
        transitionTo(UIGestureRecognizerStateEnded);
    else if (state() == UIGestureRecognizerStatePossible && m_touches.empty())
        fail();
}

void UIPinchGestureRecognizer::handleReset()
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "reset");
    m_initialDistance = m_baseDistance = m_currentDistance = 0;
    m_baseScale = 1;
    m_velocity = 0;
}

void UIPinchGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIPinchGestureRecognizer>("UIGestureRecognizer");
    c->addMethod("touchesBegan:withEvent:", [](UIPinchGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesBegan(touches, event); });
    c->addMethod("touchesMoved:withEvent:", [](UIPinchGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesMoved(touches, event); });
    c->addMethod("touchesEnded:withEvent:", [](UIPinchGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesEnded(touches, event); });
    c->addMethod("reset", [](UIPinchGestureRecognizer* self, SEL) { self->handleReset(); });
    c->addMethod("scale", [](UIPinchGestureRecognizer* self, SEL) { return self->scale(); });
    c->addMethod("setScale:", [](UIPinchGestureRecognizer* self, SEL, double s) { self->setScale(s); });
    c->addMethod("velocity", [](UIPinchGestureRecognizer* self, SEL) { return self->velocity(); });
}
