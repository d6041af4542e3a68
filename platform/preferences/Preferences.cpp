#include "platform/preferences/Preferences.h"

#include "platform/foundation/Foundation.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSegmentTableCell.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/preferences/PSViewController.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIKit.h"

void registerPreferencesClasses(objc::Runtime& runtime)
{
    registerFoundationClasses(runtime);
    registerUIKitClasses(runtime);
    if (!runtime.beginRegistering("Preferences"))
        return;
    PSSpecifier::registerClass(runtime);
    PSViewController::registerClass(runtime);
    PSListController::registerClass(runtime);
    PSListItemsController::registerClass(runtime);
    PSTableCell::registerClass(runtime);
    PSControlTableCell::registerClass(runtime);
    PSSwitchTableCell::registerClass(runtime);
    PSSliderTableCell::registerClass(runtime);
    PSSegmentTableCell::registerClass(runtime);
}
