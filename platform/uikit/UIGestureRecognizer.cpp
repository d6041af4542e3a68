#include "platform/uikit/UIGestureRecognizer.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/TouchDelivery.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"

#include <algorithm>
#include <cmath>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

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

void UIGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent* event) { msgSend(this, "touchesBegan:withEvent:", touches, event); }
void UIGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent* event) { msgSend(this, "touchesMoved:withEvent:", touches, event); }
void UIGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent* event) { msgSend(this, "touchesEnded:withEvent:", touches, event); }
void UIGestureRecognizer::touchesCancelled(const UITouchSet& touches, UIEvent* event) { msgSend(this, "touchesCancelled:withEvent:", touches, event); }
void UIGestureRecognizer::reset() { msgSend(this, "reset"); }
bool UIGestureRecognizer::isWaitingForNextSequence() { return msgSend<bool>(this, "_isWaitingForNextSequence"); }

void UIGestureRecognizer::beginTouches(const UITouchSet& touches)
{
    for (auto& t : touches)
        if (std::find(m_touches.begin(), m_touches.end(), t) == m_touches.end())
            m_touches.push_back(t);
    m_lastCentroid = centroid();
}

void UIGestureRecognizer::endTouches(const UITouchSet& touches)
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
        if (allowed && objc::respondsToSelector(m_delegate.ptr(), "gestureRecognizerShouldBegin:"))
            allowed = msgSend<bool>(m_delegate.ptr(), "gestureRecognizerShouldBegin:", this);
        if (allowed)
            allowed = msgSend<bool>(view, "gestureRecognizerShouldBegin:", this);
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
    objc::Class* c = rt.registerClass<UIGestureRecognizer>("NSObject");
    c->addMethod("initWithTarget:action:", [](UIGestureRecognizer* self, SEL, objc::Object* target, SEL action) {
        self->addTarget(target, action);
        return Ref<objc::Object>(self);
    });
    c->addMethod("addTarget:action:", [](UIGestureRecognizer* self, SEL, objc::Object* target, SEL action) { self->addTarget(target, action); });
    c->addMethod("removeTarget:action:", [](UIGestureRecognizer* self, SEL, objc::Object* target, SEL action) { self->removeTarget(target, action); });
    c->addMethod("state", [](UIGestureRecognizer* self, SEL) { return self->state(); });
    c->addMethod("view", [](UIGestureRecognizer* self, SEL) { return Ref<UIView>(self->view()); });
    c->addMethod("isEnabled", [](UIGestureRecognizer* self, SEL) { return self->isEnabled(); });
    c->addMethod("setEnabled:", [](UIGestureRecognizer* self, SEL, bool on) { self->setEnabled(on); });
    c->addMethod("setDelegate:", [](UIGestureRecognizer* self, SEL, objc::Object* d) { self->setDelegate(d); });
    c->addMethod("delegate", [](UIGestureRecognizer* self, SEL) { return Ref<objc::Object>(self->delegate()); });
    c->addMethod("setCancelsTouchesInView:", [](UIGestureRecognizer* self, SEL, bool on) { self->setCancelsTouchesInView(on); });
    c->addMethod("cancelsTouchesInView", [](UIGestureRecognizer* self, SEL) { return self->cancelsTouchesInView(); });
    c->addMethod("setDelaysTouchesBegan:", [](UIGestureRecognizer* self, SEL, bool on) { self->setDelaysTouchesBegan(on); });
    c->addMethod("delaysTouchesBegan", [](UIGestureRecognizer* self, SEL) { return self->delaysTouchesBegan(); });
    c->addMethod("setDelaysTouchesEnded:", [](UIGestureRecognizer* self, SEL, bool on) { self->setDelaysTouchesEnded(on); });
    c->addMethod("delaysTouchesEnded", [](UIGestureRecognizer* self, SEL) { return self->delaysTouchesEnded(); });
    c->addMethod("locationInView:", [](UIGestureRecognizer* self, SEL, UIView* v) { return self->locationInView(v); });
    c->addMethod("numberOfTouches", [](UIGestureRecognizer* self, SEL) { return self->numberOfTouches(); });
    c->addMethod("touchesBegan:withEvent:", [](UIGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent*) { self->beginTouches(touches); });
    c->addMethod("touchesMoved:withEvent:", [](UIGestureRecognizer* self, SEL, const UITouchSet&, UIEvent*) { self->m_lastCentroid = self->centroid(); });
    c->addMethod("touchesEnded:withEvent:", [](UIGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent*) { self->endTouches(touches); });
    c->addMethod("touchesCancelled:withEvent:", [](UIGestureRecognizer* self, SEL, const UITouchSet& touches, UIEvent* event) { self->cancelTouches(touches, event); });
    c->addMethod("reset", [](UIGestureRecognizer* self, SEL) { self->resetState(); });
    c->addMethod("_isWaitingForNextSequence", [](UIGestureRecognizer*, SEL) { return false; });
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
    const char* sel = "gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer:";
    if (objc::respondsToSelector(a->delegate(), sel) && msgSend<bool>(a->delegate(), sel, a, b))
        return true;
    if (objc::respondsToSelector(b->delegate(), sel) && msgSend<bool>(b->delegate(), sel, b, a))
        return true;
    return false;
}

} // namespace uikit
