#pragma once

// Small pieces the icon library browser's pages and folder operations share: the texts of its
// failure popups, its background colour and picture loading.

#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "tweak/IconStore.h"

#include <string>

namespace ovrimo::library {

// Failures the browser reports (each number marks one place).
inline constexpr const char* kRemoveFailedMessage = "Error 401! The icon could not be removed. Please try again, if the error continues then contact the developer!";
inline constexpr const char* kMoveFailedMessage = "Error 402! The current icon could not be moved to the icon library, so nothing was changed. Please try again, if the error continues then contact the developer!";
inline constexpr const char* kBackupFailedMessage = "Error 403! The backup failed and no directory was created. Please try again, if the error continues then contact the developer!";
inline constexpr const char* kRestoreFailedMessage = "Error 404! The restore failed. Your custom icons were left as they were. Please try again, if the error continues then contact the developer!";
inline constexpr const char* kDeleteFailedMessage = "Error 405! The directory %@ could not be deleted completely. Please try again, if the error continues then contact the developer!";
inline constexpr const char* kBadNameMessage = "The name %@ cannot be used for a directory. Please use a name without \"/\" that is not \".\" or \"..\".";

// (132, 79, 152), behind the overview and the grids.
objc::Ref<UIColor> LibraryBackgroundColour();
// The picture in a regular file at `path` (never a link, folder or FIFO), or null. Reduced while
// it is decoded so that neither side exceeds `largestSide` pixels (its size in points kept).
objc::Ref<UIImage> LoadLibraryPicture(const std::string& path, std::size_t largestSide = kLargestCustomIconSide);

} // namespace ovrimo::library
