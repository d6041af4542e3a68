#pragma once

// The hex-colour category of UIColor: two runtime methods added to the platform's UIColor class.
//   +colorFromHexString:  "#" and six hexadecimal digits → opaque colour. The first character is
//                         skipped whatever it is; the digits are read up to the first other
//                         character, so words ("none", "custom") give opaque black.
//   -thumbnailWithSize:   a solid swatch image of the size (points, at scale 1).

#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Sel.h"

#include <string>

namespace zarnek {

namespace sel {
inline constinit objc::Sel<objc::Ref<UIColor>(std::string)> colorFromHexString { "colorFromHexString:" };
inline constinit objc::Sel<objc::Ref<UIImage>(CGSize)> thumbnailWithSize { "thumbnailWithSize:" };
} // namespace sel

objc::Ref<UIColor> colorFromHexString(const std::string& hex);
objc::Ref<UIImage> thumbnailWithSize(UIColor* colour, CGSize size);
// "#RRGGBB" in upper case, each component cut towards zero from 0…255.
std::string hexStringFromComponents(double red255, double green255, double blue255);

// Adds the two methods to UIColor (idempotent).
void registerColorCategory(objc::Runtime& runtime);

} // namespace zarnek
