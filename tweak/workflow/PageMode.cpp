// Multi mode: one picture cut across every icon of the current page (a home-screen page or an
// open folder's page), and the restoring of a whole page.

#include "tweak/workflow/OvrimoHelper.h"

#include "platform/corefoundation/StringFormat.h"
#include "platform/dispatch/Queue.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIScreen.h"
#include "tweak/IconStore.h"
#include "tweak/IconViews.h"
#include "tweak/Preferences.h"
#include "tweak/PrivateInterfaces.h"
#include "tweak/hud/ProgressHUDInterface.h"
#include "tweak/workflow/IconGeneration.h"
#include "tweak/workflow/IconLibraryFiles.h"
#include "tweak/workflow/PageGrid.h"
#include "tweak/ui/Alerts.h"
#include "tweak/ui/NumberedErrors.h"
#include "tweak/ui/Presenting.h"
#include "tweak/ui/Product.h"
#include "tweak/ui/ProgressOverlay.h"
#include "tweak/workflow/WorkflowPreferences.h"

namespace ovrimo {

using objc::Object;
using objc::Ref;

namespace {

constexpr const char* kMultiEditorTitle = "Crop and scale the image. The highlighted area will be split into smaller images and applied to the current springboard page icons.";

// "Move all to icon library": each existing custom file copied to the next library number, in
// page order, all or none. False when they could not be copied: then no icon may change.
bool keepPageIconsInLibrary(const IconEdit& edit) { return MoveAllToIconLibrary(edit.existingCustomFiles()); }

std::string moveAllFailedMessage() { return ErrorMessage(ErrorNumber::PageLibraryCopy); }

// The icons of the current page: the open folder's visible page (`inFolder` set), else the home
// screen's current page. Nothing without SpringBoard's icon controller.
std::vector<Ref<Object>> currentPageIcons(bool& inFolder)
{
    objc::Class* controllerClass = objc::objc_getClass("SBIconController");
    if (!controllerClass)
        return {};
    Ref<Object> controller = sb::sharedInstance.ifAnswered(controllerClass);
    Ref<NSArray> icons;
    if (Ref<Object> folderList = sb::currentFolderIconList.ifAnswered(controller)) {
        inFolder = true;
        icons = sb::icons.orZero(folderList);
    } else {
        inFolder = false;
        icons = sb::icons.orZero(sb::currentRootIconList.ifAnswered(controller));
    }
    std::vector<Ref<Object>> pageIcons;
    if (icons)
        for (std::size_t i = 0; i < icons->count(); ++i)
            if (Object* icon = icons->objectAtIndex(i))
                pageIcons.emplace_back(icon);
    return pageIcons;
}

} // namespace

// The page sheet ---------------------------------------------------------------------------------

void OvrimoHelper::showSBPageActionSheet(Object* sender)
{
    bool inFolder = false;
    std::vector<Ref<Object>> pageIcons = currentPageIcons(inFolder);
    if (pageIcons.empty()) {
        ShowMessageAlert("There are no icons on the current page! Add icons to this page or swipe to a page with icons.");
        return;
    }
    // Keys and paths are fixed now, one slot per icon.
    IconEdit edit = EditOfPage(pageIcons, inFolder);

    auto sheet = UIAlertController::alertControllerWithTitle(kProductName,
        "Multi mode. In this mode you can use a single image, split it in pieces and apply each piece to the icons on your current Springboard page automatically! Try it! What do you want to do on the current Springboard page?",
        UIAlertControllerStyleActionSheet);
    sheet->addAction(UIAlertAction::actionWithTitle("Restore original", UIAlertActionStyleDestructive, Sending(helper::restorePageIcons, edit)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from photo library", UIAlertActionStyleDefault, Sending(helper::replaceFromPhotoLibrary)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from URL", UIAlertActionStyleDefault, Sending(helper::getImageFromURL)));
    // For a page, the browser opens in its manage mode.
    sheet->addAction(UIAlertAction::actionWithTitle("Open icon library", UIAlertActionStyleDefault, Sending(helper::replaceFromIconLibrary, edit)));
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, Sending(helper::endEdit, edit)));

    if (auto* anchor = dynamic_cast<UIView*>(sender)) {
        UIPopoverPresentationController* popover = sheet->popoverPresentationController();
        popover->setSourceView(anchor);
        popover->setSourceRect(anchor->bounds());
    }
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(sheet, true);
    // As for the icon sheet: a page sheet that could not be shown starts nothing.
    if (sheet->presentingViewController())
        BeginEdit(edit);
}

// The page editor -------------------------------------------------------------------------------

void OvrimoHelper::prepareMultiIconEditorWithImage(UIImage* picture)
{
    IconEdit edit = OpenEditOrNone();
    if (!picture || !picture->CGImage()) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoPicture));
        EndEdit(edit);
        return;
    }
    std::optional<CGRect> frame = MultiIconCropFrame(UIScreen::mainScreen()->bounds(), CurrentPageGrid(edit.inFolder));
    if (!frame) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoPageGrid));
        EndEdit(edit);
        return;
    }
    openIconEditor(picture, kMultiEditorTitle, *frame, edit);
}

void OvrimoHelper::pageCropperDidFinish(UIViewController* cropper, UIImage* picture, const IconEdit& edit)
{
    Ref<UIImage> kept(picture);
    Ref<UIViewController> keptCropper(cropper);
    if (edit.existingCustomFiles().empty() || WorkflowInteger("defaultactionreplace") == 1) {
        generatePageIcons(kept, keptCropper, edit);
        return;
    }
    if (WorkflowInteger("defaultactionreplace") == 2) {
        keepThenGeneratePageIcons(kept, keptCropper, edit);
        return;
    }
    auto question = UIAlertController::alertControllerWithTitle(kProductName,
        "Some apps on the current page already have a custom icon. What do you want to do with them?", UIAlertControllerStyleAlert);
    question->addAction(UIAlertAction::actionWithTitle("Overwrite all", UIAlertActionStyleDefault, Sending(helper::generatePageIconsCropperEdit, kept, keptCropper, edit)));
    question->addAction(UIAlertAction::actionWithTitle(
        "Move all to icon library", UIAlertActionStyleDefault, Sending(helper::keepThenGeneratePageIconsCropperEdit, kept, keptCropper, edit)));
    // Cancel only closes the question: the cropper stays open.
    question->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, nullptr));
    if (cropper)
        cropper->presentViewController(question, true);
}

void OvrimoHelper::generatePageIcons(UIImage* picture, UIViewController* cropper, const IconEdit& edit)
{
    Ref<UIView> overlay = ShowProgressOverlay("Please wait! Generating custom icons...", "This might take a while, depending on the source image size.", cropper);
    Ref<UIImage> kept(picture);
    Ref<UIViewController> keptCropper(cropper);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, kOverlayHeadStartNanoseconds), dispatch_get_main_queue(), [kept, keptCropper, overlay, edit] {
        helper::writePageIconsCropperOverlayEdit.orZero(HelperClass(), kept, keptCropper, overlay, edit);
    });
}

// The page's icons are replaced only once their copies are in the library; else the cropper stays
// open for another choice or its Cancel.
void OvrimoHelper::keepThenGeneratePageIcons(UIImage* picture, UIViewController* cropper, const IconEdit& edit)
{
    if (!keepPageIconsInLibrary(edit)) {
        ShowMessageAlertOver(cropper, moveAllFailedMessage());
        return;
    }
    generatePageIcons(picture, cropper, edit);
}

void OvrimoHelper::writePageIcons(UIImage* picture, UIViewController* cropper, UIView* overlay, const IconEdit& edit)
{
    // The grid is read now, not when scheduled: it is what it is when the work starts.
    PageGrid grid = CurrentPageGrid(edit.inFolder);
    std::vector<Ref<UIImage>> pieces = SplitIntoPieces(picture, grid.rows, grid.columns);
    std::size_t count = edit.slots.size();
    // More icons than places, or than pieces (a grid with fewer cells than slots): nothing is
    // changed, and the cropper stays open for another try or its Cancel.
    if (count > static_cast<std::size_t>(grid.slots) || count > pieces.size()) {
        hud::hideAnimated.orZero(overlay, true);
        ShowMessageAlertOver(cropper, ErrorMessage(ErrorNumber::PageTooFull));
        return;
    }
    for (std::size_t i = 0; i < count; ++i)
        GenerateIconImage(pieces[i], edit.slots[i].icon, edit.slots[i].key);
    hud::hideAnimated.orZero(overlay, true);
    if (cropper)
        cropper->dismissViewControllerAnimated(true, [] { ShowPendingAlert(); });
    EndEdit(edit);
}

// Restoring a page ------------------------------------------------------------------------------

void OvrimoHelper::restorePageIcons(const IconEdit& edit)
{
    if (edit.existingCustomFiles().empty() || WorkflowInteger("defaultactionrestore") == 1) {
        removePageIcons(edit);
        return;
    }
    if (WorkflowInteger("defaultactionreplace") == 2) {
        keepThenRemovePageIcons(edit);
        return;
    }
    auto question = UIAlertController::alertControllerWithTitle(kProductName,
        "Restoring orginal icons for the apps on this page. What would you like to do with the custom icons?", UIAlertControllerStyleAlert);
    question->addAction(UIAlertAction::actionWithTitle("Remove all permanently", UIAlertActionStyleDefault, Sending(helper::removePageIcons, edit)));
    question->addAction(UIAlertAction::actionWithTitle("Move all to icon library", UIAlertActionStyleDefault, Sending(helper::keepThenRemovePageIcons, edit)));
    question->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, Sending(helper::endEdit, edit)));
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(question, true);
}

void OvrimoHelper::removePageIcons(const IconEdit& edit)
{
    Ref<UIView> overlay = ShowProgressOverlay("Restoring icons...", "This will take a moment.", nullptr);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, kOverlayHeadStartNanoseconds), dispatch_get_main_queue(), [overlay, edit] {
        helper::removePageIconFilesEdit.orZero(HelperClass(), overlay, edit);
    });
}

// The page's icons are removed only once their copies are in the library.
void OvrimoHelper::keepThenRemovePageIcons(const IconEdit& edit)
{
    if (!keepPageIconsInLibrary(edit)) {
        ShowMessageAlert(moveAllFailedMessage());
        EndEdit(edit);
        return;
    }
    removePageIcons(edit);
}

void OvrimoHelper::removePageIconFiles(UIView* overlay, const IconEdit& edit)
{
    Ref<NSFileManager> files = NSFileManager::defaultManager();
    for (const IconSlot& slot : edit.slots) {
        // Only a key that names a file inside the store has one; a file that is not there or
        // cannot go is passed over quietly: its icon keeps what it shows.
        std::optional<std::string> file = CustomIconFile(slot.key);
        if (!file || !files->removeItemAtPath(*file))
            continue;
        PostIconImageChanged(slot.key);
        RefreshIconImage(slot.icon);
    }
    hud::hideAnimated.orZero(overlay, true);
    EndEdit(edit);
}

} // namespace ovrimo
