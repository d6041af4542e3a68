#include "sim/PhotoLibrary.h"

#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/FileOperations.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/uikit/UIImagePickerController.h"
#include "sim/PhoneHost.h"
#include "sim/ScriptRunner.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace sim {

namespace {

// Pictures of one name get "-2", "-3"... up to this many.
constexpr int kMostSameNamedPhotos = 10000;

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
    // Written whole under a temporary name first, then given the first free name: the rename
    // never replaces, so a picture that arrives at the same time under the same name is kept.
    fs::path written = filesystem::temporarySiblingFor(*folder / (stem + extension));
    if (!filesystem::writeFileAtomically(written, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &why))
        throw RequestError(500, "cannot write the picture: " + why);
    for (int n = 1; n <= kMostSameNamedPhotos; ++n) {
        fs::path target = *folder / (n == 1 ? stem + extension : stem + "-" + std::to_string(n) + extension);
        std::error_code ec;
        if (fs::exists(fs::symlink_status(target, ec)))
            continue;
        if (filesystem::renameWithoutReplacing(written, target, &why))
            return std::string(kCameraRollFolder) + "/" + target.filename().string();
        if (!fs::exists(fs::symlink_status(target, ec)))
            break; // a failure of its own, not a name taken meanwhile
    }
    std::error_code ec;
    filesystem::removeTree(written, ec);
    throw RequestError(500, "cannot name the picture in the photo library" + (why.empty() ? std::string() : ": " + why));
}

void announcePhotoLibraryChange() { uikit::photoLibraryDidChange(); }

} // namespace sim
