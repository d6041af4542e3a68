#include "platform/uikit/UIWindow.h"

#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UIViewController.h"

#include <algorithm>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

Ref<UIWindow> UIWindow::create(CGRect frame)
{
    auto window = objc::make<UIWindow>();
    msgSend<Ref<objc::Object>>(window, "initWithFrame:", frame);
    return window;
}

void UIWindow::setRootViewController(UIViewController* controller) { msgSend(this, "setRootViewController:", controller); }

void UIWindow::makeKeyAndVisible() { msgSend(this, "makeKeyAndVisible"); }

void UIWindow::makeKeyWindow() { msgSend(this, "makeKeyWindow"); }

bool UIWindow::isKeyWindow() const { return uikit::state().keyWindow.ptr() == this; }

UIViewController* UIWindow::topmostViewController() const
{
    UIViewController* top = m_rootViewController.ptr();
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}

void UIWindow::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIWindow>("UIView");
    c->addMethod("initWithFrame:", [c](UIWindow* self, SEL, CGRect frame) -> Ref<objc::Object> {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        // Windows start hidden, as on the phone, until made visible.
        self->UIView::setHidden(true);
        auto& windows = uikit::state().windows;
        windows.erase(std::remove_if(windows.begin(), windows.end(), [](auto& w) { return !w; }), windows.end());
        windows.emplace_back(self);
        return Ref<objc::Object>(self);
    });
    c->addMethod("rootViewController", [](UIWindow* self, SEL) { return Ref<UIViewController>(self->rootViewController()); });
    c->addMethod("setRootViewController:", [](UIWindow* self, SEL, UIViewController* controller) {
        if (self->m_rootViewController.ptr() == controller)
            return;
        Ref<UIViewController> old = self->m_rootViewController;
        bool visible = !self->isHidden();
        if (old) {
            if (visible)
                old->beginAppearance(false, false);
            if (UIView* v = old->viewIfLoaded(); v && v->superview() == self)
                v->removeFromSuperview();
            if (visible)
                old->endAppearance();
        }
        self->m_rootViewController = controller;
        if (!controller)
            return;
        Ref<UIView> view = controller->view();
        view->setFrame(self->bounds());
        view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        if (visible)
            controller->beginAppearance(true, false);
        self->insertSubviewAtIndex(view, 0);
        if (visible)
            controller->endAppearance();
    });
    c->addMethod("makeKeyWindow", [](UIWindow* self, SEL) { uikit::state().keyWindow = self; });
    c->addMethod("makeKeyAndVisible", [](UIWindow* self, SEL) {
        uikit::state().keyWindow = self;
        if (!self->isHidden())
            return;
        self->setHidden(false);
        if (UIViewController* root = self->rootViewController(); root && !root->isVisible()) {
            Ref<UIViewController> keep(root);
            root->beginAppearance(true, false);
            root->endAppearance();
        }
    });
    c->addMethod("isKeyWindow", [](UIWindow* self, SEL) { return self->isKeyWindow(); });
    c->addMethod("windowLevel", [](UIWindow* self, SEL) { return self->windowLevel(); });
    c->addMethod("setWindowLevel:", [](UIWindow* self, SEL, double level) { self->setWindowLevel(level); });
    // A window is the end of the view part of the responder chain; the application follows.
    c->addMethod("nextResponder", [](UIWindow*, SEL) { return objc::Ref<UIResponder>(); });
}
