#include "platform/uikit/UITapGestureRecognizer.h"

#include "platform/uikit/UITouch.h"

#include <cmath>

using objc::Ref;
using objc::SEL;

namespace {
bool movedTooFar(const UITouch* t)
{
    CGPoint a = t->windowStartLocation(), b = t->windowLocation();
    return std::hypot(b.x - a.x, b.y - a.y) > uikit::kTapSlop;
}
} // namespace

void UITapGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent* event)
{
    UIGestureRecognizer::touchesBegan(touches, event);
    if (state() != UIGestureRecognizerStatePossible)
        return;
    m_maxTouches = std::max<NSUInteger>(m_maxTouches, m_touches.size());
    if (m_touches.size() > m_touchesRequired)
        fail();
}

void UITapGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent* event)
{
    UIGestureRecognizer::touchesMoved(touches, event);
    if (state() != UIGestureRecognizerStatePossible)
        return;
    for (auto& t : touches)
        if (movedTooFar(t))
            return fail();
}

void UITapGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent* event)
{
    UIGestureRecognizer::touchesEnded(touches, event);
    if (state() != UIGestureRecognizerStatePossible || !m_touches.empty())
        return;
    for (auto& t : touches)
        if (movedTooFar(t))
            return fail();
    if (m_maxTouches != m_touchesRequired)
        return fail();
    m_maxTouches = 0;
    if (++m_taps >= m_tapsRequired) {
        transitionTo(UIGestureRecognizerStateEnded);
        return;
    }
    // Wait for the next tap; without one in time the gesture fails.
    NSUInteger tapsSoFar = m_taps;
    after(uikit::kMultipleTapInterval, [this, tapsSoFar] {
        if (state() == UIGestureRecognizerStatePossible && m_taps == tapsSoFar && m_touches.empty())
            fail();
    });
}

void UITapGestureRecognizer::reset()
{
    UIGestureRecognizer::reset();
    m_taps = 0;
    m_maxTouches = 0;
}

bool UITapGestureRecognizer::isWaitingForNextSequence() const { return state() == UIGestureRecognizerStatePossible && m_taps > 0 && m_taps < m_tapsRequired; }

void UITapGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UITapGestureRecognizer>("UIGestureRecognizer");
    c->addMethod("setNumberOfTapsRequired:", [](UITapGestureRecognizer* self, SEL, NSUInteger n) { self->setNumberOfTapsRequired(n); });
    c->addMethod("numberOfTapsRequired", [](UITapGestureRecognizer* self, SEL) { return self->numberOfTapsRequired(); });
    c->addMethod("setNumberOfTouchesRequired:", [](UITapGestureRecognizer* self, SEL, NSUInteger n) { self->setNumberOfTouchesRequired(n); });
    c->addMethod("numberOfTouchesRequired", [](UITapGestureRecognizer* self, SEL) { return self->numberOfTouchesRequired(); });
}
