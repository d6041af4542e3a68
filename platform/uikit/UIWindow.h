#pragma once

#include "platform/uikit/UIView.h"

class UIViewController;

// The top of a view tree. Its root view controller's view fills it; presented controllers'
// views are laid over that, topmost last.
class UIWindow : public UIView {
    OBJC_CLASS(UIWindow)
public:
    // [[UIWindow alloc] initWithFrame:frame]
    static objc::Ref<UIWindow> create(CGRect frame);

    UIViewController* rootViewController() const { return m_rootViewController.ptr(); }
    void setRootViewController(UIViewController* controller);
    void makeKeyAndVisible();
    void makeKeyWindow();
    bool isKeyWindow() const;
    CGFloat windowLevel() const { return m_windowLevel; }
    void setWindowLevel(CGFloat level) { m_windowLevel = level; }

    // The controller whose view is on top: the root's presented chain, followed to its end.
    UIViewController* topmostViewController() const;

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void showRootViewController(UIViewController* controller);
    void takeKeyWindow();
    void takeKeyAndShow();

    objc::Ref<UIViewController> m_rootViewController;
    CGFloat m_windowLevel = 0;
};
