#pragma once

// The selectors of the settings bundle's panes and cell, declared once with their signatures.

#include "platform/corefoundation/NSArray.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PreferencesSelectors.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UIKitSelectors.h"

#include <cstdint>
#include <string>

namespace ovrimoprefs {
using objc::Object;
using objc::Ref;
} // namespace ovrimoprefs

namespace ovrimoprefs::sel {

using objc::Sel;

using preferences::sel::specifiers;
using uikit::sel::viewDidLoad;
using preferences::sel::reloadSpecifiers;
inline constinit Sel<void(Object*)> followMe { "followMe:" };
inline constinit Sel<void(Object*)> donate { "donate:" };
inline constinit Sel<void(Object*)> restore { "restore:" };
inline constinit Sel<void(Object*)> cleanIconLibrary { "cleanIconLibrary:" };
inline constinit Sel<void()> restoreConfirmed { "restoreConfirmed" };
inline constinit Sel<void()> cleanConfirmed { "cleanConfirmed" };
inline constinit Sel<std::string(std::string)> sizeOfFolder { "sizeOfFolder:" };
inline constinit Sel<std::string(PSSpecifier*)> getCustomIconsCount { "getCustomIconsCount:" };
inline constinit Sel<std::string(PSSpecifier*)> getCustomIconsSize { "getCustomIconsSize:" };
inline constinit Sel<std::string(PSSpecifier*)> getIconLibraryIconCount { "getIconLibraryIconCount:" };
inline constinit Sel<std::string(PSSpecifier*)> getIconLibrarySize { "getIconLibrarySize:" };
using preferences::sel::initWithStyleReuseIdentifierSpecifier;

} // namespace ovrimoprefs::sel
