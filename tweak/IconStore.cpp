#include "tweak/IconStore.h"

#include "platform/foundation/NSFileManager.h"
#include "platform/runtime/Guarded.h"
#include "tweak/IconImages.h"
#include "tweak/IconViews.h"
#include "tweak/Preferences.h"
#include "tweak/PrivateInterfaces.h"
#include "platform/uikit/UIView.h"

namespace ovrimo {

using objc::Ref;

IconKey IconKeyForIcon(objc::Object* icon)
{
    if (icon && objc::isKindOfClass(icon, objc::objc_getClass("SBBookmarkIcon"))) {
        std::string identifier = sb::identifier.ifAnswered(sb::webClip.ifAnswered(icon));
        if (!identifier.empty())
            return identifier;
    }
    if (objc::isKindOfClass(icon, objc::objc_getClass("SBFolderIcon"))) {
        if (auto name = DisplayNameForIcon(icon))
            return kFolderKeyPrefix + *name;
    }
    auto application = sb::application.ifAnswered(icon);
    if (sb::bundleIdentifier.isAnsweredBy(application))
        return sb::bundleIdentifier.orZero(application);
    std::string bundleID = sb::applicationBundleID.ifAnswered(icon);
    if (!bundleID.empty())
        return bundleID;
    auto name = DisplayNameForIcon(icon);
    if (!name)
        return kNoBundleIdKey;
    return kGeneratedKeyPrefix + *name;
}

std::optional<std::string> DisplayNameForIcon(objc::Object* icon)
{
    auto present = [](std::string text) -> std::optional<std::string> {
        if (text.empty())
            return std::nullopt;
        return text;
    };
    if (!icon)
        return std::nullopt;
    if (objc::isKindOfClass(icon, objc::objc_getClass("SBBookmarkIcon")))
        return present(sb::title.ifAnswered(sb::webClip.ifAnswered(icon)));
    auto application = sb::application.ifAnswered(icon);
    if (sb::displayName.isAnsweredBy(application))
        return present(sb::displayName.orZero(application));
    if (sb::displayName.isAnsweredBy(icon))
        return present(sb::displayName.orZero(icon));
    if (objc::isKindOfClass(icon, objc::objc_getClass("SBFolderIcon")))
        return present(sb::displayName.ifAnswered(sb::folder.ifAnswered(icon)));
    return "App";
}

std::string CustomIconPath(const IconKey& key) { return std::string(kIconStoreFolder) + key + ".png"; }

std::optional<std::string> CustomIconFile(const IconKey& key)
{
    if (key.empty() || key == "." || key == ".." || key.find('/') != std::string::npos || key.find('\0') != std::string::npos)
        return std::nullopt;
    return CustomIconPath(key);
}

bool StoredImagesAreFinal() { return IntegerValue("generatemethod") == 1; }

Ref<UIImage> LoadCustomImage(const IconKey& key)
{
    auto path = CustomIconFile(key);
    if (!path || !NSFileManager::defaultManager()->fileExistsAtPath(*path))
        return nullptr;
    // A file that is not a picture (or is refused as too large) decodes to nothing; the caller
    // keeps SpringBoard's own image.
    return UIImage::imageWithContentsOfFile(*path, kMaxCustomIconPixels);
}

Ref<UIImage> StoredImageShapedLike(const IconKey& key, UIImage* reference)
{
    Ref<UIImage> loaded = LoadCustomImage(key);
    if (!loaded || StoredImagesAreFinal())
        return loaded;
    return reference ? ShapeLikeReference(loaded, reference) : nullptr;
}

Ref<UIImage> CustomImageForKey(UIImage* original, const std::optional<IconKey>& key)
{
    if (!SwitchIsOn("enabled") || !original || !key)
        return original;
    Ref<UIImage> stored = StoredImageShapedLike(*key, original);
    return stored ? stored : Ref<UIImage>(original);
}

Ref<UIImage> ScaledCustomImageForKey(UIImage* original, const std::optional<IconKey>& key)
{
    if (!SwitchIsOn("enabled") || !original)
        return original;
    Ref<UIImage> redrawn = RedrawImage(CustomImageForKey(original, key), original->size());
    return redrawn ? redrawn : Ref<UIImage>(original);
}

Ref<UIImage> CustomImageForIcon(UIImage* original, objc::Object* icon)
{
    if (!SwitchIsOn("enabled"))
        return original;
    return CustomImageForKey(original, IconKeyForIcon(icon));
}

Ref<UIImage> FolderShapeImage(objc::Object* icon)
{
    bool isFolder = objc::isKindOfClass(icon, objc::objc_getClass("SBFolderIcon"));
    Ref<UIView> iconView = HomeScreenIconViewForIcon(icon);
    if (!iconView)
        return nullptr;
    auto imageView = objc::ivarIfPresent<objc::Object>(iconView, isFolder ? "_folderIconImageView" : "_iconImageView");
    return sb::darkeningOverlayImage.ifAnswered(imageView);
}

Ref<UIImage> CustomImageForFolder(UIImage* original, objc::Object* folderIcon)
{
    if (!SwitchIsOn("enabled"))
        return original;
    Ref<UIImage> shape = FolderShapeImage(folderIcon);
    IconKey key = IconKeyForIcon(folderIcon);
    if (!shape || !original)
        return original;
    Ref<UIImage> stored = StoredImageShapedLike(key, shape);
    return stored ? stored : Ref<UIImage>(original);
}

} // namespace ovrimo
