#pragma once

#include "platform/uikit/UIGestureRecognizer.h"

// Continuous, two fingers: begins when their distance changes; `scale` is the distance relative
// to the distance when the scale was last set (set it to 1 in the action to get increments).
class UIPinchGestureRecognizer : public UIGestureRecognizer {
    OBJC_CLASS(UIPinchGestureRecognizer)
public:
    CGFloat scale() const;
    void setScale(CGFloat scale);
    CGFloat velocity() const { return m_velocity; }

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods this class overrides.
    void handleTouchesBegan(const UITouchSet& touches, UIEvent* event);
    void handleTouchesMoved(const UITouchSet& touches, UIEvent* event);
    void handleTouchesEnded(const UITouchSet& touches, UIEvent* event);
    void handleReset();

    CGFloat distance() const;

    CGFloat m_initialDistance = 0;
    CGFloat m_baseDistance = 0;
    CGFloat m_baseScale = 1;
    CGFloat m_currentDistance = 0;
    CGFloat m_velocity = 0;
};
