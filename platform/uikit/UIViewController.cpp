#include "platform/uikit/UIViewController.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKitPresentationContainer.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <cmath>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

namespace {

void afterTransition(bool animated, std::function<void()> block)
{
    auto delay = animated ? static_cast<dispatch::Nanoseconds>(std::llround(uikit::kTransitionSeconds * 1e9)) : 0;
    dispatch::RunLoop::main().post(std::move(block), delay);
}

std::string describe(const UIViewController* vc) { return "<" + objc::classNameOf(vc) + ">"; }

} // namespace

UIViewController::UIViewController() = default;

UIViewController::~UIViewController()
{
    if (m_view)
        m_view->setViewController(nullptr);
}

Ref<UIViewController> UIViewController::create()
{
    auto vc = objc::make<UIViewController>();
    msgSend<Ref<objc::Object>>(vc, "init");
    return vc;
}

Ref<UIView> UIViewController::view() { return msgSend<Ref<UIView>>(this, "view"); }

void UIViewController::setView(UIView* view) { msgSend(this, "setView:", view); }

std::string UIViewController::title() const { return msgSend<std::string>(const_cast<UIViewController*>(this), "title"); }

void UIViewController::setTitle(const std::string& title) { msgSend(this, "setTitle:", title); }

UINavigationItem* UIViewController::navigationItem()
{
    if (!m_navigationItem) {
        m_navigationItem = objc::make<UINavigationItem>();
        m_navigationItem->setTitle(m_title);
    }
    return m_navigationItem.ptr();
}

UINavigationController* UIViewController::navigationController() const
{
    for (UIViewController* p = m_parent.ptr(); p; p = p->parentViewController())
        if (auto* nav = dynamic_cast<UINavigationController*>(p))
            return nav;
    return nullptr;
}

UIViewController* UIViewController::presentingViewController() const
{
    for (const UIViewController* c = this; c; c = c->parentViewController())
        if (UIViewController* p = c->m_presenting.ptr())
            return p;
    return nullptr;
}

UIPopoverPresentationController* UIViewController::popoverPresentationController()
{
    if (!m_popover) {
        m_popover = objc::make<UIPopoverPresentationController>();
        m_popover->setPresentedViewController(this);
    }
    return m_popover.ptr();
}

void UIViewController::presentViewController(UIViewController* controller, bool animated, UIPresentationCompletion completion)
{
    msgSend(this, "presentViewController:animated:completion:", controller, animated, completion);
}

void UIViewController::dismissViewControllerAnimated(bool animated, UIPresentationCompletion completion)
{
    msgSend(this, "dismissViewControllerAnimated:completion:", animated, completion);
}

void UIViewController::addChildViewController(UIViewController* child)
{
    if (!child || child->m_parent.ptr() == this)
        return;
    Ref<UIViewController> keep(child);
    child->removeFromParentViewController();
    m_children.push_back(keep);
    child->m_parent = this;
}

void UIViewController::removeFromParentViewController()
{
    UIViewController* parent = m_parent.ptr();
    if (!parent)
        return;
    Ref<UIViewController> keep(this);
    auto& list = parent->m_children;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    m_parent = nullptr;
}

void UIViewController::beginAppearance(bool appearing, bool animated)
{
    Ref<UIViewController> keep(this);
    if (appearing && (m_appearance == Appearance::Disappeared || m_appearance == Appearance::Disappearing)) {
        m_appearance = Appearance::Appearing;
        // The view exists before the controller hears that it will appear.
        (void)view();
        msgSend(this, "viewWillAppear:", animated);
    } else if (!appearing && (m_appearance == Appearance::Appeared || m_appearance == Appearance::Appearing)) {
        m_appearance = Appearance::Disappearing;
        msgSend(this, "viewWillDisappear:", animated);
    } else {
        return;
    }
    if (auto* nav = dynamic_cast<UINavigationController*>(this)) {
        if (UIViewController* top = nav->topViewController())
            top->beginAppearance(appearing, animated);
    } else {
        for (auto& child : std::vector<Ref<UIViewController>>(m_children))
            child->beginAppearance(appearing, animated);
    }
}

void UIViewController::endAppearance()
{
    Ref<UIViewController> keep(this);
    if (m_appearance == Appearance::Appearing) {
        m_appearance = Appearance::Appeared;
        msgSend(this, "viewDidAppear:", true);
    } else if (m_appearance == Appearance::Disappearing) {
        m_appearance = Appearance::Disappeared;
        msgSend(this, "viewDidDisappear:", true);
    } else {
        return;
    }
    if (auto* nav = dynamic_cast<UINavigationController*>(this)) {
        if (UIViewController* top = nav->topViewController())
            top->endAppearance();
    } else {
        for (auto& child : std::vector<Ref<UIViewController>>(m_children))
            child->endAppearance();
    }
}

void UIViewController::placeInPresentationContainer(UIView* container, UIWindow* window)
{
    Ref<UIView> v = view();
    bool pad = UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiomPad;
    if (pad && m_modalPresentationStyle == UIModalPresentationPopover) {
        CGSize size = m_preferredContentSize;
        if (size.width <= 0 || size.height <= 0)
            size = CGSizeMake(320, 480);
        CGRect frame = popoverPresentationController()->frameForContentSize(size, window->bounds());
        v->setFrame(frame);
        v->setAutoresizingMask(UIViewAutoresizingNone);
        v->layer()->setCornerRadius(13);
        v->setClipsToBounds(true);
        objc::WeakRef<UIViewController> weak(this);
        static_cast<UIKitPresentationContainer*>(container)->setOutsideTapHandler([weak] {
            if (Ref<UIViewController> self = weak.strong())
                self->dismissViewControllerAnimated(true);
        });
    } else if (pad && (m_modalPresentationStyle == UIModalPresentationFormSheet || m_modalPresentationStyle == UIModalPresentationPageSheet)) {
        CGRect b = window->bounds();
        CGSize size = CGSizeMake(std::min(540.0, b.size.width), std::min(620.0, b.size.height));
        v->setFrame(CGRectMake((b.size.width - size.width) / 2, (b.size.height - size.height) / 2, size.width, size.height));
        container->setBackgroundColor(UIColor::colorWithWhite(0, 0.4));
    } else {
        v->setFrame(container->bounds());
        v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    }
    container->addSubview(v);
}

void UIViewController::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIViewController>("UIResponder");
    c->addMethod("_prepareForPresentation", [](UIViewController*, SEL) { });
    c->addMethod("_layoutInPresentationContainer:window:", [](UIViewController* self, SEL, UIView* container, UIWindow* window) { self->placeInPresentationContainer(container, window); });
    c->addMethod("initWithNibName:bundle:", [](UIViewController* self, SEL, objc::Object*, objc::Object*) { return Ref<objc::Object>(self); });
    c->addMethod("init", [](UIViewController* self, SEL) {
        return msgSend<Ref<objc::Object>>(self, "initWithNibName:bundle:", static_cast<objc::Object*>(nullptr), static_cast<objc::Object*>(nullptr));
    });
    c->addMethod("view", [](UIViewController* self, SEL) -> Ref<UIView> {
        if (!self->m_view && !self->m_loadingView) {
            self->m_loadingView = true;
            msgSend(self, "loadView");
            if (!self->m_view)
                self->setView(UIView::create(UIScreen::mainScreen()->bounds()));
            self->m_loadingView = false;
            msgSend(self, "viewDidLoad");
        }
        return self->m_view;
    });
    c->addMethod("viewIfLoaded", [](UIViewController* self, SEL) { return Ref<UIView>(self->viewIfLoaded()); });
    c->addMethod("isViewLoaded", [](UIViewController* self, SEL) { return self->isViewLoaded(); });
    c->addMethod("setView:", [](UIViewController* self, SEL, UIView* view) {
        if (self->m_view.ptr() == view)
            return;
        if (self->m_view && self->m_view->viewController() == self)
            self->m_view->setViewController(nullptr);
        self->m_view = view;
        if (view)
            view->setViewController(self);
    });
    c->addMethod("loadView", [](UIViewController* self, SEL) {
        auto view = UIView::create(UIScreen::mainScreen()->bounds());
        view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        self->setView(view);
    });
    c->addMethod("viewDidLoad", [](UIViewController*, SEL) { });
    c->addMethod("viewWillAppear:", [](UIViewController*, SEL, bool) { });
    c->addMethod("viewDidAppear:", [](UIViewController*, SEL, bool) { });
    c->addMethod("viewWillDisappear:", [](UIViewController*, SEL, bool) { });
    c->addMethod("viewDidDisappear:", [](UIViewController*, SEL, bool) { });
    c->addMethod("viewWillLayoutSubviews", [](UIViewController*, SEL) { });
    c->addMethod("viewDidLayoutSubviews", [](UIViewController*, SEL) { });
    c->addMethod("shouldAutorotate", [](UIViewController*, SEL) { return true; });
    c->addMethod("shouldAutorotateToInterfaceOrientation:", [](UIViewController*, SEL, NSInteger o) { return o == UIInterfaceOrientationPortrait; });
    c->addMethod("supportedInterfaceOrientations", [](UIViewController*, SEL) -> NSUInteger {
        return UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiomPad ? UIInterfaceOrientationMaskAll : UIInterfaceOrientationMaskAllButUpsideDown;
    });
    c->addMethod("preferredInterfaceOrientationForPresentation", [](UIViewController*, SEL) -> NSInteger { return UIInterfaceOrientationPortrait; });
    c->addMethod("prefersStatusBarHidden", [](UIViewController*, SEL) { return false; });
    c->addMethod("title", [](UIViewController* self, SEL) { return self->m_title; });
    c->addMethod("setTitle:", [](UIViewController* self, SEL, std::string title) {
        self->m_title = title;
        self->navigationItem()->setTitle(title);
    });
    c->addMethod("navigationItem", [](UIViewController* self, SEL) { return Ref<UINavigationItem>(self->navigationItem()); });
    c->addMethod("navigationController", [](UIViewController* self, SEL) { return Ref<UINavigationController>(self->navigationController()); });
    c->addMethod("presentedViewController", [](UIViewController* self, SEL) { return Ref<UIViewController>(self->presentedViewController()); });
    c->addMethod("presentingViewController", [](UIViewController* self, SEL) { return Ref<UIViewController>(self->presentingViewController()); });
    c->addMethod("parentViewController", [](UIViewController* self, SEL) { return Ref<UIViewController>(self->parentViewController()); });
    c->addMethod("popoverPresentationController", [](UIViewController* self, SEL) { return Ref<UIPopoverPresentationController>(self->popoverPresentationController()); });
    c->addMethod("setModalPresentationStyle:", [](UIViewController* self, SEL, NSInteger style) { self->setModalPresentationStyle(static_cast<UIModalPresentationStyle>(style)); });
    c->addMethod("modalPresentationStyle", [](UIViewController* self, SEL) { return self->modalPresentationStyle(); });
    c->addMethod("nextResponder", [](UIViewController* self, SEL) -> Ref<UIResponder> {
        if (UIView* v = self->viewIfLoaded())
            return Ref<UIResponder>(v->superview());
        return nullptr;
    });

    c->addMethod("presentViewController:animated:completion:", [](UIViewController* self, SEL, UIViewController* controller, bool animated, UIPresentationCompletion completion) {
        if (!controller)
            return;
        Ref<UIViewController> keepSelf(self);
        Ref<UIViewController> vc(controller);
        // Presentation happens from the outermost container (a page in a navigation controller
        // presents from the navigation controller).
        UIViewController* host = self;
        while (host->parentViewController())
            host = host->parentViewController();
        if (host->m_presented) {
            uikit::warn("Attempt to present " + describe(vc) + " on " + describe(host) + " which is already presenting " + describe(host->m_presented));
            return;
        }
        if (vc->m_presenting || vc->parentViewController()) {
            uikit::warn("Application tried to present modally an active controller " + describe(vc));
            return;
        }
        UIWindow* window = host->viewIfLoaded() ? host->viewIfLoaded()->window() : nullptr;
        if (!window) {
            uikit::warn("Attempt to present " + describe(vc) + " on " + describe(host) + " whose view is not in the window hierarchy!");
            return;
        }
        host->m_presented = vc;
        vc->m_presenting = host;
        vc->m_beingPresented = true;
        msgSend(vc, "_prepareForPresentation");
        auto container = UIKitPresentationContainer::create(window->bounds());
        vc->m_container = container;
        window->addSubview(container);
        msgSend(vc, "_layoutInPresentationContainer:window:", container.ptr(), window);
        bool coversPresenter = vc->m_modalPresentationStyle == UIModalPresentationFullScreen && objc::isKindOfClass(vc, "UIViewController") && !objc::isKindOfClass(vc, "UIAlertController");
        vc->beginAppearance(true, animated);
        Ref<UIViewController> hostRef(host);
        if (coversPresenter)
            host->beginAppearance(false, animated);
        afterTransition(animated, [vc, hostRef, coversPresenter, completion] {
            vc->m_beingPresented = false;
            vc->endAppearance();
            if (coversPresenter)
                hostRef->endAppearance();
            if (completion)
                completion();
        });
    });

    c->addMethod("dismissViewControllerAnimated:completion:", [](UIViewController* self, SEL, bool animated, UIPresentationCompletion completion) {
        Ref<UIViewController> keepSelf(self);
        // The receiver dismisses what it presents; a presented controller asks its presenter.
        UIViewController* host = nullptr;
        for (UIViewController* c = self; c && !host; c = c->parentViewController()) {
            if (c->m_presented)
                host = c;
            else if (c->m_presenting)
                host = c->m_presenting.ptr();
        }
        if (!host)
            return;
        Ref<UIViewController> hostRef(host);
        Ref<UIViewController> presented = host->m_presented;
        // Anything presented above goes first, without animation.
        if (presented->m_presented)
            presented->dismissViewControllerAnimated(false);
        host->m_presented = nullptr;
        presented->m_presenting = nullptr;
        presented->m_beingDismissed = true;
        bool coversPresenter = presented->m_modalPresentationStyle == UIModalPresentationFullScreen && !objc::isKindOfClass(presented, "UIAlertController");
        presented->beginAppearance(false, animated);
        if (coversPresenter)
            host->beginAppearance(true, animated);
        if (auto container = presented->m_container) {
            container->removeFromSuperview();
            if (UIView* v = presented->viewIfLoaded(); v && v->superview() == container)
                v->removeFromSuperview();
            presented->m_container = nullptr;
        }
        afterTransition(animated, [presented, hostRef, coversPresenter, completion] {
            presented->m_beingDismissed = false;
            presented->endAppearance();
            if (coversPresenter)
                hostRef->endAppearance();
            if (completion)
                completion();
        });
    });
}
