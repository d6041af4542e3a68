#include "Foundation.h"

void registerFoundationClasses(objc::Runtime& runtime)
{
    registerCoreFoundationClasses(runtime);
    if (!runtime.beginRegistering("Foundation"))
        return;
    foundation::registerErrorClass(runtime);
    foundation::registerFileManagerClass(runtime);
    foundation::registerDataFileMethods(runtime);
    foundation::registerURLClass(runtime);
    foundation::registerURLSessionClasses(runtime);
    foundation::registerByteCountFormatterClass(runtime);
    foundation::registerLocaleClass(runtime);
    foundation::registerDateFormatterClass(runtime);
    foundation::registerScannerClass(runtime);
    foundation::registerTimerClasses(runtime);
    foundation::registerBundleClass(runtime);
    foundation::registerNotificationCenterClasses(runtime);
    foundation::registerCharacterSetClass(runtime);
}

namespace foundation {

void ensureRegistered()
{
    objc::Runtime& runtime = objc::Runtime::current();
    if (!runtime.getClass("NSBundle"))
        registerFoundationClasses(runtime);
}

} // namespace foundation
