#pragma once

#include "platform/uikit/UIGestureRecognizer.h"

// Discrete: recognized when the finger travels kSwipeMinimumDistance in one of the permitted
// directions within kSwipeMaximumDuration; fails for other directions, slow drags and taps.
class UISwipeGestureRecognizer : public UIGestureRecognizer {
    OBJC_CLASS(UISwipeGestureRecognizer)
public:
    NSUInteger direction() const { return m_direction; }
    void setDirection(NSUInteger d) { m_direction = d; }
    NSUInteger numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(NSUInteger n) { m_touchesRequired = n ? n : 1; }

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods this class overrides.
    void handleTouchesBegan(const UITouchSet& touches, UIEvent* event);
    void handleTouchesMoved(const UITouchSet& touches, UIEvent* event);
    void handleTouchesEnded(const UITouchSet& touches, UIEvent* event);
    void handleReset();

    NSUInteger m_direction = UISwipeGestureRecognizerDirectionRight;
    NSUInteger m_touchesRequired = 1;
    CGPoint m_start;
    double m_startTime = 0;
    bool m_started = false;
};

namespace uikit {
inline constexpr CGFloat kSwipeMinimumDistance = 30;
inline constexpr double kSwipeMaximumDuration = 0.5;
} // namespace uikit
