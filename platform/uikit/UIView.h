#pragma once

#include "platform/graphics/UIColor.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/UIResponder.h"

#include <memory>
#include <string>
#include <vector>

class NSArray;
class UIWindow;
namespace uikit {
struct AnimationBlock;
}
class UIViewController;
class UIGestureRecognizer;

// A rectangle on the screen with subviews. Geometry is kept as the platform keeps it: a centre in
// the superview's coordinates, bounds (origin = scroll position, size) and an affine transform
// about the centre; `frame` is derived from them.
//
// Runtime methods (overridable by subclasses, replaceable with MSHookMessageEx, and sent through
// their selectors in uikit::sel by this C++ API): initWithFrame:, init, setFrame:, layoutSubviews, didMoveToWindow,
// willMoveToWindow:, didMoveToSuperview, willMoveToSuperview:, didAddSubview:, hitTest:withEvent:,
// pointInside:withEvent:, drawRect:, sizeThatFits:, gestureRecognizerShouldBegin:,
// setBackgroundColor:, setHidden:, setAlpha:, setTag:, setCenter:, setBounds:, setTransform:.
class UIView : public UIResponder {
    OBJC_CLASS(UIView)
public:
    UIView();
    ~UIView() override;

    // [[UIView alloc] initWithFrame:frame]
    static objc::Ref<UIView> create(CGRect frame = CGRectZero);

    // Geometry.
    CGRect frame() const;
    void setFrame(CGRect frame);
    CGRect bounds() const { return m_bounds; }
    void setBounds(CGRect bounds);
    CGPoint center() const { return m_center; }
    void setCenter(CGPoint center);
    CGAffineTransform transform() const { return m_transform; }
    void setTransform(CGAffineTransform transform);

    // Appearance.
    CGFloat alpha() const { return m_alpha; }
    void setAlpha(CGFloat alpha);
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);
    UIColor* backgroundColor() const { return m_backgroundColor.ptr(); }
    void setBackgroundColor(UIColor* color);
    // Inherited from the superview when not set; the system blue at the top.
    objc::Ref<UIColor> tintColor() const;
    void setTintColor(UIColor* color);
    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool on) { m_opaque = on; }
    bool clipsToBounds() const { return m_layer->masksToBounds(); }
    void setClipsToBounds(bool on) { m_layer->setMasksToBounds(on); }
    UIViewContentMode contentMode() const { return m_contentMode; }
    void setContentMode(UIViewContentMode mode)
    {
        m_contentMode = mode;
        setNeedsDisplay();
    }
    CALayer* layer() const { return m_layer.ptr(); }

    // Identity and input.
    NSInteger tag() const { return m_tag; }
    void setTag(NSInteger tag);
    bool isUserInteractionEnabled() const { return m_userInteractionEnabled; }
    void setUserInteractionEnabled(bool on) { m_userInteractionEnabled = on; }
    bool isMultipleTouchEnabled() const { return m_multipleTouchEnabled; }
    void setMultipleTouchEnabled(bool on) { m_multipleTouchEnabled = on; }
    bool isExclusiveTouch() const { return m_exclusiveTouch; }
    void setExclusiveTouch(bool on) { m_exclusiveTouch = on; }
    const std::string& accessibilityLabel() const { return m_accessibilityLabel; }
    void setAccessibilityLabel(std::string label) { m_accessibilityLabel = std::move(label); }

    // The hierarchy.
    UIView* superview() const { return m_superview.ptr(); }
    const std::vector<objc::Ref<UIView>>& subviews() const { return m_subviews; }
    UIWindow* window() const;
    void addSubview(UIView* view);
    void insertSubviewAtIndex(UIView* view, NSInteger index);
    void insertSubviewBelowSubview(UIView* view, UIView* sibling);
    void insertSubviewAboveSubview(UIView* view, UIView* sibling);
    void bringSubviewToFront(UIView* view);
    void sendSubviewToBack(UIView* view);
    void exchangeSubviewAtIndex(NSInteger a, NSInteger b);
    void removeFromSuperview();
    bool isDescendantOfView(const UIView* view) const;
    // The view itself or the first view below it (depth first, in subview order) with `tag`.
    objc::Ref<UIView> viewWithTag(NSInteger tag);

    // The controller whose root view this is (the responder chain passes through it).
    UIViewController* viewController() const { return m_viewController.ptr(); }
    void setViewController(UIViewController* controller);

    // Layout.
    UIViewAutoresizing autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(NSUInteger mask) { m_autoresizingMask = static_cast<UIViewAutoresizing>(mask); }
    bool autoresizesSubviews() const { return m_autoresizesSubviews; }
    void setAutoresizesSubviews(bool on) { m_autoresizesSubviews = on; }
    void setNeedsLayout();
    bool needsLayout() const { return m_needsLayout; }
    // Lays out this view (if marked) and everything below it.
    void layoutIfNeeded();
    void layoutSubviews();
    CGSize sizeThatFits(CGSize size);
    void sizeToFit();
    // Marks what the view drew as stale: the next commit asks drawRect: again (for the whole
    // bounds). A changed bounds size, content mode or tint does the same.
    void setNeedsDisplay() { m_layer->setNeedsDisplay(); }

    // Coordinates. A null view means the window's coordinates (the screen's, here).
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;
    CGRect convertRectToView(CGRect rect, const UIView* view) const;
    CGRect convertRectFromView(CGRect rect, const UIView* view) const;
    // Local point <-> superview point, through centre, bounds and transform.
    CGPoint pointToSuperview(CGPoint local) const;
    CGPoint pointFromSuperview(CGPoint outer) const;

    // Hit testing (runtime methods).
    objc::Ref<UIView> hitTest(CGPoint point, UIEvent* event);
    bool pointInside(CGPoint point, UIEvent* event);
    // Shown and able to take touches: not hidden, not (nearly) transparent, interaction enabled.
    bool canReceiveTouches() const;

    // Gesture recognizers, in the order added.
    const std::vector<objc::Ref<UIGestureRecognizer>>& gestureRecognizers() const { return m_gestureRecognizers; }
    void addGestureRecognizer(UIGestureRecognizer* recognizer);
    void removeGestureRecognizer(UIGestureRecognizer* recognizer);

    // Subviews in drawing order: by layer z position, ties in subview order.
    std::vector<UIView*> subviewsInDrawingOrder() const;

    // Animations on the main run loop's clock. The animations block runs at once and sets the
    // model values (what hit testing and geometry read); each change of center, bounds, frame,
    // transform, alpha or background colour in it becomes an animation of what the screen shows,
    // from the value shown now to the new one, with the block's duration, delay, curve (options),
    // repeat and autoreverse options, or a spring. A later change of the same value (animated or
    // not) replaces a running animation, whose completion is then told finished = false; so does
    // removing the view. A completion runs when its block's animations end; for a block that
    // animated nothing, after delay + duration.
    static void animateWithDuration(NSTimeInterval duration, UIViewAnimationsBlock animations, UIViewCompletionBlock completion = nullptr);
    static void animateWithDuration(NSTimeInterval duration, NSTimeInterval delay, NSUInteger options, UIViewAnimationsBlock animations, UIViewCompletionBlock completion);
    static void animateWithDurationSpring(NSTimeInterval duration, NSTimeInterval delay, CGFloat damping, CGFloat velocity, NSUInteger options, UIViewAnimationsBlock animations, UIViewCompletionBlock completion);
    // FIXME: The transition styles (flips, cross dissolve) are not drawn: the block's changes show
    // at once and the completion follows after the duration.
    static void transitionWithView(UIView* view, NSTimeInterval duration, NSUInteger options, UIViewAnimationsBlock animations, UIViewCompletionBlock completion);
    static void performWithoutAnimation(UIViewAnimationsBlock animations);

    // The view's own values as the code set them, and as the screen shows them at `at` with the
    // running animations.
    uikit::ViewValues modelValues() const;
    uikit::ViewValues presentationValues(dispatch::Nanoseconds at) const;
    // The animations of the view's values not yet over at `at`.
    std::vector<uikit::PropertyAnimation> propertyAnimations(dispatch::Nanoseconds at) const;
    // Ends the running animations of this view's own values (finished = false): the screen shows
    // the model values again. Its layer's removeAllAnimations does this too, as on the phone, where
    // these animations are the layer's.
    void endOwnAnimations();

    static void registerClass(objc::Runtime&);

    // The default implementations behind the runtime methods, for subclasses written in C++.
    void applyFrame(CGRect frame);
    void defaultLayoutSubviews() { }
    CGSize defaultSizeThatFits(CGSize size);
    objc::Ref<UIView> defaultHitTest(CGPoint point, UIEvent* event);
    bool defaultPointInside(CGPoint point, UIEvent* event);

protected:
    // Size of the bounds changed: autoresize the subviews and mark for layout.
    void boundsSizeChanged(CGSize oldSize);
    void notifyWindowChange(UIWindow* oldWindow, UIWindow* newWindow);
    void insertAt(UIView* view, size_t index);

private:
    // Runtime methods whose C++ senders above have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    objc::Ref<objc::Object> initWithZeroFrame();
    void applyBounds(CGRect bounds);
    void applyCenter(CGPoint center);
    void applyTransform(CGAffineTransform transform);
    void applyAlpha(CGFloat alpha);
    void applyHidden(bool hidden);
    void applyBackgroundColor(UIColor* color);
    void applyTag(NSInteger tag);
    // Called before a value changes from `before` to `after` (model values): animates the change
    // inside an animations block, and ends a running animation of the value either way.
    void animateChange(uikit::PropertyAnimation::Property property, const uikit::PropertyAnimation::Value& before, const uikit::PropertyAnimation::Value& after);
    // Marks this view and every view below it for display (their inherited tint changed).
    void setSubtreeNeedsDisplay();
    // Ends the running animations of this view and the views below it (finished = false).
    void endAnimations();
    objc::Ref<NSArray> subviewArray() const;
    objc::Ref<NSArray> gestureRecognizerArray() const;
    objc::Ref<UIResponder> superviewOrController();

    CGPoint m_center;
    CGRect m_bounds;
    CGAffineTransform m_transform;
    CGFloat m_alpha = 1;
    bool m_hidden = false;
    bool m_opaque = true;
    NSInteger m_tag = 0;
    objc::Ref<UIColor> m_backgroundColor;
    objc::Ref<UIColor> m_tintColor;
    UIViewContentMode m_contentMode = UIViewContentModeScaleToFill;
    objc::Ref<CALayer> m_layer;
    bool m_userInteractionEnabled = true;
    bool m_multipleTouchEnabled = false;
    bool m_exclusiveTouch = false;
    std::string m_accessibilityLabel;
    objc::WeakRef<UIView> m_superview;
    std::vector<objc::Ref<UIView>> m_subviews;
    objc::WeakRef<UIViewController> m_viewController;
    UIViewAutoresizing m_autoresizingMask = UIViewAutoresizingNone;
    bool m_autoresizesSubviews = true;
    bool m_needsLayout = true;
    std::vector<objc::Ref<UIGestureRecognizer>> m_gestureRecognizers;
    struct RunningAnimation {
        uikit::PropertyAnimation animation;
        // Weak: the block's completion often holds this view, and the run loop's pending end of
        // the block owns it (a view that keeps it would keep itself).
        std::weak_ptr<uikit::AnimationBlock> block;
        // A block that repeats forever ends only early, so its animations keep it.
        std::shared_ptr<uikit::AnimationBlock> endlessBlock;
    };
    std::vector<RunningAnimation> m_animations;
};

namespace uikit {
// Lays out every window of the device at the end of the current run-loop turn (as the phone
// commits a frame); scheduled by setNeedsLayout.
void scheduleLayoutPass();
} // namespace uikit
