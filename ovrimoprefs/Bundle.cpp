// The settings bundle's load-time initializer: it runs when the Settings app loads the bundle's
// code (-[NSBundle load]) and registers the bundle's classes, so that the app finds the principal
// class `ovrimoprefsListController` by name.

#include "ovrimoprefs/OvrimoPrefs.h"
#include "platform/runtime/Runtime.h"

__attribute__((constructor)) static void OvrimoPrefsInitializer()
{
    // Loaded outside a booted device (by a tool that only inspects the file), there is nothing to do.
    if (!objc::Runtime::currentOrNull())
        return;
    ovrimoprefs::Guarded("loading the settings bundle", [] { ovrimoprefs::RegisterOvrimoPrefsClasses(objc::Runtime::current()); });
}
