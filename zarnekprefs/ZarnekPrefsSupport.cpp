#include "zarnekprefs/ZarnekPrefsSupport.h"

#include "platform/corefoundation/CFLog.h"
#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"

namespace zarnek {

objc::Ref<objc::Object> readStoredValue(const std::string& domain, const std::string& key)
{
    if (domain.empty() || key.empty())
        return nullptr;
    CFPreferencesAppSynchronize(domain);
    return CFPreferencesCopyAppValue(key, domain);
}

bool storeValue(const std::string& domain, const std::string& key, objc::Object* value)
{
    if (domain.empty() || key.empty())
        return true;
    CFPreferencesSetAppValue(key, value, domain);
    if (CFPreferencesAppSynchronize(domain))
        return true;
    logKitProblem("could not store " + key + " in " + domain);
    return false;
}

void postDarwinNotification(const std::string& name)
{
    if (!name.empty())
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), name, nullptr, nullptr, true);
}

UIViewController* presentingController()
{
    objc::Ref<UIApplication> application = UIApplication::sharedApplication();
    UIWindow* window = application ? application->keyWindow() : nullptr;
    if (!window)
        return nullptr;
    // The root may already present the Settings screens; a second presentation goes on top.
    UIViewController* top = window->topmostViewController();
    return top ? top : window->rootViewController();
}

void logKitProblem(const std::string& message) { corefoundation::writeSystemLog(kCFLogLevelError, "zarnekprefs: " + message); }

} // namespace zarnek
