#pragma once

#include "platform/uikit/UIView.h"

#include <vector>

// A view that turns touches into control events and sends each event's actions to their targets.
// Tracking: touch down; drag inside/outside (70 points of slack around the bounds, as on the
// phone); touch-up inside or outside; cancel.
//
// Runtime methods: addTarget:action:forControlEvents:, removeTarget:action:forControlEvents:,
// sendAction:to:forEvent:, sendActionsForControlEvents:, beginTrackingWithTouch:withEvent:,
// continueTrackingWithTouch:withEvent:, endTrackingWithTouch:withEvent:, cancelTrackingWithEvent:,
// setEnabled:, setSelected:, setHighlighted:, and the touches methods. Whenever enabled, selected
// or highlighted change, the control sends itself the private _stateDidChange (empty here;
// buttons update their content).
//
// NOTE: A subclass that overrides setEnabled:, setSelected: or setHighlighted: without calling super
// skips _stateDidChange, and a button then keeps showing its previous state's title and images.
class UIControl : public UIView {
    OBJC_CLASS(UIControl)
public:
    // A null target sends along the responder chain; actions return nothing and take the sender
    // (one colon) and the event (two colons), or nothing (no colon).
    void addTarget(objc::Object* target, objc::SEL action, NSUInteger events);
    void addTarget(objc::Object* target, std::string_view action, NSUInteger events) { addTarget(target, objc::sel_registerName(action), events); }
    void removeTarget(objc::Object* target, objc::SEL action, NSUInteger events);
    void sendActionsForControlEvents(NSUInteger events, UIEvent* event = nullptr);
    // The selectors registered for `target` and `event`.
    std::vector<std::string> actionsForTarget(objc::Object* target, NSUInteger event) const;
    size_t targetActionCount() const { return m_actions.size(); }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on);
    bool isSelected() const { return m_selected; }
    void setSelected(bool on);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool on);
    bool isTracking() const { return m_tracking; }
    bool isTouchInside() const { return m_touchInside; }
    NSUInteger state() const;

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders above have the plain names.
    void addTargetAction(objc::Object* target, objc::SEL action, NSUInteger events);
    void removeTargetAction(objc::Object* target, objc::SEL action, NSUInteger events);
    void sendActionsWithoutEvent(NSUInteger events);
    void applyEnabled(bool on);
    void applySelected(bool on);
    void applyHighlighted(bool on);
    void changeState(bool& flag, bool on);
    // The touches, turned into control events.
    void trackBegan(const UITouchSet& touches, UIEvent* event);
    void trackMoved(const UITouchSet& touches, UIEvent* event);
    void trackEnded(const UITouchSet& touches, UIEvent* event);
    void trackCancelled(const UITouchSet& touches, UIEvent* event);
    bool isInsideWithSlack(UITouch* touch);

    struct TargetAction {
        objc::WeakRef<objc::Object> target;
        bool hasTarget;
        objc::SEL action;
        NSUInteger events;
    };
    std::vector<TargetAction> m_actions;
    bool m_enabled = true;
    bool m_selected = false;
    bool m_highlighted = false;
    bool m_tracking = false;
    bool m_touchInside = false;
};

namespace uikit {
// How far outside its bounds a finger may go and still count as inside a control.
inline constexpr CGFloat kControlTouchSlack = 70;
} // namespace uikit
