#pragma once

#include "platform/uikit/UIView.h"

#include <functional>

// The full-window view a presented controller's view is laid in (the platform's transition view).
// It may dim what lies below it, and reports touches that land on it outside the presented view
// (how a popover is dismissed by tapping elsewhere).
class UIKitPresentationContainer : public UIView {
    OBJC_CLASS(UITransitionView)
public:
    static objc::Ref<UIKitPresentationContainer> create(CGRect frame);

    void setOutsideTapHandler(std::function<void()> handler) { m_outsideTap = std::move(handler); }

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the touch methods: touches that land on the container itself are
    // taps outside the presented view; none goes further up the responder chain.
    void ignoreTouches(const UITouchSet& touches, UIEvent* event);
    void touchesEndedWithEvent(const UITouchSet& touches, UIEvent* event);

    std::function<void()> m_outsideTap;
};
