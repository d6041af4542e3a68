#include "platform/uikit/UIWindow.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UIViewController.h"

#include <algorithm>

using objc::Ref;

Ref<UIWindow> UIWindow::create(CGRect frame)
{
    auto window = objc::make<UIWindow>();
    uikit::sel::initWithFrame(window, frame);
    return window;
}

void UIWindow::setRootViewController(UIViewController* controller) { uikit::sel::setRootViewController(this, controller); }

void UIWindow::makeKeyAndVisible() { uikit::sel::makeKeyAndVisible(this); }

void UIWindow::makeKeyWindow() { uikit::sel::makeKeyWindow(this); }

bool UIWindow::isKeyWindow() const { return uikit::state().keyWindow.ptr() == this; }

UIViewController* UIWindow::topmostViewController() const
{
    UIViewController* top = m_rootViewController.ptr();
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}

// Registration -----------------------------------------------------------------------------------

Ref<objc::Object> UIWindow::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UIWindow>(), this, frame);
    // Windows start hidden, as on the phone, until made visible.
    UIView::setHidden(true);
    auto& windows = uikit::state().windows;
    windows.erase(std::remove_if(windows.begin(), windows.end(), [](auto& w) { return !w; }), windows.end());
    windows.emplace_back(this);
    return Ref<objc::Object>(this);
}

void UIWindow::showRootViewController(UIViewController* controller)
{
    if (m_rootViewController.ptr() == controller)
        return;
    Ref<UIViewController> old = m_rootViewController;
    bool visible = !isHidden();
    if (old) {
        if (visible)
            old->beginAppearance(false, false);
        if (UIView* v = old->viewIfLoaded(); v && v->superview() == this)
            v->removeFromSuperview();
        if (visible)
            old->endAppearance();
    }
    m_rootViewController = controller;
    if (!controller)
        return;
    Ref<UIView> view = controller->view();
    view->setFrame(bounds());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    if (visible)
        controller->beginAppearance(true, false);
    insertSubviewAtIndex(view, 0);
    if (visible)
        controller->endAppearance();
}

void UIWindow::takeKeyWindow() { uikit::state().keyWindow = this; }

void UIWindow::takeKeyAndShow()
{
    uikit::state().keyWindow = this;
    if (!isHidden())
        return;
    setHidden(false);
    if (UIViewController* root = rootViewController(); root && !root->isVisible()) {
        Ref<UIViewController> keep(root);
        root->beginAppearance(true, false);
        root->endAppearance();
    }
}

namespace {
// A window is the end of the view part of the responder chain; the application follows.
Ref<UIResponder> windowHasNoNextResponder(UIWindow*) { return nullptr; }
} // namespace

void UIWindow::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIWindow>(rt, "UIView")
        .method(sel::initWithFrame, &UIWindow::initWithFrame)
        .method(sel::rootViewController, &UIWindow::rootViewController)
        .method(sel::setRootViewController, &UIWindow::showRootViewController)
        .method(sel::makeKeyWindow, &UIWindow::takeKeyWindow)
        .method(sel::makeKeyAndVisible, &UIWindow::takeKeyAndShow)
        .method(sel::isKeyWindow, &UIWindow::isKeyWindow)
        .method(sel::windowLevel, &UIWindow::windowLevel)
        .method(sel::setWindowLevel, &UIWindow::setWindowLevel)
        .method(sel::nextResponder, &windowHasNoNextResponder)
        .build();
}
