#include "tweak/IconStore.h"

#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/ReadFile.h"
#include "platform/graphics/Graphics.h"
#include "platform/runtime/Guarded.h"
#include "tweak/IconImages.h"
#include "tweak/IconStoreCache.h"
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

namespace {

// Stored files larger than this are not read: no picture within kMaxCustomIconPixels comes close.
constexpr std::size_t kMaxCustomIconFileBytes = 256u << 20;

// The bytes of the regular file at a device path; nothing when there is none (missing, a
// directory, outside the device root) or it cannot be read.
std::optional<std::string> ReadStoredFile(const std::string& devicePath)
{
    auto host = filesystem::DeviceRoot::resolve(devicePath);
    if (!host)
        return std::nullopt;
    return filesystem::readWholeFile(*host, kMaxCustomIconFileBytes);
}

// A file that is not a picture (or is refused as too large) decodes to nothing; the caller keeps
// SpringBoard's own image.
Ref<UIImage> DecodeStoredFile(const std::string& bytes, CGFloat scale)
{
    return UIImage::imageWithData(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), scale, kMaxCustomIconPixels, kLargestCustomIconSide);
}

} // namespace

Ref<UIImage> LoadCustomImage(const IconKey& key)
{
    auto path = CustomIconFile(key);
    auto bytes = path ? ReadStoredFile(*path) : std::nullopt;
    return bytes ? DecodeStoredFile(*bytes, UIImage::scaleForFileName(*path)) : nullptr;
}

Ref<UIImage> StoredImageShapedLike(const IconKey& key, UIImage* reference)
{
    // The file is read on every lookup: its absence and its bytes decide what is shown. Only the
    // decoding and shaping of the same bytes for the same reference are remembered.
    auto path = CustomIconFile(key);
    auto bytes = path ? ReadStoredFile(*path) : std::nullopt;
    if (!bytes || bytes->empty())
        return nullptr;
    bool final = StoredImagesAreFinal();
    if (!final && !reference)
        return nullptr;
    ShownImageInputs inputs { *path, *bytes, UIImage::scaleForFileName(*path), final ? nullptr : reference, graphics::mainScreenScale() };
    ShownImageCache& cache = SharedShownImageCache();
    if (auto remembered = cache.find(inputs))
        return *remembered;
    Ref<UIImage> loaded = DecodeStoredFile(*bytes, inputs.fileScale);
    Ref<UIImage> shown = !loaded || final ? loaded : ShapeLikeReference(loaded, reference);
    // A picture that could not be shaped (out of memory) is tried again next time.
    if (shown || !loaded)
        cache.insert(inputs, shown);
    return shown;
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
