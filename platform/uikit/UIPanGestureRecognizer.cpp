#include "platform/uikit/UIPanGestureRecognizer.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"

#include <cmath>

using objc::SEL;

namespace {
double nowSeconds() { return static_cast<double>(dispatch::RunLoop::main().now()) / 1e9; }
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
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesBegan:withEvent:", touches, event);
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
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesMoved:withEvent:", touches, event);
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
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesEnded:withEvent:", touches, event);
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
    objc::msgSendSuper(objc::objc_getClass(className()), this, "reset");
    m_velocity = CGPointZero;
}

void UIPanGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIPanGestureRecognizer>("UIGestureRecognizer");
    c->addMethod("touchesBegan:withEvent:", [](UIPanGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesBegan(touches, event); });
    c->addMethod("touchesMoved:withEvent:", [](UIPanGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesMoved(touches, event); });
    c->addMethod("touchesEnded:withEvent:", [](UIPanGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesEnded(touches, event); });
    c->addMethod("reset", [](UIPanGestureRecognizer* self, SEL) { self->handleReset(); });
    c->addMethod("translationInView:", [](UIPanGestureRecognizer* self, SEL, UIView* v) { return self->translationInView(v); });
    c->addMethod("setTranslation:inView:", [](UIPanGestureRecognizer* self, SEL, CGPoint t, UIView* v) { self->setTranslation(t, v); });
    c->addMethod("velocityInView:", [](UIPanGestureRecognizer* self, SEL, UIView* v) { return self->velocityInView(v); });
    c->addMethod("setMinimumNumberOfTouches:", [](UIPanGestureRecognizer* self, SEL, NSUInteger n) { self->setMinimumNumberOfTouches(n); });
    c->addMethod("setMaximumNumberOfTouches:", [](UIPanGestureRecognizer* self, SEL, NSUInteger n) { self->setMaximumNumberOfTouches(n); });
}
