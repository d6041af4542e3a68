#pragma once

// The custom icon store: one PNG per icon in a flat folder, named after the icon's key, and the
// lookups that turn a stored picture into the image SpringBoard shows. Every lookup reads the file,
// so a file written, replaced or deleted is seen at once; only the decoding and shaping of the same
// bytes for the same reference and mode are remembered (IconStoreCache.h).

#include "platform/graphics/UIImage.h"

#include <cstddef>
#include <optional>
#include <string>

namespace ovrimo {

inline constexpr const char* kIconStoreFolder = "/var/mobile/Documents/Ovrimo/Icons/";
inline constexpr const char* kFolderKeyPrefix = "com.ovrimo.folder.";
inline constexpr const char* kGeneratedKeyPrefix = "com.ovrimo.generated.";
inline constexpr const char* kNoBundleIdKey = "com.ovrimo.no.bundle.id.found";

using IconKey = std::string;

IconKey IconKeyForIcon(objc::Object* icon);
std::optional<std::string> DisplayNameForIcon(objc::Object* icon);
// The store's path formed for `key` (folder, key, ".png"), as written in the store's format.
std::string CustomIconPath(const IconKey& key);
// The file that holds `key`'s picture, or nothing when the key cannot name a file directly in the
// flat store: a key with "/" (a folder named "A/B"), or one that is empty, "." or "..". Every read
// and write of a custom picture goes through this, so such a key never finds or writes a file.
std::optional<std::string> CustomIconFile(const IconKey& key);

// The stored picture for `key`, shaped like `original` (or unchanged when "generatemethod" is 1),
// or `original` itself when there is none.
objc::Ref<UIImage> CustomImageForKey(UIImage* original, const std::optional<IconKey>& key);
// The same, then redrawn at `original`'s size.
objc::Ref<UIImage> ScaledCustomImageForKey(UIImage* original, const std::optional<IconKey>& key);
objc::Ref<UIImage> CustomImageForIcon(UIImage* original, objc::Object* icon);
// The image whose alpha gives a folder icon (or any icon) its outline on the home screen.
objc::Ref<UIImage> FolderShapeImage(objc::Object* icon);
objc::Ref<UIImage> CustomImageForFolder(UIImage* original, objc::Object* folderIcon);

// The largest stored picture used, in pixels (4096 x 4096). A larger one is refused before it is
// decoded and the original image is shown.
inline constexpr double kMaxCustomIconPixels = 4096.0 * 4096.0;
// The longest side, in pixels, a stored or library picture is kept at once decoded: a larger one
// is reduced while it is decoded (its shape and size in points kept), so that one icon holds at
// most 4 MB and costs no more to shape and draw than a 1024 x 1024 picture. Icons are drawn at
// 180 pixels at most.
inline constexpr std::size_t kLargestCustomIconSide = 1024;

// The stored picture of `key` decoded (reduced to kLargestCustomIconSide), or null when there is
// no file, it is not a picture, or it has more than kMaxCustomIconPixels pixels.
objc::Ref<UIImage> LoadCustomImage(const IconKey& key);
// The stored picture of `key` as it is shown: unchanged when "generatemethod" is 1, else shaped
// like `reference` (null without a reference to shape with). Null when there is no picture.
objc::Ref<UIImage> StoredImageShapedLike(const IconKey& key, UIImage* reference);
// Whether "generatemethod" asks for stored pictures to be shown unchanged.
bool StoredImagesAreFinal();

} // namespace ovrimo
