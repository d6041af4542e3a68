#pragma once

#include "platform/runtime/Runtime.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class NSDictionary;

namespace corefoundation {

// Equality as the platform's isEqual: has it: both nil, the same object, or the receiver says so.
bool objectsEqual(objc::Object* a, objc::Object* b);

// True when `object` is a property-list value all the way down: NSString, NSNumber, NSData,
// NSDate, or arrays and dictionaries of such values.
bool isPropertyList(objc::Object* object);

// A copy of a property-list value in which no container is shared with the original. Arrays and
// dictionaries keep their mutability, or all become immutable or mutable; leaves (immutable) are
// shared; objects that are not property-list values are shared as they are.
enum class Containers { KeepMutability, Immutable, Mutable };
objc::Ref<objc::Object> deepCopy(objc::Object* object, Containers containers = Containers::KeepMutability);

// A short readable rendering of a value (for logs and descriptions).
std::string describe(objc::Object* object);

// Reads a property list from XML or binary bytes. Null (with `error` set) when the bytes are not
// a property list.
objc::Ref<objc::Object> propertyListFromBytes(std::string_view bytes, std::string* error = nullptr);
objc::Ref<objc::Object> propertyListFromHostFile(const std::filesystem::path& hostPath, std::string* error = nullptr);
// A property list from a device path ("/var/mobile/..."), through the device root.
objc::Ref<objc::Object> propertyListFromDeviceFile(std::string_view devicePath, std::string* error = nullptr);

enum class PropertyListFormat { XML, Binary };
// The bytes of `object` as a property-list file. Nothing when the value is not a property list.
std::optional<std::string> propertyListBytes(objc::Object* object, PropertyListFormat format = PropertyListFormat::XML, std::string* error = nullptr);
// Writes a property list atomically (XML).
bool writePropertyListToHostFile(objc::Object* object, const std::filesystem::path& hostPath, std::string* error = nullptr);

// The largest property-list file read (preferences, Info.plist, specifier lists are far smaller).
constexpr std::size_t maximumPropertyListSize = 64u * 1024 * 1024;

// The array (or dictionary) a device file holds, as a new instance of `cls`: what
// arrayWithContentsOfFile: and initWithContentsOfFile: answer. Null when the file holds none.
objc::Ref<objc::Object> collectionFromDeviceFile(objc::Class* cls, const std::string& devicePath, bool wantArray);
// writeToFile:atomically: of arrays and dictionaries: every write is atomic.
bool writePropertyListToDeviceFile(objc::Object* object, const std::string& devicePath);

} // namespace corefoundation
