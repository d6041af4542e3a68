#include "tweak/workflow/IconGeneration.h"

#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/NSData.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSString.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/graphics/UIGraphics.h"
#include "tweak/IconImages.h"
#include "tweak/IconStore.h"
#include "tweak/IconViews.h"
#include "tweak/Preferences.h"
#include "tweak/workflow/Presentation.h"
#include "tweak/workflow/WorkflowPreferences.h"

namespace ovrimo {

using objc::Ref;

Ref<UIImage> IconImageForPicture(UIImage* picture, UIImage* shape, bool preShaped)
{
    if (!picture || !picture->CGImage())
        return nullptr;
    if (preShaped)
        return shape ? ShapeLikeReference(picture, shape) : nullptr;
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(kSquareIconSide, kSquareIconSide), false, 1.0);
    picture->drawInRect(CGRectMake(0, 0, kSquareIconSide, kSquareIconSide));
    Ref<UIImage> square = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return square;
}

void GenerateIconImage(UIImage* picture, objc::Object* icon, const std::optional<std::string>& key)
{
    if (!icon || !key || !picture)
        return;
    // A key such as "A/B", "." or ".." names no file in the flat store: nothing is written for it.
    std::optional<std::string> path = CustomIconFile(*key);
    if (!path)
        return;
    Ref<UIImage> shape = FolderShapeImage(icon);
    bool preShaped = IntegerValue(WorkflowPreferencesSnapshot(), "generatemethod") == 1;
    if (preShaped && !shape) {
        ShowMessageAlert(NumberedError(130));
        return;
    }
    Ref<UIImage> result = IconImageForPicture(picture, shape, preShaped);
    auto png = UIImagePNGRepresentation(result.ptr());

    Ref<NSFileManager> files = NSFileManager::defaultManager();
    if (!files->fileExistsAtPath(kIconStoreFolder))
        files->createDirectoryAtPath(kIconStoreFolder, true);
    // A failed write leaves the previous file (the write is atomic); the icon keeps its image.
    if (png)
        files->createFileAtPath(*path, NSData::make(std::move(*png)).ptr());

    PostIconImageChanged(*key);
    RefreshIconImage(icon);
}

void PostIconImageChanged(const std::string& key)
{
    Ref<NSString> object = NSString::make(key);
    Ref<NSMutableDictionary> info = NSMutableDictionary::make();
    info->setObject(object.ptr(), "appID");
    CFNotificationCenterPostNotification(CFNotificationCenterGetLocalCenter(), kIconImageChangedNotification, object.ptr(), info.ptr(), true);
}

} // namespace ovrimo
