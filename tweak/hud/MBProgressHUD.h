#pragma once

// The modal progress overlay: laid over a host view, it dims it and shows a centred rounded box
// with a spinning indicator, a bold title and a smaller detail text. Shown before slow work on
// the main thread, hidden when the work is done. Runtime methods: showHUDAddedTo:animated:
// (class), showAnimated:, hideAnimated:, hideAnimated:afterDelay:, label, detailsLabel, button,
// backgroundView, bezelView, the settings below, layoutSubviews, didMoveToSuperview.
//
// Only the indeterminate mode (a large spinner) and the fade animation are built.

#include "tweak/hud/MBBackgroundView.h"
#include "tweak/hud/MBProgressHUDRoundedButton.h"
#include "tweak/hud/HUDSelectors.h"
#include "tweak/hud/ProgressHUDInterface.h"
#include "platform/foundation/NSTimer.h"
#include "platform/uikit/UIActivityIndicatorView.h"
#include "platform/uikit/UIKitSelectors.h"

#include <functional>

namespace ovrimo::hud {

class MBProgressHUD : public UIView {
    OBJC_CLASS(MBProgressHUD)
public:
    // The parts, bottom to top.
    MBBackgroundView* backgroundPart() const { return m_backgroundView.ptr(); }
    MBBackgroundView* bezelPart() const { return m_bezelView.ptr(); }
    UIActivityIndicatorView* indicator() const { return m_indicator.ptr(); }
    UILabel* labelPart() const { return m_label.ptr(); }
    UILabel* detailsLabelPart() const { return m_detailsLabel.ptr(); }
    MBProgressHUDRoundedButton* buttonPart() const { return m_button.ptr(); }

    // Settings, with their defaults.
    std::int64_t mode() const { return 0; }          // indeterminate
    std::int64_t animationType() const { return 0; } // fade
    double margin() const { return m_margin; }
    double opacity() const { return m_opacity; }
    void setOpacity(double opacity) { m_opacity = opacity; }
    UIColor* contentColor() const { return m_contentColor.ptr(); }
    double graceTime() const { return m_graceTime; }
    double minShowTime() const { return m_minShowTime; }
    CGPoint offset() const { return m_offset; }
    CGSize minSize() const { return m_minSize; }
    void setMinSize(CGSize size);
    bool isSquare() const { return m_square; }
    void setSquare(bool on);
    bool defaultMotionEffectsEnabled() const { return m_motionEffects; }
    bool removeFromSuperViewOnHide() const { return m_removeFromSuperViewOnHide; }
    // Called once the overlay is hidden, before the delegate hears of it.
    void setCompletionBlock(std::function<void()> block) { m_completion = std::move(block); }

    bool isFinished() const { return m_finished; }

    static void registerClass(objc::Runtime&);

private:
    static Ref<UIView> showHUDAddedTo(UIView* view, bool animated);
    Ref<Object> initWithFrame(CGRect frame);
    void show(bool animated);
    void hide(bool animated);
    void hideAfterDelay(bool animated, double delay);
    Ref<UILabel> labelRef();
    Ref<UILabel> detailsLabelRef();
    Ref<UIButton> buttonRef();
    Ref<UIView> backgroundViewRef();
    Ref<UIView> bezelViewRef();
    void setRemoveOnHide(bool on) { m_removeFromSuperViewOnHide = on; }
    void setGraceTimeValue(double seconds);
    void setMinShowTimeValue(double seconds);
    void setOffsetValue(CGPoint offset);
    void setMarginValue(double margin);
    void setDelegateValue(Object* delegate) { m_delegate = delegate; }
    void layOutBox();
    void movedToSuperview();

    void showUsingAnimation(bool animated);
    void hideUsingAnimation(bool animated);
    void animateIn(bool in);
    void graceTimeEnded();
    void minShowTimeEnded();
    void hideDelayEnded();
    void finish();
    static void cancel(Ref<NSTimer>& timer);
    Ref<NSTimer> startTimer(double seconds, const Sel<void()>& action);

    Ref<MBBackgroundView> m_backgroundView;
    Ref<MBBackgroundView> m_bezelView;
    Ref<UIActivityIndicatorView> m_indicator;
    Ref<UILabel> m_label;
    Ref<UILabel> m_detailsLabel;
    Ref<MBProgressHUDRoundedButton> m_button;

    double m_margin = 20;
    double m_opacity = 1;
    Ref<UIColor> m_contentColor;
    double m_graceTime = 0;
    double m_minShowTime = 0;
    CGPoint m_offset {};
    CGSize m_minSize {};
    bool m_square = false;
    bool m_motionEffects = true;
    bool m_removeFromSuperViewOnHide = false;
    std::function<void()> m_completion;
    objc::WeakRef<Object> m_delegate;

    bool m_useAnimation = true;
    bool m_finished = false;
    bool m_shown = false;
    dispatch::Nanoseconds m_showStarted = -1;
    // Each animation in or out takes a new number; a completion whose number is no longer the
    // current one belongs to an animation that a later show or hide has replaced.
    unsigned m_animation = 0;
    Ref<NSTimer> m_graceTimer;
    Ref<NSTimer> m_minShowTimer;
    Ref<NSTimer> m_hideDelayTimer;
};

// Registers MBBackgroundView, MBProgressHUDRoundedButton and MBProgressHUD (once per runtime),
// and takes the calling thread as the main thread the overlay must be used on. False, with a
// diagnostic, when a class could not be registered.
bool RegisterHUDClasses(objc::Runtime& rt);

} // namespace ovrimo::hud
