#pragma once

// Turning a picture into an icon's custom file, and telling SpringBoard about it.

#include "platform/graphics/UIImage.h"

#include <optional>
#include <string>

namespace ovrimo {

// The side of a square-mode icon file, in pixels.
inline constexpr double kSquareIconSide = 256;

// Writes `picture` as `key`'s custom icon file and has SpringBoard show it. Square mode: the
// picture stretched (upright) to 256 x 256 pixels. Pre-shaped mode ("generatemethod" 1): the
// picture stretched to the icon's shape at the screen's scale, transparent outside it; without a
// shape an error alert and no file. The write is atomic: a reader sees the old file or the new one.
// Nothing happens without an icon, a key or a picture, or for a key that cannot name a file in
// the store.
void GenerateIconImage(UIImage* picture, objc::Object* icon, const std::optional<std::string>& key);
// The icon file GenerateIconImage would write for `picture`, without writing it: null when there
// is none to write (no picture, or pre-shaped mode without a shape).
objc::Ref<UIImage> IconImageForPicture(UIImage* picture, UIImage* shape, bool preShaped);
// Draws and writes one icon file at the device path `path` (the store folder made first when
// missing). The bytes written, or 0 when nothing was (the previous file, if any, is left whole).
std::size_t WriteIconFile(UIImage* picture, UIImage* shape, bool preShaped, const std::string& path);
// "com.zarnek.ovrimo.iconimagechanged" on the local center, with the key as object and as "appID".
void PostIconImageChanged(const std::string& key);

} // namespace ovrimo
