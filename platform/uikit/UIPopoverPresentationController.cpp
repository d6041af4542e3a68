#include "platform/uikit/UIPopoverPresentationController.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"

#include <algorithm>

namespace sel = uikit::sel;

UIView* UIPopoverPresentationController::sourceView() const { return m_sourceView.ptr(); }
void UIPopoverPresentationController::setSourceView(UIView* view) { m_sourceView = view; }
UIBarButtonItem* UIPopoverPresentationController::barButtonItem() const { return m_barButtonItem.ptr(); }
void UIPopoverPresentationController::setBarButtonItem(UIBarButtonItem* item) { m_barButtonItem = item; }
UIViewController* UIPopoverPresentationController::presentedViewController() const { return m_presented.ptr(); }
void UIPopoverPresentationController::setPresentedViewController(UIViewController* c) { m_presented = c; }

bool UIPopoverPresentationController::hasAnchor() const { return sourceView() || barButtonItem(); }

CGRect UIPopoverPresentationController::frameForContentSize(CGSize size, CGRect windowBounds) const
{
    CGRect anchor = CGRectMake(CGRectGetMidX(windowBounds), CGRectGetMidY(windowBounds), 0, 0);
    if (UIView* view = sourceView()) {
        CGRect r = CGRectIsEmpty(m_sourceRect) && m_sourceRect.origin == CGPointZero ? view->bounds() : m_sourceRect;
        anchor = view->convertRectToView(r, nullptr);
    } else if (UIBarButtonItem* item = barButtonItem()) {
        if (UIView* button = uikit::viewForBarButtonItem(item))
            anchor = button->convertRectToView(button->bounds(), nullptr);
    }
    const CGFloat margin = 10, arrow = 13;
    size.width = std::min(size.width, windowBounds.size.width - 2 * margin);
    size.height = std::min(size.height, windowBounds.size.height - 2 * margin);
    CGFloat x = std::clamp(CGRectGetMidX(anchor) - size.width / 2, margin, windowBounds.size.width - margin - size.width);
    CGFloat y;
    if (CGRectGetMaxY(anchor) + arrow + size.height <= windowBounds.size.height - margin)
        y = CGRectGetMaxY(anchor) + arrow;
    else if (CGRectGetMinY(anchor) - arrow - size.height >= margin)
        y = CGRectGetMinY(anchor) - arrow - size.height;
    else {
        y = std::clamp(CGRectGetMidY(anchor) - size.height / 2, margin, windowBounds.size.height - margin - size.height);
        x = CGRectGetMaxX(anchor) + arrow + size.width <= windowBounds.size.width - margin ? CGRectGetMaxX(anchor) + arrow : std::max(margin, CGRectGetMinX(anchor) - arrow - size.width);
    }
    return CGRectMake(x, y, size.width, size.height);
}

void UIPopoverPresentationController::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIPopoverPresentationController>(rt, "NSObject")
        .method(sel::sourceView, &UIPopoverPresentationController::sourceView)
        .method(sel::setSourceView, &UIPopoverPresentationController::setSourceView)
        .method(sel::sourceRect, &UIPopoverPresentationController::sourceRect)
        .method(sel::setSourceRect, &UIPopoverPresentationController::setSourceRect)
        .method(sel::setBarButtonItem, &UIPopoverPresentationController::setBarButtonItem)
        .method(sel::setPermittedArrowDirections, &UIPopoverPresentationController::setPermittedArrowDirections)
        .build();
}
