#include "ovrimoprefs/OvrimoInfoListController.h"

#include "ovrimoprefs/OvrimoPrefs.h"
#include "ovrimoprefs/PaneSelectors.h"
#include "platform/preferences/PSListController.h"
#include "platform/runtime/ClassBuilder.h"

namespace ovrimoprefs {

namespace {

Ref<NSArray> infoSpecifiers(PSListController* self) { return SpecifiersOnce(self, "OvrimoInfo"); }

} // namespace

void RegisterInfoListController(objc::Runtime& runtime)
{
    objc::ClassBuilder<PSListController>(runtime, "OvrimoInfoListController", "PSListController")
        .method(sel::specifiers, &infoSpecifiers)
        .buildSystemClass();
}

} // namespace ovrimoprefs
