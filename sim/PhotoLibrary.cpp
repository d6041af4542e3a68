#include "sim/PhotoLibrary.h"

#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/uikit/UIImagePickerController.h"
#include "sim/PhoneHost.h"
#include "sim/ScriptRunner.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace sim {

namespace {

// The name without its folder or extension, with only harmless characters, at most 64 of them.
std::string safeStem(const std::string& suggested)
{
    std::string name = suggested;
    if (auto slash = name.find_last_of("/\\"); slash != std::string::npos)
        name = name.substr(slash + 1);
    if (auto dot = name.find_last_of('.'); dot != std::string::npos)
        name = name.substr(0, dot);
    std::string stem;
    for (char c : name) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (ok && stem.size() < 64)
            stem += c;
    }
    while (!stem.empty() && stem.front() == '.')
        stem.erase(stem.begin());
    return stem.empty() ? "photo" : stem;
}

} // namespace

std::string addToPhotoLibrary(const std::vector<std::uint8_t>& bytes, const std::string& suggestedName)
{
    bool png = graphics::looksLikePNG(bytes.data(), bytes.size());
    bool jpeg = graphics::looksLikeJPEG(bytes.data(), bytes.size());
    if (!png && !jpeg)
        throw RequestError(415, "that file is not a PNG or JPEG picture");
    // A picture that does not decode would only fail later, in the picker: refuse it here.
    if (!graphics::decodeImage(bytes.data(), bytes.size(), kLargestPhotoPixels).image)
        throw RequestError(415, "that picture is damaged or too large to read");

    std::string why;
    auto folder = filesystem::DeviceRoot::resolve(kCameraRollFolder, &why);
    if (!folder)
        throw RequestError(500, "the photo library is out of reach: " + why);
    std::string stem = safeStem(suggestedName);
    std::string extension = png ? ".png" : ".jpg";
    fs::path target = *folder / (stem + extension);
    std::error_code ec;
    for (int n = 2; fs::exists(fs::symlink_status(target, ec)); ++n)
        target = *folder / (stem + "-" + std::to_string(n) + extension);
    if (!filesystem::writeFileAtomically(target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &why))
        throw RequestError(500, "cannot write the picture: " + why);
    uikit::photoLibraryDidChange();
    return std::string(kCameraRollFolder) + "/" + target.filename().string();
}

} // namespace sim
