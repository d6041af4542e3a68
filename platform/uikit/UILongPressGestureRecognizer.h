#pragma once

#include "platform/uikit/UIGestureRecognizer.h"

// Continuous: begins once a finger has stayed down (moving no more than allowableMovement) for
// minimumPressDuration on the virtual clock; changes as it moves; ends when it lifts.
class UILongPressGestureRecognizer : public UIGestureRecognizer {
    OBJC_CLASS(UILongPressGestureRecognizer)
public:
    NSTimeInterval minimumPressDuration() const { return m_minimumPressDuration; }
    void setMinimumPressDuration(NSTimeInterval d) { m_minimumPressDuration = d; }
    CGFloat allowableMovement() const { return m_allowableMovement; }
    void setAllowableMovement(CGFloat m) { m_allowableMovement = m; }
    NSUInteger numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(NSUInteger n) { m_touchesRequired = n ? n : 1; }

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods this class overrides.
    void handleTouchesBegan(const UITouchSet& touches, UIEvent* event);
    void handleTouchesMoved(const UITouchSet& touches, UIEvent* event);
    void handleTouchesEnded(const UITouchSet& touches, UIEvent* event);

    NSTimeInterval m_minimumPressDuration = 0.5;
    CGFloat m_allowableMovement = 10;
    NSUInteger m_touchesRequired = 1;
    CGPoint m_start;
};
