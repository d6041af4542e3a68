#pragma once

// Selectors that UIKit's classes introduce, declared once with their signatures, for code that
// overrides or sends them from outside UIKit (SpringBoard's views, for one).

#include "platform/corefoundation/NSDate.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIKitTypes.h"
#include "platform/uikit/UIResponder.h"
#include "platform/uikit/UIView.h"

#include <cstdint>
#include <string>

class NSArray;
class UIButton;
class UIImageView;
class UILabel;
class UIScreen;
class UIDevice;
class UIViewController;
class UISegmentedControlAppearance;

namespace uikit::sel {

using objc::Ref;
using objc::Sel;

// NSObject's initializer, which views override.
inline constinit Sel<Ref<objc::Object>()> init { "init" };

// UIResponder
inline constinit Sel<Ref<UIResponder>()> nextResponder { "nextResponder" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesBeganWithEvent { "touchesBegan:withEvent:" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesMovedWithEvent { "touchesMoved:withEvent:" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesEndedWithEvent { "touchesEnded:withEvent:" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesCancelledWithEvent { "touchesCancelled:withEvent:" };
inline constinit Sel<bool()> canBecomeFirstResponder { "canBecomeFirstResponder" };
inline constinit Sel<bool()> becomeFirstResponder { "becomeFirstResponder" };
inline constinit Sel<bool()> resignFirstResponder { "resignFirstResponder" };
inline constinit Sel<bool()> isFirstResponder { "isFirstResponder" };

// UIView: geometry and appearance
inline constinit Sel<Ref<objc::Object>(CGRect)> initWithFrame { "initWithFrame:" };
inline constinit Sel<CGRect()> frame { "frame" };
inline constinit Sel<void(CGRect)> setFrame { "setFrame:" };
inline constinit Sel<CGRect()> bounds { "bounds" };
inline constinit Sel<void(CGRect)> setBounds { "setBounds:" };
inline constinit Sel<CGPoint()> center { "center" };
inline constinit Sel<void(CGPoint)> setCenter { "setCenter:" };
inline constinit Sel<CGAffineTransform()> transform { "transform" };
inline constinit Sel<void(CGAffineTransform)> setTransform { "setTransform:" };
inline constinit Sel<CGFloat()> alpha { "alpha" };
inline constinit Sel<void(CGFloat)> setAlpha { "setAlpha:" };
inline constinit Sel<bool()> isHidden { "isHidden" };
inline constinit Sel<void(bool)> setHidden { "setHidden:" };
inline constinit Sel<NSInteger()> tag { "tag" };
inline constinit Sel<void(NSInteger)> setTag { "setTag:" };
inline constinit Sel<Ref<UIColor>()> backgroundColor { "backgroundColor" };
inline constinit Sel<void(UIColor*)> setBackgroundColor { "setBackgroundColor:" };
inline constinit Sel<Ref<UIColor>()> tintColor { "tintColor" };
inline constinit Sel<void(UIColor*)> setTintColor { "setTintColor:" };
inline constinit Sel<void(bool)> setOpaque { "setOpaque:" };
inline constinit Sel<bool()> clipsToBounds { "clipsToBounds" };
inline constinit Sel<void(bool)> setClipsToBounds { "setClipsToBounds:" };
inline constinit Sel<NSInteger()> contentMode { "contentMode" };
inline constinit Sel<void(NSInteger)> setContentMode { "setContentMode:" };
inline constinit Sel<Ref<CALayer>()> layer { "layer" };
inline constinit Sel<std::string()> accessibilityLabel { "accessibilityLabel" };
inline constinit Sel<void(std::string)> setAccessibilityLabel { "setAccessibilityLabel:" };
inline constinit Sel<void(CGRect)> drawRect { "drawRect:" };
inline constinit Sel<void()> setNeedsDisplay { "setNeedsDisplay" };

// UIView: the hierarchy
inline constinit Sel<Ref<UIView>()> superview { "superview" };
inline constinit Sel<Ref<NSArray>()> subviews { "subviews" };
inline constinit Sel<Ref<UIWindow>()> window { "window" };
inline constinit Sel<void(UIView*)> addSubview { "addSubview:" };
inline constinit Sel<void(UIView*, NSInteger)> insertSubviewAtIndex { "insertSubview:atIndex:" };
inline constinit Sel<void(UIView*, UIView*)> insertSubviewBelowSubview { "insertSubview:belowSubview:" };
inline constinit Sel<void(UIView*, UIView*)> insertSubviewAboveSubview { "insertSubview:aboveSubview:" };
inline constinit Sel<void(UIView*)> bringSubviewToFront { "bringSubviewToFront:" };
inline constinit Sel<void(UIView*)> sendSubviewToBack { "sendSubviewToBack:" };
inline constinit Sel<void()> removeFromSuperview { "removeFromSuperview" };
inline constinit Sel<bool(UIView*)> isDescendantOfView { "isDescendantOfView:" };
inline constinit Sel<Ref<UIView>(NSInteger)> viewWithTag { "viewWithTag:" };
// What a view hears as the hierarchy changes (empty on UIView).
inline constinit Sel<void()> didMoveToWindow { "didMoveToWindow" };
inline constinit Sel<void(UIView*)> willMoveToSuperview { "willMoveToSuperview:" };
inline constinit Sel<void()> didMoveToSuperview { "didMoveToSuperview" };
inline constinit Sel<void(UIView*)> didAddSubview { "didAddSubview:" };
inline constinit Sel<void(UIView*)> willRemoveSubview { "willRemoveSubview:" };

// UIView: layout, coordinates, touches
inline constinit Sel<void()> layoutSubviews { "layoutSubviews" };
inline constinit Sel<void()> setNeedsLayout { "setNeedsLayout" };
inline constinit Sel<void()> layoutIfNeeded { "layoutIfNeeded" };
inline constinit Sel<CGSize(CGSize)> sizeThatFits { "sizeThatFits:" };
inline constinit Sel<void()> sizeToFit { "sizeToFit" };
inline constinit Sel<NSUInteger()> autoresizingMask { "autoresizingMask" };
inline constinit Sel<void(NSUInteger)> setAutoresizingMask { "setAutoresizingMask:" };
inline constinit Sel<CGPoint(CGPoint, UIView*)> convertPointToView { "convertPoint:toView:" };
inline constinit Sel<CGPoint(CGPoint, UIView*)> convertPointFromView { "convertPoint:fromView:" };
inline constinit Sel<CGRect(CGRect, UIView*)> convertRectToView { "convertRect:toView:" };
inline constinit Sel<CGRect(CGRect, UIView*)> convertRectFromView { "convertRect:fromView:" };
inline constinit Sel<Ref<UIView>(CGPoint, UIEvent*)> hitTestWithEvent { "hitTest:withEvent:" };
inline constinit Sel<bool(CGPoint, UIEvent*)> pointInsideWithEvent { "pointInside:withEvent:" };
inline constinit Sel<bool()> isUserInteractionEnabled { "isUserInteractionEnabled" };
inline constinit Sel<void(bool)> setUserInteractionEnabled { "setUserInteractionEnabled:" };
inline constinit Sel<void(bool)> setMultipleTouchEnabled { "setMultipleTouchEnabled:" };
inline constinit Sel<Ref<NSArray>()> gestureRecognizers { "gestureRecognizers" };
inline constinit Sel<void(objc::Object*)> addGestureRecognizer { "addGestureRecognizer:" };
inline constinit Sel<void(objc::Object*)> removeGestureRecognizer { "removeGestureRecognizer:" };
inline constinit Sel<bool(objc::Object*)> gestureRecognizerShouldBegin { "gestureRecognizerShouldBegin:" };

// UIView's class methods: animations
inline constinit Sel<void(NSTimeInterval, UIViewAnimationsBlock)> animateWithDurationAnimations { "animateWithDuration:animations:" };
inline constinit Sel<void(NSTimeInterval, UIViewAnimationsBlock, UIViewCompletionBlock)> animateWithDurationAnimationsCompletion {
    "animateWithDuration:animations:completion:"
};
inline constinit Sel<void(NSTimeInterval, NSTimeInterval, NSUInteger, UIViewAnimationsBlock, UIViewCompletionBlock)> animateWithDurationDelayOptionsAnimationsCompletion {
    "animateWithDuration:delay:options:animations:completion:"
};
inline constinit Sel<void(NSTimeInterval, NSTimeInterval, CGFloat, CGFloat, NSUInteger, UIViewAnimationsBlock, UIViewCompletionBlock)>
    animateWithDurationDelayUsingSpringWithDampingInitialSpringVelocityOptionsAnimationsCompletion {
        "animateWithDuration:delay:usingSpringWithDamping:initialSpringVelocity:options:animations:completion:"
    };
inline constinit Sel<void(UIView*, NSTimeInterval, NSUInteger, UIViewAnimationsBlock, UIViewCompletionBlock)> transitionWithViewDurationOptionsAnimationsCompletion {
    "transitionWithView:duration:options:animations:completion:"
};
inline constinit Sel<void(UIViewAnimationsBlock)> performWithoutAnimation { "performWithoutAnimation:" };

// UIWindow
inline constinit Sel<Ref<UIViewController>()> rootViewController { "rootViewController" };
inline constinit Sel<void(objc::Object*)> setRootViewController { "setRootViewController:" };
inline constinit Sel<void()> makeKeyWindow { "makeKeyWindow" };
inline constinit Sel<void()> makeKeyAndVisible { "makeKeyAndVisible" };
inline constinit Sel<bool()> isKeyWindow { "isKeyWindow" };
inline constinit Sel<CGFloat()> windowLevel { "windowLevel" };
inline constinit Sel<void(CGFloat)> setWindowLevel { "setWindowLevel:" };

// UILabel, UITextField
inline constinit Sel<std::string()> text { "text" };
inline constinit Sel<void(std::string)> setText { "setText:" };
inline constinit Sel<Ref<UIFont>()> font { "font" };
inline constinit Sel<void(UIFont*)> setFont { "setFont:" };
inline constinit Sel<Ref<UIColor>()> textColor { "textColor" };
inline constinit Sel<void(UIColor*)> setTextColor { "setTextColor:" };
inline constinit Sel<void(NSInteger)> setTextAlignment { "setTextAlignment:" };
inline constinit Sel<void(NSInteger)> setNumberOfLines { "setNumberOfLines:" };
inline constinit Sel<void(bool)> setAdjustsFontSizeToFitWidth { "setAdjustsFontSizeToFitWidth:" };
inline constinit Sel<void(CGFloat)> setMinimumScaleFactor { "setMinimumScaleFactor:" };
inline constinit Sel<void(NSInteger)> setLineBreakMode { "setLineBreakMode:" };

// UIImageView
inline constinit Sel<Ref<objc::Object>(UIImage*)> initWithImage { "initWithImage:" };
inline constinit Sel<Ref<UIImage>()> image { "image" };
inline constinit Sel<void(UIImage*)> setImage { "setImage:" };

// UIControl
inline constinit Sel<void(objc::Object*, objc::SEL, NSUInteger)> addTargetActionForControlEvents { "addTarget:action:forControlEvents:" };
inline constinit Sel<void(objc::Object*, objc::SEL, NSUInteger)> removeTargetActionForControlEvents { "removeTarget:action:forControlEvents:" };
inline constinit Sel<void(objc::SEL, objc::Object*, UIEvent*)> sendActionToForEvent { "sendAction:to:forEvent:" };
inline constinit Sel<void(NSUInteger)> sendActionsForControlEvents { "sendActionsForControlEvents:" };
inline constinit Sel<bool()> isEnabled { "isEnabled" };
inline constinit Sel<void(bool)> setEnabled { "setEnabled:" };
inline constinit Sel<bool()> isSelected { "isSelected" };
inline constinit Sel<void(bool)> setSelected { "setSelected:" };
inline constinit Sel<bool()> isHighlighted { "isHighlighted" };
inline constinit Sel<void(bool)> setHighlighted { "setHighlighted:" };
// Sent to itself whenever enabled, selected or highlighted change.
inline constinit Sel<void()> _stateDidChange { "_stateDidChange" };
inline constinit Sel<bool(UITouch*, UIEvent*)> beginTrackingWithTouchWithEvent { "beginTrackingWithTouch:withEvent:" };
inline constinit Sel<bool(UITouch*, UIEvent*)> continueTrackingWithTouchWithEvent { "continueTrackingWithTouch:withEvent:" };
inline constinit Sel<void(UITouch*, UIEvent*)> endTrackingWithTouchWithEvent { "endTrackingWithTouch:withEvent:" };
inline constinit Sel<void(UIEvent*)> cancelTrackingWithEvent { "cancelTrackingWithEvent:" };

// UIButton
inline constinit Sel<Ref<UIButton>(NSInteger)> buttonWithType { "buttonWithType:" };
inline constinit Sel<NSInteger()> buttonType { "buttonType" };
inline constinit Sel<void(std::string, NSUInteger)> setTitleForState { "setTitle:forState:" };
inline constinit Sel<std::string(NSUInteger)> titleForState { "titleForState:" };
inline constinit Sel<void(UIColor*, NSUInteger)> setTitleColorForState { "setTitleColor:forState:" };
inline constinit Sel<Ref<UIColor>(NSUInteger)> titleColorForState { "titleColorForState:" };
inline constinit Sel<void(UIImage*, NSUInteger)> setImageForState { "setImage:forState:" };
inline constinit Sel<Ref<UIImage>(NSUInteger)> imageForState { "imageForState:" };
inline constinit Sel<void(UIImage*, NSUInteger)> setBackgroundImageForState { "setBackgroundImage:forState:" };
inline constinit Sel<Ref<UIImage>(NSUInteger)> backgroundImageForState { "backgroundImageForState:" };
inline constinit Sel<Ref<UILabel>()> titleLabel { "titleLabel" };
inline constinit Sel<Ref<UIImageView>()> imageView { "imageView" };
inline constinit Sel<void(UIEdgeInsets)> setTitleEdgeInsets { "setTitleEdgeInsets:" };
inline constinit Sel<void(UIEdgeInsets)> setImageEdgeInsets { "setImageEdgeInsets:" };
inline constinit Sel<void(UIEdgeInsets)> setContentEdgeInsets { "setContentEdgeInsets:" };

// UITextField (text, font and colours as UILabel's)
inline constinit Sel<std::string()> placeholder { "placeholder" };
inline constinit Sel<void(std::string)> setPlaceholder { "setPlaceholder:" };
inline constinit Sel<NSInteger()> keyboardType { "keyboardType" };
inline constinit Sel<void(NSInteger)> setKeyboardType { "setKeyboardType:" };
inline constinit Sel<void(bool)> setSecureTextEntry { "setSecureTextEntry:" };
inline constinit Sel<void(NSInteger)> setBorderStyle { "setBorderStyle:" };

// UIScrollView, and the delegates of scroll views and text fields
inline constinit Sel<Ref<objc::Object>()> delegate { "delegate" };
inline constinit Sel<void(objc::Object*)> setDelegate { "setDelegate:" };
inline constinit Sel<CGPoint()> contentOffset { "contentOffset" };
inline constinit Sel<void(CGPoint)> setContentOffset { "setContentOffset:" };
inline constinit Sel<void(CGPoint, bool)> setContentOffsetAnimated { "setContentOffset:animated:" };
inline constinit Sel<CGSize()> contentSize { "contentSize" };
inline constinit Sel<void(CGSize)> setContentSize { "setContentSize:" };
inline constinit Sel<void(bool)> setPagingEnabled { "setPagingEnabled:" };
inline constinit Sel<void(bool)> setScrollEnabled { "setScrollEnabled:" };
inline constinit Sel<void(bool)> setShowsVerticalScrollIndicator { "setShowsVerticalScrollIndicator:" };
inline constinit Sel<void(bool)> setShowsHorizontalScrollIndicator { "setShowsHorizontalScrollIndicator:" };
inline constinit Sel<void(bool)> setCanCancelContentTouches { "setCanCancelContentTouches:" };
inline constinit Sel<void(CGFloat)> setZoomScale { "setZoomScale:" };
inline constinit Sel<void(CGRect, bool)> scrollRectToVisibleAnimated { "scrollRectToVisible:animated:" };
inline constinit Sel<void(objc::Object*)> handlePan { "handlePan:" };
inline constinit Sel<void(objc::Object*)> scrollViewDidScroll { "scrollViewDidScroll:" };
inline constinit Sel<void(objc::Object*)> scrollViewWillBeginDragging { "scrollViewWillBeginDragging:" };
inline constinit Sel<void(objc::Object*, bool)> scrollViewDidEndDraggingWillDecelerate { "scrollViewDidEndDragging:willDecelerate:" };
inline constinit Sel<void(objc::Object*)> scrollViewWillBeginDecelerating { "scrollViewWillBeginDecelerating:" };
inline constinit Sel<void(objc::Object*)> scrollViewDidEndDecelerating { "scrollViewDidEndDecelerating:" };
inline constinit Sel<void(objc::Object*)> scrollViewDidEndScrollingAnimation { "scrollViewDidEndScrollingAnimation:" };
inline constinit Sel<void(objc::Object*)> scrollViewDidZoom { "scrollViewDidZoom:" };
inline constinit Sel<Ref<UIView>(objc::Object*)> viewForZoomingInScrollView { "viewForZoomingInScrollView:" };

// UISlider
inline constinit Sel<CGFloat()> value { "value" };
inline constinit Sel<void(CGFloat)> setValue { "setValue:" };
inline constinit Sel<void(CGFloat, bool)> setValueAnimated { "setValue:animated:" };
inline constinit Sel<CGFloat()> minimumValue { "minimumValue" };
inline constinit Sel<void(CGFloat)> setMinimumValue { "setMinimumValue:" };
inline constinit Sel<CGFloat()> maximumValue { "maximumValue" };
inline constinit Sel<void(CGFloat)> setMaximumValue { "setMaximumValue:" };
inline constinit Sel<void(bool)> setContinuous { "setContinuous:" };
inline constinit Sel<void(UIColor*)> setMinimumTrackTintColor { "setMinimumTrackTintColor:" };
inline constinit Sel<void(UIColor*)> setMaximumTrackTintColor { "setMaximumTrackTintColor:" };
inline constinit Sel<void(UIColor*)> setThumbTintColor { "setThumbTintColor:" };

// UISwitch
inline constinit Sel<bool()> isOn { "isOn" };
inline constinit Sel<void(bool)> setOn { "setOn:" };
inline constinit Sel<void(bool, bool)> setOnAnimated { "setOn:animated:" };
inline constinit Sel<Ref<UIColor>()> onTintColor { "onTintColor" };
inline constinit Sel<void(UIColor*)> setOnTintColor { "setOnTintColor:" };

// UISegmentedControl
inline constinit Sel<Ref<UISegmentedControlAppearance>()> appearance { "appearance" };
inline constinit Sel<Ref<objc::Object>(objc::Object*)> initWithItems { "initWithItems:" };
inline constinit Sel<NSInteger()> selectedSegmentIndex { "selectedSegmentIndex" };
inline constinit Sel<void(NSInteger)> setSelectedSegmentIndex { "setSelectedSegmentIndex:" };
inline constinit Sel<NSUInteger()> numberOfSegments { "numberOfSegments" };
inline constinit Sel<std::string(NSUInteger)> titleForSegmentAtIndex { "titleForSegmentAtIndex:" };
inline constinit Sel<void(std::string, NSUInteger)> setTitleForSegmentAtIndex { "setTitle:forSegmentAtIndex:" };
inline constinit Sel<void(std::string, NSUInteger, bool)> insertSegmentWithTitleAtIndexAnimated { "insertSegmentWithTitle:atIndex:animated:" };
inline constinit Sel<void()> removeAllSegments { "removeAllSegments" };

// UIActivityIndicatorView
inline constinit Sel<Ref<objc::Object>(NSInteger)> initWithActivityIndicatorStyle { "initWithActivityIndicatorStyle:" };
inline constinit Sel<void()> startAnimating { "startAnimating" };
inline constinit Sel<void()> stopAnimating { "stopAnimating" };
inline constinit Sel<bool()> isAnimating { "isAnimating" };
inline constinit Sel<void(UIColor*)> setColor { "setColor:" };
inline constinit Sel<void(NSInteger)> setActivityIndicatorViewStyle { "setActivityIndicatorViewStyle:" };
inline constinit Sel<void(bool)> setHidesWhenStopped { "setHidesWhenStopped:" };

// UIDatePicker
inline constinit Sel<Ref<NSDate>()> date { "date" };
inline constinit Sel<void(NSDate*)> setDate { "setDate:" };
inline constinit Sel<void(NSDate*, bool)> setDateAnimated { "setDate:animated:" };
inline constinit Sel<NSInteger()> datePickerMode { "datePickerMode" };
inline constinit Sel<void(NSInteger)> setDatePickerMode { "setDatePickerMode:" };
inline constinit Sel<void(NSInteger)> setMinuteInterval { "setMinuteInterval:" };

// UITouch
inline constinit Sel<CGPoint(UIView*)> locationInView { "locationInView:" };
inline constinit Sel<CGPoint(UIView*)> previousLocationInView { "previousLocationInView:" };
inline constinit Sel<NSUInteger()> tapCount { "tapCount" };
inline constinit Sel<Ref<UIView>()> view { "view" };

// UIFont
inline constinit Sel<Ref<UIFont>(CGFloat)> systemFontOfSize { "systemFontOfSize:" };
inline constinit Sel<Ref<UIFont>(CGFloat)> boldSystemFontOfSize { "boldSystemFontOfSize:" };
inline constinit Sel<Ref<UIFont>(CGFloat)> italicSystemFontOfSize { "italicSystemFontOfSize:" };
inline constinit Sel<Ref<UIFont>(CGFloat, CGFloat)> systemFontOfSizeWeight { "systemFontOfSize:weight:" };
inline constinit Sel<Ref<UIFont>(std::string, CGFloat)> fontWithNameSize { "fontWithName:size:" };
inline constinit Sel<Ref<UIFont>(CGFloat)> fontWithSize { "fontWithSize:" };
inline constinit Sel<CGFloat()> pointSize { "pointSize" };
inline constinit Sel<std::string()> fontName { "fontName" };
inline constinit Sel<std::string()> familyName { "familyName" };
inline constinit Sel<CGFloat()> lineHeight { "lineHeight" };

// UIScreen (bounds as UIView's)
inline constinit Sel<Ref<UIScreen>()> mainScreen { "mainScreen" };
inline constinit Sel<CGFloat()> scale { "scale" };
inline constinit Sel<CGFloat()> nativeScale { "nativeScale" };
inline constinit Sel<CGRect()> nativeBounds { "nativeBounds" };

// UIDevice
inline constinit Sel<Ref<UIDevice>()> currentDevice { "currentDevice" };
inline constinit Sel<std::string()> systemVersion { "systemVersion" };
inline constinit Sel<std::string()> systemName { "systemName" };
inline constinit Sel<std::string()> model { "model" };
inline constinit Sel<std::string()> name { "name" };
inline constinit Sel<NSInteger()> userInterfaceIdiom { "userInterfaceIdiom" };

// What views and the touch driver ask of controllers and recognizers.
inline constinit Sel<void()> viewWillLayoutSubviews { "viewWillLayoutSubviews" };
inline constinit Sel<void()> viewDidLayoutSubviews { "viewDidLayoutSubviews" };
inline constinit Sel<bool()> prefersStatusBarHidden { "prefersStatusBarHidden" };
inline constinit Sel<bool(objc::Object*, UITouch*)> gestureRecognizerShouldReceiveTouch { "gestureRecognizer:shouldReceiveTouch:" };

// --- view controllers, tables, navigation, alerts, gestures, application (below) ---

} // namespace uikit::sel
