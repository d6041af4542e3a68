#include "platform/uikit/UINavigationController.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cmath>

using objc::Ref;
namespace sel = uikit::sel;
using uikit::afterTransition;

namespace {

// How far (of its width) the page below moves while the page above slides over it.
constexpr CGFloat kParallax = 0.3;

// The navigation controller's root view: lays out bar and page whenever its size changes.
class UINavigationLayoutView : public UIView {
    OBJC_CLASS(UILayoutContainerView)
public:
    objc::WeakRef<UINavigationController> owner;
};

} // namespace

Ref<UINavigationController> UINavigationController::createWithRoot(UIViewController* root)
{
    auto nav = objc::make<UINavigationController>();
    sel::initWithRootViewController(nav, root);
    return nav;
}

UIViewController* UINavigationController::visibleViewController() const
{
    if (UIViewController* p = presentedViewController())
        return p;
    return topViewController();
}

void UINavigationController::pushViewController(UIViewController* controller, bool animated) { sel::pushViewControllerAnimated(this, controller, animated); }

Ref<UIViewController> UINavigationController::popViewControllerAnimated(bool animated) { return sel::popViewControllerAnimated(this, animated); }

void UINavigationController::popToRootViewControllerAnimated(bool animated) { sel::popToRootViewControllerAnimated(this, animated); }

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

Ref<objc::Object> UINavigationController::initWithRoot(UIViewController* root)
{
    sel::init(this);
    if (root)
        setViewControllers({ Ref<UIViewController>(root) }, false);
    return Ref<objc::Object>(this);
}

void UINavigationController::loadNavigationView()
{
    auto view = objc::make<UINavigationLayoutView>();
    sel::initWithFrame(view, UIScreen::mainScreen()->bounds());
    view->owner = this;
    view->setBackgroundColor(UIColor::whiteColor());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_content = UIView::create(view->bounds());
    view->addSubview(m_content);
    view->addSubview(navigationBar());
    setView(view);
    installTopView();
    updateNavigationBar();
}

void UINavigationController::pushPage(UIViewController* controller, bool animated)
{
    if (!controller)
        return;
    if (controller->parentViewController() || std::find(m_stack.begin(), m_stack.end(), controller) != m_stack.end()) {
        uikit::warn("Pushing a view controller that is already in a navigation stack is not supported");
        return;
    }
    Ref<UINavigationController> keep(this);
    Ref<UIViewController> incoming(controller);
    Ref<UIViewController> outgoing(topViewController());
    addChildViewController(controller);
    m_stack.push_back(incoming);
    watchItem(controller);
    (void)incoming->view();
    switchPages(outgoing, incoming, animated, nullptr);
}

Ref<UIViewController> UINavigationController::popPage(bool animated)
{
    if (m_stack.size() < 2)
        return nullptr;
    Ref<UINavigationController> keep(this);
    Ref<UIViewController> outgoing = m_stack.back();
    m_stack.pop_back();
    Ref<UIViewController> incoming(topViewController());
    switchPages(outgoing, incoming, animated, [&] { outgoing->removeFromParentViewController(); });
    return outgoing;
}

Ref<NSArray> UINavigationController::popToRootPage(bool animated)
{
    if (m_stack.size() < 2)
        return nullptr;
    Ref<UINavigationController> keep(this);
    std::vector<Ref<UIViewController>> popped(m_stack.begin() + 1, m_stack.end());
    Ref<UIViewController> outgoing = m_stack.back();
    m_stack.resize(1);
    Ref<UIViewController> incoming = m_stack.front();
    switchPages(outgoing, incoming, animated, [&] {
        for (auto& vc : popped)
            vc->removeFromParentViewController();
    });
    // The popped controllers, bottom first.
    return NSArray::make(std::vector<Ref<objc::Object>>(popped.begin(), popped.end()));
}

// The pages hear that they will appear and disappear (when the controller is on screen), the
// leaving ones are detached, the new top page and the bar are shown, and once the transition is
// over the pages hear that it is.
void UINavigationController::switchPages(Ref<UIViewController> outgoing, Ref<UIViewController> incoming, bool animated, const std::function<void()>& detachLeaving)
{
    bool visible = isVisible();
    if (visible) {
        if (outgoing)
            outgoing->beginAppearance(false, animated);
        incoming->beginAppearance(true, animated);
    }
    // Whether the incoming page was below the outgoing one: then it is a pop.
    bool popping = outgoing && std::find(m_stack.begin(), m_stack.end(), outgoing) == m_stack.end();
    if (detachLeaving)
        detachLeaving();
    Ref<UIView> leaving(outgoing && outgoing != incoming ? outgoing->viewIfLoaded() : nullptr);
    if (!leaving || leaving->superview() != m_content.ptr())
        leaving = nullptr;
    installTopView();
    updateNavigationBar();
    if (animated && visible && leaving)
        slidePages(leaving, incoming->view(), popping);
    if (visible)
        afterTransition(animated, [outgoing, incoming] {
            if (outgoing)
                outgoing->endAppearance();
            incoming->endAppearance();
        });
}

// A push slides the new page in from the right over the old one, which moves a little to the
// left; a pop slides the top page out to the right. The leaving page stays in the content view
// until the slide is over.
void UINavigationController::slidePages(Ref<UIView> leaving, Ref<UIView> arriving, bool popping)
{
    Ref<UIView> content = m_content;
    if (popping)
        content->insertSubviewAboveSubview(leaving, arriving);
    else
        content->insertSubviewBelowSubview(leaving, arriving);
    CGFloat width = content->bounds().size.width;
    CGPoint home = arriving->center();
    auto shifted = [home](CGFloat dx) { return CGPointMake(home.x + dx, home.y); };
    arriving->setCenter(shifted(popping ? -width * kParallax : width));
    Ref<UINavigationController> owner(this);
    UIView::animateWithDuration(uikit::kTransitionSeconds, 0, UIViewAnimationOptionCurveEaseInOut, [arriving, leaving, home, shifted, popping, width] {
        arriving->setCenter(home);
        leaving->setCenter(shifted(popping ? width : -width * kParallax));
    }, [leaving, content, owner](bool) {
        // Unless a later push or pop brought it back on top.
        UIViewController* top = owner->topViewController();
        if (leaving->superview() == content.ptr() && (!top || top->viewIfLoaded() != leaving.ptr()))
            leaving->removeFromSuperview();
    });
}

Ref<NSArray> UINavigationController::viewControllersArray() const
{
    return NSArray::make(std::vector<Ref<objc::Object>>(m_stack.begin(), m_stack.end()));
}

void UINavigationController::layoutRootView(UIView* rootView)
{
    if (Ref<UINavigationController> nav = static_cast<UINavigationLayoutView*>(rootView)->owner.strong())
        nav->layoutPages();
}

void UINavigationController::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UINavigationLayoutView>(rt, "UIView").method(sel::layoutSubviews, &UINavigationController::layoutRootView).build();

    objc::ClassBuilder<UINavigationController>(rt, "UIViewController")
        .method(sel::initWithRootViewController, &UINavigationController::initWithRoot)
        .method(sel::loadView, &UINavigationController::loadNavigationView)
        .method(sel::viewControllers, &UINavigationController::viewControllersArray)
        .method(sel::navigationBar, &UINavigationController::navigationBar)
        .method(sel::topViewController, &UINavigationController::topViewController)
        .method(sel::visibleViewController, &UINavigationController::visibleViewController)
        .method(sel::setNavigationBarHiddenAnimated, &UINavigationController::setNavigationBarHidden)
        .method(sel::pushViewControllerAnimated, &UINavigationController::pushPage)
        .method(sel::popViewControllerAnimated, &UINavigationController::popPage)
        .method(sel::popToRootViewControllerAnimated, &UINavigationController::popToRootPage)
        .build();
}
