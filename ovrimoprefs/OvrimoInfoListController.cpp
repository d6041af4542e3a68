#include "ovrimoprefs/OvrimoInfoListController.h"

#include "ovrimoprefs/OvrimoPrefs.h"
#include "ovrimoprefs/PaneSelectors.h"
#include "platform/preferences/PSListController.h"
#include "platform/runtime/ClassBuilder.h"

namespace ovrimoprefs {

namespace {

Ref<NSArray> specifiers(PSListController* self) { return SpecifiersOnce(self, "OvrimoInfo"); }

} // namespace

void RegisterInfoListController(objc::Runtime& runtime)
{
    objc::ClassBuilder<PSListController>(runtime, "OvrimoInfoListController", "PSListController")
        .method(sel::specifiers, &specifiers)
        .buildSystemClass();
}

} // namespace ovrimoprefs
