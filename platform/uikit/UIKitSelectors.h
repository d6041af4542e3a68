#pragma once

// Selectors that UIKit's classes introduce, declared once with their signatures, for code that
// overrides or sends them from outside UIKit (SpringBoard's views, for one).

#include "platform/graphics/UIImage.h"
#include "platform/runtime/Protocol.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UIKitTypes.h"
#include "platform/uikit/UIResponder.h"

#include <functional>
#include <string>

class NSArray;
class NSDictionary;
class NSIndexPath;
class UIColor;
class UIAlertAction;
class UIAlertController;
class UIApplication;
class UIBarButtonItem;
class UIGestureRecognizer;
class UIImageView;
class UIImagePickerController;
class UINavigationBar;
class UINavigationController;
class UINavigationItem;
class UILabel;
class UIPasteboard;
class UIPopoverPresentationController;
class UITableView;
class UITableViewCell;
class UIView;
class UIViewController;
class UIWindow;

namespace uikit::sel {

using objc::Ref;
using objc::Sel;

// UIView
inline constinit Sel<Ref<objc::Object>(CGRect)> initWithFrame { "initWithFrame:" };
inline constinit Sel<void()> layoutSubviews { "layoutSubviews" };
inline constinit Sel<void()> didMoveToWindow { "didMoveToWindow" };

// UIImageView
inline constinit Sel<Ref<UIImage>()> image { "image" };
inline constinit Sel<void(UIImage*)> setImage { "setImage:" };

// UIResponder
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesBeganWithEvent { "touchesBegan:withEvent:" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesMovedWithEvent { "touchesMoved:withEvent:" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesEndedWithEvent { "touchesEnded:withEvent:" };
inline constinit Sel<void(const UITouchSet&, objc::Object*)> touchesCancelledWithEvent { "touchesCancelled:withEvent:" };

// --- view controllers, tables, navigation, alerts, gestures, application (below) ---

// NSObject's methods that NSIndexPath overrides
inline constinit Sel<bool(objc::Object*)> isEqual { "isEqual:" };
inline constinit Sel<std::string()> description { "description" };

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
inline constinit Sel<bool()> isEnabled { "isEnabled" };
inline constinit Sel<void(bool)> setEnabled { "setEnabled:" };

// UIGestureRecognizer and its subclasses
inline constinit Sel<Ref<objc::Object>(objc::Object*, objc::SEL)> initWithTargetAction { "initWithTarget:action:" };
inline constinit Sel<void(objc::Object*, objc::SEL)> addTargetAction { "addTarget:action:" };
inline constinit Sel<void(objc::Object*, objc::SEL)> removeTargetAction { "removeTarget:action:" };
inline constinit Sel<NSInteger()> state { "state" };
inline constinit Sel<Ref<UIView>()> view { "view" };
inline constinit Sel<void(objc::Object*)> setDelegate { "setDelegate:" };
inline constinit Sel<Ref<objc::Object>()> delegate { "delegate" };
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
inline constinit Sel<double()> scale { "scale" };
inline constinit Sel<void(double)> setScale { "setScale:" };
inline constinit Sel<double()> velocity { "velocity" };
inline constinit Sel<void(NSUInteger)> setDirection { "setDirection:" };
inline constinit Sel<NSUInteger()> direction { "direction" };
inline constinit Sel<void(double)> setMinimumPressDuration { "setMinimumPressDuration:" };
inline constinit Sel<double()> minimumPressDuration { "minimumPressDuration" };
inline constinit Sel<void(double)> setAllowableMovement { "setAllowableMovement:" };

// What a gesture recognizer asks its delegate (and, for the first, its view).
inline constinit Sel<bool(objc::Object*)> gestureRecognizerShouldBegin { "gestureRecognizerShouldBegin:" };
inline constinit Sel<bool(objc::Object*, objc::Object*)> gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer {
    "gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer:"
};
inline constinit Sel<bool(objc::Object*, objc::Object*)> gestureRecognizerShouldReceiveTouch { "gestureRecognizer:shouldReceiveTouch:" };

// UIResponder's methods that the classes below override
inline constinit Sel<Ref<UIResponder>()> nextResponder { "nextResponder" };

// UIView's methods that the classes below override
inline constinit Sel<void(objc::Object*)> setTintColor { "setTintColor:" };

// UIViewController
inline constinit Sel<Ref<objc::Object>()> init { "init" };
inline constinit Sel<Ref<objc::Object>(objc::Object*, objc::Object*)> initWithNibNameBundle { "initWithNibName:bundle:" };
inline constinit Sel<void()> _prepareForPresentation { "_prepareForPresentation" };
inline constinit Sel<void(objc::Object*, objc::Object*)> _layoutInPresentationContainerWindow { "_layoutInPresentationContainer:window:" };
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
inline constinit Sel<Ref<UIImageView>()> imageView { "imageView" };
inline constinit Sel<std::string()> reuseIdentifier { "reuseIdentifier" };
inline constinit Sel<void(NSInteger)> setAccessoryType { "setAccessoryType:" };
inline constinit Sel<NSInteger()> accessoryType { "accessoryType" };
inline constinit Sel<void(objc::Object*)> setAccessoryView { "setAccessoryView:" };
inline constinit Sel<Ref<UIView>()> accessoryView { "accessoryView" };
inline constinit Sel<void(NSInteger)> setSelectionStyle { "setSelectionStyle:" };
inline constinit Sel<NSInteger()> selectionStyle { "selectionStyle" };
inline constinit Sel<void(bool, bool)> setSelectedAnimated { "setSelected:animated:" };
inline constinit Sel<void(bool)> setSelected { "setSelected:" };
inline constinit Sel<bool()> isSelected { "isSelected" };
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
