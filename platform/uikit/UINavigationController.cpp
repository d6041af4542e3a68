#include "platform/uikit/UINavigationController.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cmath>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

namespace {

// The navigation controller's root view: lays out bar and page whenever its size changes.
class UINavigationLayoutView : public UIView {
    OBJC_CLASS(UILayoutContainerView)
public:
    objc::WeakRef<UINavigationController> owner;
};

void afterTransition(bool animated, std::function<void()> block)
{
    auto delay = animated ? static_cast<dispatch::Nanoseconds>(std::llround(uikit::kTransitionSeconds * 1e9)) : 0;
    dispatch::RunLoop::main().post(std::move(block), delay);
}

} // namespace

Ref<UINavigationController> UINavigationController::createWithRoot(UIViewController* root)
{
    auto nav = objc::make<UINavigationController>();
    msgSend<Ref<objc::Object>>(nav, "initWithRootViewController:", root);
    return nav;
}

UIViewController* UINavigationController::visibleViewController() const
{
    if (UIViewController* p = presentedViewController())
        return p;
    return topViewController();
}

void UINavigationController::pushViewController(UIViewController* controller, bool animated) { msgSend(this, "pushViewController:animated:", controller, animated); }

Ref<UIViewController> UINavigationController::popViewControllerAnimated(bool animated) { return msgSend<Ref<UIViewController>>(this, "popViewControllerAnimated:", animated); }

void UINavigationController::popToRootViewControllerAnimated(bool animated) { msgSend<Ref<objc::Object>>(this, "popToRootViewControllerAnimated:", animated); }

UINavigationBar* UINavigationController::navigationBar()
{
    if (!m_bar) {
        m_bar = UINavigationBar::create(CGRectMake(0, 0, UIScreen::mainScreen()->bounds().size.width, 64));
        objc::WeakRef<UINavigationController> weak(this);
        m_bar->setBackAction([weak] {
            if (Ref<UINavigationController> nav = weak.strong())
                nav->popViewControllerAnimated(true);
        });
    }
    return m_bar.ptr();
}

void UINavigationController::setNavigationBarHidden(bool hidden, bool)
{
    if (m_barHidden == hidden)
        return;
    m_barHidden = hidden;
    navigationBar()->setHidden(hidden);
    layoutPages();
}

void UINavigationController::watchItem(UIViewController* controller)
{
    objc::WeakRef<UINavigationController> weak(this);
    controller->navigationItem()->setChangeHandler([weak] {
        if (Ref<UINavigationController> nav = weak.strong())
            nav->updateNavigationBar();
    });
}

void UINavigationController::updateNavigationBar()
{
    UINavigationItem* top = m_stack.empty() ? nullptr : m_stack.back()->navigationItem();
    UINavigationItem* back = m_stack.size() > 1 ? m_stack[m_stack.size() - 2]->navigationItem() : nullptr;
    navigationBar()->showItems(top, back);
    if (isViewLoaded())
        layoutPages();
}

void UINavigationController::layoutPages()
{
    UIView* root = viewIfLoaded();
    if (!root)
        return;
    CGRect b = root->bounds();
    UINavigationBar* bar = navigationBar();
    // The bar reaches under the status bar when the controller's view starts at the screen's top.
    CGFloat inset = root->convertPointToView(CGPointZero, nullptr).y < 1 && root->window() ? uikit::kStatusBarHeight : 0;
    if (!root->window())
        inset = uikit::kStatusBarHeight;
    bar->setTopInset(inset);
    CGFloat barHeight = m_barHidden ? 0 : inset + bar->contentHeight();
    bar->setFrame(CGRectMake(0, 0, b.size.width, barHeight));
    m_content->setFrame(CGRectMake(0, barHeight, b.size.width, std::max(0.0, b.size.height - barHeight)));
    if (UIViewController* top = topViewController())
        if (UIView* v = top->viewIfLoaded(); v && v->superview() == m_content)
            v->setFrame(m_content->bounds());
}

void UINavigationController::installTopView()
{
    if (!isViewLoaded())
        return;
    for (auto& sub : std::vector<Ref<UIView>>(m_content->subviews()))
        sub->removeFromSuperview();
    if (UIViewController* top = topViewController()) {
        Ref<UIView> v = top->view();
        v->setFrame(m_content->bounds());
        v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        m_content->addSubview(v);
    }
    layoutPages();
}

void UINavigationController::setViewControllers(std::vector<Ref<UIViewController>> controllers, bool)
{
    for (auto& vc : std::vector<Ref<UIViewController>>(m_stack))
        vc->removeFromParentViewController();
    m_stack.clear();
    for (auto& vc : controllers) {
        if (!vc)
            continue;
        addChildViewController(vc);
        m_stack.push_back(vc);
        watchItem(vc);
    }
    installTopView();
    updateNavigationBar();
}

void UINavigationController::registerClass(objc::Runtime& rt)
{
    rt.registerClass<UINavigationLayoutView>("UIView")->addMethod("layoutSubviews", [](UINavigationLayoutView* self, SEL) {
        if (Ref<UINavigationController> nav = self->owner.strong())
            nav->layoutPages();
    });

    objc::Class* c = rt.registerClass<UINavigationController>("UIViewController");
    c->addMethod("initWithRootViewController:", [](UINavigationController* self, SEL, UIViewController* root) {
        msgSend<Ref<objc::Object>>(self, "init");
        if (root)
            self->setViewControllers({ Ref<UIViewController>(root) }, false);
        return Ref<objc::Object>(self);
    });
    c->addMethod("loadView", [](UINavigationController* self, SEL) {
        auto view = objc::make<UINavigationLayoutView>();
        msgSend<Ref<objc::Object>>(view, "initWithFrame:", UIScreen::mainScreen()->bounds());
        view->owner = self;
        view->setBackgroundColor(UIColor::whiteColor());
        view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        self->m_content = UIView::create(view->bounds());
        view->addSubview(self->m_content);
        view->addSubview(self->navigationBar());
        self->setView(view);
        self->installTopView();
        self->updateNavigationBar();
    });
    c->addMethod("viewControllers", [](UINavigationController* self, SEL) {
        return NSArray::make(std::vector<Ref<objc::Object>>(self->m_stack.begin(), self->m_stack.end()));
    });
    c->addMethod("navigationBar", [](UINavigationController* self, SEL) { return Ref<UINavigationBar>(self->navigationBar()); });
    c->addMethod("topViewController", [](UINavigationController* self, SEL) { return Ref<UIViewController>(self->topViewController()); });
    c->addMethod("visibleViewController", [](UINavigationController* self, SEL) { return Ref<UIViewController>(self->visibleViewController()); });
    c->addMethod("setNavigationBarHidden:animated:", [](UINavigationController* self, SEL, bool hidden, bool animated) { self->setNavigationBarHidden(hidden, animated); });
    c->addMethod("pushViewController:animated:", [](UINavigationController* self, SEL, UIViewController* controller, bool animated) {
        if (!controller)
            return;
        if (controller->parentViewController() || std::find(self->m_stack.begin(), self->m_stack.end(), controller) != self->m_stack.end()) {
            uikit::warn("Pushing a view controller that is already in a navigation stack is not supported");
            return;
        }
        Ref<UINavigationController> keep(self);
        Ref<UIViewController> incoming(controller);
        Ref<UIViewController> outgoing(self->topViewController());
        self->addChildViewController(controller);
        self->m_stack.push_back(incoming);
        self->watchItem(controller);
        (void)incoming->view();
        bool visible = self->isVisible();
        if (visible) {
            if (outgoing)
                outgoing->beginAppearance(false, animated);
            incoming->beginAppearance(true, animated);
        }
        self->installTopView();
        self->updateNavigationBar();
        if (visible)
            afterTransition(animated, [outgoing, incoming] {
                if (outgoing)
                    outgoing->endAppearance();
                incoming->endAppearance();
            });
    });
    c->addMethod("popViewControllerAnimated:", [](UINavigationController* self, SEL, bool animated) -> Ref<UIViewController> {
        if (self->m_stack.size() < 2)
            return nullptr;
        Ref<UINavigationController> keep(self);
        Ref<UIViewController> outgoing = self->m_stack.back();
        self->m_stack.pop_back();
        Ref<UIViewController> incoming(self->topViewController());
        bool visible = self->isVisible();
        if (visible) {
            outgoing->beginAppearance(false, animated);
            incoming->beginAppearance(true, animated);
        }
        outgoing->removeFromParentViewController();
        self->installTopView();
        self->updateNavigationBar();
        if (visible)
            afterTransition(animated, [outgoing, incoming] {
                outgoing->endAppearance();
                incoming->endAppearance();
            });
        return outgoing;
    });
    // One transition from the top to the root: popping page by page made the pages in between,
    // never on screen, hear that they would appear and then disappear.
    c->addMethod("popToRootViewControllerAnimated:", [](UINavigationController* self, SEL, bool animated) -> Ref<objc::Object> {
        if (self->m_stack.size() < 2)
            return nullptr;
        Ref<UINavigationController> keep(self);
        std::vector<Ref<UIViewController>> popped(self->m_stack.begin() + 1, self->m_stack.end());
        Ref<UIViewController> outgoing = self->m_stack.back();
        self->m_stack.resize(1);
        Ref<UIViewController> incoming = self->m_stack.front();
        bool visible = self->isVisible();
        if (visible) {
            outgoing->beginAppearance(false, animated);
            incoming->beginAppearance(true, animated);
        }
        for (auto& vc : popped)
            vc->removeFromParentViewController();
        self->installTopView();
        self->updateNavigationBar();
        if (visible)
            afterTransition(animated, [outgoing, incoming] {
                outgoing->endAppearance();
                incoming->endAppearance();
            });
        // The popped controllers, bottom first.
        return NSArray::make(std::vector<Ref<objc::Object>>(popped.begin(), popped.end()));
    });
}
