#include "tweak/workflow/OvrimoHelper.h"

#include "platform/corefoundation/StringFormat.h"
#include "platform/dispatch/Queue.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/Guarded.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIScreen.h"
#include "tweak/IconStore.h"
#include "tweak/IconViews.h"
#include "tweak/Preferences.h"
#include "tweak/PrivateInterfaces.h"
#include "tweak/SystemVersion.h"
#include "tweak/cropper/ImageCropperInterface.h"
#include "tweak/hud/ProgressHUDInterface.h"
#include "tweak/library/IconSelectorInterface.h"
#include "tweak/workflow/EditingState.h"
#include "tweak/workflow/IconGeneration.h"
#include "tweak/workflow/IconLibraryFiles.h"
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

constexpr const char* kSingleEditorTitle = "Crop and scale the image. The highlighted area will be used as the icon image.";
constexpr std::int64_t kCropperZoomLimit = 6;
// The edited icon's name in questions and messages: an icon without a display name is named by
// its key, so the text still says which.
std::string currentIconName()
{
    const EditingState& state = Editing();
    return state.currentDisplayName.value_or(state.currentIconKey.value_or(""));
}

std::string withDisplayName(const char* format) { return corefoundation::stringWithFormat(format, currentIconName()); }

bool currentIconFileExists()
{
    const auto& path = Editing().currentIconPath;
    return path && NSFileManager::defaultManager()->fileExistsAtPath(*path);
}

// "Move to icon library" before a custom icon is replaced or removed. False when the copy could
// not be made: then the icon must stay as it is.
bool keepCurrentIconInLibrary()
{
    const auto& path = Editing().currentIconPath;
    return path && MoveToIconLibrary(*path);
}

std::string moveFailedMessage() { return ErrorMessage(ErrorNumber::LibraryCopy, currentIconName()); }

} // namespace

objc::Class* HelperClass() { return objc::objc_getClass("OvrimoHelper"); }

// The sheet -------------------------------------------------------------------------------------

void OvrimoHelper::showActionSheet(Object* sender)
{
    if (SystemVersionNumber() >= 11.1)
        if (objc::Class* controllerClass = objc::objc_getClass("SBIconController"))
            sb::_restartEditingEndTimer.ifAnswered(sb::sharedInstance.ifAnswered(controllerClass));

    Ref<UIView> view;
    if (auto* button = dynamic_cast<UIButton*>(sender))
        view = button->superview();
    else if (auto* recognizer = dynamic_cast<UIGestureRecognizer*>(sender))
        view = recognizer->view();
    Ref<Object> icon = view ? sb::icon.ifAnswered(view) : nullptr;
    if (!icon) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoIconForSheet));
        return;
    }

    EditingState& state = Editing();
    state.currentIcon = icon.ptr();
    state.currentDisplayName = DisplayNameForIcon(icon);
    state.currentIconKey = IconKeyForIcon(icon);
    state.currentIconPath = CustomIconPath(*state.currentIconKey);

    auto style = FloatingDockInUse() ? UIAlertControllerStyleAlert : UIAlertControllerStyleActionSheet;
    auto sheet = UIAlertController::alertControllerWithTitle(kProductName, withDisplayName("What would you like to do with the icon image for %@?"), style);
    sheet->addAction(UIAlertAction::actionWithTitle("Restore original", UIAlertActionStyleDestructive, Sending(helper::restoreOriginalIcon)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from photo library", UIAlertActionStyleDefault, Sending(helper::replaceFromPhotoLibrary)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from URL", UIAlertActionStyleDefault, Sending(helper::replaceFromURL)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from icon library", UIAlertActionStyleDefault, Sending(helper::replaceFromIconLibrary)));
    if (!objc::isKindOfClass(icon, objc::objc_getClass("SBFolderIcon")))
        sheet->addAction(UIAlertAction::actionWithTitle("Save to icon library", UIAlertActionStyleDefault, Sending(helper::saveIconToLibrary, view)));
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, Sending(helper::cleanupOnDimiss)));

    UIPopoverPresentationController* popover = sheet->popoverPresentationController();
    popover->setSourceView(view);
    popover->setSourceRect(view->bounds());
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(sheet, true);
}

void OvrimoHelper::cleanupOnDimiss() { ResetEditingState(); }

void OvrimoHelper::replaceFromPhotoLibrary()
{
    Editing().multiMode = false;
    openPhotoLibrary();
}

void OvrimoHelper::replaceFromURL()
{
    Editing().multiMode = false;
    getImageFromURL();
}

void OvrimoHelper::replaceFromIconLibrary()
{
    Editing().multiMode = false;
    openIconLibrary(Editing().currentDisplayName, Editing().currentIconPath);
}

// Restoring and saving --------------------------------------------------------------------------

void OvrimoHelper::restoreOriginalIcon()
{
    if (!currentIconFileExists() || WorkflowInteger("defaultactionrestore") == 1) {
        removeCurrentCustomIcon();
        return;
    }
    if (WorkflowInteger("defaultactionreplace") == 2) {
        keepThenRemoveCurrentIcon();
        return;
    }
    auto question = UIAlertController::alertControllerWithTitle(kProductName,
        withDisplayName("Restoring orginal icon for the app %@. What would you like to do with the custom icon?"), UIAlertControllerStyleAlert);
    question->addAction(UIAlertAction::actionWithTitle("Remove permanently", UIAlertActionStyleDefault, Sending(helper::removeCurrentCustomIcon)));
    question->addAction(UIAlertAction::actionWithTitle("Move to icon library", UIAlertActionStyleDefault, Sending(helper::keepThenRemoveCurrentIcon)));
    question->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, Sending(helper::cleanupOnDimiss)));
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(question, true);
}

void OvrimoHelper::removeCurrentCustomIcon()
{
    EditingState& state = Editing();
    // Only a key that names a file in the store can have one to remove.
    std::optional<std::string> file = state.currentIconKey ? CustomIconFile(*state.currentIconKey) : std::nullopt;
    if (file && NSFileManager::defaultManager()->removeItemAtPath(*file)) {
        PostIconImageChanged(*state.currentIconKey);
        RefreshIconImage(state.currentIcon);
    }
    ResetEditingState();
}

void OvrimoHelper::keepThenRemoveCurrentIcon()
{
    if (!keepCurrentIconInLibrary()) {
        ShowMessageAlert(moveFailedMessage());
        ResetEditingState();
        return;
    }
    removeCurrentCustomIcon();
}

void OvrimoHelper::saveIconToLibrary(UIView* iconView)
{
    Editing().multiMode = false;
    if (!Editing().currentIcon) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoEditedIcon));
        return;
    }
    auto imageView = objc::ivarIfPresent<Object>(iconView, "_iconImageView");
    if (!imageView) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoIconImageView));
        return;
    }
    Ref<UIImage> picture = sb::contentsImage.ifAnswered(imageView);
    if (!picture) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoIconImage));
        return;
    }
    auto png = UIImagePNGRepresentation(picture);
    std::optional<std::string> target = NextIconLibraryPath();
    if (!png || !target || !NSFileManager::defaultManager()->createFileAtPath(*target, NSData::make(std::move(*png)).ptr())) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::LibraryWrite));
        return;
    }
    ShowMessageAlert("Done! The current icon image was successfully saved in the icon library!");
}

// The editor ------------------------------------------------------------------------------------

CGRect SingleIconCropFrame(CGRect bounds)
{
    CGFloat w = bounds.size.width, h = bounds.size.height;
    CGFloat side = w / 1.5;
    return CGRectMake(w * 0.5 - side * 0.5, h * 0.5 - side * 0.5, side, side);
}

void OvrimoHelper::prepareImageEditorWithImage(UIImage* picture)
{
    Editing().multiMode = false;
    if (!picture || !picture->CGImage()) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoPicture));
        ResetEditingState();
        return;
    }
    openIconEditor(picture, kSingleEditorTitle, SingleIconCropFrame(UIScreen::mainScreen()->bounds()));
}

void OvrimoHelper::openIconEditor(UIImage* picture, const std::string& title, CGRect cropFrame)
{
    objc::Class* cropperClass = objc::objc_getClass("VPImageCropperViewController");
    Ref<Object> allocated = cropperClass ? cropperClass->createInstance() : nullptr;
    Ref<Object> cropper = cropper::initWithImageCropFrameLimitScaleRatioTitle.orZero(allocated, picture, cropFrame, kCropperZoomLimit, title);
    auto* controller = dynamic_cast<UIViewController*>(cropper.ptr());
    UIViewController* presenter = PresentingController();
    if (!controller || !presenter) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoPicture));
        ResetEditingState();
        return;
    }
    cropper::setDelegate.orZero(cropper, HelperClass());
    presenter->presentViewController(controller, false);
}

void OvrimoHelper::imageCropperDidFinished(Object* cropper, UIImage* picture)
{
    auto* controller = dynamic_cast<UIViewController*>(cropper);
    if (!picture || !picture->CGImage()) {
        // Nothing was cut: the edit ends without touching the icon.
        ResetEditingState();
        if (controller)
            controller->dismissViewControllerAnimated(true, [] { ShowMessageAlert(ErrorMessage(ErrorNumber::NoPicture)); });
        return;
    }
    if (Editing().multiMode) {
        pageCropperDidFinish(controller, picture);
        return;
    }
    Ref<UIImage> kept(picture);
    Ref<UIViewController> keptController(controller);
    if (!currentIconFileExists() || WorkflowInteger("defaultactionreplace") == 1) {
        generateSingleIcon(kept, keptController);
        return;
    }
    if (WorkflowInteger("defaultactionreplace") == 2) {
        keepThenGenerateSingleIcon(kept, keptController);
        return;
    }
    auto question = UIAlertController::alertControllerWithTitle(kProductName,
        withDisplayName("A custom icon for the app %@ already exists. What do you want to do with it?"), UIAlertControllerStyleAlert);
    question->addAction(UIAlertAction::actionWithTitle("Overwrite", UIAlertActionStyleDefault, Sending(helper::generateSingleIconController, kept, keptController)));
    question->addAction(
        UIAlertAction::actionWithTitle("Move to icon library", UIAlertActionStyleDefault, Sending(helper::keepThenGenerateSingleIconController, kept, keptController)));
    // Cancel only closes the question: the cropper stays open for another Save or its Cancel.
    question->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, nullptr));
    if (controller)
        controller->presentViewController(question, true);
}

void OvrimoHelper::generateSingleIcon(UIImage* picture, UIViewController* controller)
{
    Ref<UIView> overlay = ShowProgressOverlay("Please wait! Generating icon image...", "This will take a moment.", controller);
    generateAfterOverlay(picture, controller, overlay);
}

void OvrimoHelper::keepThenGenerateSingleIcon(UIImage* picture, UIViewController* cropper)
{
    if (!keepCurrentIconInLibrary()) {
        ShowMessageAlertOver(cropper, moveFailedMessage());
        return;
    }
    generateSingleIcon(picture, cropper);
}

void OvrimoHelper::generateAfterOverlay(UIImage* picture, UIViewController* controller, Ref<UIView> overlay)
{
    Ref<UIImage> kept(picture);
    Ref<UIViewController> keptController(controller);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, kOverlayHeadStartNanoseconds), dispatch_get_main_queue(), [kept, keptController, overlay] {
        helper::writeSingleIconControllerOverlay.orZero(HelperClass(), kept, keptController, overlay);
    });
}

void OvrimoHelper::writeSingleIcon(UIImage* picture, UIViewController* controller, UIView* overlay)
{
    // Read now, not when scheduled: the edit is whatever it is when the work starts.
    const EditingState& state = Editing();
    GenerateIconImage(picture, state.currentIcon, state.currentIconKey);
    hud::hideAnimated.orZero(overlay, true);
    if (controller)
        controller->dismissViewControllerAnimated(true, [] { ShowPendingAlert(); });
    ResetEditingState();
}

void OvrimoHelper::imageCropperDidCancel(Object* cropper)
{
    ResetEditingState();
    if (auto* controller = dynamic_cast<UIViewController*>(cropper))
        controller->dismissViewControllerAnimated(true, [] { });
}

// The class --------------------------------------------------------------------------------------

void OvrimoHelper::registerClass(objc::Runtime& rt)
{
    using cropper::imageCropperDidCancel;
    using cropper::imageCropperDidFinished;
    using library::iconSelectorDidCancel;
    using library::iconSelectorDidFinished;
    using Self = OvrimoHelper;
    objc::ClassBuilder<OvrimoHelper>(rt, "NSObject")
        .classMethod(helper::showActionSheet, &Self::showActionSheet)
        .classMethod(helper::cleanupOnDimiss, &Self::cleanupOnDimiss)
        .classMethod(helper::showSBPageActionSheet, &Self::showSBPageActionSheet)
        .classMethod(helper::prepareMultiIconEditorWithImage, &Self::prepareMultiIconEditorWithImage)
        .classMethod(helper::prepareImageEditorWithImage, &Self::prepareImageEditorWithImage)
        .classMethod(helper::getImageFromURL, &Self::getImageFromURL)
        .classMethod(helper::downloadAndEditImageWithURLString, &Self::downloadAndEditImage)
        .classMethod(helper::imagePickerControllerDidFinishPickingMediaWithInfo, &Self::imagePickerDidFinish)
        .classMethod(helper::imagePickerControllerDidCancel, &Self::imagePickerDidCancel)
        .classMethod(imageCropperDidFinished, &Self::imageCropperDidFinished)
        .classMethod(imageCropperDidCancel, &Self::imageCropperDidCancel)
        .classMethod(iconSelectorDidFinished, &Self::iconSelectorDidFinished)
        .classMethod(iconSelectorDidCancel, &Self::iconSelectorDidCancel)
        // The answers to its own alerts and its delayed work.
        .classMethod(helper::restoreOriginalIcon, &Self::restoreOriginalIcon)
        .classMethod(helper::replaceFromPhotoLibrary, &Self::replaceFromPhotoLibrary)
        .classMethod(helper::replaceFromURL, &Self::replaceFromURL)
        .classMethod(helper::replaceFromIconLibrary, &Self::replaceFromIconLibrary)
        .classMethod(helper::saveIconToLibrary, &Self::saveIconToLibrary)
        .classMethod(helper::removeCurrentCustomIcon, &Self::removeCurrentCustomIcon)
        .classMethod(helper::keepThenRemoveCurrentIcon, &Self::keepThenRemoveCurrentIcon)
        .classMethod(helper::generateSingleIconController, &Self::generateSingleIcon)
        .classMethod(helper::keepThenGenerateSingleIconController, &Self::keepThenGenerateSingleIcon)
        .classMethod(helper::writeSingleIconControllerOverlay, &Self::writeSingleIcon)
        .classMethod(helper::restorePageIcons, &Self::restorePageIcons)
        .classMethod(helper::replacePageFromPhotoLibrary, &Self::replacePageFromPhotoLibrary)
        .classMethod(helper::replacePageFromURL, &Self::replacePageFromURL)
        .classMethod(helper::replacePageFromIconLibrary, &Self::replacePageFromIconLibrary)
        .classMethod(helper::generatePageIconsCropper, &Self::generatePageIcons)
        .classMethod(helper::keepThenGeneratePageIconsCropper, &Self::keepThenGeneratePageIcons)
        .classMethod(helper::writePageIconsCropperOverlay, &Self::writePageIcons)
        .classMethod(helper::removePageIcons, &Self::removePageIcons)
        .classMethod(helper::keepThenRemovePageIcons, &Self::keepThenRemovePageIcons)
        .classMethod(helper::removePageIconFilesOverlay, &Self::removePageIconFiles)
        .classMethod(helper::editDownloadedImage, &Self::editDownloadedImage)
        .method(imageCropperDidFinished, &Self::ignoreCropperResult)
        .method(imageCropperDidCancel, &Self::ignoreCropperCancel)
        .method(iconSelectorDidFinished, &Self::ignoreLibraryResult)
        .method(iconSelectorDidCancel, &Self::ignoreLibraryCancel)
        .classConformsTo(cropper::VPImageCropperDelegate)
        .classConformsTo(library::ZarnekIconSelectorDelegate)
        .conformsTo(cropper::VPImageCropperDelegate)
        .conformsTo(library::ZarnekIconSelectorDelegate)
        .buildSystemClass();
}

bool RegisterWorkflowClasses(objc::Runtime& rt)
{
    if (!rt.getClass("OvrimoHelper"))
        OvrimoHelper::registerClass(rt);
    return rt.getClass("OvrimoHelper") != nullptr;
}

} // namespace ovrimo
