#pragma once

// Small pieces the icon library browser's pages and folder operations share: the texts of its
// popups, its background colour and picture loading.

#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "tweak/IconStore.h"

#include <string>

namespace ovrimo::library {

inline constexpr const char* kBadNameMessage = "The name %@ cannot be used for a directory. Please use a name without \"/\" that is not \".\" or \"..\".";

// (132, 79, 152), behind the overview and the grids.
objc::Ref<UIColor> LibraryBackgroundColour();
// The picture in a regular file at `path` (never a link, folder or FIFO), or null. Reduced while
// it is decoded so that neither side exceeds `largestSide` pixels (its size in points kept).
objc::Ref<UIImage> LoadLibraryPicture(const std::string& path, std::size_t largestSide = kLargestCustomIconSide);

} // namespace ovrimo::library
