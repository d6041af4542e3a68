#include "platform/uikit/UILongPressGestureRecognizer.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITouch.h"

#include <cmath>

namespace sel = uikit::sel;

void UILongPressGestureRecognizer::handleTouchesBegan(const UITouchSet& touches, UIEvent* event)
{
    sel::touchesBeganWithEvent.sendSuper(objc::classOf<UILongPressGestureRecognizer>(), this, touches, event);
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
    sel::touchesMovedWithEvent.sendSuper(objc::classOf<UILongPressGestureRecognizer>(), this, touches, event);
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
    sel::touchesEndedWithEvent.sendSuper(objc::classOf<UILongPressGestureRecognizer>(), this, touches, event);
    if (isActive())
        transitionTo(UIGestureRecognizerStateEnded);
    else if (state() == UIGestureRecognizerStatePossible)
        fail();
}

void UILongPressGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UILongPressGestureRecognizer>(rt, "UIGestureRecognizer")
        .method(sel::touchesBeganWithEvent, &UILongPressGestureRecognizer::handleTouchesBegan)
        .method(sel::touchesMovedWithEvent, &UILongPressGestureRecognizer::handleTouchesMoved)
        .method(sel::touchesEndedWithEvent, &UILongPressGestureRecognizer::handleTouchesEnded)
        .method(sel::setMinimumPressDuration, &UILongPressGestureRecognizer::setMinimumPressDuration)
        .method(sel::minimumPressDuration, &UILongPressGestureRecognizer::minimumPressDuration)
        .method(sel::setAllowableMovement, &UILongPressGestureRecognizer::setAllowableMovement)
        .method(sel::setNumberOfTouchesRequired, &UILongPressGestureRecognizer::setNumberOfTouchesRequired)
        .build();
}
