#pragma once

// Specifier list files: a property-list dictionary with "items" (an array of row dictionaries)
// and an optional "title". Each row names its kind under "cell" ("PSGroupCell", "PSLinkCell",
// "PSSwitchCell", ...) and its text under "label"; "id", "detail", "get", "set", "action",
// "icon", "validValues" and "validTitles" fill the specifier's own fields, and every key of the
// row (these included) is kept among the specifier's properties.

#include "platform/preferences/PSSpecifier.h"

#include <string>
#include <vector>

class NSBundle;

namespace preferences {

// The cell type a list file names; PSStaticTextCell for a name it does not know.
PSCellType cellTypeFromName(const std::string& name);

// One specifier from a row dictionary. `target` receives the row's getter, setter and action;
// `bundle` (may be null) supplies the row's icon file and the localized label (table `table`).
objc::Ref<PSSpecifier> specifierFromEntry(NSDictionary* entry, objc::Object* target, NSBundle* bundle, const std::string& table = {});

struct SpecifierList {
    std::vector<objc::Ref<PSSpecifier>> specifiers;
    std::string title;
    // Why nothing could be read ("" when the file was read).
    std::string error;
};

// Reads the list file at `devicePath`. A missing or malformed file gives no specifiers and an
// error text; rows that are not dictionaries are skipped.
SpecifierList loadSpecifierList(const std::string& devicePath, objc::Object* target, NSBundle* bundle, const std::string& table = {});

} // namespace preferences
