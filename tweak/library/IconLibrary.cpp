#include "tweak/library/IconLibrary.h"

#include "platform/foundation/NSFileManager.h"
#include "tweak/IconStore.h"

#include <random>

namespace ovrimo::library {

using objc::Ref;

namespace {

// The store's folder path without its trailing "/", for moves of the folder itself.
const std::string kStoreFolder = std::string(kIconStoreFolder).substr(0, std::string(kIconStoreFolder).size() - 1);
// Where a restore builds the new store, and where the old one waits while they are swapped.
const std::string kStagedStore = "/var/mobile/Documents/Ovrimo/.Icons-restoring";
const std::string kPreviousStore = "/var/mobile/Documents/Ovrimo/.Icons-previous";

constexpr int kLastNumberedName = 49'999;
constexpr int kRandomNameTries = 64;

NSFileManager* files() { return NSFileManager::defaultManager().ptr(); }

std::vector<std::string> entryNames(const std::string& folder)
{
    Ref<NSArray> names = files()->contentsOfDirectoryAtPath(folder);
    return names ? names->strings() : std::vector<std::string> {};
}

std::vector<std::string> pathsOf(const std::string& folder, bool folders)
{
    std::vector<std::string> result;
    for (const std::string& name : entryNames(folder)) {
        std::string path = folder + name;
        if ((entryKind(path) == EntryKind::Folder) == folders)
            result.push_back(folders ? name : path);
    }
    return result;
}

std::string lastComponent(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool removeIfPresent(const std::string& path)
{
    if (entryKind(path) == EntryKind::Missing)
        return true;
    files()->removeItemAtPath(path);
    return entryKind(path) == EntryKind::Missing;
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
    std::string folder = subDirPath(name);
    if (entryKind(kLibraryRoot + name) != EntryKind::Missing)
        return false;
    if (!files()->createDirectoryAtPath(folder, true) || entryKind(folder) != EntryKind::Folder)
        return false;
    if (copyRegularFiles(getCustomIconPaths(), folder))
        return true;
    files()->removeItemAtPath(folder);
    return false;
}

bool restoreCustomIcons(const std::string& name)
{
    if (!isUsableFolderName(name) || entryKind(kLibraryRoot + name) != EntryKind::Folder)
        return false;
    // Leftovers of a restore that was cut short are dropped first; the store itself is whole.
    if (!removeIfPresent(kStagedStore) || !removeIfPresent(kPreviousStore))
        return false;
    if (!files()->createDirectoryAtPath(kStagedStore, true))
        return false;
    if (!copyRegularFiles(subDirEntryPaths(name), kStagedStore + "/")) {
        files()->removeItemAtPath(kStagedStore);
        return false;
    }
    bool hadStore = entryKind(kStoreFolder) != EntryKind::Missing;
    if (hadStore && !files()->moveItemAtPath(kStoreFolder, kPreviousStore)) {
        files()->removeItemAtPath(kStagedStore);
        return false;
    }
    if (!files()->moveItemAtPath(kStagedStore, kStoreFolder)) {
        if (hadStore)
            files()->moveItemAtPath(kPreviousStore, kStoreFolder);
        files()->removeItemAtPath(kStagedStore);
        return false;
    }
    files()->removeItemAtPath(kPreviousStore);
    return true;
}

bool deleteLibraryFolder(const std::string& name)
{
    if (!isUsableFolderName(name))
        return false;
    // Named without its trailing "/", so that a link is looked at itself and not followed.
    return removeIfPresent(kLibraryRoot + name);
}

} // namespace ovrimo::library
