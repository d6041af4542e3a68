#include "platform/uikit/UIControl.h"

#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

void UIControl::addTarget(objc::Object* target, SEL action, NSUInteger events) { msgSend(this, "addTarget:action:forControlEvents:", target, action, events); }

void UIControl::removeTarget(objc::Object* target, SEL action, NSUInteger events) { msgSend(this, "removeTarget:action:forControlEvents:", target, action, events); }

void UIControl::sendActionsForControlEvents(NSUInteger events, UIEvent* event)
{
    Ref<UIControl> keep(this);
    // Copy: an action may add or remove targets.
    auto actions = m_actions;
    for (auto& ta : actions) {
        if (!(ta.events & events))
            continue;
        Ref<objc::Object> target = ta.target.strong();
        if (ta.hasTarget && !target)
            continue;
        msgSend(this, "sendAction:to:forEvent:", ta.action, target.ptr(), event);
    }
}

std::vector<std::string> UIControl::actionsForTarget(objc::Object* target, NSUInteger event) const
{
    std::vector<std::string> result;
    for (auto& ta : m_actions)
        if (ta.target.ptr() == target && (ta.events & event))
            result.emplace_back(objc::sel_getName(ta.action));
    return result;
}

void UIControl::setEnabled(bool on) { msgSend(this, "setEnabled:", on); }
void UIControl::setSelected(bool on) { msgSend(this, "setSelected:", on); }
void UIControl::setHighlighted(bool on) { msgSend(this, "setHighlighted:", on); }

NSUInteger UIControl::state() const
{
    NSUInteger s = UIControlStateNormal;
    if (m_highlighted)
        s |= UIControlStateHighlighted;
    if (!m_enabled)
        s |= UIControlStateDisabled;
    if (m_selected)
        s |= UIControlStateSelected;
    return s;
}

void UIControl::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIControl>("UIView");
    c->addMethod("_stateDidChange", [](UIControl*, SEL) { });
    c->addMethod("addTarget:action:forControlEvents:", [](UIControl* self, SEL, objc::Object* target, SEL action, NSUInteger events) {
        if (!action || !events)
            return;
        for (auto& ta : self->m_actions) {
            if (ta.target.ptr() == target && ta.action == action) {
                ta.events |= events;
                return;
            }
        }
        self->m_actions.push_back({ objc::WeakRef<objc::Object>(target), target != nullptr, action, events });
    });
    c->addMethod("removeTarget:action:forControlEvents:", [](UIControl* self, SEL, objc::Object* target, SEL action, NSUInteger events) {
        for (auto& ta : self->m_actions)
            if ((!target || ta.target.ptr() == target) && (!action || ta.action == action))
                ta.events &= ~events;
        self->m_actions.erase(std::remove_if(self->m_actions.begin(), self->m_actions.end(), [](auto& ta) { return ta.events == 0; }), self->m_actions.end());
    });
    c->addMethod("sendActionsForControlEvents:", [](UIControl* self, SEL, NSUInteger events) { self->sendActionsForControlEvents(events); });
    c->addMethod("sendAction:to:forEvent:", [](UIControl* self, SEL, SEL action, objc::Object* target, UIEvent* event) {
        UIApplication::sharedApplication()->sendAction(action, target, self, event);
    });
    c->addMethod("isEnabled", [](UIControl* self, SEL) { return self->isEnabled(); });
    c->addMethod("setEnabled:", [](UIControl* self, SEL, bool on) {
        if (self->m_enabled == on)
            return;
        self->m_enabled = on;
        msgSend(self, "_stateDidChange");
    });
    c->addMethod("isSelected", [](UIControl* self, SEL) { return self->isSelected(); });
    c->addMethod("setSelected:", [](UIControl* self, SEL, bool on) {
        if (self->m_selected == on)
            return;
        self->m_selected = on;
        msgSend(self, "_stateDidChange");
    });
    c->addMethod("isHighlighted", [](UIControl* self, SEL) { return self->isHighlighted(); });
    c->addMethod("setHighlighted:", [](UIControl* self, SEL, bool on) {
        if (self->m_highlighted == on)
            return;
        self->m_highlighted = on;
        msgSend(self, "_stateDidChange");
    });
    c->addMethod("beginTrackingWithTouch:withEvent:", [](UIControl*, SEL, UITouch*, UIEvent*) { return true; });
    c->addMethod("continueTrackingWithTouch:withEvent:", [](UIControl*, SEL, UITouch*, UIEvent*) { return true; });
    c->addMethod("endTrackingWithTouch:withEvent:", [](UIControl*, SEL, UITouch*, UIEvent*) { });
    c->addMethod("cancelTrackingWithEvent:", [](UIControl*, SEL, UIEvent*) { });

    c->addMethod("touchesBegan:withEvent:", [](UIControl* self, SEL, const UITouchSet& touches, UIEvent* event) {
        if (!self->m_enabled || touches.empty())
            return;
        Ref<UIControl> keep(self);
        UITouch* touch = touches.front();
        self->m_touchInside = true;
        self->m_tracking = msgSend<bool>(self, "beginTrackingWithTouch:withEvent:", touch, event);
        self->setHighlighted(true);
        NSUInteger events = UIControlEventTouchDown;
        if (touch->tapCount() > 1)
            events |= UIControlEventTouchDownRepeat;
        self->sendActionsForControlEvents(events, event);
    });
    c->addMethod("touchesMoved:withEvent:", [](UIControl* self, SEL, const UITouchSet& touches, UIEvent* event) {
        if (!self->m_enabled || touches.empty())
            return;
        Ref<UIControl> keep(self);
        UITouch* touch = touches.front();
        bool inside = CGRectContainsPoint(CGRectInset(self->bounds(), -uikit::kControlTouchSlack, -uikit::kControlTouchSlack), touch->locationInView(self));
        if (self->m_tracking)
            self->m_tracking = msgSend<bool>(self, "continueTrackingWithTouch:withEvent:", touch, event);
        NSUInteger events = inside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
        if (inside != self->m_touchInside)
            events |= inside ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
        self->m_touchInside = inside;
        self->setHighlighted(inside);
        self->sendActionsForControlEvents(events, event);
    });
    c->addMethod("touchesEnded:withEvent:", [](UIControl* self, SEL, const UITouchSet& touches, UIEvent* event) {
        if (!self->m_enabled || touches.empty())
            return;
        Ref<UIControl> keep(self);
        UITouch* touch = touches.front();
        bool inside = CGRectContainsPoint(CGRectInset(self->bounds(), -uikit::kControlTouchSlack, -uikit::kControlTouchSlack), touch->locationInView(self));
        self->m_touchInside = inside;
        if (self->m_tracking)
            msgSend(self, "endTrackingWithTouch:withEvent:", touch, event);
        self->m_tracking = false;
        self->setHighlighted(false);
        self->sendActionsForControlEvents(inside ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside, event);
    });
    c->addMethod("touchesCancelled:withEvent:", [](UIControl* self, SEL, const UITouchSet&, UIEvent* event) {
        Ref<UIControl> keep(self);
        if (self->m_tracking)
            msgSend(self, "cancelTrackingWithEvent:", event);
        self->m_tracking = false;
        self->setHighlighted(false);
        self->sendActionsForControlEvents(UIControlEventTouchCancel, event);
    });
}
