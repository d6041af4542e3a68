// Multi mode: one picture cut across every icon of the current page (a home-screen page or an
// open folder's page), and the restoring of a whole page.

#include "tweak/workflow/OvrimoHelper.h"

#include "platform/corefoundation/NSString.h"
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
#include "tweak/workflow/EditingState.h"
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

std::size_t pageIconCount()
{
    const EditingState& state = Editing();
    return state.pageIcons ? state.pageIcons->count() : 0;
}

std::optional<std::string> pageIconKey(std::size_t i)
{
    const EditingState& state = Editing();
    auto* key = state.pageIconKeys ? dynamic_cast<NSString*>(state.pageIconKeys->objectAtIndex(i)) : nullptr;
    return key ? std::optional<std::string>(key->value()) : std::nullopt;
}

// The store file of page icon `i`: only a key that names a file inside the store has one, so a
// key such as "../x" never leads a move or a delete out of it.
std::optional<std::string> pageIconFile(std::size_t i)
{
    std::optional<std::string> key = pageIconKey(i);
    return key ? CustomIconFile(*key) : std::nullopt;
}

// The page's custom files that exist, in page order.
std::vector<std::string> existingPageIconFiles()
{
    std::vector<std::string> files;
    Ref<NSFileManager> manager = NSFileManager::defaultManager();
    for (std::size_t i = 0; i < pageIconCount(); ++i)
        if (std::optional<std::string> file = pageIconFile(i); file && manager->fileExistsAtPath(*file))
            files.push_back(*file);
    return files;
}

// "Move all to icon library": each existing custom file copied to the next library number, in
// page order, all or none. False when they could not be copied: then no icon may change.
bool keepPageIconsInLibrary() { return MoveAllToIconLibrary(existingPageIconFiles()); }

std::string moveAllFailedMessage() { return ErrorMessage(ErrorNumber::PageLibraryCopy); }

// The icons of the current page: the open folder's visible page, else the home screen's current
// page. Nothing without SpringBoard's icon controller.
Ref<NSArray> currentPageIcons()
{
    objc::Class* controllerClass = objc::objc_getClass("SBIconController");
    if (!controllerClass)
        return nullptr;
    Ref<Object> controller = sb::sharedInstance.ifAnswered(controllerClass);
    if (Ref<Object> folderList = sb::currentFolderIconList.ifAnswered(controller)) {
        Editing().pageInFolder = true;
        return sb::icons.orZero(folderList);
    }
    Editing().pageInFolder = false;
    return sb::icons.orZero(sb::currentRootIconList.ifAnswered(controller));
}

} // namespace

// The page sheet ---------------------------------------------------------------------------------

void OvrimoHelper::showSBPageActionSheet(Object* sender)
{
    EditingState& state = Editing();
    Ref<NSArray> icons = currentPageIcons();
    std::vector<Ref<Object>> pageIcons;
    if (icons)
        for (std::size_t i = 0; i < icons->count(); ++i)
            if (Object* icon = icons->objectAtIndex(i))
                pageIcons.emplace_back(icon);
    state.pageIcons = NSArray::make(pageIcons);
    if (pageIcons.empty()) {
        ShowMessageAlert("There are no icons on the current page! Add icons to this page or swipe to a page with icons.");
        return;
    }
    // Keys and paths are fixed now, aligned index by index with the icons.
    std::vector<Ref<Object>> keys, paths;
    for (const Ref<Object>& icon : pageIcons) {
        IconKey key = IconKeyForIcon(icon);
        keys.emplace_back(NSString::make(key));
        paths.emplace_back(NSString::make(CustomIconPath(key)));
    }
    state.pageIconKeys = NSArray::make(std::move(keys));
    state.pageIconPaths = NSArray::make(std::move(paths));

    auto sheet = UIAlertController::alertControllerWithTitle(kProductName,
        "Multi mode. In this mode you can use a single image, split it in pieces and apply each piece to the icons on your current Springboard page automatically! Try it! What do you want to do on the current Springboard page?",
        UIAlertControllerStyleActionSheet);
    sheet->addAction(UIAlertAction::actionWithTitle("Restore original", UIAlertActionStyleDestructive, Sending(helper::restorePageIcons)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from photo library", UIAlertActionStyleDefault, Sending(helper::replacePageFromPhotoLibrary)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from URL", UIAlertActionStyleDefault, Sending(helper::replacePageFromURL)));
    sheet->addAction(UIAlertAction::actionWithTitle("Open icon library", UIAlertActionStyleDefault, Sending(helper::replacePageFromIconLibrary)));
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, Sending(helper::cleanupOnDimiss)));

    if (auto* anchor = dynamic_cast<UIView*>(sender)) {
        UIPopoverPresentationController* popover = sheet->popoverPresentationController();
        popover->setSourceView(anchor);
        popover->setSourceRect(anchor->bounds());
    }
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(sheet, true);
}

void OvrimoHelper::replacePageFromPhotoLibrary()
{
    Editing().multiMode = true;
    openPhotoLibrary();
}

void OvrimoHelper::replacePageFromURL()
{
    Editing().multiMode = true;
    getImageFromURL();
}

void OvrimoHelper::replacePageFromIconLibrary()
{
    Editing().multiMode = true;
    openIconLibrary(std::nullopt, std::nullopt);
}

// The page editor -------------------------------------------------------------------------------

void OvrimoHelper::prepareMultiIconEditorWithImage(UIImage* picture)
{
    Editing().multiMode = true;
    if (!picture || !picture->CGImage()) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoPicture));
        ResetEditingState();
        return;
    }
    std::optional<CGRect> frame = MultiIconCropFrame(UIScreen::mainScreen()->bounds(), CurrentPageGrid());
    if (!frame) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoPageGrid));
        ResetEditingState();
        return;
    }
    openIconEditor(picture, kMultiEditorTitle, *frame);
}

void OvrimoHelper::pageCropperDidFinish(UIViewController* cropper, UIImage* picture)
{
    Ref<UIImage> kept(picture);
    Ref<UIViewController> keptCropper(cropper);
    if (existingPageIconFiles().empty() || WorkflowInteger("defaultactionreplace") == 1) {
        generatePageIcons(kept, keptCropper);
        return;
    }
    if (WorkflowInteger("defaultactionreplace") == 2) {
        keepThenGeneratePageIcons(kept, keptCropper);
        return;
    }
    auto question = UIAlertController::alertControllerWithTitle(kProductName,
        "Some apps on the current page already have a custom icon. What do you want to do with them?", UIAlertControllerStyleAlert);
    question->addAction(UIAlertAction::actionWithTitle("Overwrite all", UIAlertActionStyleDefault, Sending(helper::generatePageIconsCropper, kept, keptCropper)));
    question->addAction(
        UIAlertAction::actionWithTitle("Move all to icon library", UIAlertActionStyleDefault, Sending(helper::keepThenGeneratePageIconsCropper, kept, keptCropper)));
    // Cancel only closes the question: the cropper stays open.
    question->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, nullptr));
    if (cropper)
        cropper->presentViewController(question, true);
}

void OvrimoHelper::generatePageIcons(UIImage* picture, UIViewController* cropper)
{
    Ref<UIView> overlay = ShowProgressOverlay("Please wait! Generating custom icons...", "This might take a while, depending on the source image size.", cropper);
    Ref<UIImage> kept(picture);
    Ref<UIViewController> keptCropper(cropper);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, kOverlayHeadStartNanoseconds), dispatch_get_main_queue(), [kept, keptCropper, overlay] {
        helper::writePageIconsCropperOverlay.orZero(HelperClass(), kept, keptCropper, overlay);
    });
}

// The page's icons are replaced only once their copies are in the library; else the cropper stays
// open for another choice or its Cancel.
void OvrimoHelper::keepThenGeneratePageIcons(UIImage* picture, UIViewController* cropper)
{
    if (!keepPageIconsInLibrary()) {
        ShowMessageAlertOver(cropper, moveAllFailedMessage());
        return;
    }
    generatePageIcons(picture, cropper);
}

void OvrimoHelper::writePageIcons(UIImage* picture, UIViewController* cropper, UIView* overlay)
{
    // Read now, not when scheduled: the grid and the page are what they are when the work starts.
    PageGrid grid = CurrentPageGrid();
    std::vector<Ref<UIImage>> pieces = SplitIntoPieces(picture, grid.rows, grid.columns);
    std::size_t count = pageIconCount();
    // More icons than places, or than pieces (a grid with fewer cells than slots): nothing is
    // changed, and the cropper stays open for another try or its Cancel.
    if (count > static_cast<std::size_t>(grid.slots) || count > pieces.size()) {
        hud::hideAnimated.orZero(overlay, true);
        ShowMessageAlertOver(cropper, ErrorMessage(ErrorNumber::PageTooFull));
        return;
    }
    const EditingState& state = Editing();
    for (std::size_t i = 0; i < count; ++i)
        GenerateIconImage(pieces[i], state.pageIcons->objectAtIndex(i), pageIconKey(i));
    hud::hideAnimated.orZero(overlay, true);
    if (cropper)
        cropper->dismissViewControllerAnimated(true, [] { ShowPendingAlert(); });
    ResetEditingState();
}

// Restoring a page ------------------------------------------------------------------------------

void OvrimoHelper::restorePageIcons()
{
    if (existingPageIconFiles().empty() || WorkflowInteger("defaultactionrestore") == 1) {
        removePageIcons();
        return;
    }
    if (WorkflowInteger("defaultactionreplace") == 2) {
        keepThenRemovePageIcons();
        return;
    }
    auto question = UIAlertController::alertControllerWithTitle(kProductName,
        "Restoring orginal icons for the apps on this page. What would you like to do with the custom icons?", UIAlertControllerStyleAlert);
    question->addAction(UIAlertAction::actionWithTitle("Remove all permanently", UIAlertActionStyleDefault, Sending(helper::removePageIcons)));
    question->addAction(UIAlertAction::actionWithTitle("Move all to icon library", UIAlertActionStyleDefault, Sending(helper::keepThenRemovePageIcons)));
    question->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, Sending(helper::cleanupOnDimiss)));
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(question, true);
}

void OvrimoHelper::removePageIcons()
{
    Ref<UIView> overlay = ShowProgressOverlay("Restoring icons...", "This will take a moment.", nullptr);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, kOverlayHeadStartNanoseconds), dispatch_get_main_queue(), [overlay] {
        helper::removePageIconFilesOverlay.orZero(HelperClass(), overlay);
    });
}

// The page's icons are removed only once their copies are in the library.
void OvrimoHelper::keepThenRemovePageIcons()
{
    if (!keepPageIconsInLibrary()) {
        ShowMessageAlert(moveAllFailedMessage());
        ResetEditingState();
        return;
    }
    removePageIcons();
}

void OvrimoHelper::removePageIconFiles(UIView* overlay)
{
    const EditingState& state = Editing();
    Ref<NSFileManager> files = NSFileManager::defaultManager();
    for (std::size_t i = 0; i < pageIconCount(); ++i) {
        std::optional<std::string> file = pageIconFile(i);
        // A file that is not there or cannot go is passed over quietly: its icon keeps what it
        // shows.
        if (!file || !files->removeItemAtPath(*file))
            continue;
        PostIconImageChanged(*pageIconKey(i));
        RefreshIconImage(state.pageIcons->objectAtIndex(i));
    }
    hud::hideAnimated.orZero(overlay, true);
    ResetEditingState();
}

} // namespace ovrimo
