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

    void touchesBegan(const UITouchSet&, UIEvent*) override;
    void touchesMoved(const UITouchSet&, UIEvent*) override;
    void touchesEnded(const UITouchSet&, UIEvent*) override;
    void reset() override;
    bool isWaitingForNextSequence() const override;

    static void registerClass(objc::Runtime&);

private:
    NSUInteger m_tapsRequired = 1;
    NSUInteger m_touchesRequired = 1;
    NSUInteger m_taps = 0;
    NSUInteger m_maxTouches = 0;
};
