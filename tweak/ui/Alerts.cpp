#include "tweak/ui/Alerts.h"

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIAlertController.h"
#include "tweak/ui/Presenting.h"
#include "tweak/ui/Product.h"

#include <optional>
#include <utility>

namespace ovrimo {

using objc::Ref;

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

} // namespace ovrimo
