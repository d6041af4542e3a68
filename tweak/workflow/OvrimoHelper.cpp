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
#include "tweak/workflow/Presentation.h"
#include "tweak/workflow/WorkflowPreferences.h"

namespace ovrimo {

using objc::Object;
using objc::Ref;

namespace {

constexpr const char* kSingleEditorTitle = "Crop and scale the image. The highlighted area will be used as the icon image.";
constexpr std::int64_t kCropperZoomLimit = 6;
// A picture that cannot be edited (none arrived, or the cropper cut nothing).
constexpr int kNoPictureError = 160;
// The icon's image could not be written into the library.
constexpr int kLibraryWriteError = 153;
// A custom icon could not be copied into the library before it was to be replaced or removed.
constexpr int kLibraryCopyError = 154;

std::string withDisplayName(const char* format)
{
    const EditingState& state = Editing();
    // An icon without a display name is named by its key, so the question still says which.
    std::string name = state.currentDisplayName.value_or(state.currentIconKey.value_or(""));
    return corefoundation::stringWithFormat(format, name);
}

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

std::string moveFailedMessage()
{
    return corefoundation::stringWithFormat("Error %d! ", kLibraryCopyError)
        + withDisplayName("The custom icon for %@ could not be copied to the icon library, so it was kept and nothing was changed. Please try again, if the error continues then contact me!");
}

// A restore that would move the icon into the library: the icon goes only once its copy is there.
void keepThenRemoveCurrentIcon()
{
    if (!keepCurrentIconInLibrary()) {
        ShowMessageAlert(moveFailedMessage());
        ResetEditingState();
        return;
    }
    OvrimoHelper::removeCurrentCustomIcon();
}

// A replacement that would move the old icon into the library first: when it cannot be kept,
// nothing is replaced and the cropper stays open for another choice or its Cancel.
void keepThenGenerateSingleIcon(UIImage* picture, UIViewController* cropper)
{
    if (!keepCurrentIconInLibrary()) {
        ShowMessageAlertOver(cropper, moveFailedMessage());
        return;
    }
    OvrimoHelper::generateSingleIcon(picture, cropper);
}

objc::Class* helperClass() { return objc::objc_getClass("OvrimoHelper"); }

} // namespace

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
        ShowMessageAlert(NumberedError(143, true));
        return;
    }

    EditingState& state = Editing();
    state.currentIcon = icon.ptr();
    state.currentDisplayName = DisplayNameForIcon(icon);
    state.currentIconKey = IconKeyForIcon(icon);
    state.currentIconPath = CustomIconPath(*state.currentIconKey);

    auto style = FloatingDockInUse() ? UIAlertControllerStyleAlert : UIAlertControllerStyleActionSheet;
    auto sheet = UIAlertController::alertControllerWithTitle(kProductName, withDisplayName("What would you like to do with the icon image for %@?"), style);
    sheet->addAction(UIAlertAction::actionWithTitle("Restore original", UIAlertActionStyleDestructive,
        GuardedHandler("Restore original", [] { restoreOriginalIcon(); })));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from photo library", UIAlertActionStyleDefault, GuardedHandler("Replace from photo library", [] {
        Editing().multiMode = false;
        openPhotoLibrary();
    })));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from URL", UIAlertActionStyleDefault, GuardedHandler("Replace from URL", [] {
        Editing().multiMode = false;
        getImageFromURL();
    })));
    sheet->addAction(UIAlertAction::actionWithTitle("Replace from icon library", UIAlertActionStyleDefault, GuardedHandler("Replace from icon library", [] {
        Editing().multiMode = false;
        openIconLibrary(Editing().currentDisplayName, Editing().currentIconPath);
    })));
    if (!objc::isKindOfClass(icon, objc::objc_getClass("SBFolderIcon"))) {
        Ref<UIView> iconView = view;
        sheet->addAction(UIAlertAction::actionWithTitle("Save to icon library", UIAlertActionStyleDefault,
            GuardedHandler("Save to icon library", [iconView] { saveIconToLibrary(iconView); })));
    }
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, GuardedHandler("Cancel", [] { ResetEditingState(); })));

    UIPopoverPresentationController* popover = sheet->popoverPresentationController();
    popover->setSourceView(view);
    popover->setSourceRect(view->bounds());
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(sheet, true);
}

void OvrimoHelper::cleanupOnDimiss() { ResetEditingState(); }

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
    question->addAction(UIAlertAction::actionWithTitle("Remove permanently", UIAlertActionStyleDefault,
        GuardedHandler("Remove permanently", [] { removeCurrentCustomIcon(); })));
    question->addAction(UIAlertAction::actionWithTitle("Move to icon library", UIAlertActionStyleDefault,
        GuardedHandler("Move to icon library", [] { keepThenRemoveCurrentIcon(); })));
    question->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, GuardedHandler("Cancel", [] { ResetEditingState(); })));
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

void OvrimoHelper::saveIconToLibrary(UIView* iconView)
{
    Editing().multiMode = false;
    if (!Editing().currentIcon) {
        ShowMessageAlert(NumberedError(150));
        return;
    }
    auto imageView = objc::ivarIfPresent<Object>(iconView, "_iconImageView");
    if (!imageView) {
        ShowMessageAlert(NumberedError(151));
        return;
    }
    Ref<UIImage> picture = sb::contentsImage.ifAnswered(imageView);
    if (!picture) {
        ShowMessageAlert(NumberedError(152));
        return;
    }
    auto png = UIImagePNGRepresentation(picture);
    std::optional<std::string> target = NextIconLibraryPath();
    if (!png || !target || !NSFileManager::defaultManager()->createFileAtPath(*target, NSData::make(std::move(*png)).ptr())) {
        ShowMessageAlert(NumberedError(kLibraryWriteError));
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
        ShowMessageAlert(NumberedError(kNoPictureError));
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
        ShowMessageAlert(NumberedError(kNoPictureError));
        ResetEditingState();
        return;
    }
    cropper::setDelegate.orZero(cropper, helperClass());
    presenter->presentViewController(controller, false);
}

void OvrimoHelper::imageCropperDidFinished(Object* cropper, UIImage* picture)
{
    auto* controller = dynamic_cast<UIViewController*>(cropper);
    if (!picture || !picture->CGImage()) {
        // Nothing was cut: the edit ends without touching the icon.
        ResetEditingState();
        if (controller)
            controller->dismissViewControllerAnimated(true, [] { ShowMessageAlert(NumberedError(kNoPictureError)); });
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
    question->addAction(UIAlertAction::actionWithTitle("Overwrite", UIAlertActionStyleDefault,
        GuardedHandler("Overwrite", [kept, keptController] { generateSingleIcon(kept, keptController); })));
    question->addAction(UIAlertAction::actionWithTitle("Move to icon library", UIAlertActionStyleDefault,
        GuardedHandler("Move to icon library", [kept, keptController] { keepThenGenerateSingleIcon(kept, keptController); })));
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

void OvrimoHelper::generateAfterOverlay(UIImage* picture, UIViewController* controller, Ref<UIView> overlay)
{
    Ref<UIImage> kept(picture);
    Ref<UIViewController> keptController(controller);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, kOverlayHeadStartNanoseconds), dispatch_get_main_queue(), [kept, keptController, overlay] {
        objc::runGuarded("generating an icon", [&] {
            // Read now, not when scheduled: the edit is whatever it is when the work starts.
            const EditingState& state = Editing();
            GenerateIconImage(kept, state.currentIcon, state.currentIconKey);
            hud::hideAnimated.orZero(overlay, true);
            if (keptController)
                keptController->dismissViewControllerAnimated(true, [] { ShowPendingAlert(); });
            ResetEditingState();
        });
    });
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
    objc::ClassBuilder<OvrimoHelper>(rt, "NSObject")
        .classMethod(helper::showActionSheet, +[](Object* sender) { objc::runGuarded("+[OvrimoHelper showActionSheet:]", [&] { showActionSheet(sender); }); })
        .classMethod(ovrimo::helper::cleanupOnDimiss, +[] { objc::runGuarded("+[OvrimoHelper cleanupOnDimiss]", [] { cleanupOnDimiss(); }); })
        .classMethod(helper::showSBPageActionSheet,
            +[](Object* sender) { objc::runGuarded("+[OvrimoHelper showSBPageActionSheet:]", [&] { showSBPageActionSheet(sender); }); })
        .classMethod(helper::prepareMultiIconEditorWithImage, +[](UIImage* picture) {
            objc::runGuarded("+[OvrimoHelper prepareMultiIconEditorWithImage:]", [&] { prepareMultiIconEditorWithImage(picture); });
        })
        .classMethod(helper::prepareImageEditorWithImage,
            +[](UIImage* picture) { objc::runGuarded("+[OvrimoHelper prepareImageEditorWithImage:]", [&] { prepareImageEditorWithImage(picture); }); })
        .classMethod(helper::getImageFromURL, +[] { objc::runGuarded("+[OvrimoHelper getImageFromURL]", [] { getImageFromURL(); }); })
        .classMethod(helper::downloadAndEditImageWithURLString, +[](const std::string& address) {
            objc::runGuarded("+[OvrimoHelper downloadAndEditImageWithURLString:]", [&] { downloadAndEditImage(address); });
        })
        .classMethod(helper::imagePickerControllerDidFinishPickingMediaWithInfo, +[](Object* picker, NSDictionary* info) {
            objc::runGuarded("+[OvrimoHelper imagePickerController:didFinishPickingMediaWithInfo:]", [&] { imagePickerDidFinish(picker, info); });
        })
        .classMethod(helper::imagePickerControllerDidCancel,
            +[](Object* picker) { objc::runGuarded("+[OvrimoHelper imagePickerControllerDidCancel:]", [&] { imagePickerDidCancel(picker); }); })
        .classMethod(imageCropperDidFinished, +[](Object* cropper, UIImage* picture) {
            objc::runGuarded("+[OvrimoHelper imageCropper:didFinished:]", [&] { OvrimoHelper::imageCropperDidFinished(cropper, picture); });
        })
        .classMethod(imageCropperDidCancel,
            +[](Object* cropper) { objc::runGuarded("+[OvrimoHelper imageCropperDidCancel:]", [&] { OvrimoHelper::imageCropperDidCancel(cropper); }); })
        .classMethod(iconSelectorDidFinished, +[](Object* browser, UIImage* picture) {
            objc::runGuarded("+[OvrimoHelper iconSelector:didFinished:]", [&] { OvrimoHelper::iconSelectorDidFinished(browser, picture); });
        })
        .classMethod(iconSelectorDidCancel,
            +[](Object* browser) { objc::runGuarded("+[OvrimoHelper iconSelectorDidCancel:]", [&] { OvrimoHelper::iconSelectorDidCancel(browser); }); })
        .method(imageCropperDidFinished, &OvrimoHelper::ignoreCropperResult)
        .method(imageCropperDidCancel, &OvrimoHelper::ignoreCropperCancel)
        .method(iconSelectorDidFinished, &OvrimoHelper::ignoreLibraryResult)
        .method(iconSelectorDidCancel, &OvrimoHelper::ignoreLibraryCancel)
        .classConformsTo(cropper::VPImageCropperDelegate)
        .classConformsTo(library::ZarnekIconSelectorDelegate)
        .conformsTo(cropper::VPImageCropperDelegate)
        .conformsTo(library::ZarnekIconSelectorDelegate)
        .buildOrDiagnose();
}

bool RegisterWorkflowClasses(objc::Runtime& rt)
{
    if (!rt.getClass("OvrimoHelper"))
        OvrimoHelper::registerClass(rt);
    return rt.getClass("OvrimoHelper") != nullptr;
}

} // namespace ovrimo
