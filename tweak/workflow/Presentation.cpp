#include "tweak/workflow/Presentation.h"

#include "platform/corefoundation/StringFormat.h"
#include "platform/foundation/NSBundle.h"
#include "platform/graphics/UIColor.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"
#include "tweak/PrivateInterfaces.h"
#include "tweak/SystemVersion.h"
#include "tweak/hud/ProgressHUDInterface.h"

#include <optional>
#include <utility>

namespace ovrimo {

using objc::Ref;

bool FloatingDockInUse()
{
    objc::Class* dock = objc::objc_getClass("SBFloatingDockController");
    return SystemVersionNumber() >= 11.0 && dock && sb::isFloatingDockSupported.ifAnswered(dock);
}

UIViewController* PresentingController()
{
    if (FloatingDockInUse()) {
        auto controller = sb::viewController.ifAnswered(sb::sharedInstance.ifAnswered(objc::objc_getClass("SBFloatingDockController")));
        return dynamic_cast<UIViewController*>(controller.ptr());
    }
    UIWindow* window = UIApplication::sharedApplication()->keyWindow();
    return window ? window->rootViewController() : nullptr;
}

std::string SystemButtonTitle(const std::string& key)
{
    Ref<NSBundle> uikit = NSBundle::bundleWithIdentifier("com.apple.UIKit");
    return uikit ? uikit->localizedStringForKey(key, "", "Localizable") : std::string();
}

std::string NumberedError(int number, bool contactDeveloper)
{
    return corefoundation::stringWithFormat("Error %d! Something went wrong. Please try again, if the error continues then contact %@!", number,
        contactDeveloper ? "the developer" : "me");
}

namespace {

// The one message waiting for the screen in front to close (per booted device).
struct PendingAlert {
    std::optional<std::string> message;
};

Ref<UIAlertController> messageAlert(const std::string& message)
{
    auto alert = UIAlertController::alertControllerWithTitle(kProductName, message, UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("OK"), UIAlertActionStyleCancel, nullptr));
    return alert;
}

} // namespace

void ShowMessageAlert(const std::string& message)
{
    UIViewController* presenter = PresentingController();
    if (!presenter)
        return;
    if (presenter->presentedViewController()) {
        auto& pending = objc::Runtime::current().state<PendingAlert>();
        if (!pending.message)
            pending.message = message;
        return;
    }
    presenter->presentViewController(messageAlert(message), true);
}

void ShowMessageAlertOver(UIViewController* controller, const std::string& message)
{
    if (!controller || controller->presentedViewController() || !controller->presentingViewController()) {
        ShowMessageAlert(message);
        return;
    }
    controller->presentViewController(messageAlert(message), true);
}

void ShowPendingAlert()
{
    auto& pending = objc::Runtime::current().state<PendingAlert>();
    std::optional<std::string> message = std::exchange(pending.message, std::nullopt);
    if (message)
        ShowMessageAlert(*message);
}

Ref<UIView> ShowProgressOverlay(const std::string& text, const std::string& detail, UIViewController* controller)
{
    Ref<UIView> container;
    if (Ref<UIView> view = controller ? controller->view() : nullptr; view && view->superview())
        container = view->superview();
    else if (UIViewController* presenter = FloatingDockInUse() ? PresentingController() : nullptr)
        container = presenter->view()->superview();
    if (!container)
        container = UIApplication::sharedApplication()->keyWindow();
    if (!container)
        return nullptr;
    Ref<UIView> overlay = hud::showHUDAddedToAnimated.orZero(objc::objc_getClass("MBProgressHUD"), container.ptr(), true);
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
