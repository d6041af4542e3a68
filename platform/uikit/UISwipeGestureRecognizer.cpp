#include "platform/uikit/UISwipeGestureRecognizer.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITouch.h"

#include <cmath>

using uikit::nowSeconds;

namespace sel = uikit::sel;

void UISwipeGestureRecognizer::handleTouchesBegan(const UITouchSet& touches, UIEvent* event)
{
    sel::touchesBeganWithEvent.sendSuper(objc::classOf<UISwipeGestureRecognizer>(), this, touches, event);
    if (state() != UIGestureRecognizerStatePossible)
        return;
    if (m_touches.size() > m_touchesRequired)
        return fail();
    m_start = centroid();
    m_startTime = nowSeconds();
    m_started = true;
}

void UISwipeGestureRecognizer::handleTouchesMoved(const UITouchSet& touches, UIEvent* event)
{
    sel::touchesMovedWithEvent.sendSuper(objc::classOf<UISwipeGestureRecognizer>(), this, touches, event);
    if (state() != UIGestureRecognizerStatePossible || !m_started || m_touches.size() != m_touchesRequired)
        return;
    CGPoint p = centroid();
    double dx = p.x - m_start.x, dy = p.y - m_start.y;
    NSUInteger moved = 0;
    if (std::fabs(dx) >= uikit::kSwipeMinimumDistance && std::fabs(dx) > std::fabs(dy))
        moved = dx > 0 ? UISwipeGestureRecognizerDirectionRight : UISwipeGestureRecognizerDirectionLeft;
    else if (std::fabs(dy) >= uikit::kSwipeMinimumDistance && std::fabs(dy) >= std::fabs(dx))
        moved = dy > 0 ? UISwipeGestureRecognizerDirectionDown : UISwipeGestureRecognizerDirectionUp;
    if (!moved) {
        if (nowSeconds() - m_startTime > uikit::kSwipeMaximumDuration)
            fail();
        return;
    }
    if ((m_direction & moved) && nowSeconds() - m_startTime <= uikit::kSwipeMaximumDuration)
        transitionTo(UIGestureRecognizerStateEnded);
    else
        fail();
}

void UISwipeGestureRecognizer::handleTouchesEnded(const UITouchSet& touches, UIEvent* event)
{
    sel::touchesEndedWithEvent.sendSuper(objc::classOf<UISwipeGestureRecognizer>(), this, touches, event);
    if (state() == UIGestureRecognizerStatePossible && m_touches.empty())
        fail();
}

void UISwipeGestureRecognizer::handleReset()
{
    sel::reset.sendSuper(objc::classOf<UISwipeGestureRecognizer>(), this);
    m_started = false;
}

void UISwipeGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UISwipeGestureRecognizer>(rt, "UIGestureRecognizer")
        .method(sel::touchesBeganWithEvent, &UISwipeGestureRecognizer::handleTouchesBegan)
        .method(sel::touchesMovedWithEvent, &UISwipeGestureRecognizer::handleTouchesMoved)
        .method(sel::touchesEndedWithEvent, &UISwipeGestureRecognizer::handleTouchesEnded)
        .method(sel::reset, &UISwipeGestureRecognizer::handleReset)
        .method(sel::setDirection, &UISwipeGestureRecognizer::setDirection)
        .method(sel::direction, &UISwipeGestureRecognizer::direction)
        .method(sel::setNumberOfTouchesRequired, &UISwipeGestureRecognizer::setNumberOfTouchesRequired)
        .build();
}
