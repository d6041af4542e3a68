#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"

class UIView;
class UIBarButtonItem;
class UIViewController;

// Where a popover points: a source view and a rectangle in it (or a bar button item). On a pad a
// controller presented as a popover floats next to that rectangle; on a phone it fills the screen.
class UIPopoverPresentationController : public objc::NSObject {
    OBJC_CLASS(UIPopoverPresentationController)
public:
    UIView* sourceView() const;
    void setSourceView(UIView* view);
    CGRect sourceRect() const { return m_sourceRect; }
    void setSourceRect(CGRect rect) { m_sourceRect = rect; }
    UIBarButtonItem* barButtonItem() const;
    void setBarButtonItem(UIBarButtonItem* item);
    UIPopoverArrowDirection permittedArrowDirections() const { return m_arrows; }
    void setPermittedArrowDirections(NSUInteger arrows) { m_arrows = static_cast<UIPopoverArrowDirection>(arrows); }
    UIViewController* presentedViewController() const;
    void setPresentedViewController(UIViewController* controller);

    // The frame, in window coordinates, of a popover of `size` next to the source inside
    // `windowBounds`: below the source when it fits, else above, else beside; kept 10 points
    // inside the window.
    CGRect frameForContentSize(CGSize size, CGRect windowBounds) const;
    bool hasAnchor() const;

    static void registerClass(objc::Runtime&);

private:
    objc::WeakRef<UIView> m_sourceView;
    CGRect m_sourceRect;
    objc::WeakRef<UIBarButtonItem> m_barButtonItem;
    UIPopoverArrowDirection m_arrows = UIPopoverArrowDirectionAny;
    objc::WeakRef<UIViewController> m_presented;
};
