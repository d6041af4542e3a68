#pragma once

#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSData.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/foundation/NSError.h"

#include <string>

// Attribute keys and file types of attributesOfItemAtPath:error:.
inline const std::string NSFileSize = "NSFileSize";
inline const std::string NSFileType = "NSFileType";
inline const std::string NSFileModificationDate = "NSFileModificationDate";
inline const std::string NSFilePosixPermissions = "NSFilePosixPermissions";
inline const std::string NSFileTypeRegular = "NSFileTypeRegular";
inline const std::string NSFileTypeDirectory = "NSFileTypeDirectory";
inline const std::string NSFileTypeSymbolicLink = "NSFileTypeSymbolicLink";
inline const std::string NSFileTypeUnknown = "NSFileTypeUnknown";

// The file manager over the device's file system. Every path is a device path; one that would
// leave the device root (by ".." or through a symbolic link pointing out) is refused with an
// error and never followed. The C++ members send the platform's selectors, so a replaced method
// is seen by C++ callers too. Out parameters: pass `&value`, or a typed null
// (NSErrorPointer(nullptr), static_cast<bool*>(nullptr)) through msgSend.
class NSFileManager : public objc::NSObject {
    OBJC_CLASS(NSFileManager)
public:
    static objc::Ref<NSFileManager> defaultManager();

    bool fileExistsAtPath(const std::string& path, bool* isDirectory = nullptr);
    // Names of the entries of a folder, sorted.
    objc::Ref<NSArray> contentsOfDirectoryAtPath(const std::string& path, NSErrorPointer error = nullptr);
    // Paths of everything below a folder, relative to it, each folder before its contents.
    objc::Ref<NSArray> subpathsOfDirectoryAtPath(const std::string& path, NSErrorPointer error = nullptr);
    // Fails when `to` exists. Folders are copied with everything in them.
    bool copyItemAtPath(const std::string& from, const std::string& to, NSErrorPointer error = nullptr);
    bool moveItemAtPath(const std::string& from, const std::string& to, NSErrorPointer error = nullptr);
    bool removeItemAtPath(const std::string& path, NSErrorPointer error = nullptr);
    bool createDirectoryAtPath(const std::string& path, bool withIntermediateDirectories, NSDictionary* attributes = nullptr, NSErrorPointer error = nullptr);
    objc::Ref<NSDictionary> attributesOfItemAtPath(const std::string& path, NSErrorPointer error = nullptr);
    // Writes the file atomically, replacing an existing file.
    bool createFileAtPath(const std::string& path, NSData* contents, NSDictionary* attributes = nullptr);
};

namespace foundation {
void registerFileManagerClass(objc::Runtime&);
// NSData's file methods: dataWithContentsOfFile:, initWithContentsOfFile:, writeToFile:atomically:.
void registerDataFileMethods(objc::Runtime&);
// The largest file dataWithContentsOfFile: reads.
constexpr std::size_t maximumFileReadSize = 512u * 1024 * 1024;
} // namespace foundation
