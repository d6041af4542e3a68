#include "platform/uikit/UIKit.h"

#include "platform/graphics/Graphics.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/CAShapeLayer.h"
#include "platform/uikit/LayerTree.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIKitPresentationContainer.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIPasteboard.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIResponder.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "platform/corefoundation/CoreFoundation.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIKitGlyphView.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UIImagePickerController.h"
#include "platform/uikit/UIActivityIndicatorView.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIPanGestureRecognizer.h"
#include "platform/uikit/UIPinchGestureRecognizer.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UITapGestureRecognizer.h"
#include "platform/uikit/UITextField.h"

void registerUIKitClasses(objc::Runtime& runtime)
{
    registerCoreFoundationClasses(runtime);
    registerGraphicsClasses(runtime);
    if (!runtime.beginRegistering("UIKit"))
        return;
    CALayer::registerClass(runtime);
    CAShapeLayer::registerClass(runtime);
    UIFont::registerClass(runtime);
    UITouch::registerClass(runtime);
    UIEvent::registerClass(runtime);
    UIResponder::registerClass(runtime);
    UIView::registerClass(runtime);
    UIKitPresentationContainer::registerClass(runtime);
    UIWindow::registerClass(runtime);
    UILabel::registerClass(runtime);
    UIImageView::registerClass(runtime);
    UIControl::registerClass(runtime);
    UIButton::registerClass(runtime);
    UIScreen::registerClass(runtime);
    UIDevice::registerClass(runtime);
    UIApplication::registerClass(runtime);
    UIPasteboard::registerClass(runtime);
    UIBarButtonItem::registerClass(runtime);
    UINavigationItem::registerClass(runtime);
    UIPopoverPresentationController::registerClass(runtime);
    UITextField::registerClass(runtime);
    UINavigationBar::registerClass(runtime);
    UIGestureRecognizer::registerClass(runtime);
    UITapGestureRecognizer::registerClass(runtime);
    UISwipeGestureRecognizer::registerClass(runtime);
    UIPinchGestureRecognizer::registerClass(runtime);
    UIPanGestureRecognizer::registerClass(runtime);
    UILongPressGestureRecognizer::registerClass(runtime);
    UIViewController::registerClass(runtime);
    UINavigationController::registerClass(runtime);
    UIAlertAction::registerClass(runtime);
    UIAlertController::registerClass(runtime);
    UIScrollView::registerClass(runtime);
    NSIndexPath::registerClass(runtime);
    UIKitGlyphView::registerClass(runtime);
    UITableViewCell::registerClass(runtime);
    UITableView::registerClass(runtime);
    UISwitch::registerClass(runtime);
    UISlider::registerClass(runtime);
    UIActivityIndicatorView::registerClass(runtime);
    UIDatePicker::registerClass(runtime);
    UIImagePickerController::registerClass(runtime);
    UISegmentedControl::registerClass(runtime);
    uikit::rememberDrawingsKeepingContents(runtime);
}

namespace uikit {

void ensureUIKitClasses() { registerUIKitClasses(objc::Runtime::current()); }

} // namespace uikit
