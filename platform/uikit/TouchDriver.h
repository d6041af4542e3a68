#pragma once

// Touch input for the headless device: fingers put down, moved and lifted at screen points, as
// the phone's event system would deliver them. Each touch is hit-tested in the key window (where
// presented controllers' views lie above the root's), its view and the view's ancestors'
// gesture recognizers see it, and the view gets touchesBegan/Moved/Ended (or Cancelled once a
// recognizer takes the touch over). Time passes on the main run loop's virtual clock while a
// finger is down or moving, so that long presses and timers fire as they would.

#include "platform/uikit/UIKitTypes.h"
#include "platform/runtime/Object.h"

#include <map>
#include <string>

class UIWindow;
class UITouch;
class UIView;

namespace uikit {

class TouchDriver {
public:
    // Drives `window`, or the key window at each touch when null.
    explicit TouchDriver(UIWindow* window = nullptr);
    ~TouchDriver();
    TouchDriver(const TouchDriver&) = delete;
    TouchDriver& operator=(const TouchDriver&) = delete;

    // One finger (`finger` tells several apart). Points are in screen (window) coordinates.
    // Each answers the view that the finger landed on (null when none took it).
    UIView* touchDown(CGPoint point, int finger = 0);
    void touchMove(CGPoint point, int finger = 0);
    void touchUp(CGPoint point, int finger = 0);
    // Lifts that finger (if down), or every finger still down, delivering touchesCancelled.
    void touchCancel(int finger);
    void cancelAll();

    // Whole gestures.
    void tap(CGPoint point, int taps = 1);
    void longPress(CGPoint point, double seconds);
    // A straight drag from `from` to `to` taking `seconds`, lifted at the end.
    void swipe(CGPoint from, CGPoint to, double seconds = 0.2, int steps = 10);
    // Like swipe, but holds still for `holdSeconds` at the end before lifting (no fling).
    void drag(CGPoint from, CGPoint to, double seconds = 0.5, int steps = 10, double holdSeconds = 0.1);
    // Two fingers `startDistance` apart, horizontally about `center`, spread to scale × that.
    void pinch(CGPoint center, double scale, double seconds = 0.4, int steps = 10, double startDistance = 100);
    // Types into the first responder (a text field): appends, as the keyboard would.
    void typeText(const std::string& text);
    // Moves the virtual clock on, running what falls due.
    void wait(double seconds);

    bool isDown(int finger = 0) const { return m_touches.count(finger) != 0; }
    bool anyDown() const { return !m_touches.empty(); }

private:
    UIWindow* targetWindow() const;
    void advanceClock(double seconds);

    objc::WeakRef<UIWindow> m_window;
    std::map<int, objc::Ref<UITouch>> m_touches;
    // Where and when the last tap ended, to count taps.
    CGPoint m_lastTapPoint;
    double m_lastTapTime = -1;
    unsigned m_lastTapCount = 0;
};

} // namespace uikit
