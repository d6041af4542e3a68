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

std::string withName(const char* format, const IconEdit& edit) { return corefoundation::stringWithFormat(format, edit.name()); }

bool customIconFileExists(const IconEdit& edit)
{
    const IconSlot* slot = edit.single();
    return slot && NSFileManager::defaultManager()->fileExistsAtPath(slot->path);
}

// "Move to icon library" before a custom icon is replaced or removed. False when the copy could
// not be made: then the icon must stay as it is.
bool keepCustomIconInLibrary(const IconEdit& edit)
{
    const IconSlot* slot = edit.single();
    return slot && MoveToIconLibrary(slot->path);
}

std::string moveFailedMessage(const IconEdit& edit) { return ErrorMessage(ErrorNumber::LibraryCopy, edit.name()); }

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

    IconEdit edit = EditOfIcon(icon);
    auto style = FloatingDockInUse() ? UIAlertControllerStyleAlert : UIAlertControllerStyleActionSheet;
    auto sheet = UIAlertController::alertControllerWithTitle(kProductName, withName("What would you like to do with the icon image for %@?", edit), style);
    sheet->addAction(UIAlertAction::actionWithTitle("Restore original", UIAlertActionStyleDestructive, Sending(helper::restoreOriginalIcon, edit)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from photo library", UIAlertActionStyleDefault, Sending(helper::replaceFromPhotoLibrary)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from URL", UIAlertActionStyleDefault, Sending(helper::getImageFromURL)));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from icon library", UIAlertActionStyleDefault, Sending(helper::replaceFromIconLibrary, edit)));
    if (!objc::isKindOfClass(icon, objc::objc_getClass("SBFolderIcon")))
        sheet->addAction(UIAlertAction::actionWithTitle("Save to icon library", UIAlertActionStyleDefault, Sending(helper::saveIconToLibraryEdit, view, edit)));
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, Sending(helper::endEdit, edit)));

    UIPopoverPresentationController* popover = sheet->popoverPresentationController();
    popover->setSourceView(view);
    popover->setSourceRect(view->bounds());
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(sheet, true);
    // A sheet that could not be shown (a presenter already showing another edit's screen refuses
    // it) starts nothing: the open edit stays the one its screens answer for.
    if (sheet->presentingViewController())
        BeginEdit(edit);
}

void OvrimoHelper::cleanupOnDimiss() { EndOpenEdit(); }

void OvrimoHelper::endEdit(const IconEdit& edit) { EndEdit(edit); }


// Restoring and saving --------------------------------------------------------------------------

void OvrimoHelper::restoreOriginalIcon(const IconEdit& edit)
{
    if (!customIconFileExists(edit) || WorkflowInteger("defaultactionrestore") == 1) {
        removeCurrentCustomIcon(edit);
        return;
    }
    if (WorkflowInteger("defaultactionreplace") == 2) {
        keepThenRemoveCurrentIcon(edit);
        return;
    }
    auto question = UIAlertController::alertControllerWithTitle(kProductName,
        withName("Restoring orginal icon for the app %@. What would you like to do with the custom icon?", edit), UIAlertControllerStyleAlert);
    question->addAction(UIAlertAction::actionWithTitle("Remove permanently", UIAlertActionStyleDefault, Sending(helper::removeCurrentCustomIcon, edit)));
    question->addAction(UIAlertAction::actionWithTitle("Move to icon library", UIAlertActionStyleDefault, Sending(helper::keepThenRemoveCurrentIcon, edit)));
    question->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, Sending(helper::endEdit, edit)));
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(question, true);
}

void OvrimoHelper::removeCurrentCustomIcon(const IconEdit& edit)
{
    const IconSlot* slot = edit.single();
    // Only a key that names a file in the store can have one to remove.
    std::optional<std::string> file = slot ? CustomIconFile(slot->key) : std::nullopt;
    if (file && NSFileManager::defaultManager()->removeItemAtPath(*file)) {
        PostIconImageChanged(slot->key);
        RefreshIconImage(slot->icon);
    }
    EndEdit(edit);
}

void OvrimoHelper::keepThenRemoveCurrentIcon(const IconEdit& edit)
{
    if (!keepCustomIconInLibrary(edit)) {
        ShowMessageAlert(moveFailedMessage(edit));
        EndEdit(edit);
        return;
    }
    removeCurrentCustomIcon(edit);
}

void OvrimoHelper::saveIconToLibrary(UIView* iconView, const IconEdit& edit)
{
    const IconSlot* slot = edit.single();
    if (!slot || !slot->icon) {
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
    IconEdit edit = OpenEditOrNone();
    if (!picture || !picture->CGImage()) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoPicture));
        EndEdit(edit);
        return;
    }
    openIconEditor(picture, kSingleEditorTitle, SingleIconCropFrame(UIScreen::mainScreen()->bounds()), edit);
}

void OvrimoHelper::openIconEditor(UIImage* picture, const std::string& title, CGRect cropFrame, const IconEdit& edit)
{
    objc::Class* cropperClass = objc::objc_getClass("VPImageCropperViewController");
    Ref<Object> allocated = cropperClass ? cropperClass->createInstance() : nullptr;
    Ref<Object> cropper = cropper::initWithImageCropFrameLimitScaleRatioTitle.orZero(allocated, picture, cropFrame, kCropperZoomLimit, title);
    auto* controller = dynamic_cast<UIViewController*>(cropper.ptr());
    UIViewController* presenter = PresentingController();
    if (!controller || !presenter) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoPicture));
        EndEdit(edit);
        return;
    }
    cropper::setDelegate.orZero(cropper, HelperClass());
    presenter->presentViewController(controller, false);
}

void OvrimoHelper::imageCropperDidFinished(Object* cropper, UIImage* picture)
{
    auto* controller = dynamic_cast<UIViewController*>(cropper);
    IconEdit edit = OpenEditOrNone();
    if (!picture || !picture->CGImage()) {
        // Nothing was cut: the edit ends without touching the icon.
        EndEdit(edit);
        if (controller)
            controller->dismissViewControllerAnimated(true, [] { ShowMessageAlert(ErrorMessage(ErrorNumber::NoPicture)); });
        return;
    }
    if (edit.page)
        pageCropperDidFinish(controller, picture, edit);
    else
        singleCropperDidFinish(controller, picture, edit);
}

void OvrimoHelper::singleCropperDidFinish(UIViewController* controller, UIImage* picture, const IconEdit& edit)
{
    Ref<UIImage> kept(picture);
    Ref<UIViewController> keptController(controller);
    if (!customIconFileExists(edit) || WorkflowInteger("defaultactionreplace") == 1) {
        generateSingleIcon(kept, keptController, edit);
        return;
    }
    if (WorkflowInteger("defaultactionreplace") == 2) {
        keepThenGenerateSingleIcon(kept, keptController, edit);
        return;
    }
    auto question = UIAlertController::alertControllerWithTitle(kProductName,
        withName("A custom icon for the app %@ already exists. What do you want to do with it?", edit), UIAlertControllerStyleAlert);
    question->addAction(UIAlertAction::actionWithTitle("Overwrite", UIAlertActionStyleDefault, Sending(helper::generateSingleIconControllerEdit, kept, keptController, edit)));
    question->addAction(UIAlertAction::actionWithTitle(
        "Move to icon library", UIAlertActionStyleDefault, Sending(helper::keepThenGenerateSingleIconControllerEdit, kept, keptController, edit)));
    // Cancel only closes the question: the cropper stays open for another Save or its Cancel.
    question->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, nullptr));
    if (controller)
        controller->presentViewController(question, true);
}

void OvrimoHelper::generateSingleIcon(UIImage* picture, UIViewController* controller, const IconEdit& edit)
{
    Ref<UIView> overlay = ShowProgressOverlay("Please wait! Generating icon image...", "This will take a moment.", controller);
    generateAfterOverlay(picture, controller, overlay, edit);
}

void OvrimoHelper::keepThenGenerateSingleIcon(UIImage* picture, UIViewController* cropper, const IconEdit& edit)
{
    if (!keepCustomIconInLibrary(edit)) {
        ShowMessageAlertOver(cropper, moveFailedMessage(edit));
        return;
    }
    generateSingleIcon(picture, cropper, edit);
}

void OvrimoHelper::generateAfterOverlay(UIImage* picture, UIViewController* controller, Ref<UIView> overlay, const IconEdit& edit)
{
    Ref<UIImage> kept(picture);
    Ref<UIViewController> keptController(controller);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, kOverlayHeadStartNanoseconds), dispatch_get_main_queue(), [kept, keptController, overlay, edit] {
        helper::writeSingleIconControllerOverlayEdit.orZero(HelperClass(), kept, keptController, overlay, edit);
    });
}

void OvrimoHelper::writeSingleIcon(UIImage* picture, UIViewController* controller, UIView* overlay, const IconEdit& edit)
{
    if (const IconSlot* slot = edit.single())
        GenerateIconImage(picture, slot->icon, slot->key);
    hud::hideAnimated.orZero(overlay, true);
    if (controller)
        controller->dismissViewControllerAnimated(true, [] { ShowPendingAlert(); });
    EndEdit(edit);
}

void OvrimoHelper::imageCropperDidCancel(Object* cropper)
{
    EndOpenEdit();
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
        .classMethod(helper::endEdit, &Self::endEdit)
        .classMethod(helper::restoreOriginalIcon, &Self::restoreOriginalIcon)
        .classMethod(helper::replaceFromPhotoLibrary, &Self::openPhotoLibrary)
        .classMethod(helper::replaceFromIconLibrary, &Self::openIconLibrary)
        .classMethod(helper::saveIconToLibraryEdit, &Self::saveIconToLibrary)
        .classMethod(helper::removeCurrentCustomIcon, &Self::removeCurrentCustomIcon)
        .classMethod(helper::keepThenRemoveCurrentIcon, &Self::keepThenRemoveCurrentIcon)
        .classMethod(helper::generateSingleIconControllerEdit, &Self::generateSingleIcon)
        .classMethod(helper::keepThenGenerateSingleIconControllerEdit, &Self::keepThenGenerateSingleIcon)
        .classMethod(helper::writeSingleIconControllerOverlayEdit, &Self::writeSingleIcon)
        .classMethod(helper::restorePageIcons, &Self::restorePageIcons)
        .classMethod(helper::generatePageIconsCropperEdit, &Self::generatePageIcons)
        .classMethod(helper::keepThenGeneratePageIconsCropperEdit, &Self::keepThenGeneratePageIcons)
        .classMethod(helper::writePageIconsCropperOverlayEdit, &Self::writePageIcons)
        .classMethod(helper::removePageIcons, &Self::removePageIcons)
        .classMethod(helper::keepThenRemovePageIcons, &Self::keepThenRemovePageIcons)
        .classMethod(helper::removePageIconFilesEdit, &Self::removePageIconFiles)
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
