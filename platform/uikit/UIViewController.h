#pragma once

#include "platform/uikit/UIView.h"

#include <functional>
#include <string>
#include <vector>

class UINavigationController;
class UINavigationItem;
class UIPopoverPresentationController;

// A screen: owns a root view (made on first use by loadView, then viewDidLoad), can present
// another controller modally, and may live inside a navigation controller.
//
// Runtime methods (for subclasses and replacements; the C++ API sends them): loadView,
// viewDidLoad, viewWillAppear:, viewDidAppear:, viewWillDisappear:, viewDidDisappear:,
// viewWillLayoutSubviews, viewDidLayoutSubviews, shouldAutorotate,
// shouldAutorotateToInterfaceOrientation:, supportedInterfaceOrientations,
// preferredInterfaceOrientationForPresentation, prefersStatusBarHidden,
// presentViewController:animated:completion:, dismissViewControllerAnimated:completion:,
// view, setView:, title, setTitle:, presentedViewController, presentingViewController.
class UIViewController : public UIResponder {
    OBJC_CLASS(UIViewController)
public:
    UIViewController();
    ~UIViewController() override;

    // [[UIViewController alloc] init]
    static objc::Ref<UIViewController> create();

    // The root view, loaded on first use.
    objc::Ref<UIView> view();
    UIView* viewIfLoaded() const { return m_view.ptr(); }
    bool isViewLoaded() const { return m_view != nullptr; }
    void setView(UIView* view);
    void loadViewIfNeeded() { (void)view(); }

    std::string title() const;
    void setTitle(const std::string& title);
    UINavigationItem* navigationItem();
    UINavigationController* navigationController() const;

    // Presentation.
    void presentViewController(UIViewController* controller, bool animated, UIPresentationCompletion completion = nullptr);
    void dismissViewControllerAnimated(bool animated, UIPresentationCompletion completion = nullptr);
    UIViewController* presentedViewController() const { return m_presented.ptr(); }
    UIViewController* presentingViewController() const;
    UIModalPresentationStyle modalPresentationStyle() const { return m_modalPresentationStyle; }
    void setModalPresentationStyle(UIModalPresentationStyle style) { m_modalPresentationStyle = style; }
    // Made on first use; records the source view and rectangle of a popover.
    UIPopoverPresentationController* popoverPresentationController();
    UIPopoverPresentationController* existingPopoverPresentationController() const { return m_popover.ptr(); }
    CGSize preferredContentSize() const { return m_preferredContentSize; }
    void setPreferredContentSize(CGSize size) { m_preferredContentSize = size; }
    bool isBeingPresented() const { return m_beingPresented; }
    bool isBeingDismissed() const { return m_beingDismissed; }

    // Containment.
    UIViewController* parentViewController() const { return m_parent.ptr(); }
    const std::vector<objc::Ref<UIViewController>>& childViewControllers() const { return m_children; }
    void addChildViewController(UIViewController* child);
    void removeFromParentViewController();

    // Appearance callbacks, in order, as the platform sends them.
    void beginAppearance(bool appearing, bool animated);
    void endAppearance();
    bool isVisible() const { return m_appearance == Appearance::Appeared || m_appearance == Appearance::Appearing; }

    // The view presented controllers' views are laid in (set while presented).
    UIView* presentationContainer() const { return m_container.ptr(); }

    // Presenting sends the controller two private runtime methods that subclasses override:
    // _prepareForPresentation (empty here; for controllers that build their view when shown),
    // then, once its presentation container exists, _layoutInPresentationContainer:window:,
    // which sizes and places the view. Animated presentations and dismissals then send
    // _animateTransitionInContainer:appearing:, which starts the motion (here: the view slides
    // up from the bottom and back down, a popover fades); the container leaves the window once
    // the transition is over.
    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods (the C++ senders above keep their names).
    objc::Ref<objc::Object> initWithNibNameBundle(objc::Object* nibName, objc::Object* bundle);
    objc::Ref<objc::Object> initController();
    objc::Ref<UIView> loadedView();
    void applyView(UIView* view);
    void loadDefaultView();
    std::string storedTitle() const { return m_title; }
    void applyTitle(std::string title);
    objc::Ref<UIResponder> responderAfterView();
    void presentModally(UIViewController* controller, bool animated, UIPresentationCompletion completion);
    void dismissPresented(bool animated, UIPresentationCompletion completion);
    void prepareForPresentation() { }
    // _layoutInPresentationContainer:window:
    void placeInPresentationContainer(UIView* container, UIWindow* window);
    // _animateTransitionInContainer:appearing:
    void slideInContainer(UIView* container, bool appearing);
    bool showsAsPopover() const;

    friend class UINavigationController;
    enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };

    objc::Ref<UIView> m_view;
    std::string m_title;
    objc::Ref<UINavigationItem> m_navigationItem;
    objc::Ref<UIViewController> m_presented;
    objc::WeakRef<UIViewController> m_presenting;
    objc::Ref<UIView> m_container;
    objc::Ref<UIPopoverPresentationController> m_popover;
    UIModalPresentationStyle m_modalPresentationStyle = UIModalPresentationFullScreen;
    CGSize m_preferredContentSize;
    objc::WeakRef<UIViewController> m_parent;
    std::vector<objc::Ref<UIViewController>> m_children;
    Appearance m_appearance = Appearance::Disappeared;
    bool m_beingPresented = false;
    bool m_beingDismissed = false;
    bool m_loadingView = false;
};

namespace uikit {
// How long a modal transition or a navigation push or pop takes when animated.
inline constexpr double kTransitionSeconds = 0.3;
// Runs `block` on the main run loop once such a transition has ended (at once when not animated).
void afterTransition(bool animated, std::function<void()> block);
} // namespace uikit
