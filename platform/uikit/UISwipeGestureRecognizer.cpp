#include "platform/uikit/UISwipeGestureRecognizer.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UITouch.h"

#include <cmath>

using objc::SEL;

namespace {
double nowSeconds() { return static_cast<double>(dispatch::RunLoop::main().now()) / 1e9; }
} // namespace

void UISwipeGestureRecognizer::handleTouchesBegan(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesBegan:withEvent:", touches, event);
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
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesMoved:withEvent:", touches, event);
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
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesEnded:withEvent:", touches, event);
    if (state() == UIGestureRecognizerStatePossible && m_touches.empty())
        fail();
}

void UISwipeGestureRecognizer::handleReset()
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "reset");
    m_started = false;
}

void UISwipeGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UISwipeGestureRecognizer>("UIGestureRecognizer");
    c->addMethod("touchesBegan:withEvent:", [](UISwipeGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesBegan(touches, event); });
    c->addMethod("touchesMoved:withEvent:", [](UISwipeGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesMoved(touches, event); });
    c->addMethod("touchesEnded:withEvent:", [](UISwipeGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesEnded(touches, event); });
    c->addMethod("reset", [](UISwipeGestureRecognizer* self, SEL) { self->handleReset(); });
    c->addMethod("setDirection:", [](UISwipeGestureRecognizer* self, SEL, NSUInteger d) { self->setDirection(d); });
    c->addMethod("direction", [](UISwipeGestureRecognizer* self, SEL) { return self->direction(); });
    c->addMethod("setNumberOfTouchesRequired:", [](UISwipeGestureRecognizer* self, SEL, NSUInteger n) { self->setNumberOfTouchesRequired(n); });
}
