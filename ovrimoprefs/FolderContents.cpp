#include "ovrimoprefs/FolderContents.h"

#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/foundation/NSByteCountFormatter.h"
#include "platform/foundation/NSFileManager.h"

namespace ovrimoprefs {

namespace {

NSFileManager* files() { return NSFileManager::defaultManager().ptr(); }

std::vector<std::string> listing(objc::Ref<NSArray> names) { return names ? names->strings() : std::vector<std::string>(); }

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

EmptyingResult RemoveEntries(const std::string& folder)
{
    if (isLink(folder))
        return { {}, withoutSlash(folder) + " is a link to another folder" };
    for (const std::string& name : listing(files()->contentsOfDirectoryAtPath(folder)))
        files()->removeItemAtPath(joined(folder, name));
    return whatIsLeft(folder);
}

EmptyingResult RemoveSubpaths(const std::string& folder)
{
    if (isLink(folder))
        return { {}, withoutSlash(folder) + " is a link to another folder" };
    for (const std::string& relative : listing(files()->subpathsOfDirectoryAtPath(folder)))
        files()->removeItemAtPath(joined(folder, relative));
    return whatIsLeft(folder);
}

} // namespace ovrimoprefs
