#include "platform/uikit/UIViewController.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKitPresentationContainer.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <cmath>

using objc::Ref;
namespace sel = uikit::sel;

void uikit::afterTransition(bool animated, std::function<void()> block)
{
    auto delay = animated ? static_cast<dispatch::Nanoseconds>(std::llround(kTransitionSeconds * 1e9)) : 0;
    dispatch::RunLoop::main().post(std::move(block), delay);
}

using uikit::afterTransition;

namespace {

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
    sel::init(vc);
    return vc;
}

Ref<UIView> UIViewController::view() { return sel::view(this); }

void UIViewController::setView(UIView* view) { sel::setView(this, view); }

std::string UIViewController::title() const { return sel::title(const_cast<UIViewController*>(this)); }

void UIViewController::setTitle(const std::string& title) { sel::setTitle(this, title); }

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
    sel::presentViewControllerAnimatedCompletion(this, controller, animated, completion);
}

void UIViewController::dismissViewControllerAnimated(bool animated, UIPresentationCompletion completion)
{
    sel::dismissViewControllerAnimatedCompletion(this, animated, completion);
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
        sel::viewWillAppear(this, animated);
    } else if (!appearing && (m_appearance == Appearance::Appeared || m_appearance == Appearance::Appearing)) {
        m_appearance = Appearance::Disappearing;
        sel::viewWillDisappear(this, animated);
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
        sel::viewDidAppear(this, true);
    } else if (m_appearance == Appearance::Disappearing) {
        m_appearance = Appearance::Disappeared;
        sel::viewDidDisappear(this, true);
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

bool UIViewController::showsAsPopover() const
{
    return m_modalPresentationStyle == UIModalPresentationPopover && UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiomPad;
}

void UIViewController::placeInPresentationContainer(UIView* container, UIWindow* window)
{
    Ref<UIView> v = view();
    bool pad = UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiomPad;
    if (showsAsPopover()) {
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

void UIViewController::slideInContainer(UIView* container, bool appearing)
{
    Ref<UIView> v(viewIfLoaded());
    if (!v || !container)
        return;
    Ref<UIView> box(container);
    if (showsAsPopover()) {
        if (appearing)
            v->setAlpha(0);
        UIView::animateWithDuration(uikit::kTransitionSeconds, [v, appearing] { v->setAlpha(appearing ? 1 : 0); });
        return;
    }
    // From (or to) just below the bottom edge, while a dimmed background fades in (or out).
    CGPoint shown = v->center();
    CGPoint below = CGPointMake(shown.x, shown.y + container->bounds().size.height - v->frame().origin.y);
    Ref<UIColor> dim(container->backgroundColor());
    Ref<UIColor> clear = UIColor::colorWithWhite(0, 0);
    if (appearing) {
        v->setCenter(below);
        if (dim)
            container->setBackgroundColor(clear);
    }
    UIView::animateWithDuration(uikit::kTransitionSeconds, 0, UIViewAnimationOptionCurveEaseInOut, [v, box, appearing, shown, below, dim, clear] {
        v->setCenter(appearing ? shown : below);
        if (dim)
            box->setBackgroundColor(appearing ? dim : clear);
    }, nullptr);
}

Ref<objc::Object> UIViewController::initWithNibNameBundle(objc::Object*, objc::Object*) { return Ref<objc::Object>(this); }

Ref<objc::Object> UIViewController::initController() { return sel::initWithNibNameBundle(this, nullptr, nullptr); }

Ref<UIView> UIViewController::loadedView()
{
    if (!m_view && !m_loadingView) {
        m_loadingView = true;
        sel::loadView(this);
        if (!m_view)
            setView(UIView::create(UIScreen::mainScreen()->bounds()));
        m_loadingView = false;
        sel::viewDidLoad(this);
    }
    return m_view;
}

void UIViewController::applyView(UIView* view)
{
    if (m_view.ptr() == view)
        return;
    if (m_view && m_view->viewController() == this)
        m_view->setViewController(nullptr);
    m_view = view;
    if (view)
        view->setViewController(this);
}

void UIViewController::loadDefaultView()
{
    auto view = UIView::create(UIScreen::mainScreen()->bounds());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    setView(view);
}

void UIViewController::applyTitle(std::string title)
{
    m_title = title;
    navigationItem()->setTitle(title);
}

Ref<UIResponder> UIViewController::responderAfterView()
{
    if (UIView* v = viewIfLoaded())
        return Ref<UIResponder>(v->superview());
    return nullptr;
}

void UIViewController::presentModally(UIViewController* controller, bool animated, UIPresentationCompletion completion)
{
    if (!controller)
        return;
    Ref<UIViewController> keepSelf(this);
    Ref<UIViewController> vc(controller);
    // Presentation happens from the outermost container (a page in a navigation controller
    // presents from the navigation controller).
    UIViewController* host = this;
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
    sel::_prepareForPresentation(vc);
    auto container = UIKitPresentationContainer::create(window->bounds());
    vc->m_container = container;
    window->addSubview(container);
    sel::_layoutInPresentationContainerWindow(vc, container.ptr(), window);
    if (animated)
        sel::_animateTransitionInContainerAppearing(vc, container.ptr(), true);
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
}

void UIViewController::dismissPresented(bool animated, UIPresentationCompletion completion)
{
    Ref<UIViewController> keepSelf(this);
    // The receiver dismisses what it presents; a presented controller asks its presenter.
    UIViewController* host = nullptr;
    for (UIViewController* c = this; c && !host; c = c->parentViewController()) {
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
    // The container leaves once the view has moved out (a later presentation may have put the
    // controller in a new one by then).
    Ref<UIView> container = presented->m_container;
    auto detach = [presented, container] {
        if (!container)
            return;
        container->removeFromSuperview();
        if (UIView* v = presented->viewIfLoaded(); v && v->superview() == container)
            v->removeFromSuperview();
        if (presented->m_container == container)
            presented->m_container = nullptr;
    };
    if (animated && container) {
        container->setUserInteractionEnabled(false);
        sel::_animateTransitionInContainerAppearing(presented, container.ptr(), false);
    } else {
        detach();
    }
    afterTransition(animated, [presented, hostRef, coversPresenter, completion, detach] {
        detach();
        presented->m_beingDismissed = false;
        presented->endAppearance();
        if (coversPresenter)
            hostRef->endAppearance();
        if (completion)
            completion();
    });
}

namespace {

// What a controller does for the callbacks it sends itself, unless a subclass overrides them.
void ignoreCallback(UIViewController*) { }
void ignoreAppearance(UIViewController*, bool) { }
bool autorotates(UIViewController*) { return true; }
bool autorotatesToPortraitOnly(UIViewController*, NSInteger orientation) { return orientation == UIInterfaceOrientationPortrait; }
NSUInteger supportedOrientations(UIViewController*)
{
    return UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiomPad ? UIInterfaceOrientationMaskAll : UIInterfaceOrientationMaskAllButUpsideDown;
}
NSInteger portraitForPresentation(UIViewController*) { return UIInterfaceOrientationPortrait; }
bool showsStatusBar(UIViewController*) { return false; }

} // namespace

void UIViewController::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIViewController>(rt, "UIResponder")
        .method(sel::_prepareForPresentation, &UIViewController::prepareForPresentation)
        .method(sel::_layoutInPresentationContainerWindow, &UIViewController::placeInPresentationContainer)
        .method(sel::_animateTransitionInContainerAppearing, &UIViewController::slideInContainer)
        .method(sel::initWithNibNameBundle, &UIViewController::initWithNibNameBundle)
        .method(sel::init, &UIViewController::initController)
        .method(sel::view, &UIViewController::loadedView)
        .method(sel::viewIfLoaded, &UIViewController::viewIfLoaded)
        .method(sel::isViewLoaded, &UIViewController::isViewLoaded)
        .method(sel::setView, &UIViewController::applyView)
        .method(sel::loadView, &UIViewController::loadDefaultView)
        .method(sel::viewDidLoad, &ignoreCallback)
        .method(sel::viewWillAppear, &ignoreAppearance)
        .method(sel::viewDidAppear, &ignoreAppearance)
        .method(sel::viewWillDisappear, &ignoreAppearance)
        .method(sel::viewDidDisappear, &ignoreAppearance)
        .method(sel::viewWillLayoutSubviews, &ignoreCallback)
        .method(sel::viewDidLayoutSubviews, &ignoreCallback)
        .method(sel::shouldAutorotate, &autorotates)
        .method(sel::shouldAutorotateToInterfaceOrientation, &autorotatesToPortraitOnly)
        .method(sel::supportedInterfaceOrientations, &supportedOrientations)
        .method(sel::preferredInterfaceOrientationForPresentation, &portraitForPresentation)
        .method(sel::prefersStatusBarHidden, &showsStatusBar)
        .method(sel::title, &UIViewController::storedTitle)
        .method(sel::setTitle, &UIViewController::applyTitle)
        .method(sel::navigationItem, &UIViewController::navigationItem)
        .method(sel::navigationController, &UIViewController::navigationController)
        .method(sel::presentedViewController, &UIViewController::presentedViewController)
        .method(sel::presentingViewController, &UIViewController::presentingViewController)
        .method(sel::parentViewController, &UIViewController::parentViewController)
        .method(sel::popoverPresentationController, &UIViewController::popoverPresentationController)
        .method(sel::setModalPresentationStyle, &UIViewController::setModalPresentationStyle)
        .method(sel::modalPresentationStyle, &UIViewController::modalPresentationStyle)
        .method(sel::nextResponder, &UIViewController::responderAfterView)
        .method(sel::presentViewControllerAnimatedCompletion, &UIViewController::presentModally)
        .method(sel::dismissViewControllerAnimatedCompletion, &UIViewController::dismissPresented)
        .build();
}
