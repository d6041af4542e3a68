// The browser's folder operations: the long-press menus of the overview table, backing up the
// custom icons into a named library folder, restoring a folder as the custom icons, deleting a
// folder. They touch nothing but the custom icon store and the icon library.

#include "tweak/library/ZarnekIconSelectorViewController.h"

#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/dispatch/Queue.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "tweak/IconStore.h"
#include "tweak/hud/ProgressHUDInterface.h"
#include "platform/corefoundation/StringFormat.h"
#include "tweak/library/BrowserSupport.h"
#include "tweak/ui/NumberedErrors.h"
#include "tweak/ui/Presenting.h"
#include "tweak/ui/Product.h"
#include "tweak/library/IconLibrary.h"

namespace ovrimo::library {

namespace {

constexpr const char* kPreferencesChanged = "com.zarnek.ovrimo.prefs";

// Runs `work` on the main queue 10 ms from now, so that an overlay shown just before is drawn
// before the work blocks the thread.
void afterOverlayIsDrawn(std::function<void()> work)
{
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, 10 * NSEC_PER_MSEC), dispatch_get_main_queue(), std::move(work));
}

} // namespace

void ZarnekIconSelectorViewController::longPressOnCell(Object* sender)
{
    auto* recognizer = dynamic_cast<UILongPressGestureRecognizer*>(sender);
    if (!recognizer || recognizer->state() != UIGestureRecognizerStateBegan || !m_tableView)
        return;
    auto* cell = dynamic_cast<UITableViewCell*>(recognizer->view());
    Ref<NSIndexPath> path = cell ? m_tableView->indexPathForCell(cell) : nullptr;
    if (!path)
        return;
    m_tableView->selectRowAtIndexPath(path, false);
    std::size_t row = static_cast<std::size_t>(path->row());
    bool customIcons = path->section() == 0 && row == 0;
    bool folder = path->section() == 1 && row < m_iconLibrarySubDirsList.size();
    if (!customIcons && !folder)
        return;
    std::string name = customIcons ? m_tableViewMainCells[0] : m_iconLibrarySubDirsList[row];
    auto sheet = UIAlertController::alertControllerWithTitle(kProductName, corefoundation::stringWithFormat("What would you like to do with the directory %@?", name),
        UIAlertControllerStyleActionSheet);
    objc::WeakRef<ZarnekIconSelectorViewController> weakSelf(this);
    auto index = static_cast<std::int64_t>(row);
    if (customIcons) {
        sheet->addAction(UIAlertAction::actionWithTitle("Backup", UIAlertActionStyleDefault, [weakSelf, index](UIAlertAction*) {
            sel::backupFolderWithIndex.orZero(weakSelf.strong(), index);
        }));
    } else {
        sheet->addAction(UIAlertAction::actionWithTitle("Use as custom icons", UIAlertActionStyleDefault, [weakSelf, index](UIAlertAction*) {
            sel::restoreFolderWithIndex.orZero(weakSelf.strong(), index);
        }));
        sheet->addAction(UIAlertAction::actionWithTitle("Delete", UIAlertActionStyleDestructive, [weakSelf, index](UIAlertAction*) {
            sel::deleteFolderWithIndex.orZero(weakSelf.strong(), index);
        }));
    }
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, nullptr));
    if (UIPopoverPresentationController* popover = sheet->popoverPresentationController()) {
        popover->setSourceView(cell);
        popover->setSourceRect(cell->bounds());
    }
    presentAlert(sheet);
}

// Backup --------------------------------------------------------------------------------------------

void ZarnekIconSelectorViewController::backUpFolder(std::int64_t)
{
    if (getCustomIconPaths().empty()) {
        sel::showInfoPopupWithMessage.orZero(this, "There are no custom icons to backup! Create custom icons first.");
        return;
    }
    askBackupName();
}

void ZarnekIconSelectorViewController::askBackupName()
{
    auto alert = UIAlertController::alertControllerWithTitle(kProductName, "Enter backup folder name", UIAlertControllerStyleAlert);
    alert->addTextFieldWithConfigurationHandler([](UITextField* field) { field->setKeyboardType(UIKeyboardTypeURL); });
    objc::WeakRef<ZarnekIconSelectorViewController> weakSelf(this);
    objc::WeakRef<UIAlertController> weakAlert(alert);
    alert->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("OK"), UIAlertActionStyleDefault, [weakSelf, weakAlert](UIAlertAction*) {
        Ref<ZarnekIconSelectorViewController> self = weakSelf.strong();
        Ref<UIAlertController> shown = weakAlert.strong();
        if (!self || !shown || shown->textFields().empty())
            return;
        sel::backupFolderNamed.orZero(self, shown->textFields().front()->text());
    }));
    alert->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, nullptr));
    presentAlert(alert);
}

// `typed` is used exactly as typed (spaces kept); only a name that can be a folder of its own
// directly in the library is accepted.
void ZarnekIconSelectorViewController::backUpNamed(std::string typed)
{
    if (trimmedName(typed).empty()) {
        sel::showInfoPopupWithMessage.orZero(this, "Name cannot be empty. Please enter a correct name.");
        return;
    }
    if (!isUsableFolderName(typed)) {
        sel::showInfoPopupWithMessage.orZero(this, corefoundation::stringWithFormat(kBadNameMessage, typed));
        return;
    }
    if (entryKind(kLibraryRoot + typed) != EntryKind::Missing) {
        sel::showInfoPopupWithMessage.orZero(this, corefoundation::stringWithFormat("A directory with the name %@ already exists. Please use a different name.", typed));
        return;
    }
    Ref<UIView> overlay = sel::showHUDWithTitleDetail.orZero(this, "Backing up directory...", "Please wait.");
    Ref<ZarnekIconSelectorViewController> self(this);
    afterOverlayIsDrawn([self, overlay, typed] {
        sel::backUpCustomIconsAs.orZero(self, typed);
        hud::hideAnimated.orZero(overlay, true);
    });
}

void ZarnekIconSelectorViewController::backUpNow(std::string name)
{
    bool done = backUpCustomIcons(name);
    sel::preapreTableDataAndDirList.orZero(this);
    if (m_tableView)
        m_tableView->reloadData();
    sel::showInfoPopupWithMessage.orZero(this, done ? "Backup finished!" : ErrorMessage(ErrorNumber::LibraryBackup));
}

// Restore -------------------------------------------------------------------------------------------

void ZarnekIconSelectorViewController::restoreFolder(std::int64_t row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_iconLibrarySubDirsList.size())
        return;
    std::string name = m_iconLibrarySubDirsList[static_cast<std::size_t>(row)];
    std::string message = corefoundation::stringWithFormat("Warning! All your current custom icons will be deleted and replaced with the icons from the directory %@. "
                                           "Make sure you have a backup. Only the icons with matching bundle identifiers will work, random icons will "
                                           "have no effect. Do you want to continue?",
        name);
    auto alert = UIAlertController::alertControllerWithTitle(kProductName, message, UIAlertControllerStyleAlert);
    objc::WeakRef<ZarnekIconSelectorViewController> weakSelf(this);
    alert->addAction(UIAlertAction::actionWithTitle("Do it!", UIAlertActionStyleDefault, [weakSelf, name](UIAlertAction*) {
        Ref<ZarnekIconSelectorViewController> self = weakSelf.strong();
        if (!self)
            return;
        NSFileManager::defaultManager()->createDirectoryAtPath(kIconStoreFolder, true);
        Ref<UIView> overlay = sel::showHUDWithTitleDetail.orZero(self, "Restoring directory...", "Please wait.");
        afterOverlayIsDrawn([self, overlay, name] {
            sel::restoreCustomIconsFrom.orZero(self, name);
            hud::hideAnimated.orZero(overlay, true);
        });
    }));
    alert->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, nullptr));
    presentAlert(alert);
}

void ZarnekIconSelectorViewController::restoreNow(std::string name)
{
    bool done = restoreCustomIcons(name);
    // Every icon is reloaded on this, so the restored pictures show at once.
    if (done)
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), kPreferencesChanged, nullptr, nullptr, true);
    if (m_tableView)
        m_tableView->reloadData();
    sel::showInfoPopupWithMessage.orZero(this, done ? "Restore finished!" : ErrorMessage(ErrorNumber::LibraryRestore));
}

// Delete --------------------------------------------------------------------------------------------

void ZarnekIconSelectorViewController::deleteFolder(std::int64_t row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_iconLibrarySubDirsList.size())
        return;
    std::string name = m_iconLibrarySubDirsList[static_cast<std::size_t>(row)];
    auto alert = UIAlertController::alertControllerWithTitle("Ovrimo",
        corefoundation::stringWithFormat("All the icons in the directory %@ will be permanently deleted, do you really want to continue?", name), UIAlertControllerStyleAlert);
    objc::WeakRef<ZarnekIconSelectorViewController> weakSelf(this);
    alert->addAction(UIAlertAction::actionWithTitle("Delete", UIAlertActionStyleDestructive, [weakSelf, name](UIAlertAction*) {
        sel::deleteFolderNamed.orZero(weakSelf.strong(), name);
    }));
    alert->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, nullptr));
    presentAlert(alert);
}

void ZarnekIconSelectorViewController::deleteNow(std::string name)
{
    bool done = deleteLibraryFolder(name);
    // The row is found by its name: the list may have changed while the question was up.
    auto& names = m_iconLibrarySubDirsList;
    if (done)
        if (auto it = std::find(names.begin(), names.end(), name); it != names.end())
            names.erase(it);
    if (m_tableView)
        m_tableView->reloadData();
    sel::showInfoPopupWithMessage.orZero(this,
        done ? corefoundation::stringWithFormat("The directory %@ was successfully deleted!", name) : ErrorMessage(ErrorNumber::LibraryDelete, name));
}

} // namespace ovrimo::library
