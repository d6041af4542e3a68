#include "platform/uikit/UIPinchGestureRecognizer.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITouch.h"

#include <cmath>

namespace sel = uikit::sel;

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
    sel::touchesBeganWithEvent.sendSuper(objc::classOf<UIPinchGestureRecognizer>(), this, touches, event);
    if (m_touches.size() == 2 && state() == UIGestureRecognizerStatePossible) {
        m_initialDistance = m_baseDistance = m_currentDistance = distance();
        m_baseScale = 1;
    } else if (m_touches.size() > 2 && state() == UIGestureRecognizerStatePossible) {
        fail();
    }
}

void UIPinchGestureRecognizer::handleTouchesMoved(const UITouchSet& touches, UIEvent* event)
{
    sel::touchesMovedWithEvent.sendSuper(objc::classOf<UIPinchGestureRecognizer>(), this, touches, event);
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
    sel::touchesEndedWithEvent.sendSuper(objc::classOf<UIPinchGestureRecognizer>(), this, touches, event);
    if (isActive() && m_touches.size() < 2)
        transitionTo(UIGestureRecognizerStateEnded);
    else if (state() == UIGestureRecognizerStatePossible && m_touches.empty())
        fail();
}

void UIPinchGestureRecognizer::handleReset()
{
    sel::reset.sendSuper(objc::classOf<UIPinchGestureRecognizer>(), this);
    m_initialDistance = m_baseDistance = m_currentDistance = 0;
    m_baseScale = 1;
    m_velocity = 0;
}

void UIPinchGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIPinchGestureRecognizer>(rt, "UIGestureRecognizer")
        .method(sel::touchesBeganWithEvent, &UIPinchGestureRecognizer::handleTouchesBegan)
        .method(sel::touchesMovedWithEvent, &UIPinchGestureRecognizer::handleTouchesMoved)
        .method(sel::touchesEndedWithEvent, &UIPinchGestureRecognizer::handleTouchesEnded)
        .method(sel::reset, &UIPinchGestureRecognizer::handleReset)
        .method(sel::scale, &UIPinchGestureRecognizer::scale)
        .method(sel::setScale, &UIPinchGestureRecognizer::setScale)
        .method(sel::velocity, &UIPinchGestureRecognizer::velocity)
        .build();
}
