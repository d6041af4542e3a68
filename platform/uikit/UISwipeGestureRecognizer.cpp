#include "platform/uikit/UISwipeGestureRecognizer.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UITouch.h"

#include <cmath>

using objc::SEL;

namespace {
double nowSeconds() { return static_cast<double>(dispatch::RunLoop::main().now()) / 1e9; }
} // namespace

void UISwipeGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent* event)
{
    UIGestureRecognizer::touchesBegan(touches, event);
    if (state() != UIGestureRecognizerStatePossible)
        return;
    if (m_touches.size() > m_touchesRequired)
        return fail();
    m_start = centroid();
    m_startTime = nowSeconds();
    m_started = true;
}

void UISwipeGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent* event)
{
    UIGestureRecognizer::touchesMoved(touches, event);
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

void UISwipeGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent* event)
{
    UIGestureRecognizer::touchesEnded(touches, event);
    if (state() == UIGestureRecognizerStatePossible && m_touches.empty())
        fail();
}

void UISwipeGestureRecognizer::reset()
{
    UIGestureRecognizer::reset();
    m_started = false;
}

void UISwipeGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UISwipeGestureRecognizer>("UIGestureRecognizer");
    c->addMethod("setDirection:", [](UISwipeGestureRecognizer* self, SEL, NSUInteger d) { self->setDirection(d); });
    c->addMethod("direction", [](UISwipeGestureRecognizer* self, SEL) { return self->direction(); });
    c->addMethod("setNumberOfTouchesRequired:", [](UISwipeGestureRecognizer* self, SEL, NSUInteger n) { self->setNumberOfTouchesRequired(n); });
}
