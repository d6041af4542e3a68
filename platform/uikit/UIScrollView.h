#pragma once

#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/ScrollMotion.h"
#include "platform/uikit/UIView.h"

#include <deque>

class UIPanGestureRecognizer;

// A view whose bounds origin (the content offset) moves over a larger content. Its own pan
// recognizer scrolls it with the finger; pulled past an edge, the content gives less and less
// (a rubber band, when it bounces) and glides back once let go.
// Released while moving, it coasts and slows down, springing back from an edge it runs into;
// with paging on it glides to a whole page instead. setContentOffset:animated: glides too. These
// motions change the content offset itself once a frame (60 a second on the run loop's clock),
// so the delegate sees every step; a new drag or a plain setContentOffset: stops them.
// Delegate messages, when implemented:
// scrollViewDidScroll:, scrollViewWillBeginDragging:, scrollViewDidEndDragging:willDecelerate:,
// scrollViewWillBeginDecelerating:, scrollViewDidEndDecelerating:,
// scrollViewDidEndScrollingAnimation:, viewForZoomingInScrollView:, scrollViewDidZoom:.
class UIScrollView : public UIView {
    OBJC_CLASS(UIScrollView)
public:
    static objc::Ref<UIScrollView> create(CGRect frame = CGRectZero);

    CGSize contentSize() const { return m_contentSize; }
    void setContentSize(CGSize size);
    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset);
    void setContentOffset(CGPoint offset, bool animated);
    UIEdgeInsets contentInset() const { return m_contentInset; }
    void setContentInset(UIEdgeInsets insets) { m_contentInset = insets; }
    objc::Object* delegate() const { return m_delegate.ptr(); }
    void setDelegate(objc::Object* delegate) { m_delegate = delegate; }

    bool isPagingEnabled() const { return m_pagingEnabled; }
    void setPagingEnabled(bool on) { m_pagingEnabled = on; }
    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool on) { m_scrollEnabled = on; }
    bool showsVerticalScrollIndicator() const { return m_showsVertical; }
    void setShowsVerticalScrollIndicator(bool on) { m_showsVertical = on; }
    bool showsHorizontalScrollIndicator() const { return m_showsHorizontal; }
    void setShowsHorizontalScrollIndicator(bool on) { m_showsHorizontal = on; }
    bool bounces() const { return m_bounces; }
    void setBounces(bool on) { m_bounces = on; }
    bool alwaysBounceVertical() const { return m_alwaysBounceVertical; }
    void setAlwaysBounceVertical(bool on) { m_alwaysBounceVertical = on; }
    bool alwaysBounceHorizontal() const { return m_alwaysBounceHorizontal; }
    void setAlwaysBounceHorizontal(bool on) { m_alwaysBounceHorizontal = on; }
    bool canCancelContentTouches() const { return m_canCancelContentTouches; }
    void setCanCancelContentTouches(bool on) { m_canCancelContentTouches = on; }
    bool delaysContentTouches() const { return m_delaysContentTouches; }
    void setDelaysContentTouches(bool on) { m_delaysContentTouches = on; }
    bool isDragging() const { return m_dragging; }
    bool isDecelerating() const { return m_motionKind == MotionKind::Deceleration; }

    CGFloat zoomScale() const { return m_zoomScale; }
    void setZoomScale(CGFloat scale);
    CGFloat minimumZoomScale() const { return m_minZoom; }
    void setMinimumZoomScale(CGFloat s) { m_minZoom = s; }
    CGFloat maximumZoomScale() const { return m_maxZoom; }
    void setMaximumZoomScale(CGFloat s) { m_maxZoom = s; }

    UIPanGestureRecognizer* panGestureRecognizer() const { return m_pan.ptr(); }
    void scrollRectToVisible(CGRect rect, bool animated);
    // FIXME: There are no scroll indicators to flash.
    void flashScrollIndicators() { }

    // The offsets the content may scroll between.
    CGPoint minimumContentOffset() const;
    CGPoint maximumContentOffset() const;
    bool canScrollHorizontally() const;
    bool canScrollVertically() const;

    static void registerClass(objc::Runtime&);

protected:
    // Sends the message to the delegate if it answers it.
    void tellDelegate(const objc::Sel<void(objc::Object*)>& message);

private:
    // What a running motion reports when it ends.
    enum class MotionKind { None, Animation, Deceleration };
    void startMotion(const uikit::ScrollMotion& motion, MotionKind kind);
    void stopMotion();
    void scheduleMotionFrame();
    void motionFrame();
    // The finger's speed over its last moves, in offset terms (zero if it rested before lifting).
    CGPoint releaseVelocity() const;
    // Where a paging scroll view settles after a drag that ends at `velocity`.
    CGPoint pageTarget(CGPoint velocity) const;

    // Runtime methods whose C++ senders above have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void applyContentOffset(CGPoint offset);
    void scrollToOffset(CGPoint offset, bool animated);
    bool panShouldBegin(UIGestureRecognizer* recognizer);
    void handlePan(UIPanGestureRecognizer* pan);

    CGSize m_contentSize;
    UIEdgeInsets m_contentInset;
    objc::WeakRef<objc::Object> m_delegate;
    bool m_pagingEnabled = false;
    bool m_scrollEnabled = true;
    bool m_showsVertical = true;
    bool m_showsHorizontal = true;
    bool m_bounces = true;
    bool m_alwaysBounceVertical = false;
    bool m_alwaysBounceHorizontal = false;
    bool m_canCancelContentTouches = true;
    bool m_delaysContentTouches = true;
    bool m_dragging = false;
    CGFloat m_zoomScale = 1, m_minZoom = 1, m_maxZoom = 1;
    CGPoint m_dragStartOffset;
    objc::Ref<UIPanGestureRecognizer> m_pan;
    // Offsets during the drag with their times (seconds), the last few only.
    std::deque<std::pair<double, CGPoint>> m_dragSamples;
    uikit::ScrollMotion m_motion;
    MotionKind m_motionKind = MotionKind::None;
    dispatch::Nanoseconds m_motionStart = 0;
    dispatch::RunLoop::TimerId m_motionTimer = 0;
    bool m_applyingMotion = false;
};
