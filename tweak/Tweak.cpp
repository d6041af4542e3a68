// Ovrimo.dylib's two load-time initializers. They run when the library is loaded into an app,
// the tweak core's first (after registering the classes of the progress overlay, the cropper and the
// icon library browser), then the editing workflow's.

#include "platform/runtime/Runtime.h"
#include "tweak/Startup.h"
#include "tweak/cropper/VPImageCropperViewController.h"
#include "tweak/hud/MBProgressHUD.h"
#include "tweak/library/IconLibrary.h"
#include "tweak/library/ZarnekIconSelectorViewController.h"
#include "tweak/workflow/OvrimoHelper.h"
#include "tweak/workflow/WorkflowPreferences.h"

__attribute__((constructor(101))) static void OvrimoCoreInitializer()
{
    // Loaded outside a booted device (by a tool that only inspects the file), there is nothing
    // to start.
    if (!objc::Runtime::currentOrNull())
        return;
    // These classes come first: the rest of the tweak finds them by name.
    ovrimo::hud::RegisterHUDClasses(objc::Runtime::current());
    ovrimo::cropper::RegisterImageCropperClass(objc::Runtime::current());
    ovrimo::library::RegisterIconLibraryClasses(objc::Runtime::current());
    // The home screen owns the icon folders: before it reads them, whatever a stopped process left
    // half-changed is finished or rolled back (never from the Settings app, which may be changing
    // them at that moment).
    if (objc::objc_getClass("SBIconController"))
        ovrimo::library::RecoverInterruptedChanges();
    ovrimo::StartTweakCore();
}

__attribute__((constructor(102))) static void OvrimoWorkflowInitializer()
{
    if (!objc::Runtime::currentOrNull())
        return;
    ovrimo::RegisterWorkflowClasses(objc::Runtime::current());
    ovrimo::StartWorkflowPreferences();
}
