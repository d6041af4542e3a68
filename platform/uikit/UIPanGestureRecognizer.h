#pragma once

#include "platform/uikit/UIGestureRecognizer.h"

// Continuous: begins once the fingers' centroid has moved kTapSlop; the translation is the
// centroid's movement since it began (or since it was last set), measured in a given view.
class UIPanGestureRecognizer : public UIGestureRecognizer {
    OBJC_CLASS(UIPanGestureRecognizer)
public:
    CGPoint translationInView(UIView* view) const;
    void setTranslation(CGPoint translation, UIView* view);
    // Points per second, in `view`'s coordinates.
    CGPoint velocityInView(UIView* view) const;
    NSUInteger minimumNumberOfTouches() const { return m_minTouches; }
    void setMinimumNumberOfTouches(NSUInteger n) { m_minTouches = n ? n : 1; }
    NSUInteger maximumNumberOfTouches() const { return m_maxTouches; }
    void setMaximumNumberOfTouches(NSUInteger n) { m_maxTouches = n ? n : 1; }
    // Where the fingers went down (window coordinates), for recognizers that decide by direction.
    CGPoint startLocation() const { return m_start; }

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods this class overrides.
    void handleTouchesBegan(const UITouchSet& touches, UIEvent* event);
    void handleTouchesMoved(const UITouchSet& touches, UIEvent* event);
    void handleTouchesEnded(const UITouchSet& touches, UIEvent* event);
    void handleReset();

    NSUInteger m_minTouches = 1;
    NSUInteger m_maxTouches = 1000;
    CGPoint m_start;
    CGPoint m_anchor;
    CGPoint m_velocity;
    double m_lastTime = 0;
    CGPoint m_lastPoint;
};
