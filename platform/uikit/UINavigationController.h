#pragma once

#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UIViewController.h"

#include <functional>
#include <vector>

class NSArray;

// A stack of pages under a navigation bar. The top page's view fills the space below the bar;
// the bar shows the top page's navigation item.
//
// Runtime methods: initWithRootViewController:, pushViewController:animated:,
// popViewControllerAnimated:, popToRootViewControllerAnimated:, topViewController,
// visibleViewController, viewControllers (C++), navigationBar.
class UINavigationController : public UIViewController {
    OBJC_CLASS(UINavigationController)
public:
    // [[UINavigationController alloc] initWithRootViewController:root]
    static objc::Ref<UINavigationController> createWithRoot(UIViewController* root);

    const std::vector<objc::Ref<UIViewController>>& viewControllers() const { return m_stack; }
    void setViewControllers(std::vector<objc::Ref<UIViewController>> controllers, bool animated);
    UIViewController* topViewController() const { return m_stack.empty() ? nullptr : m_stack.back().ptr(); }
    // The top page, or what it presents.
    UIViewController* visibleViewController() const;
    void pushViewController(UIViewController* controller, bool animated);
    objc::Ref<UIViewController> popViewControllerAnimated(bool animated);
    void popToRootViewControllerAnimated(bool animated);

    UINavigationBar* navigationBar();
    bool isNavigationBarHidden() const { return m_barHidden; }
    void setNavigationBarHidden(bool hidden, bool animated);

    static void registerClass(objc::Runtime&);

    // Shows the top item in the bar (called when a page's navigation item changes).
    void updateNavigationBar();

private:
    // The implementations of the runtime methods (the C++ senders above keep their names).
    objc::Ref<objc::Object> initWithRoot(UIViewController* root);
    void loadNavigationView();
    objc::Ref<NSArray> viewControllersArray() const;
    void pushPage(UIViewController* controller, bool animated);
    objc::Ref<UIViewController> popPage(bool animated);
    objc::Ref<NSArray> popToRootPage(bool animated);

    // layoutSubviews of the root view: bar and page are laid out whenever its size changes.
    static void layoutRootView(UIView* rootView);
    void layoutPages();
    void switchPages(objc::Ref<UIViewController> outgoing, objc::Ref<UIViewController> incoming, bool animated, const std::function<void()>& detachLeaving);
    void installTopView();
    void slidePages(objc::Ref<UIView> leaving, objc::Ref<UIView> arriving, bool popping);
    void watchItem(UIViewController* controller);

    std::vector<objc::Ref<UIViewController>> m_stack;
    objc::Ref<UINavigationBar> m_bar;
    objc::Ref<UIView> m_content;
    bool m_barHidden = false;
};
