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

void UITapGestureRecognizer::handleTouchesBegan(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesBegan:withEvent:", touches, event);
    if (state() != UIGestureRecognizerStatePossible)
        return;
    m_maxTouches = std::max<NSUInteger>(m_maxTouches, m_touches.size());
    if (m_touches.size() > m_touchesRequired)
        fail();
}

void UITapGestureRecognizer::handleTouchesMoved(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesMoved:withEvent:", touches, event);
    if (state() != UIGestureRecognizerStatePossible)
        return;
    for (auto& t : touches)
        if (movedTooFar(t))
            return fail();
}

void UITapGestureRecognizer::handleTouchesEnded(const UITouchSet& touches, UIEvent* event)
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "touchesEnded:withEvent:", touches, event);
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

void UITapGestureRecognizer::handleReset()
{
    objc::msgSendSuper(objc::objc_getClass(className()), this, "reset");
    m_taps = 0;
    m_maxTouches = 0;
}

bool UITapGestureRecognizer::waitsForNextTap() const { return state() == UIGestureRecognizerStatePossible && m_taps > 0 && m_taps < m_tapsRequired; }

void UITapGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UITapGestureRecognizer>("UIGestureRecognizer");
    c->addMethod("touchesBegan:withEvent:", [](UITapGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesBegan(touches, event); });
    c->addMethod("touchesMoved:withEvent:", [](UITapGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesMoved(touches, event); });
    c->addMethod("touchesEnded:withEvent:", [](UITapGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->handleTouchesEnded(touches, event); });
    c->addMethod("reset", [](UITapGestureRecognizer* self, SEL) { self->handleReset(); });
    c->addMethod("_isWaitingForNextSequence", [](UITapGestureRecognizer* self, SEL) { return self->waitsForNextTap(); });
    c->addMethod("setNumberOfTapsRequired:", [](UITapGestureRecognizer* self, SEL, NSUInteger n) { self->setNumberOfTapsRequired(n); });
    c->addMethod("numberOfTapsRequired", [](UITapGestureRecognizer* self, SEL) { return self->numberOfTapsRequired(); });
    c->addMethod("setNumberOfTouchesRequired:", [](UITapGestureRecognizer* self, SEL, NSUInteger n) { self->setNumberOfTouchesRequired(n); });
    c->addMethod("numberOfTouchesRequired", [](UITapGestureRecognizer* self, SEL) { return self->numberOfTouchesRequired(); });
}
