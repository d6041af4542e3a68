#pragma once

// The editing workflow: one runtime class, OvrimoHelper, with class methods only. Its class
// object is the target of the editing triggers and the delegate of the photo picker, the image
// cropper and the icon library browser; it is never instantiated. Everything runs on the main
// thread; the edit (IconEdit.h) is handed from step to step.

#include "platform/corefoundation/NSDictionary.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/NSObject.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIViewController.h"
#include "tweak/workflow/IconEdit.h"

#include <string>

namespace ovrimo {

namespace helper {
using objc::Object;
using objc::Sel;
// Editing triggers.
inline constinit Sel<void(Object*)> showActionSheet { "showActionSheet:" };
inline constinit Sel<void(Object*)> showSBPageActionSheet { "showSBPageActionSheet:" };
// Where a picture goes once a source has it.
inline constinit Sel<void(UIImage*)> prepareImageEditorWithImage { "prepareImageEditorWithImage:" };
inline constinit Sel<void(UIImage*)> prepareMultiIconEditorWithImage { "prepareMultiIconEditorWithImage:" };
// The web source.
inline constinit Sel<void()> getImageFromURL { "getImageFromURL" };
inline constinit Sel<void(const std::string&)> downloadAndEditImageWithURLString { "downloadAndEditImageWithURLString:" };
// The photo picker's delegate.
inline constinit Sel<void(Object*, NSDictionary*)> imagePickerControllerDidFinishPickingMediaWithInfo { "imagePickerController:didFinishPickingMediaWithInfo:" };
inline constinit Sel<void(Object*)> imagePickerControllerDidCancel { "imagePickerControllerDidCancel:" };

// What the workflow's alerts and delayed work send back to the class: each answer runs as one of
// its methods, with the edit it answers for.
inline constinit Sel<void(IconEdit)> endEdit { "endEdit:" };
inline constinit Sel<void(IconEdit)> restoreOriginalIcon { "restoreOriginalIcon:" };
inline constinit Sel<void()> replaceFromPhotoLibrary { "replaceFromPhotoLibrary" };
inline constinit Sel<void(IconEdit)> replaceFromIconLibrary { "replaceFromIconLibrary:" };
inline constinit Sel<void(UIView*, IconEdit)> saveIconToLibraryEdit { "saveIconToLibrary:edit:" };
inline constinit Sel<void(IconEdit)> removeCurrentCustomIcon { "removeCurrentCustomIcon:" };
inline constinit Sel<void(IconEdit)> keepThenRemoveCurrentIcon { "keepThenRemoveCurrentIcon:" };
inline constinit Sel<void(UIImage*, UIViewController*, IconEdit)> generateSingleIconControllerEdit { "generateSingleIcon:controller:edit:" };
inline constinit Sel<void(UIImage*, UIViewController*, IconEdit)> keepThenGenerateSingleIconControllerEdit { "keepThenGenerateSingleIcon:controller:edit:" };
inline constinit Sel<void(UIImage*, UIViewController*, UIView*, IconEdit)> writeSingleIconControllerOverlayEdit { "writeSingleIcon:controller:overlay:edit:" };
inline constinit Sel<void(IconEdit)> restorePageIcons { "restorePageIcons:" };
inline constinit Sel<void(UIImage*, UIViewController*, IconEdit)> generatePageIconsCropperEdit { "generatePageIcons:cropper:edit:" };
inline constinit Sel<void(UIImage*, UIViewController*, IconEdit)> keepThenGeneratePageIconsCropperEdit { "keepThenGeneratePageIcons:cropper:edit:" };
inline constinit Sel<void(UIImage*, UIViewController*, UIView*, IconEdit)> writePageIconsCropperOverlayEdit { "writePageIcons:cropper:overlay:edit:" };
inline constinit Sel<void(IconEdit)> removePageIcons { "removePageIcons:" };
inline constinit Sel<void(IconEdit)> keepThenRemovePageIcons { "keepThenRemovePageIcons:" };
inline constinit Sel<void(UIView*, IconEdit)> removePageIconFilesEdit { "removePageIconFiles:edit:" };
inline constinit Sel<void(UIImage*)> editDownloadedImage { "editDownloadedImage:" };
} // namespace helper

class OvrimoHelper : public objc::NSObject {
    OBJC_CLASS(OvrimoHelper)
public:
    static void registerClass(objc::Runtime&);

    // The icon sheet: its trigger's sender is the "+" button on an icon view or a gesture
    // recogniser attached to one. The edit begins once the sheet is on screen.
    static void showActionSheet(objc::Object* sender);
    // Ends whatever edit is open.
    static void cleanupOnDimiss();
    static void endEdit(const IconEdit& edit);

    // One icon's image.
    static void restoreOriginalIcon(const IconEdit& edit);
    static void removeCurrentCustomIcon(const IconEdit& edit);
    // "Move to icon library" first: the icon goes only once its copy is there.
    static void keepThenRemoveCurrentIcon(const IconEdit& edit);
    static void saveIconToLibrary(UIView* iconView, const IconEdit& edit);
    // The editor for one icon of the open edit.
    static void prepareImageEditorWithImage(UIImage* picture);
    static void openIconEditor(UIImage* picture, const std::string& title, CGRect cropFrame, const IconEdit& edit);
    static void generateSingleIcon(UIImage* picture, UIViewController* controller, const IconEdit& edit);
    // The old icon kept in the library first; when it cannot be, nothing is replaced and the
    // cropper stays open.
    static void keepThenGenerateSingleIcon(UIImage* picture, UIViewController* controller, const IconEdit& edit);
    // With the overlay shown: 10 ms later on the main queue, writeSingleIcon.
    static void generateAfterOverlay(UIImage* picture, UIViewController* controller, objc::Ref<UIView> overlay, const IconEdit& edit);
    // The edited icon's file from `picture` (none for an edit without a single icon), then the
    // overlay hidden, `controller` dismissed and the edit ended.
    static void writeSingleIcon(UIImage* picture, UIViewController* controller, UIView* overlay, const IconEdit& edit);
    // The cropper's delegate, for the open edit.
    static void imageCropperDidFinished(objc::Object* cropper, UIImage* picture);
    static void imageCropperDidCancel(objc::Object* cropper);
    static void singleCropperDidFinish(UIViewController* cropper, UIImage* picture, const IconEdit& edit);

    // A whole page (PageMode.cpp): its sheet, its editor, its pieces and its restoring.
    static void showSBPageActionSheet(objc::Object* sender);
    // The page editor for the open edit.
    static void prepareMultiIconEditorWithImage(UIImage* picture);
    static void pageCropperDidFinish(UIViewController* cropper, UIImage* picture, const IconEdit& edit);
    static void generatePageIcons(UIImage* picture, UIViewController* cropper, const IconEdit& edit);
    static void keepThenGeneratePageIcons(UIImage* picture, UIViewController* cropper, const IconEdit& edit);
    static void writePageIcons(UIImage* picture, UIViewController* cropper, UIView* overlay, const IconEdit& edit);
    static void restorePageIcons(const IconEdit& edit);
    static void removePageIcons(const IconEdit& edit);
    static void keepThenRemovePageIcons(const IconEdit& edit);
    static void removePageIconFiles(UIView* overlay, const IconEdit& edit);

    // The sources (ImageSources.cpp): each hands its picture to the editor of the open edit.
    static void openPhotoLibrary();
    static void imagePickerDidFinish(objc::Object* picker, NSDictionary* info);
    static void imagePickerDidCancel(objc::Object* picker);
    static void getImageFromURL();
    static void downloadAndEditImage(const std::string& address);
    // A downloaded picture into the editor, or the failure alert when none arrived.
    static void editDownloadedImage(UIImage* picture);
    // The library browser for a single icon (its name and save path), or in its manage mode for a
    // page.
    static void openIconLibrary(const IconEdit& edit);
    static void iconSelectorDidFinished(objc::Object* browser, UIImage* picture);
    static void iconSelectorDidCancel(objc::Object* browser);
    // The editor for the open edit: the page editor while a page is edited, else one icon's.
    static void editPicture(UIImage* picture);

private:
    // Declared for the delegate protocols; only the class object is ever installed as delegate.
    void ignoreCropperResult(objc::Object*, UIImage*) { }
    void ignoreCropperCancel(objc::Object*) { }
    void ignoreLibraryResult(objc::Object*, UIImage*) { }
    void ignoreLibraryCancel(objc::Object*) { }
};

// The single-icon crop frame on a screen of `bounds`: a square of two thirds of the width,
// centred.
CGRect SingleIconCropFrame(CGRect bounds);

// The class object: the delegate and the target of everything the workflow sends itself.
objc::Class* HelperClass();

// An alert action's handler that sends `action` to the class object with the `kept` arguments:
// the answer runs as one of its methods.
template<class... A, class... K>
UIAlertActionHandler Sending(const objc::Sel<void(A...)>& action, K... kept)
{
    return [&action, kept...](UIAlertAction*) { action.orZero(HelperClass(), kept...); };
}

// Registers OvrimoHelper in the booted device's runtime (once).
bool RegisterWorkflowClasses(objc::Runtime&);

} // namespace ovrimo
