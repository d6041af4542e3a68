#include "tweak/ui/ProgressOverlay.h"

#include "platform/graphics/UIColor.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"
#include "tweak/hud/ProgressHUDInterface.h"
#include "tweak/ui/Presenting.h"

namespace ovrimo {

using objc::Ref;

Ref<UIView> ShowProgressOverlay(const std::string& text, const std::string& detail, UIViewController* controller)
{
    Ref<UIView> container;
    if (Ref<UIView> view = controller ? controller->view() : nullptr; view && view->superview())
        container = view->superview();
    else if (UIViewController* presenter = FloatingDockInUse() ? PresentingController() : nullptr)
        container = presenter->view()->superview();
    if (!container)
        container = UIApplication::sharedApplication()->keyWindow();
    return ShowProgressOverlayOn(container.ptr(), text, detail);
}

Ref<UIView> ShowProgressOverlayOn(UIView* container, const std::string& text, const std::string& detail)
{
    objc::Class* overlayClass = objc::objc_getClass("MBProgressHUD");
    if (!container || !overlayClass)
        return nullptr;
    Ref<UIView> overlay = hud::showHUDAddedToAnimated.orZero(overlayClass, container, true);
    if (!overlay)
        return nullptr;
    if (Ref<UILabel> label = hud::label.orZero(overlay))
        label->setText(text);
    Ref<UIView> background = hud::backgroundView.orZero(overlay);
    hud::setStyle.orZero(background, 0);
    hud::setColor.orZero(background, UIColor::colorWithWhite(0.0, 0.6));
    if (Ref<UILabel> details = hud::detailsLabel.orZero(overlay))
        details->setText(detail);
    return overlay;
}

} // namespace ovrimo
