#include "tweak/ui/Presenting.h"

#include "platform/foundation/NSBundle.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"
#include "tweak/PrivateInterfaces.h"
#include "tweak/SystemVersion.h"

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

} // namespace ovrimo
