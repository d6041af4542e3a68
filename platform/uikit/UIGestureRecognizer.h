#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIResponder.h"

#include <vector>

class UIView;

// Turns the touches on its view (and the view's subviews) into one gesture, and sends its actions
// to its targets when the gesture begins, changes and ends (continuous gestures) or is recognized
// (discrete ones). Recognizers of one touch sequence compete: when one begins, the others that
// may not recognize with it fail, and (cancelsTouchesInView) the views get touchesCancelled.
//
// Delegate methods asked through msgSend when implemented: gestureRecognizerShouldBegin:,
// gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer:,
// gestureRecognizer:shouldReceiveTouch:. The view is asked gestureRecognizerShouldBegin: too.
class UIGestureRecognizer : public objc::NSObject {
    OBJC_CLASS(UIGestureRecognizer)
public:
    // [[T alloc] initWithTarget:target action:action]
    template<class T>
    static objc::Ref<T> create(objc::Object* target, std::string_view action)
    {
        auto r = objc::make<T>();
        initWithTarget(r, target, objc::sel_registerName(action));
        return r;
    }

    void addTarget(objc::Object* target, objc::SEL action);
    void removeTarget(objc::Object* target, objc::SEL action);
    // Whether `action` is sent to `target` (the phone keeps the pairs in the private _targets).
    bool hasTarget(objc::Object* target, objc::SEL action) const;

    UIGestureRecognizerState state() const { return m_state; }
    UIView* view() const { return m_view.ptr(); }
    void setView(UIView* view);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on);
    bool cancelsTouchesInView() const { return m_cancelsTouchesInView; }
    void setCancelsTouchesInView(bool on) { m_cancelsTouchesInView = on; }
    bool delaysTouchesBegan() const { return m_delaysTouchesBegan; }
    void setDelaysTouchesBegan(bool on) { m_delaysTouchesBegan = on; }
    bool delaysTouchesEnded() const { return m_delaysTouchesEnded; }
    void setDelaysTouchesEnded(bool on) { m_delaysTouchesEnded = on; }
    objc::Object* delegate() const { return m_delegate.ptr(); }
    void setDelegate(objc::Object* delegate) { m_delegate = delegate; }

    // The centroid of the touches, in `view`'s coordinates (window coordinates for null).
    CGPoint locationInView(UIView* view) const;
    NSUInteger numberOfTouches() const { return m_touches.size(); }
    CGPoint locationOfTouch(NSUInteger index, UIView* view) const;

    // Driver side: the touches of this recognizer's view tree, as they happen. These send the
    // runtime methods touchesBegan:withEvent:, touchesMoved:withEvent:, touchesEnded:withEvent:
    // and touchesCancelled:withEvent:, which subclasses override (calling super first).
    void touchesBegan(const UITouchSet& touches, UIEvent* event);
    void touchesMoved(const UITouchSet& touches, UIEvent* event);
    void touchesEnded(const UITouchSet& touches, UIEvent* event);
    void touchesCancelled(const UITouchSet& touches, UIEvent* event);
    // Back to Possible once a touch sequence is over (the runtime method reset).
    void reset();
    // True for a recognizer that stays Possible between touch sequences (a tap waiting for its
    // next tap); the private runtime method _isWaitingForNextSequence.
    bool isWaitingForNextSequence();
    const std::vector<objc::Ref<UITouch>>& touches() const { return m_touches; }

    static void registerClass(objc::Runtime&);

protected:
    // Moves to `state` as the platform would: beginning (or being recognized) is subject to
    // gestureRecognizerShouldBegin: and to the other recognizers; actions are sent for Began,
    // Changed, Ended and Cancelled. Answers whether the state was taken.
    bool transitionTo(UIGestureRecognizerState state);
    void fail() { transitionTo(UIGestureRecognizerStateFailed); }
    bool isActive() const { return m_state == UIGestureRecognizerStateBegan || m_state == UIGestureRecognizerStateChanged; }
    // Runs `block` after `seconds` on the main run loop unless the recognizer was reset meanwhile.
    void after(double seconds, std::function<void()> block);
    CGPoint centroid() const;
    unsigned generation() const { return m_generation; }

    std::vector<objc::Ref<UITouch>> m_touches;
    CGPoint m_lastCentroid;

private:
    // Sends initWithTarget:action: (for create, which the header defines).
    static void initWithTarget(UIGestureRecognizer* recognizer, objc::Object* target, objc::SEL action);

    // The implementations of the runtime methods above.
    objc::Ref<objc::Object> initWithTargetAction(objc::Object* target, objc::SEL action);
    void beginTouches(const UITouchSet& touches, UIEvent* event);
    void moveTouches(const UITouchSet& touches, UIEvent* event);
    void endTouches(const UITouchSet& touches, UIEvent* event);
    void cancelTouches(const UITouchSet& touches, UIEvent* event);
    void resetState();
    bool waitsForNothing() const { return false; }

    struct Target {
        objc::WeakRef<objc::Object> target;
        objc::SEL action;
    };
    void sendActions();

    std::vector<Target> m_targets;
    objc::WeakRef<UIView> m_view;
    objc::WeakRef<objc::Object> m_delegate;
    UIGestureRecognizerState m_state = UIGestureRecognizerStatePossible;
    bool m_enabled = true;
    bool m_cancelsTouchesInView = true;
    bool m_delaysTouchesBegan = false;
    bool m_delaysTouchesEnded = true;
    unsigned m_generation = 0;
};

namespace uikit {
// Movement up to this far still counts as a tap or a press in place.
inline constexpr CGFloat kTapSlop = 10;
// The longest pause between the taps of a multiple tap.
inline constexpr double kMultipleTapInterval = 0.35;

// The recognizers taking part in the current touch sequence.
void gestureArenaAdd(UIGestureRecognizer* recognizer);
// Resets and forgets the recognizers that are done once no finger is down.
void gestureArenaSettle();
bool gesturesMayRecognizeTogether(UIGestureRecognizer* a, UIGestureRecognizer* b);
} // namespace uikit
