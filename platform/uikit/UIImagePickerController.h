#pragma once

#include "platform/uikit/UINavigationController.h"

#include <string>
#include <vector>

class UIScrollView;

namespace uikit {
// Whoever adds or removes a picture in the camera roll says so: every picker on screen shows the
// library anew.
void photoLibraryDidChange();
} // namespace uikit

// The photo library picker: a navigation controller whose page shows the pictures of the device's
// camera-roll folder (PNG and JPEG files in /var/mobile/Media/DCIM/100APPLE/, newest first as the
// phone's library shows them, those that do not decode left out) as a grid of thumbnails, shown
// afresh when the library changes while it is open (uikit::photoLibraryDidChange). Tapping one hands the delegate imagePickerController:
// didFinishPickingMediaWithInfo: with an NSDictionary holding the decoded picture (orientation
// kept) under "UIImagePickerControllerOriginalImage"; Cancel sends imagePickerControllerDidCancel:.
// A delegate that does not implement these leaves the picker to dismiss itself, as on the phone.
class UIImagePickerController : public UINavigationController {
    OBJC_CLASS(UIImagePickerController)
public:
    // [[UIImagePickerController alloc] init]
    static objc::Ref<UIImagePickerController> create();
    static bool isSourceTypeAvailable(UIImagePickerControllerSourceType type);

    UIImagePickerControllerSourceType sourceType() const { return m_sourceType; }
    void setSourceType(UIImagePickerControllerSourceType type) { m_sourceType = type; }
    objc::Object* delegate() const { return m_delegate.ptr(); }
    void setDelegate(objc::Object* delegate) { m_delegate = delegate; }
    bool allowsEditing() const { return m_allowsEditing; }
    void setAllowsEditing(bool on) { m_allowsEditing = on; }

    // The device paths of the pictures shown, in grid order.
    const std::vector<std::string>& photoPaths() const { return m_paths; }
    // The grid's button for picture `index` (once shown).
    UIView* thumbnailAt(size_t index) const;
    // Acts as a tap on picture `index`, or on Cancel.
    void pickPhotoAt(size_t index);
    void cancel();

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods.
    objc::Ref<objc::Object> initPicker();
    void cancelTapped(objc::Object* sender);
    void photoTapped(UIButton* sender);
    // _prepareForPresentation: the grid of the library's pictures.
    void loadPhotosForPresentation();
    void reloadPhotos();
    void buildGrid();
    friend void uikit::photoLibraryDidChange();

    UIImagePickerControllerSourceType m_sourceType = UIImagePickerControllerSourceTypePhotoLibrary;
    objc::WeakRef<objc::Object> m_delegate;
    bool m_allowsEditing = false;
    std::vector<std::string> m_paths;
    std::vector<objc::Ref<UIImage>> m_images; // decoded, one per path
    objc::Ref<UIViewController> m_page;
    objc::Ref<UIScrollView> m_grid;
    std::vector<objc::Ref<UIView>> m_thumbnails;
};

inline const char* const UIImagePickerControllerOriginalImage = "UIImagePickerControllerOriginalImage";
inline const char* const UIImagePickerControllerMediaType = "UIImagePickerControllerMediaType";

namespace uikit {
// Where the photo library's pictures live on the device.
inline constexpr const char* kCameraRollFolder = "/var/mobile/Media/DCIM/100APPLE/";
} // namespace uikit
