// The code of a test bundle: loaded, it registers a class by which the test sees that it ran.

#include "platform/runtime/Runtime.h"

__attribute__((constructor)) static void LoadableBundleInitializer()
{
    if (objc::Runtime* runtime = objc::Runtime::currentOrNull())
        if (!runtime->getClass("LoadedBundleMarker"))
            runtime->registerClass("LoadedBundleMarker", runtime->requireClass("NSObject"));
}
