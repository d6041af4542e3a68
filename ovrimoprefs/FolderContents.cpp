#include "ovrimoprefs/FolderContents.h"

#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/FolderSwap.h"
#include "platform/foundation/NSByteCountFormatter.h"
#include "platform/foundation/NSFileManager.h"

namespace ovrimoprefs {

namespace {

NSFileManager* files() { return NSFileManager::defaultManager().ptr(); }

// A path (relative or a name) that is or lies inside a temporary of a file being written.
bool isWorkInProgress(const std::string& path)
{
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (filesystem::isAtomicWriteTemporary(part))
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

std::vector<std::string> listing(objc::Ref<NSArray> names)
{
    std::vector<std::string> result;
    for (std::string& name : names ? names->strings() : std::vector<std::string>())
        if (!isWorkInProgress(name))
            result.push_back(std::move(name));
    return result;
}

// The folder path without its final "/", so that a folder that is a link is seen as the link.
std::string withoutSlash(const std::string& folder)
{
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string joined(const std::string& folder, const std::string& relative)
{
    return folder.empty() || folder.back() == '/' ? folder + relative : folder + "/" + relative;
}

bool isLink(const std::string& path)
{
    objc::Ref<NSDictionary> attributes = files()->attributesOfItemAtPath(withoutSlash(path));
    return attributes && attributes->stringForKey(NSFileType).value_or("") == NSFileTypeSymbolicLink;
}

EmptyingResult whatIsLeft(const std::string& folder)
{
    EmptyingResult result;
    result.leftOver = listing(files()->contentsOfDirectoryAtPath(folder));
    return result;
}

} // namespace

int CountEntries(const std::string& folder) { return static_cast<int>(listing(files()->contentsOfDirectoryAtPath(folder)).size()); }

int CountFilesBelow(const std::string& folder)
{
    int count = 0;
    for (const std::string& relative : listing(files()->subpathsOfDirectoryAtPath(folder))) {
        bool isDirectory = false;
        bool exists = files()->fileExistsAtPath(joined(folder, relative), &isDirectory);
        // A link to a folder is a link, not a folder of the library.
        if (!exists || !isDirectory || isLink(joined(folder, relative)))
            ++count;
    }
    return count;
}

std::int64_t TotalSizeBelow(const std::string& folder)
{
    std::int64_t total = 0;
    for (const std::string& relative : listing(files()->subpathsOfDirectoryAtPath(folder))) {
        objc::Ref<NSDictionary> attributes = files()->attributesOfItemAtPath(joined(folder, relative));
        if (!attributes)
            continue;
        if (auto* size = dynamic_cast<NSNumber*>(attributes->objectForKey(NSFileSize)))
            total += size->integerValue();
    }
    return total;
}

std::string SizeText(const std::string& folder) { return NSByteCountFormatter::stringFromByteCount(TotalSizeBelow(folder), NSByteCountFormatterCountStyleFile); }

EmptyingResult EmptyFolder(const std::string& folder)
{
    if (isLink(folder))
        return { {}, withoutSlash(folder) + " is a link to another folder" };
    bool isDirectory = false;
    if (!files()->fileExistsAtPath(withoutSlash(folder), &isDirectory))
        return {};
    if (!isDirectory)
        return { {}, withoutSlash(folder) + " is not a folder" };
    auto host = filesystem::DeviceRoot::resolve(withoutSlash(folder));
    std::error_code ec;
    if (!host)
        return { {}, withoutSlash(folder) + " cannot be reached" };
    if (!filesystem::FolderSwap(*host).discardContents(ec))
        return { {}, withoutSlash(folder) + " could not be emptied (" + ec.message() + ")" };
    return whatIsLeft(folder);
}

} // namespace ovrimoprefs
