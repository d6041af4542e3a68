#include "tweak/workflow/IconGeneration.h"

#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/NSData.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSString.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "tweak/IconImages.h"
#include "tweak/IconStore.h"
#include "tweak/IconViews.h"
#include "tweak/Preferences.h"
#include "tweak/ui/Alerts.h"
#include "tweak/ui/NumberedErrors.h"
#include "tweak/workflow/WorkflowPreferences.h"

#include <cmath>

namespace ovrimo {

using objc::Ref;

namespace {

// A large picture halved (each side longer than twice the target's, with a 2 x 2 average) until
// it is within twice the target: the final stretch then averages few pixels, which is far cheaper
// than one filtered stretch over the whole picture and looks the same. Upright, scale 1.
Ref<UIImage> halvedTowards(UIImage* picture, CGSize target)
{
    Ref<UIImage> current(picture);
    CGSize pixels = CGSizeMake(picture->size().width * picture->scale(), picture->size().height * picture->scale());
    while (pixels.width > 2 * target.width || pixels.height > 2 * target.height) {
        CGSize half = CGSizeMake(pixels.width > 2 * target.width ? std::ceil(pixels.width / 2) : pixels.width,
            pixels.height > 2 * target.height ? std::ceil(pixels.height / 2) : pixels.height);
        UIGraphicsBeginImageContextWithOptions(half, false, 1.0);
        CGContextSetInterpolationQuality(UIGraphicsGetCurrentContext(), kCGInterpolationLow);
        current->drawInRect(CGRectMake(0, 0, half.width, half.height));
        Ref<UIImage> next = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        if (!next)
            return current;
        current = next;
        pixels = half;
    }
    return current;
}

} // namespace

Ref<UIImage> IconImageForPicture(UIImage* picture, UIImage* shape, bool preShaped)
{
    if (!picture || !picture->CGImage())
        return nullptr;
    if (preShaped)
        return shape ? ShapeLikeReference(picture, shape) : nullptr;
    Ref<UIImage> source = halvedTowards(picture, CGSizeMake(kSquareIconSide, kSquareIconSide));
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(kSquareIconSide, kSquareIconSide), false, 1.0);
    source->drawInRect(CGRectMake(0, 0, kSquareIconSide, kSquareIconSide));
    Ref<UIImage> square = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return square;
}

std::size_t WriteIconFile(UIImage* picture, UIImage* shape, bool preShaped, const std::string& path)
{
    Ref<UIImage> result = IconImageForPicture(picture, shape, preShaped);
    auto png = UIImagePNGRepresentation(result.ptr());
    if (!png)
        return 0;
    Ref<NSFileManager> files = NSFileManager::defaultManager();
    if (!files->fileExistsAtPath(kIconStoreFolder))
        files->createDirectoryAtPath(kIconStoreFolder, true);
    std::size_t size = png->size();
    return files->createFileAtPath(path, NSData::make(std::move(*png)).ptr()) ? size : 0;
}

void GenerateIconImage(UIImage* picture, objc::Object* icon, const std::optional<std::string>& key)
{
    if (!icon || !key || !picture)
        return;
    // A key such as "A/B" (a folder named so), "." or ".." names no file in the flat store: nothing
    // is written for it, and the person is told rather than left with an unchanged icon.
    std::optional<std::string> path = CustomIconFile(*key);
    if (!path) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoStoreFile));
        return;
    }
    Ref<UIImage> shape = FolderShapeImage(icon);
    bool preShaped = IntegerValue(WorkflowPreferencesSnapshot(), "generatemethod") == 1;
    if (preShaped && !shape) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoIconShape));
        return;
    }
    // A failed write leaves the previous file (the write is atomic); the icon keeps its image.
    WriteIconFile(picture, shape, preShaped, *path);
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
