#include "platform/uikit/UITapGestureRecognizer.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITouch.h"

#include <cmath>

using objc::Ref;
namespace sel = uikit::sel;

namespace {
bool movedTooFar(const UITouch* t)
{
    CGPoint a = t->windowStartLocation(), b = t->windowLocation();
    return std::hypot(b.x - a.x, b.y - a.y) > uikit::kTapSlop;
}
} // namespace

void UITapGestureRecognizer::handleTouchesBegan(const UITouchSet& touches, UIEvent* event)
{
    sel::touchesBeganWithEvent.sendSuper(objc::classOf<UITapGestureRecognizer>(), this, touches, event);
    if (state() != UIGestureRecognizerStatePossible)
        return;
    m_maxTouches = std::max<NSUInteger>(m_maxTouches, m_touches.size());
    if (m_touches.size() > m_touchesRequired)
        fail();
}

void UITapGestureRecognizer::handleTouchesMoved(const UITouchSet& touches, UIEvent* event)
{
    sel::touchesMovedWithEvent.sendSuper(objc::classOf<UITapGestureRecognizer>(), this, touches, event);
    if (state() != UIGestureRecognizerStatePossible)
        return;
    for (auto& t : touches)
        if (movedTooFar(t))
            return fail();
}

void UITapGestureRecognizer::handleTouchesEnded(const UITouchSet& touches, UIEvent* event)
{
    sel::touchesEndedWithEvent.sendSuper(objc::classOf<UITapGestureRecognizer>(), this, touches, event);
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
    sel::reset.sendSuper(objc::classOf<UITapGestureRecognizer>(), this);
    m_taps = 0;
    m_maxTouches = 0;
}

bool UITapGestureRecognizer::waitsForNextTap() const { return state() == UIGestureRecognizerStatePossible && m_taps > 0 && m_taps < m_tapsRequired; }

void UITapGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UITapGestureRecognizer>(rt, "UIGestureRecognizer")
        .method(sel::touchesBeganWithEvent, &UITapGestureRecognizer::handleTouchesBegan)
        .method(sel::touchesMovedWithEvent, &UITapGestureRecognizer::handleTouchesMoved)
        .method(sel::touchesEndedWithEvent, &UITapGestureRecognizer::handleTouchesEnded)
        .method(sel::reset, &UITapGestureRecognizer::handleReset)
        .method(sel::_isWaitingForNextSequence, &UITapGestureRecognizer::waitsForNextTap)
        .method(sel::setNumberOfTapsRequired, &UITapGestureRecognizer::setNumberOfTapsRequired)
        .method(sel::numberOfTapsRequired, &UITapGestureRecognizer::numberOfTapsRequired)
        .method(sel::setNumberOfTouchesRequired, &UITapGestureRecognizer::setNumberOfTouchesRequired)
        .method(sel::numberOfTouchesRequired, &UITapGestureRecognizer::numberOfTouchesRequired)
        .build();
}
