#pragma once

// The statistics-and-restore pane (`OvrimoStatisticsRestoreListController`): the list
// "OvrimoStatisticsRestore", whose value rows ask the four getters how many custom and library
// icons exist and how much room they take, and whose buttons delete every custom icon (restore
// all) or empty the icon library, each after a confirmation.
//
// Runtime methods: specifiers, restore:, cleanIconLibrary:, sizeOfFolder:, getCustomIconsCount:,
// getCustomIconsSize:, getIconLibraryIconCount:, getIconLibrarySize:.

#include <string>
#include <vector>

namespace objc {
class Runtime;
}

namespace ovrimoprefs {

inline constexpr const char* kRestoreQuestion = "All your custom icon images will be permamently deleted, do you really want to restore all icon images?";
inline constexpr const char* kRestoreDone = "All your icon images were successfully restored.";
inline constexpr const char* kCleanQuestion = "Warning! All your icons and subdirectories stored in the icon library will be permamently deleted, this will not affect your custom icons. Do you really want to continue?";
inline constexpr const char* kCleanDone = "All the icons from the icon library were successfully deleted.";

// The error shown when restoring all left files behind (their names, or why nothing was removed).
std::string RestoreFailedMessage(const std::vector<std::string>& leftOver, const std::string& refused);
// The error shown when emptying the library left entries behind.
std::string CleanFailedMessage(const std::vector<std::string>& leftOver, const std::string& refused);

void RegisterStatisticsRestoreListController(objc::Runtime& runtime);

} // namespace ovrimoprefs
