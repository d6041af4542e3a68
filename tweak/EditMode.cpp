#include "tweak/EditMode.h"

#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UITapGestureRecognizer.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"
#include "tweak/PrivateInterfaces.h"
#include "tweak/Preferences.h"
#include "tweak/SystemVersion.h"
#include "tweak/ui/Presenting.h"

#include <algorithm>

namespace ovrimo {

using objc::Object;
using objc::Ref;
using substrate::Original;

namespace {

objc::Class* helperClass() { return objc::objc_getClass("OvrimoHelper"); }

// A small square button in the product's colours, tagged, sending `action` to the helper class.
Ref<UIButton> MakeTriggerButton(const char* imagePath, const char* action, long tag)
{
    Ref<UIButton> button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->addTarget(helperClass(), action, UIControlEventTouchUpInside);
    button->setImage(UIImage::imageWithContentsOfFile(imagePath), UIControlStateNormal);
    button->setTitle("+", UIControlStateNormal);
    button->titleLabel()->setFont(UIFont::boldSystemFontOfSize(18));
    button->setBackgroundColor(UIColor::colorWithRed(132 / 255.0, 79 / 255.0, 152 / 255.0, 1.0));
    button->layer()->setCornerRadius(5);
    button->layer()->setZPosition(100);
    button->layer()->setBorderWidth(1);
    button->layer()->setBorderColor(UIColor::whiteColor()->CGColor());
    button->setClipsToBounds(true);
    button->setTag(tag);
    return button;
}

void GrowIn(UIView* parent, UIView* view)
{
    view->setTransform(CGAffineTransformMakeScale(0, 0));
    parent->addSubview(view);
    Ref<UIView> grown(view);
    UIView::animateWithDuration(0.3, [grown] { grown->setTransform(CGAffineTransformMakeScale(1, 1)); });
}

void ShrinkAway(UIView* view)
{
    Ref<UIView> shrinking(view);
    UIView::animateWithDuration(0.3, [shrinking] { shrinking->setTransform(CGAffineTransformMakeScale(0.01, 0.01)); },
        [shrinking](bool) { shrinking->removeFromSuperview(); });
}

void AddTrigger(UIView* iconView, std::optional<std::int64_t> mode)
{
    if (mode == 1) {
        CGFloat w = iconView->frame().size.width;
        Ref<UIButton> button = MakeTriggerButton(kIconButtonImagePath, "showActionSheet:", kIconButtonTag);
        button->setFrame(CGRectMake(w - 30, w - 30, 30, 30));
        GrowIn(iconView, button);
        return;
    }
    Ref<UIGestureRecognizer> recognizer;
    if (mode == 2 || mode == 3) {
        auto swipe = UIGestureRecognizer::create<UISwipeGestureRecognizer>(helperClass(), "showActionSheet:");
        swipe->setDirection(mode == 2 ? UISwipeGestureRecognizerDirectionUp : UISwipeGestureRecognizerDirectionDown);
        recognizer = swipe;
    } else {
        auto tap = UIGestureRecognizer::create<UITapGestureRecognizer>(helperClass(), "showActionSheet:");
        tap->setNumberOfTapsRequired(1);
        recognizer = tap;
    }
    iconView->addGestureRecognizer(recognizer);
}

// Every trigger this system added, whatever "activationmethodsingle" says now: the setting may
// have changed since editing began.
void RemoveTriggers(UIView* iconView)
{
    auto subviews = iconView->subviews();
    for (auto& subview : subviews)
        if (objc::isKindOfClass(subview, "UIButton") && subview->tag() == kIconButtonTag)
            ShrinkAway(subview);
    objc::SEL action = objc::sel_registerName("showActionSheet:");
    auto recognizers = iconView->gestureRecognizers();
    for (auto& recognizer : recognizers)
        if (recognizer->hasTarget(helperClass(), action))
            iconView->removeGestureRecognizer(recognizer);
}

} // namespace

void ApplyEditingState(Object* self, const Original<void(bool)>& original, bool animated)
{
    original(animated);
    auto* iconView = dynamic_cast<UIView*>(self);
    if (!iconView || !SwitchIsOn("enabled"))
        return;
    auto mode = IntegerValue("activationmethodsingle");
    bool isFolder = sb::isFolderIcon.ifAnswered(sb::icon.ifAnswered(self));
    bool editing = sb::isEditing.ifAnswered(self);
    if (isFolder && (!mode || *mode == 0)) {
        // A folder may still carry a trigger from before the setting changed.
        if (!editing)
            RemoveTriggers(iconView);
        return;
    }
    if (editing) {
        AddTrigger(iconView, mode);
        return;
    }
    // Editing ended: an action sheet still open is closed first.
    if (UIViewController* presenter = PresentingController()) {
        UIViewController* presented = presenter->presentedViewController();
        if (objc::isKindOfClass(presented, "UIAlertController")) {
            presenter->dismissViewControllerAnimated(true, nullptr);
            helper::cleanupOnDimiss.ifAnswered(helperClass());
        }
    }
    RemoveTriggers(iconView);
}

void FolderControllerSetEditing(Object* self, const Original<void(bool, bool)>& original, bool editing, bool animated)
{
    original(editing, animated);
    if (!SwitchIsOn("enabled"))
        return;
    Ref<UIView> container;
    if (sb::contentView.isAnsweredBy(self)) {
        auto content = sb::contentView.orZero(self);
        container = content ? content->superview() : nullptr;
    }
    if (container && editing) {
        PageButtonGeometry geometry;
        auto placement = IntegerValue("activationmethodmulti");
        if (!placement || !PageButtonPlacement(*placement, geometry))
            return;
        if (container->viewWithTag(kPageButtonTag))
            return;
        Ref<UIButton> button = MakeTriggerButton(kPageButtonImagePath, "showSBPageActionSheet:", kPageButtonTag);
        button->setFrame(CGRectMake(geometry.x, geometry.y, geometry.size, geometry.size));
        GrowIn(container, button);
        return;
    }
    if (!container)
        return;
    Ref<UIView> existing = container->viewWithTag(kPageButtonTag);
    if (existing && objc::isKindOfClass(existing, "UIButton"))
        ShrinkAway(existing);
}

bool PageButtonPlacement(long long placement, PageButtonGeometry& out)
{
    if (placement != 2 && placement != 3 && placement != 4)
        return false;
    CGRect bounds = UIScreen::mainScreen()->bounds();
    CGFloat W = bounds.size.width, H = bounds.size.height;
    CGFloat L = std::max(W, H);
    double s = 60, d = 0;
    UIUserInterfaceIdiom idiom = UIDevice::currentDevice()->userInterfaceIdiom();
    if (idiom == UIUserInterfaceIdiomPad) {
        s = 60;
        d = 0;
    } else if (idiom == UIUserInterfaceIdiomPhone || idiom == UIUserInterfaceIdiomUnspecified) {
        if (L == 667 || L == 736) {
            s = 50;
            d = 50;
        } else if (L == 568) {
            s = 40;
            d = 0;
        } else if (L < 568) {
            s = 40;
            d = 50;
        }
    }
    out.size = s;
    out.x = W / 2 - s / 2;
    out.y = placement == 2 ? 2 : placement == 3 ? H - s - 2 : H / 2 - s / 2 - d;
    return true;
}

} // namespace ovrimo
