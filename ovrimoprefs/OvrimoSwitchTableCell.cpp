#include "ovrimoprefs/OvrimoSwitchTableCell.h"

#include "ovrimoprefs/OvrimoPrefs.h"
#include "ovrimoprefs/PaneSelectors.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UISwitch.h"

namespace ovrimoprefs {

namespace {

constexpr const char* kSwitchCellClassName = "OvrimoSwitchTableCell";

Ref<Object> initCell(PSSwitchTableCell* self, std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = objc::sendSuperOrZero(sel::initWithStyleReuseIdentifierSpecifier, kSwitchCellClassName, self, style, reuseIdentifier, specifier);
    if (!result)
        return result;
    if (auto* toggle = dynamic_cast<UISwitch*>(self->control())) {
        toggle->setOnTintColor(AccentColor());
        toggle->setTintColor(AccentColor());
    }
    return result;
}

} // namespace

void RegisterSwitchTableCell(objc::Runtime& runtime)
{
    objc::ClassBuilder<PSSwitchTableCell>(runtime, kSwitchCellClassName, "PSSwitchTableCell")
        .method(sel::initWithStyleReuseIdentifierSpecifier, &initCell)
        .buildSystemClass();
}

} // namespace ovrimoprefs
