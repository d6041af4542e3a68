#pragma once

#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"

class UIView;
class UIWindow;
class UIGestureRecognizer;

// One finger on the screen. Locations are kept in window coordinates; `locationInView` converts.
class UITouch : public objc::NSObject {
    OBJC_CLASS(UITouch)
public:
    UITouch();
    ~UITouch() override;
    CGPoint locationInView(UIView* view) const;
    CGPoint previousLocationInView(UIView* view) const;
    UITouchPhase phase() const { return m_phase; }
    NSUInteger tapCount() const { return m_tapCount; }
    NSTimeInterval timestamp() const { return m_timestamp; }
    UIView* view() const { return m_view.ptr(); }
    UIWindow* window() const { return m_window.ptr(); }
    const std::vector<objc::WeakRef<UIGestureRecognizer>>& gestureRecognizers() const { return m_recognizers; }

    // Driver side.
    void setPhase(UITouchPhase phase) { m_phase = phase; }
    void setTapCount(NSUInteger count) { m_tapCount = count; }
    void setTimestamp(NSTimeInterval t) { m_timestamp = t; }
    void setView(UIView* view);
    void setWindow(UIWindow* window);
    void moveTo(CGPoint windowPoint);
    CGPoint windowLocation() const { return m_location; }
    CGPoint windowPreviousLocation() const { return m_previous; }
    CGPoint windowStartLocation() const { return m_start; }
    void setStart(CGPoint p) { m_start = m_location = m_previous = p; }
    void addRecognizer(UIGestureRecognizer* r);
    // Set once a recognizer has taken the touch away from its view.
    bool deliveredToView() const { return m_deliverToView; }
    void setDeliveredToView(bool on) { m_deliverToView = on; }
    // The view has not heard it begin yet, or end yet: a recognizer holds that back.
    bool beganHeld() const { return m_beganHeld; }
    void setBeganHeld(bool on) { m_beganHeld = on; }
    bool endHeld() const { return m_endHeld; }
    void setEndHeld(bool on) { m_endHeld = on; }
    long identifier() const { return m_identifier; }
    void setIdentifier(long id) { m_identifier = id; }

    static void registerClass(objc::Runtime&);

private:
    CGPoint m_location, m_previous, m_start;
    UITouchPhase m_phase = UITouchPhaseBegan;
    NSUInteger m_tapCount = 1;
    NSTimeInterval m_timestamp = 0;
    objc::Ref<UIView> m_view;
    objc::WeakRef<UIWindow> m_window;
    std::vector<objc::WeakRef<UIGestureRecognizer>> m_recognizers;
    bool m_deliverToView = true;
    bool m_beganHeld = false;
    bool m_endHeld = false;
    long m_identifier = 0;
};

// The touches that are on the screen during one event.
class UIEvent : public objc::NSObject {
    OBJC_CLASS(UIEvent)
public:
    const std::vector<objc::Ref<UITouch>>& allTouches() const { return m_touches; }
    void setTouches(std::vector<objc::Ref<UITouch>> touches) { m_touches = std::move(touches); }
    NSTimeInterval timestamp() const { return m_timestamp; }
    void setTimestamp(NSTimeInterval t) { m_timestamp = t; }

    static void registerClass(objc::Runtime&);

private:
    std::vector<objc::Ref<UITouch>> m_touches;
    NSTimeInterval m_timestamp = 0;
};

namespace uikit {
// The main run loop's clock in seconds: what touches and events are stamped with.
double nowSeconds();
} // namespace uikit
