#include "platform/uikit/UIView.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cmath>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

UIView::UIView()
    : m_layer(objc::make<CALayer>())
{
    m_layer->setDelegate(this);
}

UIView::~UIView()
{
    for (auto& sub : m_subviews)
        sub->m_superview = nullptr;
}

Ref<UIView> UIView::create(CGRect frame)
{
    auto view = objc::make<UIView>();
    msgSend<Ref<objc::Object>>(view, "initWithFrame:", frame);
    return view;
}

// Geometry ---------------------------------------------------------------------------------------

CGRect UIView::frame() const
{
    CGRect local = CGRectMake(-m_bounds.size.width / 2, -m_bounds.size.height / 2, m_bounds.size.width, m_bounds.size.height);
    CGRect r = CGAffineTransformIsIdentity(m_transform) ? local : CGRectApplyAffineTransform(local, m_transform);
    return CGRectOffset(r, m_center.x, m_center.y);
}

void UIView::setFrame(CGRect frame) { msgSend(this, "setFrame:", frame); }

void UIView::applyFrame(CGRect frame)
{
    frame = CGRectStandardize(frame);
    CGSize oldSize = m_bounds.size;
    CGSize size = frame.size;
    CGPoint mid = CGPointMake(CGRectGetMidX(frame), CGRectGetMidY(frame));
    if (!CGAffineTransformIsIdentity(m_transform)) {
        // Find the bounds size whose transformed bounding box is the frame; a degenerate
        // transform (scale 0) keeps the size it has.
        double a = std::fabs(m_transform.a), b = std::fabs(m_transform.b), c = std::fabs(m_transform.c), d = std::fabs(m_transform.d);
        double det = a * d - c * b;
        size = oldSize;
        if (std::fabs(det) > 1e-9) {
            double w = (frame.size.width * d - c * frame.size.height) / det;
            double h = (a * frame.size.height - b * frame.size.width) / det;
            if (w >= 0 && h >= 0)
                size = CGSizeMake(w, h);
        }
        mid.x -= m_transform.tx;
        mid.y -= m_transform.ty;
    }
    m_center = mid;
    m_bounds.size = size;
    if (oldSize != size)
        boundsSizeChanged(oldSize);
}

void UIView::setBounds(CGRect bounds) { msgSend(this, "setBounds:", bounds); }
void UIView::setCenter(CGPoint center) { msgSend(this, "setCenter:", center); }
void UIView::setTransform(CGAffineTransform t) { msgSend(this, "setTransform:", t); }

void UIView::boundsSizeChanged(CGSize oldSize)
{
    CGSize newSize = m_bounds.size;
    if (m_autoresizesSubviews) {
        auto distribute = [](double delta, bool flexA, double a, bool flexB, double b, bool flexC, double c, double out[3]) {
            out[0] = out[1] = out[2] = 0;
            double total = (flexA ? a : 0) + (flexB ? b : 0) + (flexC ? c : 0);
            int count = flexA + flexB + flexC;
            if (!count)
                return;
            out[0] = flexA ? (total > 0 ? delta * a / total : delta / count) : 0;
            out[1] = flexB ? (total > 0 ? delta * b / total : delta / count) : 0;
            out[2] = flexC ? (total > 0 ? delta * c / total : delta / count) : 0;
        };
        for (auto& sub : std::vector<Ref<UIView>>(m_subviews)) {
            NSUInteger mask = sub->m_autoresizingMask;
            if (!mask)
                continue;
            CGRect f = sub->frame();
            double h[3], v[3];
            distribute(newSize.width - oldSize.width, mask & UIViewAutoresizingFlexibleLeftMargin, f.origin.x,
                mask & UIViewAutoresizingFlexibleWidth, f.size.width,
                mask & UIViewAutoresizingFlexibleRightMargin, oldSize.width - CGRectGetMaxX(f), h);
            distribute(newSize.height - oldSize.height, mask & UIViewAutoresizingFlexibleTopMargin, f.origin.y,
                mask & UIViewAutoresizingFlexibleHeight, f.size.height,
                mask & UIViewAutoresizingFlexibleBottomMargin, oldSize.height - CGRectGetMaxY(f), v);
            f.origin.x += h[0];
            f.size.width = std::max(0.0, f.size.width + h[1]);
            f.origin.y += v[0];
            f.size.height = std::max(0.0, f.size.height + v[1]);
            sub->setFrame(f);
        }
    }
    setNeedsLayout();
}

void UIView::setAlpha(CGFloat alpha) { msgSend(this, "setAlpha:", alpha); }
void UIView::setHidden(bool hidden) { msgSend(this, "setHidden:", hidden); }
void UIView::setBackgroundColor(UIColor* color) { msgSend(this, "setBackgroundColor:", color); }
void UIView::setTag(NSInteger tag) { msgSend(this, "setTag:", tag); }

Ref<UIColor> UIView::tintColor() const
{
    for (const UIView* v = this; v; v = v->superview())
        if (v->m_tintColor)
            return v->m_tintColor;
    return UIColor::systemBlueColor();
}

void UIView::setViewController(UIViewController* controller) { m_viewController = controller; }

// Hierarchy --------------------------------------------------------------------------------------

UIWindow* UIView::window() const
{
    const UIView* top = this;
    while (top->superview())
        top = top->superview();
    return dynamic_cast<UIWindow*>(const_cast<UIView*>(top));
}

void UIView::notifyWindowChange(UIWindow* oldWindow, UIWindow* newWindow)
{
    (void)oldWindow;
    (void)newWindow;
    Ref<UIView> keep(this);
    msgSend(this, "didMoveToWindow");
    for (auto& sub : std::vector<Ref<UIView>>(m_subviews))
        sub->notifyWindowChange(oldWindow, newWindow);
}

void UIView::insertAt(UIView* view, size_t index)
{
    if (!view || view == this)
        return;
    if (isDescendantOfView(view)) {
        uikit::warn("addSubview: a view cannot become a subview of its own subview");
        return;
    }
    Ref<UIView> keep(view);
    UIWindow* oldWindow = view->window();
    msgSend(view, "willMoveToSuperview:", this);
    if (UIView* old = view->superview()) {
        auto& list = old->m_subviews;
        auto it = std::find(list.begin(), list.end(), view);
        if (it != list.end()) {
            if (old == this && static_cast<size_t>(it - list.begin()) < index)
                --index;
            list.erase(it);
        }
    }
    index = std::min(index, m_subviews.size());
    m_subviews.insert(m_subviews.begin() + static_cast<long>(index), keep);
    view->m_superview = this;
    UIWindow* newWindow = window();
    if (oldWindow != newWindow)
        view->notifyWindowChange(oldWindow, newWindow);
    msgSend(view, "didMoveToSuperview");
    msgSend(this, "didAddSubview:", view);
    setNeedsLayout();
}

void UIView::addSubview(UIView* view) { insertAt(view, m_subviews.size()); }

void UIView::insertSubviewAtIndex(UIView* view, NSInteger index) { insertAt(view, static_cast<size_t>(std::max<NSInteger>(0, index))); }

void UIView::insertSubviewBelowSubview(UIView* view, UIView* sibling)
{
    auto it = std::find(m_subviews.begin(), m_subviews.end(), sibling);
    insertAt(view, it == m_subviews.end() ? m_subviews.size() : static_cast<size_t>(it - m_subviews.begin()));
}

void UIView::insertSubviewAboveSubview(UIView* view, UIView* sibling)
{
    auto it = std::find(m_subviews.begin(), m_subviews.end(), sibling);
    insertAt(view, it == m_subviews.end() ? m_subviews.size() : static_cast<size_t>(it - m_subviews.begin()) + 1);
}

void UIView::bringSubviewToFront(UIView* view)
{
    auto it = std::find(m_subviews.begin(), m_subviews.end(), view);
    if (it == m_subviews.end())
        return;
    Ref<UIView> keep(view);
    m_subviews.erase(it);
    m_subviews.push_back(keep);
}

void UIView::sendSubviewToBack(UIView* view)
{
    auto it = std::find(m_subviews.begin(), m_subviews.end(), view);
    if (it == m_subviews.end())
        return;
    Ref<UIView> keep(view);
    m_subviews.erase(it);
    m_subviews.insert(m_subviews.begin(), keep);
}

void UIView::exchangeSubviewAtIndex(NSInteger a, NSInteger b)
{
    auto n = static_cast<NSInteger>(m_subviews.size());
    if (a < 0 || b < 0 || a >= n || b >= n)
        return;
    std::swap(m_subviews[static_cast<size_t>(a)], m_subviews[static_cast<size_t>(b)]);
}

void UIView::removeFromSuperview()
{
    UIView* parent = superview();
    if (!parent)
        return;
    Ref<UIView> keep(this);
    UIWindow* oldWindow = window();
    msgSend(this, "willMoveToSuperview:", static_cast<UIView*>(nullptr));
    msgSend(parent, "willRemoveSubview:", this);
    auto& list = parent->m_subviews;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    m_superview = nullptr;
    if (oldWindow)
        notifyWindowChange(oldWindow, nullptr);
    msgSend(this, "didMoveToSuperview");
    parent->setNeedsLayout();
}

bool UIView::isDescendantOfView(const UIView* view) const
{
    for (const UIView* v = this; v; v = v->superview())
        if (v == view)
            return true;
    return false;
}

Ref<UIView> UIView::viewWithTag(NSInteger tag)
{
    if (m_tag == tag)
        return Ref<UIView>(this);
    for (auto& sub : m_subviews)
        if (auto found = sub->viewWithTag(tag))
            return found;
    return nullptr;
}

std::vector<UIView*> UIView::subviewsInDrawingOrder() const
{
    std::vector<UIView*> order;
    order.reserve(m_subviews.size());
    bool oneLevel = true;
    for (auto& sub : m_subviews) {
        oneLevel = oneLevel && sub->layer()->zPosition() == m_subviews.front()->layer()->zPosition();
        order.push_back(sub.ptr());
    }
    // Most views keep every subview at one level: their order is the subviews' own.
    if (!oneLevel)
        std::stable_sort(order.begin(), order.end(), [](UIView* a, UIView* b) { return a->layer()->zPosition() < b->layer()->zPosition(); });
    return order;
}

// Layout -----------------------------------------------------------------------------------------

void UIView::setNeedsLayout()
{
    m_needsLayout = true;
    uikit::scheduleLayoutPass();
}

void UIView::layoutIfNeeded()
{
    Ref<UIView> keep(this);
    if (m_needsLayout) {
        m_needsLayout = false;
        Ref<UIViewController> controller(viewController());
        if (controller)
            msgSend(controller, "viewWillLayoutSubviews");
        msgSend(this, "layoutSubviews");
        if (controller)
            msgSend(controller, "viewDidLayoutSubviews");
    }
    for (auto& sub : std::vector<Ref<UIView>>(m_subviews))
        sub->layoutIfNeeded();
}

void UIView::layoutSubviews() { msgSend(this, "layoutSubviews"); }

CGSize UIView::sizeThatFits(CGSize size) { return msgSend<CGSize>(this, "sizeThatFits:", size); }

void UIView::sizeToFit()
{
    CGSize fit = sizeThatFits(m_bounds.size);
    CGRect f = frame();
    f.size = fit;
    setFrame(f);
}

// Coordinates ------------------------------------------------------------------------------------

CGPoint UIView::pointToSuperview(CGPoint local) const
{
    CGPoint offset = CGPointMake(local.x - (m_bounds.origin.x + m_bounds.size.width / 2), local.y - (m_bounds.origin.y + m_bounds.size.height / 2));
    CGPoint t = CGPointApplyAffineTransform(offset, m_transform);
    return CGPointMake(m_center.x + t.x, m_center.y + t.y);
}

CGPoint UIView::pointFromSuperview(CGPoint outer) const
{
    CGPoint d = CGPointMake(outer.x - m_center.x, outer.y - m_center.y);
    CGPoint t = CGPointApplyAffineTransform(d, CGAffineTransformInvert(m_transform));
    return CGPointMake(t.x + m_bounds.origin.x + m_bounds.size.width / 2, t.y + m_bounds.origin.y + m_bounds.size.height / 2);
}

// Views without a common window share the coordinates of their top views.
CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const
{
    for (const UIView* v = this; v->superview(); v = v->superview())
        point = v->pointToSuperview(point);
    if (!view)
        return point;
    std::vector<const UIView*> chain;
    for (const UIView* v = view; v->superview(); v = v->superview())
        chain.push_back(v);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        point = (*it)->pointFromSuperview(point);
    return point;
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const
{
    if (view)
        return view->convertPointToView(point, this);
    // From window coordinates.
    std::vector<const UIView*> chain;
    for (const UIView* v = this; v->superview(); v = v->superview())
        chain.push_back(v);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        point = (*it)->pointFromSuperview(point);
    return point;
}

CGRect UIView::convertRectToView(CGRect rect, const UIView* view) const
{
    rect = CGRectStandardize(rect);
    CGPoint corners[4] = { rect.origin, CGPointMake(CGRectGetMaxX(rect), rect.origin.y), CGPointMake(rect.origin.x, CGRectGetMaxY(rect)), CGPointMake(CGRectGetMaxX(rect), CGRectGetMaxY(rect)) };
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (auto& c : corners) {
        CGPoint p = convertPointToView(c, view);
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}

CGRect UIView::convertRectFromView(CGRect rect, const UIView* view) const
{
    if (view)
        return view->convertRectToView(rect, this);
    // All four corners: under a rotation two opposite corners do not span the bounding box.
    rect = CGRectStandardize(rect);
    CGPoint corners[4] = { rect.origin, CGPointMake(CGRectGetMaxX(rect), rect.origin.y), CGPointMake(rect.origin.x, CGRectGetMaxY(rect)), CGPointMake(CGRectGetMaxX(rect), CGRectGetMaxY(rect)) };
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (auto& c : corners) {
        CGPoint p = convertPointFromView(c, nullptr);
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}

// Hit testing ------------------------------------------------------------------------------------

bool UIView::canReceiveTouches() const { return !m_hidden && m_alpha >= 0.01 && m_userInteractionEnabled; }

Ref<UIView> UIView::hitTest(CGPoint point, UIEvent* event) { return msgSend<Ref<UIView>>(this, "hitTest:withEvent:", point, event); }

bool UIView::pointInside(CGPoint point, UIEvent* event) { return msgSend<bool>(this, "pointInside:withEvent:", point, event); }

// Gesture recognizers ----------------------------------------------------------------------------

void UIView::addGestureRecognizer(UIGestureRecognizer* recognizer)
{
    if (!recognizer)
        return;
    Ref<UIGestureRecognizer> keep(recognizer);
    if (UIView* old = recognizer->view(); old && old != this)
        old->removeGestureRecognizer(recognizer);
    if (std::find(m_gestureRecognizers.begin(), m_gestureRecognizers.end(), recognizer) == m_gestureRecognizers.end())
        m_gestureRecognizers.push_back(keep);
    recognizer->setView(this);
}

void UIView::removeGestureRecognizer(UIGestureRecognizer* recognizer)
{
    auto it = std::find(m_gestureRecognizers.begin(), m_gestureRecognizers.end(), recognizer);
    if (it == m_gestureRecognizers.end())
        return;
    Ref<UIGestureRecognizer> keep(recognizer);
    m_gestureRecognizers.erase(it);
    recognizer->setView(nullptr);
}

// Animations -------------------------------------------------------------------------------------

namespace {

void runAnimation(NSTimeInterval delay, NSTimeInterval duration, const UIViewAnimationsBlock& animations, const UIViewCompletionBlock& completion)
{
    if (animations)
        animations();
    if (completion) {
        auto ns = static_cast<dispatch::Nanoseconds>(std::llround(std::max(0.0, delay + duration) * 1e9));
        dispatch::RunLoop::main().post([completion] { completion(true); }, ns);
    }
}

} // namespace

void UIView::animateWithDuration(NSTimeInterval duration, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    runAnimation(0, duration, animations, completion);
}

void UIView::animateWithDuration(NSTimeInterval duration, NSTimeInterval delay, NSUInteger, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    runAnimation(delay, duration, animations, completion);
}

void UIView::animateWithDurationSpring(NSTimeInterval duration, NSTimeInterval delay, CGFloat, CGFloat, NSUInteger, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    // FIXME: The damping and the initial velocity are dropped; the completion runs after delay +
    // duration, where a heavily damped spring on the phone may settle visibly earlier.
    runAnimation(delay, duration, animations, completion);
}

void UIView::transitionWithView(UIView*, NSTimeInterval duration, NSUInteger, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    runAnimation(0, duration, animations, completion);
}

void UIView::performWithoutAnimation(UIViewAnimationsBlock animations)
{
    if (animations)
        animations();
}

namespace uikit {

void scheduleLayoutPass()
{
    if (!objc::Runtime::currentOrNull())
        return;
    auto& st = uikit::state();
    if (st.layoutScheduled)
        return;
    st.layoutScheduled = true;
    dispatch::RunLoop::main().post([] {
        if (!objc::Runtime::currentOrNull())
            return;
        auto& s = uikit::state();
        s.layoutScheduled = false;
        for (auto& weak : std::vector<objc::WeakRef<UIWindow>>(s.windows))
            if (Ref<UIWindow> w = weak.strong())
                w->layoutIfNeeded();
    });
}

} // namespace uikit

// Registration -----------------------------------------------------------------------------------

void UIView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIView>("UIResponder");
    c->addMethod("initWithFrame:", [](UIView* self, SEL, CGRect frame) -> Ref<objc::Object> {
        msgSend(self, "setFrame:", frame);
        return Ref<objc::Object>(self);
    });
    c->addMethod("init", [](UIView* self, SEL) { return msgSend<Ref<objc::Object>>(self, "initWithFrame:", CGRectZero); });
    c->addMethod("setFrame:", [](UIView* self, SEL, CGRect frame) { self->applyFrame(frame); });
    c->addMethod("frame", [](UIView* self, SEL) { return self->frame(); });
    c->addMethod("bounds", [](UIView* self, SEL) { return self->bounds(); });
    c->addMethod("setBounds:", [](UIView* self, SEL, CGRect b) {
        b = CGRectStandardize(b);
        CGSize old = self->m_bounds.size;
        self->m_bounds = b;
        if (old != b.size)
            self->boundsSizeChanged(old);
    });
    c->addMethod("center", [](UIView* self, SEL) { return self->center(); });
    c->addMethod("setCenter:", [](UIView* self, SEL, CGPoint p) { self->m_center = p; });
    c->addMethod("transform", [](UIView* self, SEL) { return self->transform(); });
    c->addMethod("setTransform:", [](UIView* self, SEL, CGAffineTransform t) { self->m_transform = t; });
    c->addMethod("alpha", [](UIView* self, SEL) { return self->alpha(); });
    c->addMethod("setAlpha:", [](UIView* self, SEL, double a) { self->m_alpha = std::clamp(a, 0.0, 1.0); });
    c->addMethod("isHidden", [](UIView* self, SEL) { return self->isHidden(); });
    c->addMethod("setHidden:", [](UIView* self, SEL, bool h) { self->m_hidden = h; });
    c->addMethod("tag", [](UIView* self, SEL) { return self->tag(); });
    c->addMethod("setTag:", [](UIView* self, SEL, NSInteger tag) { self->m_tag = tag; });
    c->addMethod("backgroundColor", [](UIView* self, SEL) { return Ref<UIColor>(self->backgroundColor()); });
    c->addMethod("setBackgroundColor:", [](UIView* self, SEL, UIColor* color) { self->m_backgroundColor = color; });
    c->addMethod("superview", [](UIView* self, SEL) { return Ref<UIView>(self->superview()); });
    c->addMethod("window", [](UIView* self, SEL) { return Ref<UIWindow>(self->window()); });
    c->addMethod("layer", [](UIView* self, SEL) { return Ref<CALayer>(self->layer()); });
    c->addMethod("addSubview:", [](UIView* self, SEL, UIView* view) { self->addSubview(view); });
    c->addMethod("removeFromSuperview", [](UIView* self, SEL) { self->removeFromSuperview(); });
    c->addMethod("viewWithTag:", [](UIView* self, SEL, NSInteger tag) { return self->viewWithTag(tag); });
    c->addMethod("addGestureRecognizer:", [](UIView* self, SEL, UIGestureRecognizer* r) { self->addGestureRecognizer(r); });
    c->addMethod("removeGestureRecognizer:", [](UIView* self, SEL, UIGestureRecognizer* r) { self->removeGestureRecognizer(r); });
    c->addMethod("setNeedsLayout", [](UIView* self, SEL) { self->setNeedsLayout(); });
    c->addMethod("layoutIfNeeded", [](UIView* self, SEL) { self->layoutIfNeeded(); });
    c->addMethod("layoutSubviews", [](UIView*, SEL) { });
    c->addMethod("sizeThatFits:", [](UIView* self, SEL, CGSize) { return self->bounds().size; });
    c->addMethod("sizeToFit", [](UIView* self, SEL) { self->sizeToFit(); });
    c->addMethod("didMoveToWindow", [](UIView*, SEL) { });
    c->addMethod("willMoveToSuperview:", [](UIView*, SEL, UIView*) { });
    c->addMethod("didMoveToSuperview", [](UIView*, SEL) { });
    c->addMethod("didAddSubview:", [](UIView*, SEL, UIView*) { });
    c->addMethod("willRemoveSubview:", [](UIView*, SEL, UIView*) { });
    c->addMethod("drawRect:", [](UIView*, SEL, CGRect) { });
    c->addMethod("pointInside:withEvent:", [](UIView* self, SEL, CGPoint p, UIEvent*) { return CGRectContainsPoint(self->bounds(), p); });
    c->addMethod("hitTest:withEvent:", [](UIView* self, SEL, CGPoint p, UIEvent* event) -> Ref<UIView> {
        if (!self->canReceiveTouches() || !self->pointInside(p, event))
            return nullptr;
        auto order = self->subviewsInDrawingOrder();
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            Ref<UIView> sub(*it);
            if (auto hit = sub->hitTest(sub->pointFromSuperview(p), event))
                return hit;
        }
        return Ref<UIView>(self);
    });
    c->addMethod("gestureRecognizerShouldBegin:", [](UIView*, SEL, UIGestureRecognizer*) { return true; });
    // Lists as the platform hands them out: arrays.
    c->addMethod("subviews", [](UIView* self, SEL) { return NSArray::make(std::vector<Ref<objc::Object>>(self->m_subviews.begin(), self->m_subviews.end())); });
    c->addMethod("gestureRecognizers", [](UIView* self, SEL) {
        return NSArray::make(std::vector<Ref<objc::Object>>(self->m_gestureRecognizers.begin(), self->m_gestureRecognizers.end()));
    });
    c->addMethod("insertSubview:atIndex:", [](UIView* self, SEL, UIView* v, NSInteger i) { self->insertSubviewAtIndex(v, i); });
    c->addMethod("insertSubview:belowSubview:", [](UIView* self, SEL, UIView* v, UIView* s) { self->insertSubviewBelowSubview(v, s); });
    c->addMethod("insertSubview:aboveSubview:", [](UIView* self, SEL, UIView* v, UIView* s) { self->insertSubviewAboveSubview(v, s); });
    c->addMethod("bringSubviewToFront:", [](UIView* self, SEL, UIView* v) { self->bringSubviewToFront(v); });
    c->addMethod("sendSubviewToBack:", [](UIView* self, SEL, UIView* v) { self->sendSubviewToBack(v); });
    c->addMethod("isDescendantOfView:", [](UIView* self, SEL, UIView* v) { return self->isDescendantOfView(v); });
    c->addMethod("convertPoint:toView:", [](UIView* self, SEL, CGPoint p, UIView* v) { return self->convertPointToView(p, v); });
    c->addMethod("convertPoint:fromView:", [](UIView* self, SEL, CGPoint p, UIView* v) { return self->convertPointFromView(p, v); });
    c->addMethod("convertRect:toView:", [](UIView* self, SEL, CGRect r, UIView* v) { return self->convertRectToView(r, v); });
    c->addMethod("convertRect:fromView:", [](UIView* self, SEL, CGRect r, UIView* v) { return self->convertRectFromView(r, v); });
    c->addMethod("isUserInteractionEnabled", [](UIView* self, SEL) { return self->isUserInteractionEnabled(); });
    c->addMethod("setUserInteractionEnabled:", [](UIView* self, SEL, bool on) { self->setUserInteractionEnabled(on); });
    c->addMethod("setMultipleTouchEnabled:", [](UIView* self, SEL, bool on) { self->setMultipleTouchEnabled(on); });
    c->addMethod("clipsToBounds", [](UIView* self, SEL) { return self->clipsToBounds(); });
    c->addMethod("setClipsToBounds:", [](UIView* self, SEL, bool on) { self->setClipsToBounds(on); });
    c->addMethod("setAutoresizingMask:", [](UIView* self, SEL, NSUInteger mask) { self->setAutoresizingMask(mask); });
    c->addMethod("autoresizingMask", [](UIView* self, SEL) { return static_cast<NSUInteger>(self->autoresizingMask()); });
    c->addMethod("setContentMode:", [](UIView* self, SEL, NSInteger mode) { self->setContentMode(static_cast<UIViewContentMode>(mode)); });
    c->addMethod("contentMode", [](UIView* self, SEL) { return self->contentMode(); });
    c->addMethod("setOpaque:", [](UIView* self, SEL, bool on) { self->setOpaque(on); });
    c->addMethod("tintColor", [](UIView* self, SEL) { return self->tintColor(); });
    c->addMethod("setTintColor:", [](UIView* self, SEL, UIColor* color) { self->setTintColor(color); });
    c->addMethod("accessibilityLabel", [](UIView* self, SEL) { return self->accessibilityLabel(); });
    c->addMethod("setAccessibilityLabel:", [](UIView* self, SEL, std::string label) { self->setAccessibilityLabel(std::move(label)); });
    // FIXME: Nothing to invalidate (see setNeedsDisplay in the header).
    c->addMethod("setNeedsDisplay", [](UIView*, SEL) { });
    c->addMethod("nextResponder", [](UIView* self, SEL) -> Ref<UIResponder> {
        if (UIViewController* vc = self->viewController())
            return Ref<UIResponder>(vc);
        return Ref<UIResponder>(self->superview());
    });

    objc::Class* meta = c;
    meta->addClassMethod("animateWithDuration:animations:", [](objc::Object*, SEL, double d, UIViewAnimationsBlock a) { animateWithDuration(d, a); });
    meta->addClassMethod("animateWithDuration:animations:completion:", [](objc::Object*, SEL, double d, UIViewAnimationsBlock a, UIViewCompletionBlock done) { animateWithDuration(d, a, done); });
    meta->addClassMethod("animateWithDuration:delay:options:animations:completion:",
        [](objc::Object*, SEL, double d, double delay, NSUInteger options, UIViewAnimationsBlock a, UIViewCompletionBlock done) { animateWithDuration(d, delay, options, a, done); });
    meta->addClassMethod("animateWithDuration:delay:usingSpringWithDamping:initialSpringVelocity:options:animations:completion:",
        [](objc::Object*, SEL, double d, double delay, double damping, double velocity, NSUInteger options, UIViewAnimationsBlock a, UIViewCompletionBlock done) {
            animateWithDurationSpring(d, delay, damping, velocity, options, a, done);
        });
    meta->addClassMethod("transitionWithView:duration:options:animations:completion:",
        [](objc::Object*, SEL, UIView* view, double d, NSUInteger options, UIViewAnimationsBlock a, UIViewCompletionBlock done) { transitionWithView(view, d, options, a, done); });
    meta->addClassMethod("performWithoutAnimation:", [](objc::Object*, SEL, UIViewAnimationsBlock a) { performWithoutAnimation(a); });
}
