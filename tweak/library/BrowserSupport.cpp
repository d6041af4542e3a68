#include "tweak/library/BrowserSupport.h"

#include "tweak/IconStore.h"
#include "tweak/library/IconLibrary.h"

namespace ovrimo::library {

using objc::Ref;

Ref<UIColor> LibraryBackgroundColour() { return UIColor::colorWithRed(132 / 255.0, 79 / 255.0, 152 / 255.0, 1); }

Ref<UIImage> LoadLibraryPicture(const std::string& path, std::size_t largestSide)
{
    if (entryKind(path) != EntryKind::File)
        return nullptr;
    return UIImage::imageWithContentsOfFile(path, kMaxCustomIconPixels, largestSide);
}

} // namespace ovrimo::library
