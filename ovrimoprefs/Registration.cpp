#include "ovrimoprefs/Registration.h"

#include "ovrimoprefs/OvrimoInfoListController.h"
#include "ovrimoprefs/OvrimoSettingsListController.h"
#include "ovrimoprefs/OvrimoStatisticsRestoreListController.h"
#include "ovrimoprefs/OvrimoSwitchTableCell.h"
#include "ovrimoprefs/ovrimoprefsListController.h"
#include "platform/preferences/Preferences.h"
#include "platform/runtime/Runtime.h"
#include "zarnekprefs/ZarnekPrefs.h"

namespace ovrimoprefs {

void RegisterOvrimoPrefsClasses(objc::Runtime& runtime)
{
    registerPreferencesClasses(runtime);
    // The kit first: the lists name its cells and screens.
    zarnek::RegisterZarnekPrefsClasses(runtime);
    if (!runtime.beginRegistering("ovrimoprefs"))
        return;
    RegisterSwitchTableCell(runtime);
    RegisterRootListController(runtime);
    RegisterSettingsListController(runtime);
    RegisterStatisticsRestoreListController(runtime);
    RegisterInfoListController(runtime);
}

} // namespace ovrimoprefs
