#include "ovrimoprefs/OvrimoPrefs.h"

#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/graphics/UIColor.h"
#include "platform/preferences/PSListController.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"

namespace ovrimoprefs {

objc::Ref<UIColor> AccentColor() { return UIColor::colorWithRed(132 / 255.0, 79 / 255.0, 152 / 255.0, 1.0); }

UIViewController* AlertHost()
{
    UIWindow* window = UIApplication::sharedApplication()->keyWindow();
    UIViewController* host = window ? window->rootViewController() : nullptr;
    while (host && host->presentedViewController())
        host = host->presentedViewController();
    return host;
}

void ShowInfoAlert(const std::string& message)
{
    UIViewController* host = AlertHost();
    if (!host)
        return;
    auto alert = UIAlertController::alertControllerWithTitle(kProductName, message, UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle("Ok", UIAlertActionStyleCancel, nullptr));
    host->presentViewController(alert, true);
}

void ShowConfirmation(const std::string& message, const std::string& confirmTitle, PSListController* pane, const objc::Sel<void()>& confirmed)
{
    UIViewController* host = AlertHost();
    if (!host)
        return;
    auto alert = UIAlertController::alertControllerWithTitle(kProductName, message, UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle(confirmTitle, UIAlertActionStyleDestructive, [kept = objc::Ref<PSListController>(pane), &confirmed](UIAlertAction*) {
        confirmed.orZero(kept);
    }));
    alert->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, nullptr));
    host->presentViewController(alert, true);
}

objc::Ref<NSArray> SpecifiersOnce(PSListController* pane, const char* listName)
{
    if (!pane)
        return nullptr;
    if (!pane->storedSpecifiers())
        pane->setStoredSpecifiers(pane->loadSpecifiersFromPlistName(listName, pane));
    return objc::Ref<NSArray>(pane->storedSpecifiers());
}

void PostPreferencesChanged()
{
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), kPreferencesChanged, nullptr, nullptr, true);
}

} // namespace ovrimoprefs
