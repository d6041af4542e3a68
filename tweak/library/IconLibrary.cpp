#include "tweak/library/IconLibrary.h"

#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/FolderSwap.h"
#include "platform/foundation/NSFileManager.h"
#include "tweak/IconStore.h"

#include <algorithm>
#include <optional>
#include <random>

namespace ovrimo::library {

using objc::Ref;

namespace {

// The store's folder path without its trailing "/", for moves of the folder itself.
// NOTE: functions, not namespace-scope strings: the start-up runs from the library's first
// initializer, before the library's own static objects are made.
std::string withoutTrailingSlash(const char* folder)
{
    std::string path(folder);
    return path.substr(0, path.size() - 1);
}
std::string storeFolder() { return withoutTrailingSlash(kIconStoreFolder); }
std::string libraryFolder() { return withoutTrailingSlash(kLibraryRoot); }

constexpr int kLastNumberedName = 49'999;
constexpr int kRandomNameTries = 64;

NSFileManager* files() { return NSFileManager::defaultManager().ptr(); }

std::vector<std::string> entryNames(const std::string& folder)
{
    Ref<NSArray> names = files()->contentsOfDirectoryAtPath(folder);
    std::vector<std::string> result;
    for (std::string& name : names ? names->strings() : std::vector<std::string> {})
        if (!isWorkInProgress(name))
            result.push_back(std::move(name));
    return result;
}

// A whole-folder change of a device folder, or nothing when the path cannot be resolved.
std::optional<filesystem::FolderSwap> swapFor(const std::string& folder)
{
    auto host = filesystem::DeviceRoot::resolve(folder);
    return host ? std::optional<filesystem::FolderSwap>(std::in_place, *host) : std::nullopt;
}

std::string devicePathOf(const std::filesystem::path& host)
{
    return filesystem::DeviceRoot::devicePathOf(host).value_or("");
}

// The entries directly in `folder` that are folders (by name), or those that are not (by path),
// in name order. The kinds come with the listing itself, in one pass over the folder: a library of
// thousands of pictures is listed without asking about each one. A link is not followed: a link
// to a folder lists as a file, which is never read as a picture.
std::vector<std::string> pathsOf(const std::string& folder, bool folders)
{
    std::vector<std::string> result;
    auto host = filesystem::DeviceRoot::resolve(folder);
    if (!host)
        return result;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(*host, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code kindError;
        bool isFolder = it->symlink_status(kindError).type() == std::filesystem::file_type::directory;
        if (isFolder == folders && !isWorkInProgress(name))
            result.push_back(name);
    }
    std::sort(result.begin(), result.end());
    if (!folders)
        for (std::string& name : result)
            name = folder + name;
    return result;
}

std::string lastComponent(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Copies the regular files among `sources` into `folder` (ending in "/") under their own names.
bool copyRegularFiles(const std::vector<std::string>& sources, const std::string& folder)
{
    for (const std::string& source : sources) {
        if (entryKind(source) != EntryKind::File)
            continue;
        if (!files()->copyItemAtPath(source, folder + lastComponent(source)))
            return false;
    }
    return true;
}

} // namespace

EntryKind entryKind(const std::string& path)
{
    Ref<NSDictionary> attributes = files()->attributesOfItemAtPath(path);
    if (!attributes)
        return EntryKind::Missing;
    std::string type = attributes->stringForKey(NSFileType).value_or("");
    if (type == NSFileTypeRegular)
        return EntryKind::File;
    if (type == NSFileTypeDirectory)
        return EntryKind::Folder;
    return EntryKind::Other;
}

std::string getNextAvailableFileName()
{
    files()->createDirectoryAtPath(kLibraryRoot, true);
    auto numbered = [](unsigned long n) { return std::string(kLibraryRoot) + std::to_string(n) + ".png"; };
    for (int n = 1; n <= kLastNumberedName; ++n)
        if (!files()->fileExistsAtPath(numbered(static_cast<unsigned long>(n))))
            return numbered(static_cast<unsigned long>(n));
    // Every numbered name is taken: a random one above them, but never one that exists.
    std::random_device entropy;
    std::mt19937 generator(entropy());
    std::uniform_int_distribution<std::uint32_t> any;
    for (int attempt = 0; attempt < kRandomNameTries; ++attempt) {
        std::string path = numbered(50'001ul + any(generator) % 10'000'000ul);
        if (entryKind(path) == EntryKind::Missing)
            return path;
    }
    return {};
}

std::vector<std::string> getCustomIconPaths() { return pathsOf(kIconStoreFolder, false); }
std::vector<std::string> getIconLibraryIconPaths() { return pathsOf(kLibraryRoot, false); }
std::vector<std::string> getIconLibrarySubDirsList() { return pathsOf(kLibraryRoot, true); }

std::string subDirPath(const std::string& name) { return std::string(kLibraryRoot) + name + "/"; }

std::vector<std::string> subDirEntryPaths(const std::string& name)
{
    if (!isUsableFolderName(name))
        return {};
    std::vector<std::string> result;
    for (const std::string& entry : entryNames(subDirPath(name)))
        result.push_back(subDirPath(name) + entry);
    return result;
}

std::string trimmedName(const std::string& name)
{
    std::size_t first = name.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    std::size_t last = name.find_last_not_of(" \t");
    return name.substr(first, last - first + 1);
}

bool isUsableFolderName(const std::string& name)
{
    if (trimmedName(name).empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c == '/' || c < 0x20 || c == 0x7f)
            return false;
    return true;
}

bool backUpCustomIcons(const std::string& name)
{
    if (!isUsableFolderName(name))
        return false;
    std::string folder = kLibraryRoot + name;
    if (entryKind(folder) != EntryKind::Missing || !files()->createDirectoryAtPath(kLibraryRoot, true))
        return false;
    auto host = filesystem::DeviceRoot::resolve(folder);
    std::string building = host ? devicePathOf(filesystem::temporarySiblingFor(*host)) : std::string();
    if (building.empty() || !files()->createDirectoryAtPath(building, false))
        return false;
    if (copyRegularFiles(getCustomIconPaths(), building + "/") && files()->moveItemAtPath(building, folder))
        return true;
    files()->removeItemAtPath(building);
    return false;
}

bool restoreCustomIcons(const std::string& name)
{
    if (!isUsableFolderName(name) || entryKind(kLibraryRoot + name) != EntryKind::Folder)
        return false;
    auto swap = swapFor(storeFolder());
    std::error_code ec;
    if (!swap || !swap->stageEmpty(ec))
        return false;
    std::string staged = devicePathOf(swap->staged());
    if (staged.empty() || !copyRegularFiles(subDirEntryPaths(name), staged + "/")) {
        swap->abandon();
        return false;
    }
    return swap->commit(ec);
}

bool isWorkInProgress(const std::string& name)
{
    return filesystem::isAtomicWriteTemporary(name) || filesystem::FolderSwap::isSwapName(name);
}

void RecoverInterruptedChanges()
{
    for (const std::string& folder : { storeFolder(), libraryFolder() }) {
        if (auto swap = swapFor(folder))
            swap->recover();
        if (auto host = filesystem::DeviceRoot::resolve(folder))
            filesystem::removeStaleTemporaries(*host);
    }
    for (const std::string& name : getIconLibrarySubDirsList())
        if (auto host = filesystem::DeviceRoot::resolve(kLibraryRoot + name))
            filesystem::removeStaleTemporaries(*host);
}

bool deleteLibraryFolder(const std::string& name)
{
    if (!isUsableFolderName(name))
        return false;
    // Named without its trailing "/", so that a link is looked at itself and not followed.
    // It is renamed out of the listing first, so that a removal cut short never leaves part of a
    // backup on offer; the start-up removes what is left.
    std::string path = kLibraryRoot + name;
    if (entryKind(path) == EntryKind::Missing)
        return true;
    auto host = filesystem::DeviceRoot::resolve(path);
    std::string leaving = host ? devicePathOf(filesystem::temporarySiblingFor(*host)) : std::string();
    if (!leaving.empty() && files()->moveItemAtPath(path, leaving))
        path = leaving;
    files()->removeItemAtPath(path);
    return entryKind(kLibraryRoot + name) == EntryKind::Missing;
}

} // namespace ovrimo::library
