#include "platform/uikit/UIControl.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>

using objc::Ref;
using objc::SEL;
namespace sel = uikit::sel;

void UIControl::addTarget(objc::Object* target, SEL action, NSUInteger events) { sel::addTargetActionForControlEvents(this, target, action, events); }

void UIControl::removeTarget(objc::Object* target, SEL action, NSUInteger events) { sel::removeTargetActionForControlEvents(this, target, action, events); }

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
        sel::sendActionToForEvent(this, ta.action, target.ptr(), event);
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

void UIControl::setEnabled(bool on) { sel::setEnabled(this, on); }
void UIControl::setSelected(bool on) { sel::setSelected(this, on); }
void UIControl::setHighlighted(bool on) { sel::setHighlighted(this, on); }

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

// Registration -----------------------------------------------------------------------------------

void UIControl::addTargetAction(objc::Object* target, SEL action, NSUInteger events)
{
    if (!action || !events)
        return;
    for (auto& ta : m_actions) {
        if (ta.target.ptr() == target && ta.action == action) {
            ta.events |= events;
            return;
        }
    }
    m_actions.push_back({ objc::WeakRef<objc::Object>(target), target != nullptr, action, events });
}

void UIControl::removeTargetAction(objc::Object* target, SEL action, NSUInteger events)
{
    for (auto& ta : m_actions)
        if ((!target || ta.target.ptr() == target) && (!action || ta.action == action))
            ta.events &= ~events;
    m_actions.erase(std::remove_if(m_actions.begin(), m_actions.end(), [](auto& ta) { return ta.events == 0; }), m_actions.end());
}

void UIControl::sendActionsWithoutEvent(NSUInteger events) { sendActionsForControlEvents(events); }

// Enabled, selected and highlighted: a change is told to the control itself.
void UIControl::changeState(bool& flag, bool on)
{
    if (flag == on)
        return;
    flag = on;
    sel::_stateDidChange(this);
}

void UIControl::applyEnabled(bool on) { changeState(m_enabled, on); }
void UIControl::applySelected(bool on) { changeState(m_selected, on); }
void UIControl::applyHighlighted(bool on) { changeState(m_highlighted, on); }

bool UIControl::isInsideWithSlack(UITouch* touch)
{
    return CGRectContainsPoint(CGRectInset(bounds(), -uikit::kControlTouchSlack, -uikit::kControlTouchSlack), touch->locationInView(this));
}

void UIControl::trackBegan(const UITouchSet& touches, UIEvent* event)
{
    if (!m_enabled || touches.empty())
        return;
    Ref<UIControl> keep(this);
    UITouch* touch = touches.front();
    m_touchInside = true;
    m_tracking = sel::beginTrackingWithTouchWithEvent(this, touch, event);
    setHighlighted(true);
    NSUInteger events = UIControlEventTouchDown;
    if (touch->tapCount() > 1)
        events |= UIControlEventTouchDownRepeat;
    sendActionsForControlEvents(events, event);
}

void UIControl::trackMoved(const UITouchSet& touches, UIEvent* event)
{
    if (!m_enabled || touches.empty())
        return;
    Ref<UIControl> keep(this);
    UITouch* touch = touches.front();
    bool inside = isInsideWithSlack(touch);
    if (m_tracking)
        m_tracking = sel::continueTrackingWithTouchWithEvent(this, touch, event);
    NSUInteger events = inside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
    if (inside != m_touchInside)
        events |= inside ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
    m_touchInside = inside;
    setHighlighted(inside);
    sendActionsForControlEvents(events, event);
}

void UIControl::trackEnded(const UITouchSet& touches, UIEvent* event)
{
    if (!m_enabled || touches.empty())
        return;
    Ref<UIControl> keep(this);
    UITouch* touch = touches.front();
    bool inside = isInsideWithSlack(touch);
    m_touchInside = inside;
    if (m_tracking)
        sel::endTrackingWithTouchWithEvent(this, touch, event);
    m_tracking = false;
    setHighlighted(false);
    sendActionsForControlEvents(inside ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside, event);
}

void UIControl::trackCancelled(const UITouchSet&, UIEvent* event)
{
    Ref<UIControl> keep(this);
    if (m_tracking)
        sel::cancelTrackingWithEvent(this, event);
    m_tracking = false;
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchCancel, event);
}

namespace {

void sendThroughApplication(UIControl* self, SEL action, objc::Object* target, UIEvent* event)
{
    UIApplication::sharedApplication()->sendAction(action, target, self, event);
}

// What subclasses override; UIControl's own track every touch and do nothing more.
void noStateHook(UIControl*) { }
bool keepTracking(UIControl*, UITouch*, UIEvent*) { return true; }
void noEndHook(UIControl*, UITouch*, UIEvent*) { }
void noCancelHook(UIControl*, UIEvent*) { }

} // namespace

void UIControl::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIControl>(rt, "UIView")
        .method(sel::_stateDidChange, &noStateHook)
        .method(sel::addTargetActionForControlEvents, &UIControl::addTargetAction)
        .method(sel::removeTargetActionForControlEvents, &UIControl::removeTargetAction)
        .method(sel::sendActionsForControlEvents, &UIControl::sendActionsWithoutEvent)
        .method(sel::sendActionToForEvent, &sendThroughApplication)
        .method(sel::isEnabled, &UIControl::isEnabled)
        .method(sel::setEnabled, &UIControl::applyEnabled)
        .method(sel::isSelected, &UIControl::isSelected)
        .method(sel::setSelected, &UIControl::applySelected)
        .method(sel::isHighlighted, &UIControl::isHighlighted)
        .method(sel::setHighlighted, &UIControl::applyHighlighted)
        .method(sel::beginTrackingWithTouchWithEvent, &keepTracking)
        .method(sel::continueTrackingWithTouchWithEvent, &keepTracking)
        .method(sel::endTrackingWithTouchWithEvent, &noEndHook)
        .method(sel::cancelTrackingWithEvent, &noCancelHook)
        .method(sel::touchesBeganWithEvent, &UIControl::trackBegan)
        .method(sel::touchesMovedWithEvent, &UIControl::trackMoved)
        .method(sel::touchesEndedWithEvent, &UIControl::trackEnded)
        .method(sel::touchesCancelledWithEvent, &UIControl::trackCancelled)
        .build();
}
