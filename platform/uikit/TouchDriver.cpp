#include "platform/uikit/TouchDriver.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/TouchDelivery.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UITapGestureRecognizer.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cmath>
#include <vector>

using objc::Ref;

namespace uikit {

namespace {


Ref<UIEvent> makeEvent(const std::map<int, Ref<UITouch>>& touches)
{
    auto event = objc::make<UIEvent>();
    std::vector<Ref<UITouch>> all;
    for (auto& [id, t] : touches)
        all.push_back(t);
    event->setTouches(std::move(all));
    event->setTimestamp(nowSeconds());
    return event;
}

// The platform lets a control's own single tap win over a tap recognizer on a view above it.
bool controlWinsOver(UIGestureRecognizer* recognizer, UIView* hit)
{
    auto* tap = dynamic_cast<UITapGestureRecognizer*>(recognizer);
    if (!tap || tap->numberOfTapsRequired() != 1 || tap->numberOfTouchesRequired() != 1)
        return false;
    for (UIView* v = hit; v && v != recognizer->view(); v = v->superview())
        if (dynamic_cast<UIControl*>(v))
            return true;
    return false;
}

} // namespace

TouchDriver::TouchDriver(UIWindow* window)
    : m_window(window)
{
}

TouchDriver::~TouchDriver()
{
    if (objc::Runtime::currentOrNull())
        cancelAll();
}

UIWindow* TouchDriver::targetWindow() const
{
    if (UIWindow* w = m_window.ptr())
        return w;
    return UIApplication::sharedApplication()->keyWindow();
}

void TouchDriver::advanceClock(double seconds)
{
    if (seconds > 0)
        dispatch::RunLoop::main().advance(static_cast<dispatch::Nanoseconds>(std::llround(seconds * 1e9)));
    else
        dispatch::RunLoop::main().runUntilIdle();
}

void TouchDriver::wait(double seconds) { advanceClock(seconds); }

UIView* TouchDriver::touchDown(CGPoint point, int finger)
{
    if (m_touches.count(finger))
        touchUp(m_touches[finger]->windowLocation(), finger);
    Ref<UIWindow> window(targetWindow());
    if (!window || UIApplication::sharedApplication()->isIgnoringInteractionEvents())
        return nullptr;
    window->layoutIfNeeded();
    auto touch = objc::make<UITouch>();
    touch->setIdentifier(finger);
    touch->setStart(point);
    touch->setTimestamp(nowSeconds());
    touch->setPhase(UITouchPhaseBegan);
    touch->setWindow(window);
    double now = nowSeconds();
    bool repeat = m_lastTapTime >= 0 && now - m_lastTapTime <= kMultipleTapInterval && std::hypot(point.x - m_lastTapPoint.x, point.y - m_lastTapPoint.y) <= 2 * kTapSlop;
    touch->setTapCount(repeat ? m_lastTapCount + 1 : 1);

    m_touches[finger] = touch;
    auto event = makeEvent(m_touches);
    Ref<UIView> hit = window->hitTest(window->convertPointFromView(point, nullptr), event);
    if (!hit) {
        m_touches.erase(finger);
        return nullptr;
    }
    touch->setView(hit);
    ++state().touchesDown;

    // The recognizers of the view and its ancestors, nearest first.
    std::vector<Ref<UIGestureRecognizer>> recognizers;
    for (UIView* v = hit; v; v = v->superview()) {
        for (auto& r : v->gestureRecognizers()) {
            if (!r->isEnabled() || controlWinsOver(r, hit))
                continue;
            auto s = r->state();
            if (s == UIGestureRecognizerStateFailed || s == UIGestureRecognizerStateEnded || s == UIGestureRecognizerStateCancelled)
                continue;
            if (uikit::sel::gestureRecognizerShouldReceiveTouch.isAnsweredBy(r->delegate())
                && !uikit::sel::gestureRecognizerShouldReceiveTouch(r->delegate(), r.ptr(), touch.ptr()))
                continue;
            recognizers.push_back(r);
        }
    }
    for (auto& r : recognizers) {
        touch->addRecognizer(r);
        gestureArenaAdd(r);
    }
    UITouchSet set { touch };
    for (auto& r : recognizers)
        r->touchesBegan(set, event);
    deliverTouchBegan(touch, event);
    dispatch::RunLoop::main().runUntilIdle();
    return hit;
}

void TouchDriver::touchMove(CGPoint point, int finger)
{
    auto it = m_touches.find(finger);
    if (it == m_touches.end())
        return;
    Ref<UITouch> touch = it->second;
    touch->moveTo(point);
    touch->setPhase(UITouchPhaseMoved);
    touch->setTimestamp(nowSeconds());
    auto event = makeEvent(m_touches);
    UITouchSet set { touch };
    for (auto& weak : std::vector<objc::WeakRef<UIGestureRecognizer>>(touch->gestureRecognizers()))
        if (Ref<UIGestureRecognizer> r = weak.strong())
            if (std::find(r->touches().begin(), r->touches().end(), touch) != r->touches().end())
                r->touchesMoved(set, event);
    deliverTouchMoved(touch, event);
    dispatch::RunLoop::main().runUntilIdle();
}

void TouchDriver::touchUp(CGPoint point, int finger)
{
    auto it = m_touches.find(finger);
    if (it == m_touches.end())
        return;
    Ref<UITouch> touch = it->second;
    if (touch->windowLocation() != point)
        touchMove(point, finger);
    touch->setPhase(UITouchPhaseEnded);
    touch->setTimestamp(nowSeconds());
    auto event = makeEvent(m_touches);
    m_touches.erase(finger);
    UITouchSet set { touch };
    for (auto& weak : std::vector<objc::WeakRef<UIGestureRecognizer>>(touch->gestureRecognizers()))
        if (Ref<UIGestureRecognizer> r = weak.strong())
            if (std::find(r->touches().begin(), r->touches().end(), touch) != r->touches().end())
                r->touchesEnded(set, event);
    deliverTouchEnded(touch, event);
    auto& st = state();
    st.touchesDown = std::max(0, st.touchesDown - 1);
    if (st.touchesDown == 0)
        gestureArenaSettle();
    bool inPlace = std::hypot(point.x - touch->windowStartLocation().x, point.y - touch->windowStartLocation().y) <= kTapSlop;
    if (inPlace) {
        m_lastTapPoint = point;
        m_lastTapTime = nowSeconds();
        m_lastTapCount = static_cast<unsigned>(touch->tapCount());
    } else {
        m_lastTapTime = -1;
    }
    dispatch::RunLoop::main().runUntilIdle();
}

void TouchDriver::touchCancel(int finger)
{
    auto it = m_touches.find(finger);
    if (it == m_touches.end())
        return;
    Ref<UITouch> touch = it->second;
    m_touches.erase(it);
    touch->setPhase(UITouchPhaseCancelled);
    auto event = makeEvent({});
    UITouchSet set { touch };
    for (auto& weak : std::vector<objc::WeakRef<UIGestureRecognizer>>(touch->gestureRecognizers()))
        if (Ref<UIGestureRecognizer> r = weak.strong())
            r->touchesCancelled(set, event);
    deliverTouchCancelled(touch, event);
    auto& st = state();
    st.touchesDown = std::max(0, st.touchesDown - 1);
    if (st.touchesDown == 0)
        gestureArenaSettle();
}

void TouchDriver::cancelAll()
{
    std::vector<int> down;
    for (auto& [finger, touch] : m_touches)
        down.push_back(finger);
    for (int finger : down)
        touchCancel(finger);
}

void TouchDriver::tap(CGPoint point, int taps)
{
    for (int i = 0; i < std::max(1, taps); ++i) {
        if (i > 0)
            advanceClock(0.1);
        touchDown(point);
        advanceClock(0.05);
        touchUp(point);
    }
}

void TouchDriver::longPress(CGPoint point, double seconds)
{
    touchDown(point);
    advanceClock(seconds);
    touchUp(point);
}

void TouchDriver::swipe(CGPoint from, CGPoint to, double seconds, int steps)
{
    steps = std::max(1, steps);
    touchDown(from);
    for (int i = 1; i <= steps; ++i) {
        advanceClock(seconds / steps);
        double f = static_cast<double>(i) / steps;
        touchMove(CGPointMake(from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f));
    }
    touchUp(to);
}

void TouchDriver::drag(CGPoint from, CGPoint to, double seconds, int steps, double holdSeconds)
{
    steps = std::max(1, steps);
    touchDown(from);
    for (int i = 1; i <= steps; ++i) {
        advanceClock(seconds / steps);
        double f = static_cast<double>(i) / steps;
        touchMove(CGPointMake(from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f));
    }
    advanceClock(holdSeconds);
    touchUp(to);
}

void TouchDriver::pinch(CGPoint center, double scale, double seconds, int steps, double startDistance)
{
    steps = std::max(1, steps);
    const int a = 100, b = 101;
    auto place = [&](double distance, int side) { return CGPointMake(center.x + side * distance / 2, center.y); };
    touchDown(place(startDistance, -1), a);
    touchDown(place(startDistance, 1), b);
    for (int i = 1; i <= steps; ++i) {
        advanceClock(seconds / steps);
        double d = startDistance * (1 + (scale - 1) * static_cast<double>(i) / steps);
        touchMove(place(d, -1), a);
        touchMove(place(d, 1), b);
    }
    double end = startDistance * scale;
    touchUp(place(end, -1), a);
    touchUp(place(end, 1), b);
}

void TouchDriver::typeText(const std::string& text)
{
    Ref<UIResponder> responder = state().firstResponder.strong();
    if (auto* field = dynamic_cast<UITextField*>(responder.ptr()))
        field->insertText(text);
    dispatch::RunLoop::main().runUntilIdle();
}

} // namespace uikit
