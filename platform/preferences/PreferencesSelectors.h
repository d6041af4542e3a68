#pragma once

// Selectors that the Settings list framework's classes introduce (PSSpecifier, PSViewController,
// PSListController, PSTableCell and its control cells), declared once with their signatures, for
// the framework itself and for settings bundles that subclass or message its classes.

#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/foundation/NSBundle.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIViewController.h"

#include <cstdint>
#include <string>

class PSTableCell;

namespace preferences::sel {

using objc::Object;
using objc::Ref;
using objc::Sel;

// PSSpecifier, class side
inline constinit Sel<Ref<PSSpecifier>(std::string, Object*, objc::SEL, objc::SEL, objc::Class*, PSCellType, objc::Class*)>
    preferenceSpecifierNamedTargetSetGetDetailCellEdit { "preferenceSpecifierNamed:target:set:get:detail:cell:edit:" };
inline constinit Sel<Ref<PSSpecifier>(std::string)> groupSpecifierWithName { "groupSpecifierWithName:" };
inline constinit Sel<Ref<PSSpecifier>()> emptyGroupSpecifier { "emptyGroupSpecifier" };

// PSSpecifier
inline constinit Sel<std::string()> name { "name" };
inline constinit Sel<void(std::string)> setName { "setName:" };
inline constinit Sel<std::string()> identifier { "identifier" };
inline constinit Sel<void(std::string)> setIdentifier { "setIdentifier:" };
inline constinit Sel<Ref<Object>(std::string)> propertyForKey { "propertyForKey:" };
inline constinit Sel<void(Object*, std::string)> setPropertyForKey { "setProperty:forKey:" };
inline constinit Sel<void(std::string)> removePropertyForKey { "removePropertyForKey:" };
inline constinit Sel<Ref<NSMutableDictionary>()> properties { "properties" };
inline constinit Sel<void(NSDictionary*)> setProperties { "setProperties:" };
inline constinit Sel<PSCellType()> cellType { "cellType" };
inline constinit Sel<void(PSCellType)> setCellType { "setCellType:" };
inline constinit Sel<Ref<Object>()> target { "target" };
inline constinit Sel<void(Object*)> setTarget { "setTarget:" };
inline constinit Sel<objc::SEL()> getter { "getter" };
inline constinit Sel<objc::SEL()> setter { "setter" };
inline constinit Sel<objc::SEL()> buttonAction { "buttonAction" };
inline constinit Sel<void(objc::SEL)> setButtonAction { "setButtonAction:" };
inline constinit Sel<Ref<objc::Class>()> detailControllerClass { "detailControllerClass" };
inline constinit Sel<void(objc::Class*)> setDetailControllerClass { "setDetailControllerClass:" };
inline constinit Sel<Ref<objc::Class>()> editPaneClass { "editPaneClass" };
inline constinit Sel<Ref<NSArray>()> values { "values" };
inline constinit Sel<Ref<NSArray>()> titles { "titles" };
inline constinit Sel<void(NSArray*, NSArray*)> setValuesTitles { "setValues:titles:" };

// PSViewController (specifier and setSpecifier: also on PSTableCell)
inline constinit Sel<Ref<PSSpecifier>()> specifier { "specifier" };
inline constinit Sel<void(PSSpecifier*)> setSpecifier { "setSpecifier:" };
inline constinit Sel<Ref<UIViewController>()> parentController { "parentController" };
inline constinit Sel<void(UIViewController*)> setParentController { "setParentController:" };
inline constinit Sel<Ref<UIViewController>()> rootController { "rootController" };
inline constinit Sel<void(UIViewController*)> setRootController { "setRootController:" };
inline constinit Sel<Ref<NSBundle>()> bundle { "bundle" };
inline constinit Sel<void(NSBundle*)> setBundle { "setBundle:" };
inline constinit Sel<void(UIViewController*)> pushController { "pushController:" };
inline constinit Sel<void(UIViewController*, bool)> pushControllerAnimate { "pushController:animate:" };

// PSListController
inline constinit Sel<Ref<UITableView>()> table { "table" };
inline constinit Sel<Ref<NSArray>()> specifiers { "specifiers" };
inline constinit Sel<void(NSArray*)> setSpecifiers { "setSpecifiers:" };
inline constinit Sel<Ref<NSArray>(std::string, Object*)> loadSpecifiersFromPlistNameTarget { "loadSpecifiersFromPlistName:target:" };
inline constinit Sel<void()> reloadSpecifiers { "reloadSpecifiers" };
inline constinit Sel<void(PSSpecifier*)> reloadSpecifier { "reloadSpecifier:" };
inline constinit Sel<void(std::string)> reloadSpecifierID { "reloadSpecifierID:" };
inline constinit Sel<Ref<PSSpecifier>(std::string)> specifierForID { "specifierForID:" };
inline constinit Sel<std::int64_t(PSSpecifier*)> indexOfSpecifier { "indexOfSpecifier:" };
inline constinit Sel<Ref<PSSpecifier>(NSIndexPath*)> specifierAtIndexPath { "specifierAtIndexPath:" };
inline constinit Sel<Ref<NSIndexPath>(PSSpecifier*)> indexPathForSpecifier { "indexPathForSpecifier:" };
inline constinit Sel<Ref<PSTableCell>(PSSpecifier*)> cachedCellForSpecifier { "cachedCellForSpecifier:" };
inline constinit Sel<Ref<Object>(PSSpecifier*)> readPreferenceValue { "readPreferenceValue:" };
inline constinit Sel<void(Object*, PSSpecifier*)> setPreferenceValueSpecifier { "setPreferenceValue:specifier:" };

// PSTableCell
inline constinit Sel<Ref<Object>(std::int64_t, std::string, PSSpecifier*)> initWithStyleReuseIdentifierSpecifier { "initWithStyle:reuseIdentifier:specifier:" };
inline constinit Sel<PSCellType()> type { "type" };
inline constinit Sel<void(UIImage*)> setIcon { "setIcon:" };
inline constinit Sel<std::string()> getLazyIconID { "getLazyIconID" };
inline constinit Sel<void(std::string)> setLazyIconID { "setLazyIconID:" };
inline constinit Sel<Ref<UIImageView>()> iconImageView { "iconImageView" };
inline constinit Sel<Ref<UILabel>()> titleLabel { "titleLabel" };
inline constinit Sel<Ref<UILabel>()> valueLabel { "valueLabel" };
inline constinit Sel<Ref<Object>()> value { "value" };
inline constinit Sel<void(Object*)> setValue { "setValue:" };
inline constinit Sel<bool()> cellEnabled { "cellEnabled" };
inline constinit Sel<void(bool)> setCellEnabled { "setCellEnabled:" };
inline constinit Sel<void(PSSpecifier*)> refreshCellContentsWithSpecifier { "refreshCellContentsWithSpecifier:" };
// A cell class may answer it to ask for a row height of its own.
inline constinit Sel<double(double)> preferredHeightForWidth { "preferredHeightForWidth:" };

// PSControlTableCell
inline constinit Sel<Ref<UIControl>()> control { "control" };
inline constinit Sel<void(UIControl*)> setControl { "setControl:" };
inline constinit Sel<Ref<Object>()> controlValue { "controlValue" };
inline constinit Sel<void(Object*)> controlChanged { "controlChanged:" };

} // namespace preferences::sel
