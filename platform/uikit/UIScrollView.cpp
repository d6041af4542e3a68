#include "platform/uikit/UIScrollView.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIPanGestureRecognizer.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>
#include <cmath>

using objc::Ref;

Ref<UIScrollView> UIScrollView::create(CGRect frame)
{
    auto view = objc::make<UIScrollView>();
    uikit::sel::initWithFrame(view, frame);
    return view;
}

void UIScrollView::setContentSize(CGSize size)
{
    if (m_contentSize == size)
        return;
    m_contentSize = size;
    setNeedsLayout();
}

void UIScrollView::setContentOffset(CGPoint offset) { uikit::sel::setContentOffset(this, offset); }

void UIScrollView::setContentOffset(CGPoint offset, bool animated)
{
    if (!animated)
        return setContentOffset(offset);
    startMotion(uikit::ScrollMotion::glide(contentOffset(), offset), MotionKind::Animation);
}

namespace {
constexpr dispatch::Nanoseconds kFrameInterval = 1'000'000'000 / 60;
// Moves older than this before the finger lifts do not count towards its speed.
constexpr double kVelocityWindow = 0.1;
} // namespace

void UIScrollView::startMotion(const uikit::ScrollMotion& motion, MotionKind kind)
{
    stopMotion();
    m_motion = motion;
    m_motionKind = kind;
    m_motionStart = dispatch::RunLoop::main().now();
    if (motion.duration() <= 0)
        return motionFrame();
    scheduleMotionFrame();
}

void UIScrollView::stopMotion()
{
    if (m_motionTimer)
        dispatch::RunLoop::main().cancelTimer(m_motionTimer);
    m_motionTimer = 0;
    m_motionKind = MotionKind::None;
}

// NOTE: A one-shot timer re-armed each frame, not a repeating one: the run loop counts it as
// pending work, so settling the loop waits for the motion to end.
void UIScrollView::scheduleMotionFrame()
{
    objc::WeakRef<UIScrollView> weak(this);
    m_motionTimer = dispatch::RunLoop::main().addTimer(kFrameInterval, false, [weak] {
        if (!objc::Runtime::currentOrNull())
            return;
        if (Ref<UIScrollView> self = weak.strong()) {
            self->m_motionTimer = 0;
            self->motionFrame();
        }
    }, "common");
}

void UIScrollView::motionFrame()
{
    Ref<UIScrollView> keep(this);
    double t = static_cast<double>(dispatch::RunLoop::main().now() - m_motionStart) / 1e9;
    bool done = t >= m_motion.duration();
    MotionKind kind = m_motionKind;
    m_applyingMotion = true;
    setContentOffset(done ? m_motion.target() : m_motion.offsetAt(t));
    m_applyingMotion = false;
    // The delegate may have stopped or replaced the motion while it heard of the scroll.
    if (m_motionKind != kind || m_motionTimer)
        return;
    if (!done)
        return scheduleMotionFrame();
    m_motionKind = MotionKind::None;
    tellDelegate(kind == MotionKind::Animation ? uikit::sel::scrollViewDidEndScrollingAnimation : uikit::sel::scrollViewDidEndDecelerating);
}

CGPoint UIScrollView::releaseVelocity() const
{
    if (m_dragSamples.size() < 2)
        return CGPointZero;
    auto [lastTime, lastOffset] = m_dragSamples.back();
    // A finger that rested before it lifted throws nothing.
    if (uikit::nowSeconds() - lastTime > kVelocityWindow / 2)
        return CGPointZero;
    auto [firstTime, firstOffset] = m_dragSamples.front();
    if (lastTime <= firstTime)
        return CGPointZero;
    double dt = lastTime - firstTime;
    return CGPointMake((lastOffset.x - firstOffset.x) / dt, (lastOffset.y - firstOffset.y) / dt);
}

void UIScrollView::tellDelegate(const objc::Sel<void(objc::Object*)>& message)
{
    Ref<objc::Object> d = m_delegate.strong();
    if (message.isAnsweredBy(d))
        message(d, this);
}

CGPoint UIScrollView::minimumContentOffset() const { return CGPointMake(-m_contentInset.left, -m_contentInset.top); }

CGPoint UIScrollView::maximumContentOffset() const
{
    CGSize b = bounds().size;
    return CGPointMake(std::max(-m_contentInset.left, m_contentSize.width + m_contentInset.right - b.width),
        std::max(-m_contentInset.top, m_contentSize.height + m_contentInset.bottom - b.height));
}

bool UIScrollView::canScrollHorizontally() const { return m_alwaysBounceHorizontal || maximumContentOffset().x > minimumContentOffset().x; }
bool UIScrollView::canScrollVertically() const { return m_alwaysBounceVertical || maximumContentOffset().y > minimumContentOffset().y; }

void UIScrollView::setZoomScale(CGFloat scale)
{
    scale = std::clamp(scale, m_minZoom, std::max(m_minZoom, m_maxZoom));
    if (scale == m_zoomScale)
        return;
    Ref<objc::Object> d = m_delegate.strong();
    if (!uikit::sel::viewForZoomingInScrollView.isAnsweredBy(d))
        return;
    auto zoomed = uikit::sel::viewForZoomingInScrollView(d, this);
    if (!zoomed)
        return;
    m_zoomScale = scale;
    zoomed->setTransform(CGAffineTransformMakeScale(scale, scale));
    CGRect f = zoomed->frame();
    zoomed->setCenter(CGPointMake(zoomed->center().x - f.origin.x, zoomed->center().y - f.origin.y));
    setContentSize(zoomed->frame().size);
    tellDelegate(uikit::sel::scrollViewDidZoom);
}

void UIScrollView::scrollRectToVisible(CGRect rect, bool animated)
{
    CGRect b = bounds();
    CGPoint offset = b.origin;
    if (CGRectGetMaxY(rect) > CGRectGetMaxY(b))
        offset.y = CGRectGetMaxY(rect) - b.size.height;
    if (rect.origin.y < offset.y)
        offset.y = rect.origin.y;
    if (CGRectGetMaxX(rect) > CGRectGetMaxX(b))
        offset.x = CGRectGetMaxX(rect) - b.size.width;
    if (rect.origin.x < offset.x)
        offset.x = rect.origin.x;
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    offset.x = std::clamp(offset.x, lo.x, hi.x);
    offset.y = std::clamp(offset.y, lo.y, hi.y);
    setContentOffset(offset, animated);
}

namespace {

// Where a finger pulling the offset to `wanted` takes it: within the content, all the way; past an
// edge, less and less the further it pulls, as a rubber band (a pull of d over a view of size s
// gives (1 - 1 / (0.55 d / s + 1)) s); without bouncing, no further than the edge.
double pulled(double wanted, double lo, double hi, double size, bool bounces)
{
    if (wanted >= lo && wanted <= hi)
        return wanted;
    double edge = wanted < lo ? lo : hi;
    if (!bounces || size <= 0)
        return edge;
    double give = (1 - 1 / (std::fabs(wanted - edge) * 0.55 / size + 1)) * size;
    return wanted < lo ? lo - give : hi + give;
}

} // namespace

void UIScrollView::handlePan(UIPanGestureRecognizer* pan)
{
    Ref<UIScrollView> keep(this);
    auto s = pan->state();
    if (s == UIGestureRecognizerStateBegan) {
        // A finger catches whatever motion is running.
        stopMotion();
        m_dragging = true;
        m_dragStartOffset = contentOffset();
        m_dragSamples.clear();
        tellDelegate(uikit::sel::scrollViewWillBeginDragging);
    }
    if (s == UIGestureRecognizerStateBegan || s == UIGestureRecognizerStateChanged || s == UIGestureRecognizerStateEnded) {
        // A translation is a difference of two points, so the moving offset does not enter it.
        CGPoint moved = pan->translationInView(this);
        CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
        CGSize size = bounds().size;
        CGPoint offset = CGPointMake(canScrollHorizontally() ? pulled(m_dragStartOffset.x - moved.x, lo.x, hi.x, size.width, m_bounces) : contentOffset().x,
            canScrollVertically() ? pulled(m_dragStartOffset.y - moved.y, lo.y, hi.y, size.height, m_bounces) : contentOffset().y);
        setContentOffset(offset);
        // The offset's own moves, not the finger's: a drag held at an edge has no speed.
        if (s != UIGestureRecognizerStateEnded) {
            double now = uikit::nowSeconds();
            m_dragSamples.emplace_back(now, contentOffset());
            while (m_dragSamples.size() > 2 && now - m_dragSamples[1].first >= kVelocityWindow)
                m_dragSamples.pop_front();
        }
    }
    if (s == UIGestureRecognizerStateEnded || s == UIGestureRecognizerStateCancelled) {
        m_dragging = false;
        CGPoint velocity = s == UIGestureRecognizerStateEnded ? releaseVelocity() : CGPointZero;
        CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
        auto motion = m_pagingEnabled ? uikit::ScrollMotion::glide(contentOffset(), pageTarget(velocity))
                                      : uikit::ScrollMotion::coast(contentOffset(), velocity, lo, hi, m_bounces);
        bool decelerate = m_pagingEnabled || motion.duration() > 0;
        Ref<objc::Object> d = m_delegate.strong();
        if (uikit::sel::scrollViewDidEndDraggingWillDecelerate.isAnsweredBy(d))
            uikit::sel::scrollViewDidEndDraggingWillDecelerate(d, this, decelerate);
        if (decelerate) {
            tellDelegate(uikit::sel::scrollViewWillBeginDecelerating);
            startMotion(motion, MotionKind::Deceleration);
        }
    }
}

CGPoint UIScrollView::pageTarget(CGPoint velocity) const
{
    CGSize page = bounds().size;
    CGPoint offset = contentOffset();
    auto snap = [](double value, double start, double pageSize, double v, double lo, double hi) {
        if (pageSize <= 0)
            return value;
        double startPage = std::round(start / pageSize);
        double moved = (value - start) / pageSize;
        double target = startPage;
        // Half a page or a quick flick turns the page.
        if (moved > 0.5 || (moved > 0.05 && v > 300))
            target = startPage + 1;
        else if (moved < -0.5 || (moved < -0.05 && v < -300))
            target = startPage - 1;
        return std::clamp(target * pageSize, lo, hi);
    };
    CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
    return CGPointMake(canScrollHorizontally() ? snap(offset.x, m_dragStartOffset.x, page.width, velocity.x, lo.x, hi.x) : offset.x,
        canScrollVertically() ? snap(offset.y, m_dragStartOffset.y, page.height, velocity.y, lo.y, hi.y) : offset.y);
}

// Registration -----------------------------------------------------------------------------------

Ref<objc::Object> UIScrollView::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UIScrollView>(), this, frame);
    setClipsToBounds(true);
    m_pan = UIGestureRecognizer::create<UIPanGestureRecognizer>(this, uikit::sel::handlePan.name());
    addGestureRecognizer(m_pan);
    return Ref<objc::Object>(this);
}

void UIScrollView::applyContentOffset(CGPoint offset)
{
    // Set from outside, the offset ends any motion; the motion's own steps come through here too.
    if (!m_applyingMotion)
        stopMotion();
    CGRect b = bounds();
    if (b.origin == offset)
        return;
    b.origin = offset;
    setBounds(b);
    setNeedsLayout();
    tellDelegate(uikit::sel::scrollViewDidScroll);
}

void UIScrollView::scrollToOffset(CGPoint offset, bool animated) { setContentOffset(offset, animated); }

// The pan begins only in a direction the content can scroll, and not from a control that keeps
// its touches.
bool UIScrollView::panShouldBegin(UIGestureRecognizer* recognizer)
{
    if (recognizer != m_pan.ptr())
        return true;
    if (!m_scrollEnabled)
        return false;
    if (!m_canCancelContentTouches)
        for (auto& t : recognizer->touches())
            for (UIView* v = t->view(); v && v != this; v = v->superview())
                if (dynamic_cast<UIControl*>(v))
                    return false;
    CGPoint t = m_pan->translationInView(nullptr);
    bool horizontal = std::fabs(t.x) > std::fabs(t.y);
    return horizontal ? canScrollHorizontally() : canScrollVertically();
}

void UIScrollView::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIScrollView>(rt, "UIView")
        .method(sel::initWithFrame, &UIScrollView::initWithFrame)
        .method(sel::handlePan, &UIScrollView::handlePan)
        .method(sel::contentOffset, &UIScrollView::contentOffset)
        .method(sel::setContentOffset, &UIScrollView::applyContentOffset)
        .method(sel::setContentOffsetAnimated, &UIScrollView::scrollToOffset)
        .method(sel::contentSize, &UIScrollView::contentSize)
        .method(sel::setContentSize, &UIScrollView::setContentSize)
        .method(sel::setDelegate, &UIScrollView::setDelegate)
        .method(sel::delegate, &UIScrollView::delegate)
        .method(sel::setPagingEnabled, &UIScrollView::setPagingEnabled)
        .method(sel::setScrollEnabled, &UIScrollView::setScrollEnabled)
        .method(sel::setShowsVerticalScrollIndicator, &UIScrollView::setShowsVerticalScrollIndicator)
        .method(sel::setShowsHorizontalScrollIndicator, &UIScrollView::setShowsHorizontalScrollIndicator)
        .method(sel::setCanCancelContentTouches, &UIScrollView::setCanCancelContentTouches)
        .method(sel::setZoomScale, &UIScrollView::setZoomScale)
        .method(sel::scrollRectToVisibleAnimated, &UIScrollView::scrollRectToVisible)
        .method(sel::gestureRecognizerShouldBegin, &UIScrollView::panShouldBegin)
        .build();
}
