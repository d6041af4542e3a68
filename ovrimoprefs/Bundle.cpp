// The settings bundle's load-time initializer: it runs when the Settings app loads the bundle's
// code (-[NSBundle load]) and registers the bundle's classes, so that the app finds the principal
// class `ovrimoprefsListController` by name.

#include "ovrimoprefs/Registration.h"
#include "platform/runtime/Diagnostics.h"
#include "platform/runtime/Runtime.h"

#include <exception>
#include <string>

__attribute__((constructor)) static void OvrimoPrefsInitializer()
{
    // Loaded outside a booted device (by a tool that only inspects the file), there is nothing to do.
    if (!objc::Runtime::currentOrNull())
        return;
    // Nothing may leave a load-time initializer: a failure is reported and the bundle stays
    // without its classes.
    try {
        ovrimoprefs::RegisterOvrimoPrefsClasses(objc::Runtime::current());
    } catch (const std::exception& error) {
        objc::diagnose(std::string("ovrimoprefs: loading the settings bundle failed: ") + error.what());
    } catch (...) {
        objc::diagnose("ovrimoprefs: loading the settings bundle failed");
    }
}
