#include "platform/uikit/UIPanGestureRecognizer.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"

#include <cmath>

namespace sel = uikit::sel;

using uikit::nowSeconds;

namespace {
CGPoint toView(CGPoint windowPoint, UIView* view) { return view ? view->convertPointFromView(windowPoint, nullptr) : windowPoint; }
} // namespace

CGPoint UIPanGestureRecognizer::translationInView(UIView* view) const
{
    CGPoint now = toView(centroid(), view), anchor = toView(m_anchor, view);
    return CGPointMake(now.x - anchor.x, now.y - anchor.y);
}

void UIPanGestureRecognizer::setTranslation(CGPoint translation, UIView* view)
{
    CGPoint now = toView(centroid(), view);
    CGPoint anchor = CGPointMake(now.x - translation.x, now.y - translation.y);
    m_anchor = view ? view->convertPointToView(anchor, nullptr) : anchor;
}

CGPoint UIPanGestureRecognizer::velocityInView(UIView* view) const
{
    CGPoint origin = toView(CGPointZero, view), v = toView(m_velocity, view);
    return CGPointMake(v.x - origin.x, v.y - origin.y);
}

void UIPanGestureRecognizer::handleTouchesBegan(const UITouchSet& touches, UIEvent* event)
{
    CGPoint before = centroid();
    bool hadTouches = !m_touches.empty();
    sel::touchesBeganWithEvent.sendSuper(objc::classOf<UIPanGestureRecognizer>(), this, touches, event);
    CGPoint after = centroid();
    if (!hadTouches && state() == UIGestureRecognizerStatePossible) {
        m_start = m_anchor = m_lastPoint = after;
        m_lastTime = nowSeconds();
    } else {
        // Another finger moves the centroid; the translation must not jump.
        m_anchor.x += after.x - before.x;
        m_anchor.y += after.y - before.y;
        m_start.x += after.x - before.x;
        m_start.y += after.y - before.y;
    }
    if (state() == UIGestureRecognizerStatePossible && m_touches.size() > m_maxTouches)
        fail();
}

void UIPanGestureRecognizer::handleTouchesMoved(const UITouchSet& touches, UIEvent* event)
{
    sel::touchesMovedWithEvent.sendSuper(objc::classOf<UIPanGestureRecognizer>(), this, touches, event);
    CGPoint p = centroid();
    double t = nowSeconds();
    if (t > m_lastTime)
        m_velocity = CGPointMake((p.x - m_lastPoint.x) / (t - m_lastTime), (p.y - m_lastPoint.y) / (t - m_lastTime));
    m_lastTime = t;
    m_lastPoint = p;
    if (state() == UIGestureRecognizerStatePossible) {
        if (m_touches.size() >= m_minTouches && std::hypot(p.x - m_start.x, p.y - m_start.y) > uikit::kTapSlop)
            transitionTo(UIGestureRecognizerStateBegan);
    } else if (isActive()) {
        transitionTo(UIGestureRecognizerStateChanged);
    }
}

void UIPanGestureRecognizer::handleTouchesEnded(const UITouchSet& touches, UIEvent* event)
{
    CGPoint before = centroid();
    sel::touchesEndedWithEvent.sendSuper(objc::classOf<UIPanGestureRecognizer>(), this, touches, event);
    if (!m_touches.empty()) {
        CGPoint after = centroid();
        m_anchor.x += after.x - before.x;
        m_anchor.y += after.y - before.y;
        return;
    }
    m_lastCentroid = before;
    if (isActive())
        transitionTo(UIGestureRecognizerStateEnded);
    else if (state() == UIGestureRecognizerStatePossible)
        fail();
}

void UIPanGestureRecognizer::handleReset()
{
    sel::reset.sendSuper(objc::classOf<UIPanGestureRecognizer>(), this);
    m_velocity = CGPointZero;
}

void UIPanGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIPanGestureRecognizer>(rt, "UIGestureRecognizer")
        .method(sel::touchesBeganWithEvent, &UIPanGestureRecognizer::handleTouchesBegan)
        .method(sel::touchesMovedWithEvent, &UIPanGestureRecognizer::handleTouchesMoved)
        .method(sel::touchesEndedWithEvent, &UIPanGestureRecognizer::handleTouchesEnded)
        .method(sel::reset, &UIPanGestureRecognizer::handleReset)
        .method(sel::translationInView, &UIPanGestureRecognizer::translationInView)
        .method(sel::setTranslationInView, &UIPanGestureRecognizer::setTranslation)
        .method(sel::velocityInView, &UIPanGestureRecognizer::velocityInView)
        .method(sel::setMinimumNumberOfTouches, &UIPanGestureRecognizer::setMinimumNumberOfTouches)
        .method(sel::setMaximumNumberOfTouches, &UIPanGestureRecognizer::setMaximumNumberOfTouches)
        .build();
}
