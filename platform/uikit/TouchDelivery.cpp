#include "platform/uikit/TouchDelivery.h"

#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"

#include <algorithm>

using objc::Ref;

namespace uikit {

namespace {

enum class Holding { Began, Ended };

bool inArena(UIGestureRecognizer* recognizer)
{
    auto& arena = state().gestureArena;
    return std::find(arena.begin(), arena.end(), recognizer) != arena.end();
}

// A recognizer of the touch that may still recognize and asks for that part to wait.
bool heldBack(UITouch* touch, Holding part)
{
    for (auto& weak : touch->gestureRecognizers()) {
        Ref<UIGestureRecognizer> r = weak.strong();
        if (!r || !r->isEnabled() || r->state() != UIGestureRecognizerStatePossible || !inArena(r))
            continue;
        if (part == Holding::Began ? r->delaysTouchesBegan() : r->delaysTouchesEnded())
            return true;
    }
    return false;
}

// A recognizer of the touch that has recognized and takes its touches from the view.
bool takenByRecognizer(UITouch* touch)
{
    for (auto& weak : touch->gestureRecognizers()) {
        Ref<UIGestureRecognizer> r = weak.strong();
        if (!r || !r->cancelsTouchesInView())
            continue;
        auto s = r->state();
        if (s == UIGestureRecognizerStateBegan || s == UIGestureRecognizerStateChanged || s == UIGestureRecognizerStateEnded)
            return true;
    }
    return false;
}

void send(UITouch* touch, const objc::Sel<void(const UITouchSet&, objc::Object*)>& message, UIEvent* event)
{
    if (Ref<UIView> view = Ref<UIView>(touch->view()))
        message(view, UITouchSet { Ref<UITouch>(touch) }, event);
}

void hold(UITouch* touch)
{
    auto& held = state().heldTouches;
    if (std::find(held.begin(), held.end(), touch) == held.end())
        held.emplace_back(touch);
}

Ref<UIEvent> eventFor(UITouch* touch)
{
    auto event = objc::make<UIEvent>();
    event->setTouches({ Ref<UITouch>(touch) });
    event->setTimestamp(touch->timestamp());
    return event;
}

} // namespace

void deliverTouchBegan(UITouch* touch, UIEvent* event)
{
    if (!touch->deliveredToView())
        return;
    if (heldBack(touch, Holding::Began)) {
        touch->setBeganHeld(true);
        hold(touch);
        return;
    }
    send(touch, sel::touchesBeganWithEvent, event);
}

void deliverTouchMoved(UITouch* touch, UIEvent* event)
{
    // The view has not heard the touch begin: it hears nothing of its moves either.
    if (touch->deliveredToView() && !touch->beganHeld())
        send(touch, sel::touchesMovedWithEvent, event);
}

void deliverTouchEnded(UITouch* touch, UIEvent* event)
{
    if (!touch->deliveredToView())
        return;
    // The touch that made a gesture (the lift of a tap) is taken from the view, not ended there.
    if (takenByRecognizer(touch)) {
        takeTouchFromView(touch);
        return;
    }
    if (touch->beganHeld() || heldBack(touch, Holding::Ended)) {
        touch->setEndHeld(true);
        hold(touch);
        deliverHeldTouches();
        return;
    }
    send(touch, sel::touchesEndedWithEvent, event);
}

void deliverTouchCancelled(UITouch* touch, UIEvent* event)
{
    if (!touch->deliveredToView())
        return;
    touch->setDeliveredToView(false);
    if (!touch->beganHeld())
        send(touch, sel::touchesCancelledWithEvent, event);
    touch->setBeganHeld(false);
    touch->setEndHeld(false);
}

void takeTouchFromView(UITouch* touch)
{
    if (!touch->deliveredToView())
        return;
    touch->setDeliveredToView(false);
    bool viewHeardIt = !touch->beganHeld();
    touch->setBeganHeld(false);
    touch->setEndHeld(false);
    if (viewHeardIt)
        send(touch, sel::touchesCancelledWithEvent, nullptr);
}

void deliverHeldTouches()
{
    auto& held = state().heldTouches;
    if (held.empty())
        return;
    for (auto& touch : std::vector<Ref<UITouch>>(held)) {
        if (!touch->deliveredToView())
            continue;
        if (takenByRecognizer(touch)) {
            takeTouchFromView(touch);
            continue;
        }
        if (touch->beganHeld() && !heldBack(touch, Holding::Began)) {
            touch->setBeganHeld(false);
            send(touch, sel::touchesBeganWithEvent, eventFor(touch));
        }
        if (touch->endHeld() && !touch->beganHeld() && !heldBack(touch, Holding::Ended)) {
            touch->setEndHeld(false);
            send(touch, sel::touchesEndedWithEvent, eventFor(touch));
        }
    }
    auto& now = state().heldTouches;
    now.erase(std::remove_if(now.begin(), now.end(), [](const Ref<UITouch>& t) { return !t->deliveredToView() || (!t->beganHeld() && !t->endHeld()); }),
        now.end());
}

} // namespace uikit
