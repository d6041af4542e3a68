#include "ovrimoprefs/OvrimoSettingsListController.h"

#include "ovrimoprefs/OvrimoPrefs.h"
#include "ovrimoprefs/PaneSelectors.h"
#include "platform/preferences/PSListController.h"
#include "platform/runtime/ClassBuilder.h"

namespace ovrimoprefs {

namespace {

Ref<NSArray> specifiers(PSListController* self)
{
    Ref<NSArray> list;
    Guarded("-[OvrimoSettingsListController specifiers]", [&] { list = SpecifiersOnce(self, "OvrimoSettings"); });
    return list;
}

} // namespace

void RegisterSettingsListController(objc::Runtime& runtime)
{
    objc::ClassBuilder<PSListController>(runtime, "OvrimoSettingsListController", "PSListController")
        .method(sel::specifiers, &specifiers)
        .buildOrDiagnose();
}

} // namespace ovrimoprefs
