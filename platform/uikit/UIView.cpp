#include "platform/uikit/UIView.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

using objc::Ref;
using Property = uikit::PropertyAnimation::Property;

namespace uikit {

// One animations block: its completion waits for the block's animations.
struct AnimationBlock {
    UIViewCompletionBlock completion;
    int running = 0;      // animations not yet ended early
    bool finished = true; // false once one was replaced or removed
    bool done = false;    // the completion is on its way
};

} // namespace uikit

namespace {

// The animations blocks running now, innermost last: their changes are animated with the
// innermost block's timing (performWithoutAnimation pushes one that animates nothing).
struct AnimationContext {
    uikit::AnimationTiming timing;
    std::shared_ptr<uikit::AnimationBlock> block;
    bool animates = false;
};

std::vector<AnimationContext>& animationContexts()
{
    static std::vector<AnimationContext> stack;
    return stack;
}

// One of the block's animations was replaced or removed before its end.
void animationEndedEarly(const std::weak_ptr<uikit::AnimationBlock>& weak)
{
    auto block = weak.lock();
    if (!block)
        return; // its completion has run, or it had none
    block->finished = false;
    if (--block->running > 0 || block->done)
        return;
    block->done = true;
    if (auto completion = std::exchange(block->completion, nullptr))
        dispatch::RunLoop::main().post([completion] { completion(false); });
}

uikit::PropertyAnimation::Value colourValue(const UIColor* color)
{
    if (!color)
        return {};
    return { color->red(), color->green(), color->blue(), color->alpha() };
}

} // namespace

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
    uikit::sel::initWithFrame(view, frame);
    return view;
}

// Geometry ---------------------------------------------------------------------------------------

CGRect UIView::frame() const
{
    CGRect local = CGRectMake(-m_bounds.size.width / 2, -m_bounds.size.height / 2, m_bounds.size.width, m_bounds.size.height);
    CGRect r = CGAffineTransformIsIdentity(m_transform) ? local : CGRectApplyAffineTransform(local, m_transform);
    return CGRectOffset(r, m_center.x, m_center.y);
}

void UIView::setFrame(CGRect frame) { uikit::sel::setFrame(this, frame); }

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
    animateChange(Property::Center, { m_center.x, m_center.y }, { mid.x, mid.y });
    animateChange(Property::BoundsSize, { oldSize.width, oldSize.height }, { size.width, size.height });
    m_center = mid;
    m_bounds.size = size;
    if (oldSize != size)
        boundsSizeChanged(oldSize);
}

void UIView::setBounds(CGRect bounds) { uikit::sel::setBounds(this, bounds); }
void UIView::setCenter(CGPoint center) { uikit::sel::setCenter(this, center); }
void UIView::setTransform(CGAffineTransform t) { uikit::sel::setTransform(this, t); }

void UIView::applyBounds(CGRect bounds)
{
    bounds = CGRectStandardize(bounds);
    CGSize old = m_bounds.size;
    animateChange(Property::BoundsOrigin, { m_bounds.origin.x, m_bounds.origin.y }, { bounds.origin.x, bounds.origin.y });
    animateChange(Property::BoundsSize, { old.width, old.height }, { bounds.size.width, bounds.size.height });
    m_bounds = bounds;
    if (old != bounds.size)
        boundsSizeChanged(old);
}

void UIView::applyCenter(CGPoint center)
{
    animateChange(Property::Center, { m_center.x, m_center.y }, { center.x, center.y });
    m_center = center;
}

void UIView::applyTransform(CGAffineTransform t)
{
    const CGAffineTransform& m = m_transform;
    animateChange(Property::Transform, { m.a, m.b, m.c, m.d, m.tx, m.ty }, { t.a, t.b, t.c, t.d, t.tx, t.ty });
    m_transform = t;
}

void UIView::boundsSizeChanged(CGSize oldSize)
{
    CGSize newSize = m_bounds.size;
    setNeedsDisplay();
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

void UIView::setAlpha(CGFloat alpha) { uikit::sel::setAlpha(this, alpha); }
void UIView::setHidden(bool hidden) { uikit::sel::setHidden(this, hidden); }
void UIView::setBackgroundColor(UIColor* color) { uikit::sel::setBackgroundColor(this, color); }
void UIView::setTag(NSInteger tag) { uikit::sel::setTag(this, tag); }

void UIView::applyAlpha(CGFloat alpha)
{
    alpha = std::clamp(alpha, 0.0, 1.0);
    animateChange(Property::Alpha, { m_alpha }, { alpha });
    m_alpha = alpha;
}

void UIView::applyHidden(bool hidden) { m_hidden = hidden; }

void UIView::applyBackgroundColor(UIColor* color)
{
    auto before = colourValue(m_backgroundColor.ptr()), after = colourValue(color);
    // From or to no colour: the other colour, clear, so that only its alpha changes.
    if (!m_backgroundColor)
        before = { after[0], after[1], after[2], 0 };
    if (!color)
        after = { before[0], before[1], before[2], 0 };
    animateChange(Property::BackgroundColor, before, after);
    m_backgroundColor = color;
}
void UIView::applyTag(NSInteger tag) { m_tag = tag; }

Ref<UIColor> UIView::tintColor() const
{
    for (const UIView* v = this; v; v = v->superview())
        if (v->m_tintColor)
            return v->m_tintColor;
    return UIColor::systemBlueColor();
}

void UIView::setTintColor(UIColor* color)
{
    m_tintColor = color;
    setSubtreeNeedsDisplay();
}

void UIView::setSubtreeNeedsDisplay()
{
    setNeedsDisplay();
    for (auto& sub : m_subviews)
        sub->setSubtreeNeedsDisplay();
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
    uikit::sel::didMoveToWindow(this);
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
    uikit::sel::willMoveToSuperview(view, this);
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
    view->setSubtreeNeedsDisplay();
    UIWindow* newWindow = window();
    if (oldWindow != newWindow)
        view->notifyWindowChange(oldWindow, newWindow);
    uikit::sel::didMoveToSuperview(view);
    uikit::sel::didAddSubview(this, view);
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
    uikit::sel::willMoveToSuperview(this, nullptr);
    uikit::sel::willRemoveSubview(parent, this);
    auto& list = parent->m_subviews;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    m_superview = nullptr;
    endAnimations();
    if (oldWindow)
        notifyWindowChange(oldWindow, nullptr);
    uikit::sel::didMoveToSuperview(this);
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
            uikit::sel::viewWillLayoutSubviews(controller);
        uikit::sel::layoutSubviews(this);
        if (controller)
            uikit::sel::viewDidLayoutSubviews(controller);
    }
    for (auto& sub : std::vector<Ref<UIView>>(m_subviews))
        sub->layoutIfNeeded();
}

void UIView::layoutSubviews() { uikit::sel::layoutSubviews(this); }

CGSize UIView::sizeThatFits(CGSize size) { return uikit::sel::sizeThatFits(this, size); }

CGSize UIView::defaultSizeThatFits(CGSize) { return m_bounds.size; }

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

Ref<UIView> UIView::hitTest(CGPoint point, UIEvent* event) { return uikit::sel::hitTestWithEvent(this, point, event); }

bool UIView::pointInside(CGPoint point, UIEvent* event) { return uikit::sel::pointInsideWithEvent(this, point, event); }

Ref<UIView> UIView::defaultHitTest(CGPoint point, UIEvent* event)
{
    if (!canReceiveTouches() || !pointInside(point, event))
        return nullptr;
    auto order = subviewsInDrawingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Ref<UIView> sub(*it);
        if (auto hit = sub->hitTest(sub->pointFromSuperview(point), event))
            return hit;
    }
    return Ref<UIView>(this);
}

bool UIView::defaultPointInside(CGPoint point, UIEvent*) { return CGRectContainsPoint(m_bounds, point); }

// The responder chain passes from a controller's root view to its controller.
Ref<UIResponder> UIView::superviewOrController()
{
    if (UIViewController* controller = viewController())
        return Ref<UIResponder>(controller);
    return Ref<UIResponder>(superview());
}

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

void UIView::animateChange(Property property, const uikit::PropertyAnimation::Value& before, const uikit::PropertyAnimation::Value& after)
{
    if (before == after)
        return;
    auto now = dispatch::RunLoop::main().now();
    std::erase_if(m_animations, [&](const RunningAnimation& a) { return a.animation.timing.end() <= now; });
    // The new animation starts from what the screen shows now, also when it replaces one.
    auto shown = before;
    auto running = std::find_if(m_animations.begin(), m_animations.end(), [&](const RunningAnimation& a) { return a.animation.property == property; });
    if (running != m_animations.end()) {
        if (auto progress = running->animation.timing.progressAt(now))
            for (size_t i = 0; i < shown.size(); ++i)
                shown[i] = running->animation.from[i] + (running->animation.to[i] - running->animation.from[i]) * *progress;
        auto block = running->block.lock(); // kept while its record goes
        m_animations.erase(running);
        animationEndedEarly(block);
    }
    auto& contexts = animationContexts();
    if (contexts.empty() || !contexts.back().animates)
        return;
    AnimationContext& context = contexts.back();
    uikit::PropertyAnimation animation { property, shown, after, context.timing };
    bool endless = context.timing.end() == std::numeric_limits<dispatch::Nanoseconds>::max();
    m_animations.push_back({ animation, context.block, endless ? context.block : nullptr });
    ++context.block->running;
}

void UIView::endOwnAnimations()
{
    for (auto& running : std::exchange(m_animations, {}))
        animationEndedEarly(running.block); // the records, endless blocks included, live until here
}

void UIView::endAnimations()
{
    endOwnAnimations();
    for (auto& sub : m_subviews)
        sub->endAnimations();
}

uikit::ViewValues UIView::modelValues() const
{
    uikit::ViewValues values { m_center, m_bounds, m_transform, m_alpha, std::nullopt };
    if (m_backgroundColor) {
        auto c = colourValue(m_backgroundColor.ptr());
        values.background = std::array<double, 4> { c[0], c[1], c[2], c[3] };
    }
    return values;
}

std::vector<uikit::PropertyAnimation> UIView::propertyAnimations(dispatch::Nanoseconds at) const
{
    std::vector<uikit::PropertyAnimation> list;
    for (auto& running : m_animations)
        if (running.animation.timing.end() > at)
            list.push_back(running.animation);
    return list;
}

uikit::ViewValues UIView::presentationValues(dispatch::Nanoseconds at) const
{
    if (m_animations.empty())
        return modelValues();
    return uikit::presentationValues(modelValues(), propertyAnimations(at), at);
}

namespace {

uikit::TimingCurve curveOf(NSUInteger options)
{
    switch (options & (3 << 16)) {
    case UIViewAnimationOptionCurveEaseIn:
        return uikit::TimingCurve::EaseIn;
    case UIViewAnimationOptionCurveEaseOut:
        return uikit::TimingCurve::EaseOut;
    case UIViewAnimationOptionCurveLinear:
        return uikit::TimingCurve::Linear;
    default:
        return uikit::TimingCurve::EaseInOut;
    }
}

// Runs an animations block with its changes animated by `timing` (nothing is animated when
// `animates` is false), then sends the completion once the animations it made are over.
void runAnimations(uikit::AnimationTiming timing, bool animates, const UIViewAnimationsBlock& animations, const UIViewCompletionBlock& completion)
{
    auto& loop = dispatch::RunLoop::main();
    auto block = std::make_shared<uikit::AnimationBlock>();
    block->completion = completion;
    timing.showsFromBeforeStart = true;
    animationContexts().push_back({ timing, block, animates && timing.duration > 0 });
    struct Pop {
        ~Pop() { animationContexts().pop_back(); }
    } pop;
    if (animations)
        animations();
    if (!completion)
        return;
    dispatch::Nanoseconds end = timing.end();
    if (!block->running)
        end = timing.start + uikit::secondsToNanoseconds(std::max(0.0, timing.duration));
    if (end == std::numeric_limits<dispatch::Nanoseconds>::max())
        return; // repeats forever: only an early end completes it
    loop.post([block] {
        if (block->done)
            return;
        block->done = true;
        // Released as it runs: what the completion holds goes with it.
        if (auto ending = std::exchange(block->completion, nullptr))
            ending(block->finished);
    }, std::max<dispatch::Nanoseconds>(0, end - loop.now()));
}

uikit::AnimationTiming timingOf(NSTimeInterval duration, NSTimeInterval delay, NSUInteger options)
{
    uikit::AnimationTiming timing;
    timing.start = dispatch::RunLoop::main().now() + uikit::secondsToNanoseconds(delay);
    timing.duration = std::max(0.0, duration);
    timing.curve = curveOf(options);
    if (options & UIViewAnimationOptionRepeat)
        timing.repeatCount = std::numeric_limits<double>::infinity();
    timing.autoreverses = options & UIViewAnimationOptionAutoreverse;
    return timing;
}

} // namespace

void UIView::animateWithDuration(NSTimeInterval duration, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    runAnimations(timingOf(duration, 0, 0), true, animations, completion);
}

void UIView::animateWithDuration(NSTimeInterval duration, NSTimeInterval delay, NSUInteger options, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    runAnimations(timingOf(duration, delay, options), true, animations, completion);
}

void UIView::animateWithDurationSpring(NSTimeInterval duration, NSTimeInterval delay, CGFloat damping, CGFloat velocity, NSUInteger options, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    uikit::AnimationTiming timing = timingOf(duration, delay, options);
    timing.spring = uikit::Spring { damping, velocity };
    runAnimations(timing, true, animations, completion);
}

void UIView::transitionWithView(UIView*, NSTimeInterval duration, NSUInteger, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    runAnimations(timingOf(duration, 0, 0), false, animations, completion);
}

void UIView::performWithoutAnimation(UIViewAnimationsBlock animations)
{
    runAnimations(timingOf(0, 0, 0), false, animations, nullptr);
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

Ref<objc::Object> UIView::initWithFrame(CGRect frame)
{
    setFrame(frame);
    return Ref<objc::Object>(this);
}

Ref<objc::Object> UIView::initWithZeroFrame() { return uikit::sel::initWithFrame(this, CGRectZero); }

// Lists as the platform hands them out: arrays.
Ref<NSArray> UIView::subviewArray() const { return NSArray::make(std::vector<Ref<objc::Object>>(m_subviews.begin(), m_subviews.end())); }

Ref<NSArray> UIView::gestureRecognizerArray() const
{
    return NSArray::make(std::vector<Ref<objc::Object>>(m_gestureRecognizers.begin(), m_gestureRecognizers.end()));
}

namespace {

// The hooks subclasses override; UIView's own do nothing.
void noHook(UIView*) { }
void noSubviewHook(UIView*, UIView*) { }
void drawNothing(UIView*, CGRect) { }
bool alwaysBegin(UIView*, UIGestureRecognizer*) { return true; }

void animateWithoutCompletion(NSTimeInterval duration, UIViewAnimationsBlock animations) { UIView::animateWithDuration(duration, std::move(animations)); }
void animate(NSTimeInterval duration, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    UIView::animateWithDuration(duration, std::move(animations), std::move(completion));
}
void animateAfterDelay(NSTimeInterval duration, NSTimeInterval delay, NSUInteger options, UIViewAnimationsBlock animations, UIViewCompletionBlock completion)
{
    UIView::animateWithDuration(duration, delay, options, std::move(animations), std::move(completion));
}

} // namespace

void UIView::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIView>(rt, "UIResponder")
        .method(sel::initWithFrame, &UIView::initWithFrame)
        .method(sel::init, &UIView::initWithZeroFrame)
        // Geometry and appearance.
        .method(sel::setFrame, &UIView::applyFrame)
        .method(sel::frame, &UIView::frame)
        .method(sel::bounds, &UIView::bounds)
        .method(sel::setBounds, &UIView::applyBounds)
        .method(sel::center, &UIView::center)
        .method(sel::setCenter, &UIView::applyCenter)
        .method(sel::transform, &UIView::transform)
        .method(sel::setTransform, &UIView::applyTransform)
        .method(sel::alpha, &UIView::alpha)
        .method(sel::setAlpha, &UIView::applyAlpha)
        .method(sel::isHidden, &UIView::isHidden)
        .method(sel::setHidden, &UIView::applyHidden)
        .method(sel::tag, &UIView::tag)
        .method(sel::setTag, &UIView::applyTag)
        .method(sel::backgroundColor, &UIView::backgroundColor)
        .method(sel::setBackgroundColor, &UIView::applyBackgroundColor)
        .method(sel::tintColor, &UIView::tintColor)
        .method(sel::setTintColor, &UIView::setTintColor)
        .method(sel::setOpaque, &UIView::setOpaque)
        .method(sel::clipsToBounds, &UIView::clipsToBounds)
        .method(sel::setClipsToBounds, &UIView::setClipsToBounds)
        .method(sel::contentMode, &UIView::contentMode)
        .method(sel::setContentMode, &UIView::setContentMode)
        .method(sel::layer, &UIView::layer)
        .method(sel::accessibilityLabel, &UIView::accessibilityLabel)
        .method(sel::setAccessibilityLabel, &UIView::setAccessibilityLabel)
        .method(sel::drawRect, &drawNothing)
        .method(sel::setNeedsDisplay, &UIView::setNeedsDisplay)
        // The hierarchy.
        .method(sel::superview, &UIView::superview)
        .method(sel::subviews, &UIView::subviewArray)
        .method(sel::window, &UIView::window)
        .method(sel::addSubview, &UIView::addSubview)
        .method(sel::insertSubviewAtIndex, &UIView::insertSubviewAtIndex)
        .method(sel::insertSubviewBelowSubview, &UIView::insertSubviewBelowSubview)
        .method(sel::insertSubviewAboveSubview, &UIView::insertSubviewAboveSubview)
        .method(sel::bringSubviewToFront, &UIView::bringSubviewToFront)
        .method(sel::sendSubviewToBack, &UIView::sendSubviewToBack)
        .method(sel::removeFromSuperview, &UIView::removeFromSuperview)
        .method(sel::isDescendantOfView, &UIView::isDescendantOfView)
        .method(sel::viewWithTag, &UIView::viewWithTag)
        .method(sel::didMoveToWindow, &noHook)
        .method(sel::willMoveToSuperview, &noSubviewHook)
        .method(sel::didMoveToSuperview, &noHook)
        .method(sel::didAddSubview, &noSubviewHook)
        .method(sel::willRemoveSubview, &noSubviewHook)
        // Layout, coordinates and touches.
        .method(sel::layoutSubviews, &UIView::defaultLayoutSubviews)
        .method(sel::setNeedsLayout, &UIView::setNeedsLayout)
        .method(sel::layoutIfNeeded, &UIView::layoutIfNeeded)
        .method(sel::sizeThatFits, &UIView::defaultSizeThatFits)
        .method(sel::sizeToFit, &UIView::sizeToFit)
        .method(sel::autoresizingMask, &UIView::autoresizingMask)
        .method(sel::setAutoresizingMask, &UIView::setAutoresizingMask)
        .method(sel::convertPointToView, &UIView::convertPointToView)
        .method(sel::convertPointFromView, &UIView::convertPointFromView)
        .method(sel::convertRectToView, &UIView::convertRectToView)
        .method(sel::convertRectFromView, &UIView::convertRectFromView)
        .method(sel::pointInsideWithEvent, &UIView::defaultPointInside)
        .method(sel::hitTestWithEvent, &UIView::defaultHitTest)
        .method(sel::isUserInteractionEnabled, &UIView::isUserInteractionEnabled)
        .method(sel::setUserInteractionEnabled, &UIView::setUserInteractionEnabled)
        .method(sel::setMultipleTouchEnabled, &UIView::setMultipleTouchEnabled)
        .method(sel::gestureRecognizers, &UIView::gestureRecognizerArray)
        .method(sel::addGestureRecognizer, &UIView::addGestureRecognizer)
        .method(sel::removeGestureRecognizer, &UIView::removeGestureRecognizer)
        .method(sel::gestureRecognizerShouldBegin, &alwaysBegin)
        .method(sel::nextResponder, &UIView::superviewOrController)
        // Animations.
        .classMethod(sel::animateWithDurationAnimations, &animateWithoutCompletion)
        .classMethod(sel::animateWithDurationAnimationsCompletion, &animate)
        .classMethod(sel::animateWithDurationDelayOptionsAnimationsCompletion, &animateAfterDelay)
        .classMethod(sel::animateWithDurationDelayUsingSpringWithDampingInitialSpringVelocityOptionsAnimationsCompletion, &UIView::animateWithDurationSpring)
        .classMethod(sel::transitionWithViewDurationOptionsAnimationsCompletion, &UIView::transitionWithView)
        .classMethod(sel::performWithoutAnimation, &UIView::performWithoutAnimation)
        .build();
}
