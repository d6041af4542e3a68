#include "platform/uikit/UIGestureRecognizer.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/TouchDelivery.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"

#include <algorithm>
#include <cmath>

using objc::Ref;
using objc::SEL;
namespace sel = uikit::sel;

void UIGestureRecognizer::addTarget(objc::Object* target, SEL action)
{
    if (!action)
        return;
    for (auto& t : m_targets)
        if (t.target.ptr() == target && t.action == action)
            return;
    m_targets.push_back({ objc::WeakRef<objc::Object>(target), action });
}

void UIGestureRecognizer::removeTarget(objc::Object* target, SEL action)
{
    m_targets.erase(std::remove_if(m_targets.begin(), m_targets.end(), [&](const Target& t) { return (!target || t.target.ptr() == target) && (!action || t.action == action); }), m_targets.end());
}

bool UIGestureRecognizer::hasTarget(objc::Object* target, SEL action) const
{
    return std::any_of(m_targets.begin(), m_targets.end(), [&](const Target& t) { return t.target.ptr() == target && t.action == action; });
}

void UIGestureRecognizer::setView(UIView* view)
{
    if (m_view.ptr() == view)
        return;
    m_view = view;
    // NOTE: Attaching a recognizer to a view sends it reset, before any touch: a subclass that
    // counts resets sees one more than it has touch sequences.
    reset();
}

void UIGestureRecognizer::setEnabled(bool on)
{
    if (m_enabled == on)
        return;
    m_enabled = on;
    if (!on) {
        if (isActive())
            transitionTo(UIGestureRecognizerStateCancelled);
        else if (m_state == UIGestureRecognizerStatePossible)
            fail();
    }
}

CGPoint UIGestureRecognizer::centroid() const
{
    if (m_touches.empty())
        return m_lastCentroid;
    CGPoint sum;
    for (auto& t : m_touches) {
        sum.x += t->windowLocation().x;
        sum.y += t->windowLocation().y;
    }
    return CGPointMake(sum.x / m_touches.size(), sum.y / m_touches.size());
}

CGPoint UIGestureRecognizer::locationInView(UIView* view) const
{
    CGPoint p = centroid();
    return view ? view->convertPointFromView(p, nullptr) : p;
}

CGPoint UIGestureRecognizer::locationOfTouch(NSUInteger index, UIView* view) const
{
    if (index >= m_touches.size())
        return locationInView(view);
    CGPoint p = m_touches[index]->windowLocation();
    return view ? view->convertPointFromView(p, nullptr) : p;
}

void UIGestureRecognizer::initWithTarget(UIGestureRecognizer* recognizer, objc::Object* target, SEL action) { sel::initWithTargetAction(recognizer, target, action); }

void UIGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent* event) { sel::touchesBeganWithEvent(this, touches, event); }
void UIGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent* event) { sel::touchesMovedWithEvent(this, touches, event); }
void UIGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent* event) { sel::touchesEndedWithEvent(this, touches, event); }
void UIGestureRecognizer::touchesCancelled(const UITouchSet& touches, UIEvent* event) { sel::touchesCancelledWithEvent(this, touches, event); }
void UIGestureRecognizer::reset() { sel::reset(this); }
bool UIGestureRecognizer::isWaitingForNextSequence() { return sel::_isWaitingForNextSequence(this); }

Ref<objc::Object> UIGestureRecognizer::initWithTargetAction(objc::Object* target, SEL action)
{
    addTarget(target, action);
    return Ref<objc::Object>(this);
}

void UIGestureRecognizer::beginTouches(const UITouchSet& touches, UIEvent*)
{
    for (auto& t : touches)
        if (std::find(m_touches.begin(), m_touches.end(), t) == m_touches.end())
            m_touches.push_back(t);
    m_lastCentroid = centroid();
}

void UIGestureRecognizer::moveTouches(const UITouchSet&, UIEvent*) { m_lastCentroid = centroid(); }

void UIGestureRecognizer::endTouches(const UITouchSet& touches, UIEvent*)
{
    m_lastCentroid = centroid();
    for (auto& t : touches)
        m_touches.erase(std::remove(m_touches.begin(), m_touches.end(), t), m_touches.end());
}

void UIGestureRecognizer::cancelTouches(const UITouchSet& touches, UIEvent* event)
{
    touchesEnded(touches, event);
    if (isActive())
        transitionTo(UIGestureRecognizerStateCancelled);
    else if (m_state == UIGestureRecognizerStatePossible)
        fail();
}

void UIGestureRecognizer::resetState()
{
    m_state = UIGestureRecognizerStatePossible;
    m_touches.clear();
    ++m_generation;
}

void UIGestureRecognizer::after(double seconds, std::function<void()> block)
{
    objc::WeakRef<UIGestureRecognizer> weak(this);
    unsigned generation = m_generation;
    dispatch::RunLoop::main().post([weak, generation, block = std::move(block)] {
        Ref<UIGestureRecognizer> self = weak.strong();
        if (!self || self->m_generation != generation)
            return;
        block();
        if (uikit::state().touchesDown == 0)
            uikit::gestureArenaSettle();
    }, static_cast<dispatch::Nanoseconds>(std::llround(seconds * 1e9)));
}

void UIGestureRecognizer::sendActions()
{
    auto targets = m_targets;
    for (auto& t : targets)
        if (Ref<objc::Object> target = t.target.strong())
            uikit::performAction(target, t.action, this, nullptr);
}

bool UIGestureRecognizer::transitionTo(UIGestureRecognizerState next)
{
    Ref<UIGestureRecognizer> keep(this);
    UIGestureRecognizerState previous = m_state;
    if (previous == next && next != UIGestureRecognizerStateChanged)
        return false;
    bool final = previous == UIGestureRecognizerStateEnded || previous == UIGestureRecognizerStateCancelled || previous == UIGestureRecognizerStateFailed;
    if (final)
        return false;
    if (previous == UIGestureRecognizerStatePossible && (next == UIGestureRecognizerStateBegan || next == UIGestureRecognizerStateEnded)) {
        UIView* view = m_view.ptr();
        bool allowed = view && m_enabled;
        if (allowed && sel::gestureRecognizerShouldBegin.isAnsweredBy(m_delegate.ptr()))
            allowed = sel::gestureRecognizerShouldBegin(m_delegate.ptr(), this);
        if (allowed)
            allowed = sel::gestureRecognizerShouldBegin(view, this);
        if (allowed) {
            for (auto& other : uikit::state().gestureArena) {
                if (other == this)
                    continue;
                auto s = other->state();
                bool recognized = s == UIGestureRecognizerStateBegan || s == UIGestureRecognizerStateChanged || s == UIGestureRecognizerStateEnded;
                if (recognized && !uikit::gesturesMayRecognizeTogether(this, other)) {
                    allowed = false;
                    break;
                }
            }
        }
        if (!allowed) {
            m_state = UIGestureRecognizerStateFailed;
            return false;
        }
        m_state = next;
        // The others competing for these touches fail, and the views lose them.
        for (auto& other : std::vector<Ref<UIGestureRecognizer>>(uikit::state().gestureArena))
            if (other != this && other->state() == UIGestureRecognizerStatePossible && !uikit::gesturesMayRecognizeTogether(this, other))
                other->fail();
        if (m_cancelsTouchesInView)
            for (auto& t : std::vector<Ref<UITouch>>(m_touches))
                uikit::takeTouchFromView(t);
        // Touches this gesture took, or others waited for, are settled before its actions run.
        uikit::deliverHeldTouches();
        sendActions();
        return true;
    }
    if (next == UIGestureRecognizerStateFailed) {
        m_state = next;
        // What this recognizer held back from the views goes to them now.
        uikit::deliverHeldTouches();
        return true;
    }
    if (previous == UIGestureRecognizerStatePossible)
        return false;
    m_state = next;
    sendActions();
    return true;
}

void UIGestureRecognizer::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIGestureRecognizer>(rt, "NSObject")
        .method(sel::initWithTargetAction, &UIGestureRecognizer::initWithTargetAction)
        .method(sel::addTargetAction, &UIGestureRecognizer::addTarget)
        .method(sel::removeTargetAction, &UIGestureRecognizer::removeTarget)
        .method(sel::state, &UIGestureRecognizer::state)
        .method(sel::view, &UIGestureRecognizer::view)
        .method(sel::isEnabled, &UIGestureRecognizer::isEnabled)
        .method(sel::setEnabled, &UIGestureRecognizer::setEnabled)
        .method(sel::setDelegate, &UIGestureRecognizer::setDelegate)
        .method(sel::delegate, &UIGestureRecognizer::delegate)
        .method(sel::setCancelsTouchesInView, &UIGestureRecognizer::setCancelsTouchesInView)
        .method(sel::cancelsTouchesInView, &UIGestureRecognizer::cancelsTouchesInView)
        .method(sel::setDelaysTouchesBegan, &UIGestureRecognizer::setDelaysTouchesBegan)
        .method(sel::delaysTouchesBegan, &UIGestureRecognizer::delaysTouchesBegan)
        .method(sel::setDelaysTouchesEnded, &UIGestureRecognizer::setDelaysTouchesEnded)
        .method(sel::delaysTouchesEnded, &UIGestureRecognizer::delaysTouchesEnded)
        .method(sel::locationInView, &UIGestureRecognizer::locationInView)
        .method(sel::numberOfTouches, &UIGestureRecognizer::numberOfTouches)
        .method(sel::touchesBeganWithEvent, &UIGestureRecognizer::beginTouches)
        .method(sel::touchesMovedWithEvent, &UIGestureRecognizer::moveTouches)
        .method(sel::touchesEndedWithEvent, &UIGestureRecognizer::endTouches)
        .method(sel::touchesCancelledWithEvent, &UIGestureRecognizer::cancelTouches)
        .method(sel::reset, &UIGestureRecognizer::resetState)
        .method(sel::_isWaitingForNextSequence, &UIGestureRecognizer::waitsForNothing)
        .build();
}

namespace uikit {

void gestureArenaAdd(UIGestureRecognizer* recognizer)
{
    auto& arena = state().gestureArena;
    if (std::find(arena.begin(), arena.end(), recognizer) == arena.end())
        arena.emplace_back(recognizer);
}

void gestureArenaSettle()
{
    auto& arena = state().gestureArena;
    for (auto& r : std::vector<Ref<UIGestureRecognizer>>(arena)) {
        auto s = r->state();
        if (s == UIGestureRecognizerStatePossible && r->isWaitingForNextSequence())
            continue;
        r->reset();
        arena.erase(std::remove(arena.begin(), arena.end(), r), arena.end());
    }
    // Recognizers gone from the arena hold nothing back any longer.
    deliverHeldTouches();
}

bool gesturesMayRecognizeTogether(UIGestureRecognizer* a, UIGestureRecognizer* b)
{
    const auto& simultaneously = sel::gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer;
    if (simultaneously.isAnsweredBy(a->delegate()) && simultaneously(a->delegate(), a, b))
        return true;
    if (simultaneously.isAnsweredBy(b->delegate()) && simultaneously(b->delegate(), b, a))
        return true;
    return false;
}

} // namespace uikit
