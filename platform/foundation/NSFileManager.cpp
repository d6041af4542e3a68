#include "NSFileManager.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/Category.h"

#include "platform/filesystem/DeviceRoot.h"
#include "FoundationCreate.h"

#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/FileOperations.h"
#include "platform/filesystem/ReadFile.h"
#include "platform/corefoundation/NSDate.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/runtime/Message.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using objc::Object;
using objc::Ref;
using objc::SEL;

namespace foundation {

using filesystem::DeviceRoot;

namespace {

// The state of one booted device: its file manager.
struct FileManagerState {
    Ref<NSFileManager> defaultManager;
};

std::string quoted(const std::string& path) { return "“" + fs::path(path).filename().string() + "”"; }

// The host path of a device path, or an error saying the path is not on this device.
std::optional<fs::path> resolveOrReport(const std::string& path, NSErrorPointer error, bool writing)
{
    auto host = DeviceRoot::resolve(path);
    if (!host)
        reportError(error, NSCocoaErrorDomain, writing ? NSFileWriteInvalidFileNameError : NSFileReadInvalidFileNameError,
            "The path " + (path.empty() ? std::string("(empty)") : path) + " is not a path on this device.");
    return host;
}

bool existsNoFollow(const fs::path& host)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(host, ec));
}

void reportMissing(NSErrorPointer error, const std::string& path, bool reading)
{
    reportError(error, NSCocoaErrorDomain, reading ? NSFileReadNoSuchFileError : NSFileNoSuchFileError,
        "The file " + quoted(path) + " couldn’t be opened because there is no such file.");
}

void reportSystem(NSErrorPointer error, const std::string& what, const std::string& path, int code)
{
    std::int64_t cocoa = code == EACCES || code == EPERM ? NSFileWriteNoPermissionError : code == EEXIST ? NSFileWriteFileExistsError
        : code == ENOENT                                                                                 ? NSFileNoSuchFileError
                                                                                                         : NSFileWriteUnknownError;
    reportError(error, NSCocoaErrorDomain, cocoa, what + " " + quoted(path) + ": " + std::strerror(code) + ".");
}

std::vector<std::string> sortedNames(const fs::path& folder, std::error_code& ec)
{
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void collectSubpaths(const fs::path& folder, const std::string& prefix, std::vector<std::string>& out, int depth)
{
    if (depth > 256)
        return;
    std::error_code ec;
    for (const auto& name : sortedNames(folder, ec)) {
        std::string relative = prefix.empty() ? name : prefix + "/" + name;
        out.push_back(relative);
        fs::path child = folder / name;
        // Symbolic links are listed, never followed.
        if (fs::is_directory(fs::symlink_status(child, ec)))
            collectSubpaths(child, relative, out, depth + 1);
    }
}

bool isRootOrAbove(const fs::path& host)
{
    std::error_code ec;
    return fs::weakly_canonical(host, ec) == DeviceRoot::host();
}

bool isWithin(const fs::path& inner, const fs::path& outer)
{
    std::error_code ec;
    fs::path a = fs::weakly_canonical(inner, ec), b = fs::weakly_canonical(outer, ec);
    auto [endOuter, at] = std::mismatch(b.begin(), b.end(), a.begin(), a.end());
    return endOuter == b.end();
}

// --- The operations behind the selectors ---

bool fileExists(const std::string& path, bool* isDirectory)
{
    if (isDirectory)
        *isDirectory = false;
    auto host = DeviceRoot::resolve(path);
    std::error_code ec;
    if (!host)
        return false;
    auto status = fs::status(*host, ec); // follows symbolic links (which stay inside the root)
    if (ec || !fs::exists(status))
        return false;
    if (isDirectory)
        *isDirectory = fs::is_directory(status);
    return true;
}

Ref<NSArray> contentsOfDirectory(const std::string& path, NSErrorPointer error)
{
    auto host = resolveOrReport(path, error, false);
    if (!host)
        return nullptr;
    std::error_code ec;
    if (!fs::is_directory(*host, ec)) {
        if (fs::exists(*host, ec))
            reportError(error, NSCocoaErrorDomain, NSFileReadUnknownError, "The file " + quoted(path) + " is not a folder.");
        else
            reportMissing(error, path, true);
        return nullptr;
    }
    auto names = sortedNames(*host, ec);
    if (ec) {
        reportSystem(error, "Cannot list", path, ec.value());
        return nullptr;
    }
    return NSArray::ofStrings(names);
}

Ref<NSArray> subpathsOfDirectory(const std::string& path, NSErrorPointer error)
{
    auto host = resolveOrReport(path, error, false);
    if (!host)
        return nullptr;
    std::error_code ec;
    if (!fs::is_directory(*host, ec)) {
        reportMissing(error, path, true);
        return nullptr;
    }
    std::vector<std::string> subpaths;
    collectSubpaths(*host, "", subpaths, 0);
    return NSArray::ofStrings(subpaths);
}

bool copyItem(const std::string& from, const std::string& to, NSErrorPointer error)
{
    auto source = resolveOrReport(from, error, false);
    auto target = source ? resolveOrReport(to, error, true) : std::nullopt;
    if (!source || !target)
        return false;
    if (!existsNoFollow(*source)) {
        reportMissing(error, from, true);
        return false;
    }
    if (existsNoFollow(*target)) {
        reportError(error, NSCocoaErrorDomain, NSFileWriteFileExistsError,
            quoted(from) + " couldn’t be copied to " + quoted(fs::path(to).parent_path().string()) + " because an item with the same name already exists.");
        return false;
    }
    std::error_code ec;
    if (!fs::is_directory(target->parent_path(), ec)) {
        reportMissing(error, fs::path(to).parent_path().string(), false);
        return false;
    }
    if (fs::is_directory(fs::symlink_status(*source, ec)) && isWithin(*target, *source)) {
        reportError(error, NSCocoaErrorDomain, NSFileWriteUnknownError, "A folder cannot be copied into itself.");
        return false;
    }
    // Build the copy under a temporary name and move it into place in one step, so that a failed
    // copy leaves nothing half-made at the destination.
    fs::path temporary = filesystem::temporarySiblingFor(*target);
    if (!filesystem::copyTree(*source, temporary, ec)) {
        int code = ec.value();
        filesystem::removeTree(temporary, ec);
        reportSystem(error, "Cannot copy", from, code);
        return false;
    }
    std::string renameError;
    if (!filesystem::renameWithoutReplacing(temporary, *target, &renameError)) {
        int code = errno;
        filesystem::removeTree(temporary, ec);
        reportSystem(error, "Cannot copy", from, code);
        return false;
    }
    return true;
}

bool removeItem(const std::string& path, NSErrorPointer error)
{
    auto host = resolveOrReport(path, error, true);
    if (!host)
        return false;
    if (isRootOrAbove(*host)) {
        reportError(error, NSCocoaErrorDomain, NSFileWriteNoPermissionError, "The device's root folder cannot be removed.");
        return false;
    }
    if (!existsNoFollow(*host)) {
        reportMissing(error, path, false);
        return false;
    }
    std::error_code ec;
    if (!filesystem::removeTree(*host, ec)) { // removes symbolic links themselves, never what they point to
        reportSystem(error, "Cannot remove", path, ec.value());
        return false;
    }
    return true;
}

bool moveItem(const std::string& from, const std::string& to, NSErrorPointer error)
{
    auto source = resolveOrReport(from, error, true);
    auto target = source ? resolveOrReport(to, error, true) : std::nullopt;
    if (!source || !target)
        return false;
    if (!existsNoFollow(*source)) {
        reportMissing(error, from, true);
        return false;
    }
    if (isRootOrAbove(*source)) {
        reportError(error, NSCocoaErrorDomain, NSFileWriteNoPermissionError, "The device's root folder cannot be moved.");
        return false;
    }
    if (existsNoFollow(*target)) {
        reportError(error, NSCocoaErrorDomain, NSFileWriteFileExistsError,
            quoted(from) + " couldn’t be moved to " + quoted(fs::path(to).parent_path().string()) + " because an item with the same name already exists.");
        return false;
    }
    if (filesystem::renameWithoutReplacing(*source, *target))
        return true;
    if (errno != EXDEV) {
        reportSystem(error, "Cannot move", from, errno);
        return false;
    }
    return copyItem(from, to, error) && removeItem(from, error);
}

bool createDirectory(const std::string& path, bool intermediate, NSErrorPointer error)
{
    auto host = resolveOrReport(path, error, true);
    if (!host)
        return false;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(*host, ec))) {
        if (intermediate && fs::is_directory(*host, ec))
            return true;
        reportError(error, NSCocoaErrorDomain, NSFileWriteFileExistsError, "The file " + quoted(path) + " couldn’t be saved because a file with the same name already exists.");
        return false;
    }
    if (intermediate ? !filesystem::makeFolders(*host, ec) : !filesystem::makeFolder(*host, ec)) {
        reportSystem(error, "Cannot create the folder", path, ec.value());
        return false;
    }
    return true;
}

Ref<NSDictionary> attributesOfItem(const std::string& path, NSErrorPointer error)
{
    auto host = resolveOrReport(path, error, false);
    if (!host)
        return nullptr;
    struct stat info {};
    if (lstat(host->c_str(), &info) != 0) {
        if (errno == ENOENT)
            reportMissing(error, path, true);
        else
            reportSystem(error, "Cannot read the attributes of", path, errno);
        return nullptr;
    }
    const std::string& type = S_ISREG(info.st_mode) ? NSFileTypeRegular : S_ISDIR(info.st_mode) ? NSFileTypeDirectory
        : S_ISLNK(info.st_mode)                                                                  ? NSFileTypeSymbolicLink
                                                                                                 : NSFileTypeUnknown;
    NSDictionary::Storage entries;
    entries.emplace(NSFileSize, NSNumber::withInteger(info.st_size));
    entries.emplace(NSFileType, NSString::make(type));
    entries.emplace(NSFileModificationDate, NSDate::withTimeIntervalSince1970(info.st_mtim.tv_sec + info.st_mtim.tv_nsec / 1e9));
    entries.emplace(NSFilePosixPermissions, NSNumber::withInteger(info.st_mode & 07777));
    return NSDictionary::make(std::move(entries));
}

bool createFile(const std::string& path, NSData* contents)
{
    auto host = DeviceRoot::resolve(path);
    if (!host)
        return false;
    std::error_code ec;
    // The platform writes into an existing folder only.
    if (!fs::is_directory(host->parent_path(), ec) || fs::is_directory(*host, ec))
        return false;
    return filesystem::writeFileAtomically(*host, contents ? contents->view() : std::string_view());
}

} // namespace

namespace {

// The runtime methods; the file manager keeps no state of its own.
Ref<NSFileManager> defaultManager()
{
    auto& state = objc::Runtime::current().state<FileManagerState>();
    if (!state.defaultManager)
        state.defaultManager = foundation::create<NSFileManager>();
    return state.defaultManager;
}

bool fileExistsAtPath(NSFileManager*, std::string path) { return fileExists(path, nullptr); }
bool fileExistsAtPathIsDirectory(NSFileManager*, std::string path, bool* isDirectory) { return fileExists(path, isDirectory); }
Ref<NSArray> contentsOfDirectoryAtPath(NSFileManager*, std::string path, NSErrorPointer error) { return contentsOfDirectory(path, error); }
Ref<NSArray> subpathsOfDirectoryAtPath(NSFileManager*, std::string path, NSErrorPointer error) { return subpathsOfDirectory(path, error); }
Ref<NSArray> subpathsAtPath(NSFileManager*, std::string path) { return subpathsOfDirectory(path, nullptr); }
bool copyItemAtPath(NSFileManager*, std::string from, std::string to, NSErrorPointer error) { return copyItem(from, to, error); }
bool moveItemAtPath(NSFileManager*, std::string from, std::string to, NSErrorPointer error) { return moveItem(from, to, error); }
bool removeItemAtPath(NSFileManager*, std::string path, NSErrorPointer error) { return removeItem(path, error); }

bool createDirectoryAtPath(NSFileManager*, std::string path, bool intermediate, NSDictionary*, NSErrorPointer error)
{
    return createDirectory(path, intermediate, error);
}

Ref<NSDictionary> attributesOfItemAtPath(NSFileManager*, std::string path, NSErrorPointer error) { return attributesOfItem(path, error); }
bool createFileAtPath(NSFileManager*, std::string path, NSData* contents, NSDictionary*) { return createFile(path, contents); }

Ref<NSData> dataOfFile(const std::string& path)
{
    auto host = DeviceRoot::resolve(path);
    auto bytes = host ? filesystem::readWholeFile(*host, maximumFileReadSize) : std::nullopt;
    return bytes ? NSData::make(*bytes) : nullptr;
}

Ref<NSData> contentsAtPath(NSFileManager*, std::string path) { return dataOfFile(path); }
Ref<NSData> dataWithContentsOfFile(std::string path) { return dataOfFile(path); }
Ref<Object> initDataWithContentsOfFile(NSData*, std::string path) { return dataOfFile(path); }

// Every write is atomic here (temporary file, then rename), whatever `atomically` says: no
// reader ever sees half a file, and a failed write leaves nothing behind.
bool writeDataToFile(NSData* self, std::string path, bool)
{
    auto host = DeviceRoot::resolve(path);
    std::error_code ec;
    if (!host || fs::is_directory(*host, ec) || !fs::is_directory(host->parent_path(), ec))
        return false;
    return filesystem::writeFileAtomically(*host, self->view());
}

} // namespace

void registerFileManagerClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSFileManager>(runtime, "NSObject")
        .classMethod(sel::defaultManager, &defaultManager)
        .method(sel::fileExistsAtPath, &fileExistsAtPath)
        .method(sel::fileExistsAtPathIsDirectory, &fileExistsAtPathIsDirectory)
        .method(sel::contentsOfDirectoryAtPathError, &contentsOfDirectoryAtPath)
        .method(sel::subpathsOfDirectoryAtPathError, &subpathsOfDirectoryAtPath)
        .method(sel::subpathsAtPath, &subpathsAtPath)
        .method(sel::copyItemAtPathToPathError, &copyItemAtPath)
        .method(sel::moveItemAtPathToPathError, &moveItemAtPath)
        .method(sel::removeItemAtPathError, &removeItemAtPath)
        .method(sel::createDirectoryAtPathWithIntermediateDirectoriesAttributesError, &createDirectoryAtPath)
        .method(sel::attributesOfItemAtPathError, &attributesOfItemAtPath)
        .method(sel::createFileAtPathContentsAttributes, &createFileAtPath)
        .method(sel::contentsAtPath, &contentsAtPath)
        .build();
}

void registerDataFileMethods(objc::Runtime& runtime)
{
    objc::Category<NSData>(runtime, "NSData")
        .classMethod(sel::dataWithContentsOfFile, &dataWithContentsOfFile)
        .method(corefoundation::sel::initWithContentsOfFile, &initDataWithContentsOfFile)
        .method(corefoundation::sel::writeToFileAtomically, &writeDataToFile);
}

} // namespace foundation

Ref<NSFileManager> NSFileManager::defaultManager()
{
    foundation::ensureRegistered();
    return foundation::sel::defaultManager(objc::classOf<NSFileManager>());
}

namespace sel = foundation::sel;

bool NSFileManager::fileExistsAtPath(const std::string& path, bool* isDirectory) { return sel::fileExistsAtPathIsDirectory(this, path, isDirectory); }

Ref<NSArray> NSFileManager::contentsOfDirectoryAtPath(const std::string& path, NSErrorPointer error) { return sel::contentsOfDirectoryAtPathError(this, path, error); }

Ref<NSArray> NSFileManager::subpathsOfDirectoryAtPath(const std::string& path, NSErrorPointer error) { return sel::subpathsOfDirectoryAtPathError(this, path, error); }

bool NSFileManager::copyItemAtPath(const std::string& from, const std::string& to, NSErrorPointer error) { return sel::copyItemAtPathToPathError(this, from, to, error); }

bool NSFileManager::moveItemAtPath(const std::string& from, const std::string& to, NSErrorPointer error) { return sel::moveItemAtPathToPathError(this, from, to, error); }

bool NSFileManager::removeItemAtPath(const std::string& path, NSErrorPointer error) { return sel::removeItemAtPathError(this, path, error); }

bool NSFileManager::createDirectoryAtPath(const std::string& path, bool withIntermediateDirectories, NSDictionary* attributes, NSErrorPointer error)
{
    return sel::createDirectoryAtPathWithIntermediateDirectoriesAttributesError(this, path, withIntermediateDirectories, attributes, error);
}

Ref<NSDictionary> NSFileManager::attributesOfItemAtPath(const std::string& path, NSErrorPointer error) { return sel::attributesOfItemAtPathError(this, path, error); }

bool NSFileManager::createFileAtPath(const std::string& path, NSData* contents, NSDictionary* attributes)
{
    return sel::createFileAtPathContentsAttributes(this, path, contents, attributes);
}
