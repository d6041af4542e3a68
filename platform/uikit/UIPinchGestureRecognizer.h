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

    void touchesBegan(const UITouchSet&, UIEvent*) override;
    void touchesMoved(const UITouchSet&, UIEvent*) override;
    void touchesEnded(const UITouchSet&, UIEvent*) override;
    void reset() override;

    static void registerClass(objc::Runtime&);

private:
    CGFloat distance() const;

    CGFloat m_initialDistance = 0;
    CGFloat m_baseDistance = 0;
    CGFloat m_baseScale = 1;
    CGFloat m_currentDistance = 0;
    CGFloat m_velocity = 0;
};
