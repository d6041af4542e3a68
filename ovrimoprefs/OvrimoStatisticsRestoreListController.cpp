#include "ovrimoprefs/OvrimoStatisticsRestoreListController.h"

#include "ovrimoprefs/FolderContents.h"
#include "ovrimoprefs/OvrimoPrefs.h"
#include "ovrimoprefs/PaneSelectors.h"
#include "platform/corefoundation/StringFormat.h"
#include "platform/preferences/PSListController.h"
#include "platform/runtime/ClassBuilder.h"

namespace ovrimoprefs {

namespace {

constexpr const char* kStatisticsClassName = "OvrimoStatisticsRestoreListController";
constexpr const char* kStatisticsListName = "OvrimoStatisticsRestore";
// At most this many names are listed in an error alert.
constexpr std::size_t kNamesShown = 5;

std::string namesOf(const std::vector<std::string>& names)
{
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += (i ? ", " : "") + names[i];
    if (names.size() > kNamesShown)
        text += corefoundation::stringWithFormat(" and %d more", static_cast<int>(names.size() - kNamesShown));
    return text;
}

std::string failureText(int number, const std::string& what, const std::vector<std::string>& leftOver, const std::string& refused)
{
    std::string reason = refused.empty() ? what + " could not be deleted: " + namesOf(leftOver) + "." : "Nothing was deleted: " + refused + ".";
    return corefoundation::stringWithFormat("Error %d! ", number) + reason + " Please try again, if the error continues then contact the developer!";
}

Ref<NSArray> statisticsSpecifiers(PSListController* self) { return SpecifiersOnce(self, kStatisticsListName); }

// Each question keeps the pane alive until its answer has been handled.
void restoreAll(PSListController* self, Object*) { ShowConfirmation(kRestoreQuestion, "Restore", self, sel::restoreConfirmed); }

void restoreConfirmed(PSListController* self)
{
    EmptyingResult result = EmptyFolder(kIconsFolder);
    // Whatever went, the tweak re-reads the store and redraws every icon.
    PostPreferencesChanged();
    ShowInfoAlert(result.succeeded() ? std::string(kRestoreDone) : RestoreFailedMessage(result.leftOver, result.refused));
    sel::reloadSpecifiers.orZero(self);
}

void cleanIconLibrary(PSListController* self, Object*) { ShowConfirmation(kCleanQuestion, "Delete", self, sel::cleanConfirmed); }

void cleanConfirmed(PSListController* self)
{
    EmptyingResult result = EmptyFolder(kLibraryFolder);
    ShowInfoAlert(result.succeeded() ? std::string(kCleanDone) : CleanFailedMessage(result.leftOver, result.refused));
    sel::reloadSpecifiers.orZero(self);
}

std::string sizeOfFolder(PSListController*, std::string folder) { return SizeText(folder); }

std::string customIconsCount(PSListController*, PSSpecifier*) { return corefoundation::stringWithFormat("%d", CountEntries(kIconsFolder)); }
std::string customIconsSize(PSListController* self, PSSpecifier*) { return sel::sizeOfFolder.orZero(self, std::string(kIconsFolder)); }
std::string libraryIconCount(PSListController*, PSSpecifier*) { return corefoundation::stringWithFormat("%d", CountFilesBelow(kLibraryFolder)); }
std::string librarySize(PSListController* self, PSSpecifier*) { return sel::sizeOfFolder.orZero(self, std::string(kLibraryFolder)); }

} // namespace

std::string RestoreFailedMessage(const std::vector<std::string>& leftOver, const std::string& refused)
{
    return failureText(601, "Some of your custom icon images", leftOver, refused);
}

std::string CleanFailedMessage(const std::vector<std::string>& leftOver, const std::string& refused)
{
    return failureText(602, "Some entries of the icon library", leftOver, refused);
}

void RegisterStatisticsRestoreListController(objc::Runtime& runtime)
{
    objc::ClassBuilder<PSListController>(runtime, kStatisticsClassName, "PSListController")
        .method(sel::specifiers, &statisticsSpecifiers)
        .method(sel::restore, &restoreAll)
        .method(sel::cleanIconLibrary, &cleanIconLibrary)
        .method(sel::restoreConfirmed, &restoreConfirmed)
        .method(sel::cleanConfirmed, &cleanConfirmed)
        .method(sel::sizeOfFolder, &sizeOfFolder)
        .method(sel::getCustomIconsCount, &customIconsCount)
        .method(sel::getCustomIconsSize, &customIconsSize)
        .method(sel::getIconLibraryIconCount, &libraryIconCount)
        .method(sel::getIconLibrarySize, &librarySize)
        .buildSystemClass();
}

} // namespace ovrimoprefs
