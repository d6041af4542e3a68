#include "tweak/workflow/IconLibraryFiles.h"

#include "platform/corefoundation/StringFormat.h"
#include "platform/foundation/NSFileManager.h"

#include <random>

namespace ovrimo {

namespace {

constexpr int kRandomNameTries = 64;

std::string libraryFile(std::uint32_t number) { return corefoundation::stringWithFormat("%@%d.png", kIconLibraryFolder, number); }

} // namespace

std::optional<std::string> NextIconLibraryPath()
{
    objc::Ref<NSFileManager> files = NSFileManager::defaultManager();
    if (!files->fileExistsAtPath(kIconLibraryFolder))
        files->createDirectoryAtPath(kIconLibraryFolder, true);
    for (int n = 1; n <= kNumberedLibraryNames; ++n) {
        std::string candidate = libraryFile(static_cast<std::uint32_t>(n));
        if (!files->fileExistsAtPath(candidate))
            return candidate;
    }
    static std::mt19937 random { std::random_device {}() };
    for (int attempt = 0; attempt < kRandomNameTries; ++attempt) {
        std::string candidate = libraryFile(random() % 10000000u);
        if (!files->fileExistsAtPath(candidate))
            return candidate;
    }
    return std::nullopt;
}

bool MoveToIconLibrary(const std::string& path)
{
    std::optional<std::string> target = NextIconLibraryPath();
    return target && NSFileManager::defaultManager()->copyItemAtPath(path, *target);
}

} // namespace ovrimo
