#include "tweak/library/BrowserSupport.h"

#include "platform/foundation/NSBundle.h"
#include "tweak/IconStore.h"
#include "tweak/library/IconLibrary.h"

namespace ovrimo::library {

using objc::Ref;

Ref<UIColor> LibraryBackgroundColour() { return UIColor::colorWithRed(132 / 255.0, 79 / 255.0, 152 / 255.0, 1); }

std::string LocalizedUIKitString(const std::string& key)
{
    Ref<NSBundle> uikitBundle = NSBundle::bundleWithIdentifier("com.apple.UIKit");
    return uikitBundle ? uikitBundle->localizedStringForKey(key, "", "Localizable") : key;
}

std::string FormatWithObject(const std::string& format, const std::string& value)
{
    std::string text = format;
    if (std::size_t at = text.find("%@"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

Ref<UIImage> LoadLibraryPicture(const std::string& path)
{
    if (entryKind(path) != EntryKind::File)
        return nullptr;
    return UIImage::imageWithContentsOfFile(path, kMaxCustomIconPixels);
}

} // namespace ovrimo::library
