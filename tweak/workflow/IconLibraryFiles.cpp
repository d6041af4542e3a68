#include "tweak/workflow/IconLibraryFiles.h"

#include "platform/corefoundation/StringFormat.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/FolderSwap.h"
#include "platform/foundation/NSFileManager.h"

#include <random>

namespace ovrimo {

namespace {

constexpr int kRandomFileNameTries = 64;

std::string libraryFile(const std::string& folder, std::uint32_t number) { return corefoundation::stringWithFormat("%@%d.png", folder, number); }

// The next free numbered name in `folder` (the library or a copy of it being built).
std::optional<std::string> nextNumberedPath(const std::string& folder)
{
    objc::Ref<NSFileManager> files = NSFileManager::defaultManager();
    if (!files->fileExistsAtPath(folder))
        files->createDirectoryAtPath(folder, true);
    for (int n = 1; n <= kNumberedLibraryNames; ++n) {
        std::string candidate = libraryFile(folder, static_cast<std::uint32_t>(n));
        if (!files->fileExistsAtPath(candidate))
            return candidate;
    }
    static std::mt19937 random { std::random_device {}() };
    for (int attempt = 0; attempt < kRandomFileNameTries; ++attempt) {
        std::string candidate = libraryFile(folder, random() % 10000000u);
        if (!files->fileExistsAtPath(candidate))
            return candidate;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> NextIconLibraryPath() { return nextNumberedPath(kIconLibraryFolder); }

bool MoveToIconLibrary(const std::string& path)
{
    std::optional<std::string> target = NextIconLibraryPath();
    return target && NSFileManager::defaultManager()->copyItemAtPath(path, *target);
}

bool MoveAllToIconLibrary(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return true;
    auto host = filesystem::DeviceRoot::resolve(kIconLibraryFolder);
    if (!host)
        return false;
    filesystem::FolderSwap swap(*host);
    std::error_code ec;
    if (!swap.stageCopy(ec))
        return false;
    std::optional<std::string> staged = filesystem::DeviceRoot::devicePathOf(swap.staged());
    for (const std::string& path : paths) {
        std::optional<std::string> target = staged ? nextNumberedPath(*staged + "/") : std::nullopt;
        if (!target || !NSFileManager::defaultManager()->copyItemAtPath(path, *target)) {
            swap.abandon();
            return false;
        }
    }
    return swap.commit(ec);
}

} // namespace ovrimo
