#pragma once

#include "platform/uikit/UIGestureRecognizer.h"

// Discrete: recognized when the finger lifts after numberOfTapsRequired taps in place, each
// within kMultipleTapInterval of the last.
class UITapGestureRecognizer : public UIGestureRecognizer {
    OBJC_CLASS(UITapGestureRecognizer)
public:
    NSUInteger numberOfTapsRequired() const { return m_tapsRequired; }
    void setNumberOfTapsRequired(NSUInteger n) { m_tapsRequired = n ? n : 1; }
    NSUInteger numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(NSUInteger n) { m_touchesRequired = n ? n : 1; }

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods this class overrides.
    void handleTouchesBegan(const UITouchSet& touches, UIEvent* event);
    void handleTouchesMoved(const UITouchSet& touches, UIEvent* event);
    void handleTouchesEnded(const UITouchSet& touches, UIEvent* event);
    void handleReset();
    bool waitsForNextTap() const;

    NSUInteger m_tapsRequired = 1;
    NSUInteger m_touchesRequired = 1;
    NSUInteger m_taps = 0;
    NSUInteger m_maxTouches = 0;
};
