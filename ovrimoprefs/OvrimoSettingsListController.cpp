#include "ovrimoprefs/OvrimoSettingsListController.h"

#include "ovrimoprefs/OvrimoPrefs.h"
#include "ovrimoprefs/PaneSelectors.h"
#include "platform/preferences/PSListController.h"
#include "platform/runtime/ClassBuilder.h"

namespace ovrimoprefs {

namespace {

Ref<NSArray> settingsSpecifiers(PSListController* self) { return SpecifiersOnce(self, "OvrimoSettings"); }

} // namespace

void RegisterSettingsListController(objc::Runtime& runtime)
{
    objc::ClassBuilder<PSListController>(runtime, "OvrimoSettingsListController", "PSListController")
        .method(sel::specifiers, &settingsSpecifiers)
        .buildSystemClass();
}

} // namespace ovrimoprefs
