#include "platform/uikit/UIScrollView.h"

#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIPanGestureRecognizer.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>
#include <cmath>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

Ref<UIScrollView> UIScrollView::create(CGRect frame)
{
    auto view = objc::make<UIScrollView>();
    msgSend<Ref<objc::Object>>(view, "initWithFrame:", frame);
    return view;
}

void UIScrollView::setContentSize(CGSize size)
{
    if (m_contentSize == size)
        return;
    m_contentSize = size;
    setNeedsLayout();
}

void UIScrollView::setContentOffset(CGPoint offset) { msgSend(this, "setContentOffset:", offset); }

void UIScrollView::setContentOffset(CGPoint offset, bool animated)
{
    setContentOffset(offset);
    if (animated)
        tellDelegate("scrollViewDidEndScrollingAnimation:");
}

void UIScrollView::tellDelegate(const char* selector)
{
    Ref<objc::Object> d = m_delegate.strong();
    if (objc::respondsToSelector(d, selector))
        msgSend(d, selector, this);
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
    if (!objc::respondsToSelector(d, "viewForZoomingInScrollView:"))
        return;
    auto zoomed = msgSend<Ref<UIView>>(d, "viewForZoomingInScrollView:", this);
    if (!zoomed)
        return;
    m_zoomScale = scale;
    zoomed->setTransform(CGAffineTransformMakeScale(scale, scale));
    CGRect f = zoomed->frame();
    zoomed->setCenter(CGPointMake(zoomed->center().x - f.origin.x, zoomed->center().y - f.origin.y));
    setContentSize(zoomed->frame().size);
    tellDelegate("scrollViewDidZoom:");
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

void UIScrollView::handlePan(UIPanGestureRecognizer* pan)
{
    Ref<UIScrollView> keep(this);
    auto s = pan->state();
    if (s == UIGestureRecognizerStateBegan) {
        m_dragging = true;
        m_dragStartOffset = contentOffset();
        tellDelegate("scrollViewWillBeginDragging:");
    }
    if (s == UIGestureRecognizerStateBegan || s == UIGestureRecognizerStateChanged || s == UIGestureRecognizerStateEnded) {
        // A translation is a difference of two points, so the moving offset does not enter it.
        CGPoint moved = pan->translationInView(this);
        CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
        CGPoint offset = CGPointMake(canScrollHorizontally() ? std::clamp(m_dragStartOffset.x - moved.x, lo.x, hi.x) : contentOffset().x,
            canScrollVertically() ? std::clamp(m_dragStartOffset.y - moved.y, lo.y, hi.y) : contentOffset().y);
        setContentOffset(offset);
    }
    if (s == UIGestureRecognizerStateEnded || s == UIGestureRecognizerStateCancelled) {
        m_dragging = false;
        bool decelerate = m_pagingEnabled;
        Ref<objc::Object> d = m_delegate.strong();
        if (objc::respondsToSelector(d, "scrollViewDidEndDragging:willDecelerate:"))
            msgSend(d, "scrollViewDidEndDragging:willDecelerate:", this, decelerate);
        if (m_pagingEnabled) {
            tellDelegate("scrollViewWillBeginDecelerating:");
            CGSize page = bounds().size;
            CGPoint offset = contentOffset();
            CGPoint velocity = pan->velocityInView(this);
            auto snap = [](double value, double start, double pageSize, double v, double lo, double hi) {
                if (pageSize <= 0)
                    return value;
                double startPage = std::round(start / pageSize);
                double moved = (value - start) / pageSize;
                double target = startPage;
                // Half a page or a quick flick turns the page.
                if (moved > 0.5 || (moved > 0.05 && v < -300))
                    target = startPage + 1;
                else if (moved < -0.5 || (moved < -0.05 && v > 300))
                    target = startPage - 1;
                return std::clamp(target * pageSize, lo, hi);
            };
            CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
            CGPoint target = CGPointMake(canScrollHorizontally() ? snap(offset.x, m_dragStartOffset.x, page.width, velocity.x, lo.x, hi.x) : offset.x,
                canScrollVertically() ? snap(offset.y, m_dragStartOffset.y, page.height, velocity.y, lo.y, hi.y) : offset.y);
            setContentOffset(target);
            tellDelegate("scrollViewDidEndDecelerating:");
        }
    }
}

void UIScrollView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIScrollView>("UIView");
    c->addMethod("initWithFrame:", [c](UIScrollView* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->setClipsToBounds(true);
        self->m_pan = UIGestureRecognizer::create<UIPanGestureRecognizer>(self, "handlePan:");
        self->addGestureRecognizer(self->m_pan);
        return Ref<objc::Object>(self);
    });
    c->addMethod("handlePan:", [](UIScrollView* self, SEL, UIPanGestureRecognizer* pan) { self->handlePan(pan); });
    c->addMethod("contentOffset", [](UIScrollView* self, SEL) { return self->contentOffset(); });
    c->addMethod("setContentOffset:", [](UIScrollView* self, SEL, CGPoint offset) {
        CGRect b = self->bounds();
        if (b.origin == offset)
            return;
        b.origin = offset;
        self->setBounds(b);
        self->setNeedsLayout();
        self->tellDelegate("scrollViewDidScroll:");
    });
    c->addMethod("setContentOffset:animated:", [](UIScrollView* self, SEL, CGPoint offset, bool animated) { self->setContentOffset(offset, animated); });
    c->addMethod("contentSize", [](UIScrollView* self, SEL) { return self->contentSize(); });
    c->addMethod("setContentSize:", [](UIScrollView* self, SEL, CGSize size) { self->setContentSize(size); });
    c->addMethod("setDelegate:", [](UIScrollView* self, SEL, objc::Object* d) { self->setDelegate(d); });
    c->addMethod("delegate", [](UIScrollView* self, SEL) { return Ref<objc::Object>(self->delegate()); });
    c->addMethod("setPagingEnabled:", [](UIScrollView* self, SEL, bool on) { self->setPagingEnabled(on); });
    c->addMethod("setScrollEnabled:", [](UIScrollView* self, SEL, bool on) { self->setScrollEnabled(on); });
    c->addMethod("setShowsVerticalScrollIndicator:", [](UIScrollView* self, SEL, bool on) { self->setShowsVerticalScrollIndicator(on); });
    c->addMethod("setShowsHorizontalScrollIndicator:", [](UIScrollView* self, SEL, bool on) { self->setShowsHorizontalScrollIndicator(on); });
    c->addMethod("setCanCancelContentTouches:", [](UIScrollView* self, SEL, bool on) { self->setCanCancelContentTouches(on); });
    c->addMethod("setZoomScale:", [](UIScrollView* self, SEL, double s) { self->setZoomScale(s); });
    c->addMethod("scrollRectToVisible:animated:", [](UIScrollView* self, SEL, CGRect r, bool animated) { self->scrollRectToVisible(r, animated); });
    // The pan begins only in a direction the content can scroll, and not from a control that
    // keeps its touches.
    c->addMethod("gestureRecognizerShouldBegin:", [](UIScrollView* self, SEL, UIGestureRecognizer* r) {
        if (r != self->m_pan.ptr())
            return true;
        if (!self->m_scrollEnabled)
            return false;
        if (!self->m_canCancelContentTouches)
            for (auto& t : r->touches())
                for (UIView* v = t->view(); v && v != self; v = v->superview())
                    if (dynamic_cast<UIControl*>(v))
                        return false;
        CGPoint t = self->m_pan->translationInView(nullptr);
        bool horizontal = std::fabs(t.x) > std::fabs(t.y);
        return horizontal ? self->canScrollHorizontally() : self->canScrollVertically();
    });
}
