#pragma once

// Selectors that UIKit's classes introduce, declared once with their signatures, for code that
// overrides or sends them from outside UIKit (SpringBoard's views, for one).

#include "platform/corefoundation/NSDate.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Protocol.h"
#include "platform/runtime/NSObjectSelectors.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIKitTypes.h"
#include "platform/uikit/UIResponder.h"
#include "platform/uikit/UIView.h"

#include <cstdint>
#include <functional>
#include <string>

class NSArray;
class NSDictionary;
class NSIndexPath;
class UIAlertAction;
class UIAlertController;
class UIApplication;
class UIBarButtonItem;
class UIButton;
class UIColor;
class UIDevice;
class UIGestureRecognizer;
class UIImagePickerController;
class UIImageView;
class UILabel;
class UINavigationBar;
class UINavigationController;
class UINavigationItem;
class UIPasteboard;
class UIPopoverPresentationController;
class UIScreen;
class UISegmentedControlAppearance;
class UITableView;
class UITableViewCell;
class UIView;
class UIViewController;
class UIWindow;

namespace uikit::sel {

using objc::Ref;
using objc::Sel;

// NSObject's initializer, which views override.
using objc::sel::init;

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
inline constinit Sel<CGPoint(UIView*)> previousLocationInView { "previousLocationInView:" };
inline constinit Sel<NSUInteger()> tapCount { "tapCount" };

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

// --- view controllers, tables, navigation, alerts, gestures, application (below) ---

// --- view controllers, tables, navigation, alerts, gestures, application (below) ---

// NSObject's methods that NSIndexPath overrides
using objc::sel::isEqual;
using objc::sel::description;

// NSIndexPath
inline constinit Sel<Ref<NSIndexPath>(NSInteger, NSInteger)> indexPathForRowInSection { "indexPathForRow:inSection:" };
inline constinit Sel<Ref<NSIndexPath>(NSInteger, NSInteger)> indexPathForItemInSection { "indexPathForItem:inSection:" };
inline constinit Sel<NSInteger()> section { "section" };
inline constinit Sel<NSInteger()> row { "row" };
inline constinit Sel<NSInteger()> item { "item" };
inline constinit Sel<NSInteger(objc::Object*)> compare { "compare:" };

// UIPasteboard
inline constinit Sel<Ref<UIPasteboard>()> generalPasteboard { "generalPasteboard" };
inline constinit Sel<std::string()> string { "string" };
inline constinit Sel<void(std::string)> setString { "setString:" };
inline constinit Sel<bool()> hasStrings { "hasStrings" };

// UIAlertAction
inline constinit Sel<Ref<UIAlertAction>(std::string, NSInteger, UIAlertActionHandler)> actionWithTitleStyleHandler { "actionWithTitle:style:handler:" };
inline constinit Sel<std::string()> title { "title" };
inline constinit Sel<NSInteger()> style { "style" };

// UIGestureRecognizer and its subclasses
inline constinit Sel<Ref<objc::Object>(objc::Object*, objc::SEL)> initWithTargetAction { "initWithTarget:action:" };
inline constinit Sel<void(objc::Object*, objc::SEL)> addTargetAction { "addTarget:action:" };
inline constinit Sel<void(objc::Object*, objc::SEL)> removeTargetAction { "removeTarget:action:" };
inline constinit Sel<NSInteger()> state { "state" };
inline constinit Sel<Ref<UIView>()> view { "view" };
inline constinit Sel<void(bool)> setCancelsTouchesInView { "setCancelsTouchesInView:" };
inline constinit Sel<bool()> cancelsTouchesInView { "cancelsTouchesInView" };
inline constinit Sel<void(bool)> setDelaysTouchesBegan { "setDelaysTouchesBegan:" };
inline constinit Sel<bool()> delaysTouchesBegan { "delaysTouchesBegan" };
inline constinit Sel<void(bool)> setDelaysTouchesEnded { "setDelaysTouchesEnded:" };
inline constinit Sel<bool()> delaysTouchesEnded { "delaysTouchesEnded" };
inline constinit Sel<CGPoint(objc::Object*)> locationInView { "locationInView:" };
inline constinit Sel<NSUInteger()> numberOfTouches { "numberOfTouches" };
inline constinit Sel<void()> reset { "reset" };
inline constinit Sel<bool()> _isWaitingForNextSequence { "_isWaitingForNextSequence" };
inline constinit Sel<void(NSUInteger)> setNumberOfTapsRequired { "setNumberOfTapsRequired:" };
inline constinit Sel<NSUInteger()> numberOfTapsRequired { "numberOfTapsRequired" };
inline constinit Sel<void(NSUInteger)> setNumberOfTouchesRequired { "setNumberOfTouchesRequired:" };
inline constinit Sel<NSUInteger()> numberOfTouchesRequired { "numberOfTouchesRequired" };
inline constinit Sel<CGPoint(objc::Object*)> translationInView { "translationInView:" };
inline constinit Sel<void(CGPoint, objc::Object*)> setTranslationInView { "setTranslation:inView:" };
inline constinit Sel<CGPoint(objc::Object*)> velocityInView { "velocityInView:" };
inline constinit Sel<void(NSUInteger)> setMinimumNumberOfTouches { "setMinimumNumberOfTouches:" };
inline constinit Sel<void(NSUInteger)> setMaximumNumberOfTouches { "setMaximumNumberOfTouches:" };
inline constinit Sel<void(double)> setScale { "setScale:" };
inline constinit Sel<double()> velocity { "velocity" };
inline constinit Sel<void(NSUInteger)> setDirection { "setDirection:" };
inline constinit Sel<NSUInteger()> direction { "direction" };
inline constinit Sel<void(double)> setMinimumPressDuration { "setMinimumPressDuration:" };
inline constinit Sel<double()> minimumPressDuration { "minimumPressDuration" };
inline constinit Sel<void(double)> setAllowableMovement { "setAllowableMovement:" };

// What a gesture recognizer asks its delegate (and, for the first, its view).
inline constinit Sel<bool(objc::Object*, objc::Object*)> gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer {
    "gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer:"
};
inline constinit Sel<bool(objc::Object*, objc::Object*)> gestureRecognizerShouldReceiveTouch { "gestureRecognizer:shouldReceiveTouch:" };

// UIResponder's methods that the classes below override

// UIView's methods that the classes below override
inline constinit Sel<void(objc::Object*)> setTintColor { "setTintColor:" };

// UIViewController
inline constinit Sel<Ref<objc::Object>(objc::Object*, objc::Object*)> initWithNibNameBundle { "initWithNibName:bundle:" };
inline constinit Sel<void()> _prepareForPresentation { "_prepareForPresentation" };
inline constinit Sel<void(objc::Object*, objc::Object*)> _layoutInPresentationContainerWindow { "_layoutInPresentationContainer:window:" };
inline constinit Sel<void(objc::Object*, bool)> _animateTransitionInContainerAppearing { "_animateTransitionInContainer:appearing:" };
inline constinit Sel<Ref<UIView>()> viewIfLoaded { "viewIfLoaded" };
inline constinit Sel<bool()> isViewLoaded { "isViewLoaded" };
inline constinit Sel<void(objc::Object*)> setView { "setView:" };
inline constinit Sel<void()> loadView { "loadView" };
inline constinit Sel<void()> viewDidLoad { "viewDidLoad" };
inline constinit Sel<void(bool)> viewWillAppear { "viewWillAppear:" };
inline constinit Sel<void(bool)> viewDidAppear { "viewDidAppear:" };
inline constinit Sel<void(bool)> viewWillDisappear { "viewWillDisappear:" };
inline constinit Sel<void(bool)> viewDidDisappear { "viewDidDisappear:" };
inline constinit Sel<void()> viewWillLayoutSubviews { "viewWillLayoutSubviews" };
inline constinit Sel<void()> viewDidLayoutSubviews { "viewDidLayoutSubviews" };
inline constinit Sel<bool()> shouldAutorotate { "shouldAutorotate" };
inline constinit Sel<bool(NSInteger)> shouldAutorotateToInterfaceOrientation { "shouldAutorotateToInterfaceOrientation:" };
inline constinit Sel<NSUInteger()> supportedInterfaceOrientations { "supportedInterfaceOrientations" };
inline constinit Sel<NSInteger()> preferredInterfaceOrientationForPresentation { "preferredInterfaceOrientationForPresentation" };
inline constinit Sel<bool()> prefersStatusBarHidden { "prefersStatusBarHidden" };
inline constinit Sel<void(std::string)> setTitle { "setTitle:" };
inline constinit Sel<Ref<UINavigationItem>()> navigationItem { "navigationItem" };
inline constinit Sel<Ref<UINavigationController>()> navigationController { "navigationController" };
inline constinit Sel<Ref<UIViewController>()> presentedViewController { "presentedViewController" };
inline constinit Sel<Ref<UIViewController>()> presentingViewController { "presentingViewController" };
inline constinit Sel<Ref<UIViewController>()> parentViewController { "parentViewController" };
inline constinit Sel<Ref<UIPopoverPresentationController>()> popoverPresentationController { "popoverPresentationController" };
inline constinit Sel<void(NSInteger)> setModalPresentationStyle { "setModalPresentationStyle:" };
inline constinit Sel<NSInteger()> modalPresentationStyle { "modalPresentationStyle" };
inline constinit Sel<void(objc::Object*, bool, UIPresentationCompletion)> presentViewControllerAnimatedCompletion { "presentViewController:animated:completion:" };
inline constinit Sel<void(bool, UIPresentationCompletion)> dismissViewControllerAnimatedCompletion { "dismissViewControllerAnimated:completion:" };

// UIAlertController
inline constinit Sel<Ref<UIAlertController>(std::string, std::string, NSInteger)> alertControllerWithTitleMessagePreferredStyle {
    "alertControllerWithTitle:message:preferredStyle:"
};
inline constinit Sel<void(objc::Object*)> addAction { "addAction:" };
inline constinit Sel<void(UITextFieldConfigurationHandler)> addTextFieldWithConfigurationHandler { "addTextFieldWithConfigurationHandler:" };
inline constinit Sel<Ref<NSArray>()> actions { "actions" };
inline constinit Sel<Ref<NSArray>()> textFields { "textFields" };
inline constinit Sel<std::string()> message { "message" };
inline constinit Sel<void(std::string)> setMessage { "setMessage:" };
inline constinit Sel<NSInteger()> preferredStyle { "preferredStyle" };
inline constinit Sel<void(objc::Object*)> setPreferredAction { "setPreferredAction:" };
inline constinit Sel<void(objc::Object*)> _actionTapped { "_actionTapped:" };

// UINavigationItem
inline constinit Sel<std::string()> prompt { "prompt" };
inline constinit Sel<void(std::string)> setPrompt { "setPrompt:" };
inline constinit Sel<Ref<UIBarButtonItem>()> leftBarButtonItem { "leftBarButtonItem" };
inline constinit Sel<void(objc::Object*)> setLeftBarButtonItem { "setLeftBarButtonItem:" };
inline constinit Sel<Ref<UIBarButtonItem>()> rightBarButtonItem { "rightBarButtonItem" };
inline constinit Sel<void(objc::Object*)> setRightBarButtonItem { "setRightBarButtonItem:" };
inline constinit Sel<Ref<UIBarButtonItem>()> backBarButtonItem { "backBarButtonItem" };
inline constinit Sel<void(objc::Object*)> setBackBarButtonItem { "setBackBarButtonItem:" };
inline constinit Sel<void(bool)> setHidesBackButton { "setHidesBackButton:" };

// UIBarButtonItem
inline constinit Sel<Ref<objc::Object>(std::string, NSInteger, objc::Object*, objc::SEL)> initWithTitleStyleTargetAction { "initWithTitle:style:target:action:" };
inline constinit Sel<Ref<objc::Object>(NSInteger, objc::Object*, objc::SEL)> initWithBarButtonSystemItemTargetAction { "initWithBarButtonSystemItem:target:action:" };
inline constinit Sel<Ref<objc::Object>(UIImage*, NSInteger, objc::Object*, objc::SEL)> initWithImageStyleTargetAction { "initWithImage:style:target:action:" };
inline constinit Sel<Ref<objc::Object>()> target { "target" };
inline constinit Sel<objc::SEL()> action { "action" };

// UIPopoverPresentationController
inline constinit Sel<Ref<UIView>()> sourceView { "sourceView" };
inline constinit Sel<void(objc::Object*)> setSourceView { "setSourceView:" };
inline constinit Sel<CGRect()> sourceRect { "sourceRect" };
inline constinit Sel<void(CGRect)> setSourceRect { "setSourceRect:" };
inline constinit Sel<void(objc::Object*)> setBarButtonItem { "setBarButtonItem:" };
inline constinit Sel<void(NSUInteger)> setPermittedArrowDirections { "setPermittedArrowDirections:" };

// UINavigationController
inline constinit Sel<Ref<objc::Object>(objc::Object*)> initWithRootViewController { "initWithRootViewController:" };
inline constinit Sel<Ref<NSArray>()> viewControllers { "viewControllers" };
inline constinit Sel<Ref<UINavigationBar>()> navigationBar { "navigationBar" };
inline constinit Sel<Ref<UIViewController>()> topViewController { "topViewController" };
inline constinit Sel<Ref<UIViewController>()> visibleViewController { "visibleViewController" };
inline constinit Sel<void(bool, bool)> setNavigationBarHiddenAnimated { "setNavigationBarHidden:animated:" };
inline constinit Sel<void(objc::Object*, bool)> pushViewControllerAnimated { "pushViewController:animated:" };
inline constinit Sel<Ref<UIViewController>(bool)> popViewControllerAnimated { "popViewControllerAnimated:" };
inline constinit Sel<Ref<NSArray>(bool)> popToRootViewControllerAnimated { "popToRootViewControllerAnimated:" };

// UINavigationBar
inline constinit Sel<void(objc::Object*)> _backTapped { "_backTapped:" };
inline constinit Sel<void(objc::Object*)> _barButtonTapped { "_barButtonTapped:" };
inline constinit Sel<void(objc::Object*)> setBarTintColor { "setBarTintColor:" };

// UIImagePickerController
inline constinit Sel<bool(NSInteger)> isSourceTypeAvailable { "isSourceTypeAvailable:" };
inline constinit Sel<void(NSInteger)> setSourceType { "setSourceType:" };
inline constinit Sel<NSInteger()> sourceType { "sourceType" };
inline constinit Sel<void(bool)> setAllowsEditing { "setAllowsEditing:" };
inline constinit Sel<void(objc::Object*)> _cancel { "_cancel:" };
inline constinit Sel<void(objc::Object*)> _photoTapped { "_photoTapped:" };

// What an image picker tells its delegate.
inline constinit Sel<void(objc::Object*, objc::Object*)> imagePickerControllerDidFinishPickingMediaWithInfo {
    "imagePickerController:didFinishPickingMediaWithInfo:"
};
inline constinit Sel<void(objc::Object*)> imagePickerControllerDidCancel { "imagePickerControllerDidCancel:" };

// UIApplication
inline constinit Sel<Ref<UIApplication>()> sharedApplication { "sharedApplication" };
inline constinit Sel<Ref<UIWindow>()> keyWindow { "keyWindow" };
inline constinit Sel<Ref<NSArray>()> windows { "windows" };
inline constinit Sel<bool(objc::Object*)> canOpenURL { "canOpenURL:" };
inline constinit Sel<bool(objc::Object*)> openURL { "openURL:" };
inline constinit Sel<void(objc::Object*, objc::Object*, std::function<void(bool)>)> openURLOptionsCompletionHandler { "openURL:options:completionHandler:" };
inline constinit Sel<bool(objc::SEL, objc::Object*, objc::Object*, objc::Object*)> sendActionToFromForEvent { "sendAction:to:from:forEvent:" };
inline constinit Sel<void()> beginIgnoringInteractionEvents { "beginIgnoringInteractionEvents" };
inline constinit Sel<void()> endIgnoringInteractionEvents { "endIgnoringInteractionEvents" };
inline constinit Sel<bool()> isIgnoringInteractionEvents { "isIgnoringInteractionEvents" };

// UITableViewCell
inline constinit Sel<Ref<objc::Object>(NSInteger, std::string)> initWithStyleReuseIdentifier { "initWithStyle:reuseIdentifier:" };
inline constinit Sel<void(bool)> _setDrawsSeparatorAtTopOfSection { "_setDrawsSeparatorAtTopOfSection:" };
inline constinit Sel<void(bool)> _setDrawsSeparatorAtBottomOfSection { "_setDrawsSeparatorAtBottomOfSection:" };
inline constinit Sel<void()> prepareForReuse { "prepareForReuse" };
inline constinit Sel<Ref<UIView>()> contentView { "contentView" };
inline constinit Sel<Ref<UILabel>()> textLabel { "textLabel" };
inline constinit Sel<Ref<UILabel>()> detailTextLabel { "detailTextLabel" };
inline constinit Sel<std::string()> reuseIdentifier { "reuseIdentifier" };
inline constinit Sel<void(NSInteger)> setAccessoryType { "setAccessoryType:" };
inline constinit Sel<NSInteger()> accessoryType { "accessoryType" };
inline constinit Sel<void(objc::Object*)> setAccessoryView { "setAccessoryView:" };
inline constinit Sel<Ref<UIView>()> accessoryView { "accessoryView" };
inline constinit Sel<void(NSInteger)> setSelectionStyle { "setSelectionStyle:" };
inline constinit Sel<NSInteger()> selectionStyle { "selectionStyle" };
inline constinit Sel<void(bool, bool)> setSelectedAnimated { "setSelected:animated:" };
inline constinit Sel<void(bool, bool)> setHighlightedAnimated { "setHighlighted:animated:" };
inline constinit Sel<void(bool, bool)> setEditingAnimated { "setEditing:animated:" };
inline constinit Sel<void(bool)> setEditing { "setEditing:" };
inline constinit Sel<bool()> isEditing { "isEditing" };
inline constinit Sel<void(objc::Object*)> setBackgroundView { "setBackgroundView:" };
inline constinit Sel<void(objc::Object*)> setSelectedBackgroundView { "setSelectedBackgroundView:" };
inline constinit Sel<void(objc::Object*)> _editingControlTapped { "_editingControlTapped:" };
inline constinit Sel<void(objc::Object*)> _deleteTapped { "_deleteTapped:" };

// UITableView
inline constinit Sel<Ref<objc::Object>(CGRect, NSInteger)> initWithFrameStyle { "initWithFrame:style:" };
inline constinit Sel<void(objc::Object*)> setDataSource { "setDataSource:" };
inline constinit Sel<Ref<objc::Object>()> dataSource { "dataSource" };
inline constinit Sel<void()> reloadData { "reloadData" };
inline constinit Sel<void(double)> setRowHeight { "setRowHeight:" };
inline constinit Sel<double()> rowHeight { "rowHeight" };
inline constinit Sel<NSInteger()> numberOfSections { "numberOfSections" };
inline constinit Sel<NSInteger(NSInteger)> numberOfRowsInSection { "numberOfRowsInSection:" };
inline constinit Sel<Ref<UITableViewCell>(objc::Object*)> cellForRowAtIndexPath { "cellForRowAtIndexPath:" };
inline constinit Sel<Ref<NSIndexPath>(objc::Object*)> indexPathForCell { "indexPathForCell:" };
inline constinit Sel<Ref<NSIndexPath>()> indexPathForSelectedRow { "indexPathForSelectedRow" };
inline constinit Sel<Ref<NSIndexPath>(CGPoint)> indexPathForRowAtPoint { "indexPathForRowAtPoint:" };
inline constinit Sel<Ref<UITableViewCell>(std::string)> dequeueReusableCellWithIdentifier { "dequeueReusableCellWithIdentifier:" };
inline constinit Sel<Ref<UITableViewCell>(std::string, objc::Object*)> dequeueReusableCellWithIdentifierForIndexPath { "dequeueReusableCellWithIdentifier:forIndexPath:" };
inline constinit Sel<void(objc::Object*, bool)> deselectRowAtIndexPathAnimated { "deselectRowAtIndexPath:animated:" };
inline constinit Sel<Ref<NSArray>()> visibleCells { "visibleCells" };
inline constinit Sel<void(bool)> setAllowsSelection { "setAllowsSelection:" };
inline constinit Sel<void(bool)> setAllowsSelectionDuringEditing { "setAllowsSelectionDuringEditing:" };
inline constinit Sel<void(bool)> setAllowsMultipleSelection { "setAllowsMultipleSelection:" };
inline constinit Sel<void(bool)> setAllowsMultipleSelectionDuringEditing { "setAllowsMultipleSelectionDuringEditing:" };
inline constinit Sel<void(double)> setSectionHeaderHeight { "setSectionHeaderHeight:" };
inline constinit Sel<void(double)> setSectionFooterHeight { "setSectionFooterHeight:" };
inline constinit Sel<void(objc::Object*)> setTableHeaderView { "setTableHeaderView:" };
inline constinit Sel<void(objc::Object*)> setTableFooterView { "setTableFooterView:" };
inline constinit Sel<void(NSInteger)> setSeparatorStyle { "setSeparatorStyle:" };
inline constinit Sel<void(objc::Object*, std::string)> registerClassForCellReuseIdentifier { "registerClass:forCellReuseIdentifier:" };
inline constinit Sel<void(objc::Object*, bool, NSInteger)> selectRowAtIndexPathAnimatedScrollPosition { "selectRowAtIndexPath:animated:scrollPosition:" };
inline constinit Sel<void(objc::Object*, NSInteger, bool)> scrollToRowAtIndexPathAtScrollPositionAnimated { "scrollToRowAtIndexPath:atScrollPosition:animated:" };
inline constinit Sel<void()> beginUpdates { "beginUpdates" };
inline constinit Sel<void()> endUpdates { "endUpdates" };
inline constinit Sel<CGRect(objc::Object*)> rectForRowAtIndexPath { "rectForRowAtIndexPath:" };
inline constinit Sel<void(objc::Object*)> _swipeToDelete { "_swipeToDelete:" };

// What a table asks its data source.
inline constinit Sel<NSInteger(objc::Object*)> numberOfSectionsInTableView { "numberOfSectionsInTableView:" };
inline constinit Sel<NSInteger(objc::Object*, NSInteger)> tableViewNumberOfRowsInSection { "tableView:numberOfRowsInSection:" };
inline constinit Sel<Ref<UITableViewCell>(objc::Object*, objc::Object*)> tableViewCellForRowAtIndexPath { "tableView:cellForRowAtIndexPath:" };
inline constinit Sel<std::string(objc::Object*, NSInteger)> tableViewTitleForHeaderInSection { "tableView:titleForHeaderInSection:" };
inline constinit Sel<std::string(objc::Object*, NSInteger)> tableViewTitleForFooterInSection { "tableView:titleForFooterInSection:" };
inline constinit Sel<bool(objc::Object*, objc::Object*)> tableViewCanEditRowAtIndexPath { "tableView:canEditRowAtIndexPath:" };
inline constinit Sel<bool(objc::Object*, objc::Object*)> tableViewCanMoveRowAtIndexPath { "tableView:canMoveRowAtIndexPath:" };
inline constinit Sel<void(objc::Object*, NSInteger, objc::Object*)> tableViewCommitEditingStyleForRowAtIndexPath { "tableView:commitEditingStyle:forRowAtIndexPath:" };
inline constinit Sel<void(objc::Object*, objc::Object*, objc::Object*)> tableViewMoveRowAtIndexPathToIndexPath { "tableView:moveRowAtIndexPath:toIndexPath:" };

// What a table asks or tells its delegate.
inline constinit Sel<double(objc::Object*, objc::Object*)> tableViewHeightForRowAtIndexPath { "tableView:heightForRowAtIndexPath:" };
inline constinit Sel<double(objc::Object*, NSInteger)> tableViewHeightForHeaderInSection { "tableView:heightForHeaderInSection:" };
inline constinit Sel<double(objc::Object*, NSInteger)> tableViewHeightForFooterInSection { "tableView:heightForFooterInSection:" };
inline constinit Sel<Ref<UIView>(objc::Object*, NSInteger)> tableViewViewForHeaderInSection { "tableView:viewForHeaderInSection:" };
inline constinit Sel<Ref<UIView>(objc::Object*, NSInteger)> tableViewViewForFooterInSection { "tableView:viewForFooterInSection:" };
inline constinit Sel<Ref<NSIndexPath>(objc::Object*, objc::Object*)> tableViewWillSelectRowAtIndexPath { "tableView:willSelectRowAtIndexPath:" };
inline constinit Sel<void(objc::Object*, objc::Object*)> tableViewDidSelectRowAtIndexPath { "tableView:didSelectRowAtIndexPath:" };
inline constinit Sel<void(objc::Object*, objc::Object*)> tableViewDidDeselectRowAtIndexPath { "tableView:didDeselectRowAtIndexPath:" };
inline constinit Sel<void(objc::Object*, objc::Object*, objc::Object*)> tableViewWillDisplayCellForRowAtIndexPath { "tableView:willDisplayCell:forRowAtIndexPath:" };
inline constinit Sel<NSInteger(objc::Object*, objc::Object*)> tableViewEditingStyleForRowAtIndexPath { "tableView:editingStyleForRowAtIndexPath:" };
inline constinit Sel<bool(objc::Object*, objc::Object*)> tableViewShouldIndentWhileEditingRowAtIndexPath { "tableView:shouldIndentWhileEditingRowAtIndexPath:" };
inline constinit Sel<Ref<NSIndexPath>(objc::Object*, objc::Object*, objc::Object*)> tableViewTargetIndexPathForMoveFromRowAtIndexPathToProposedIndexPath {
    "tableView:targetIndexPathForMoveFromRowAtIndexPath:toProposedIndexPath:"
};
inline constinit Sel<std::string(objc::Object*, objc::Object*)> tableViewTitleForDeleteConfirmationButtonForRowAtIndexPath {
    "tableView:titleForDeleteConfirmationButtonForRowAtIndexPath:"
};
inline constinit Sel<bool(objc::Object*, objc::Object*)> tableViewShouldHighlightRowAtIndexPath { "tableView:shouldHighlightRowAtIndexPath:" };

} // namespace uikit::sel

namespace uikit {

// The protocols of the delegates and data sources UIKit's classes talk to: a class that declares
// it conforms is checked when it is registered (ClassBuilder::conformsTo).
inline const objc::Protocol UITableViewDataSource { "UITableViewDataSource",
    { objc::required(sel::tableViewNumberOfRowsInSection), objc::required(sel::tableViewCellForRowAtIndexPath),
        objc::optional(sel::numberOfSectionsInTableView), objc::optional(sel::tableViewTitleForHeaderInSection),
        objc::optional(sel::tableViewTitleForFooterInSection), objc::optional(sel::tableViewCanEditRowAtIndexPath),
        objc::optional(sel::tableViewCanMoveRowAtIndexPath), objc::optional(sel::tableViewCommitEditingStyleForRowAtIndexPath),
        objc::optional(sel::tableViewMoveRowAtIndexPathToIndexPath) } };

inline const objc::Protocol UITableViewDelegate { "UITableViewDelegate",
    { objc::optional(sel::tableViewHeightForRowAtIndexPath), objc::optional(sel::tableViewHeightForHeaderInSection),
        objc::optional(sel::tableViewHeightForFooterInSection), objc::optional(sel::tableViewViewForHeaderInSection),
        objc::optional(sel::tableViewViewForFooterInSection), objc::optional(sel::tableViewWillSelectRowAtIndexPath),
        objc::optional(sel::tableViewDidSelectRowAtIndexPath), objc::optional(sel::tableViewDidDeselectRowAtIndexPath),
        objc::optional(sel::tableViewWillDisplayCellForRowAtIndexPath), objc::optional(sel::tableViewEditingStyleForRowAtIndexPath),
        objc::optional(sel::tableViewShouldIndentWhileEditingRowAtIndexPath),
        objc::optional(sel::tableViewTargetIndexPathForMoveFromRowAtIndexPathToProposedIndexPath),
        objc::optional(sel::tableViewTitleForDeleteConfirmationButtonForRowAtIndexPath), objc::optional(sel::tableViewShouldHighlightRowAtIndexPath) } };

inline const objc::Protocol UIGestureRecognizerDelegate { "UIGestureRecognizerDelegate",
    { objc::optional(sel::gestureRecognizerShouldBegin), objc::optional(sel::gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer),
        objc::optional(sel::gestureRecognizerShouldReceiveTouch) } };

inline const objc::Protocol UIImagePickerControllerDelegate { "UIImagePickerControllerDelegate",
    { objc::optional(sel::imagePickerControllerDidFinishPickingMediaWithInfo), objc::optional(sel::imagePickerControllerDidCancel) } };

} // namespace uikit
