#include "PropertyList.h"

#include "CoreFoundationSelectors.h"
#include "platform/runtime/NSObjectSelectors.h"

#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/ReadFile.h"
#include "NSArray.h"
#include "NSData.h"
#include "NSDate.h"
#include "NSDictionary.h"
#include "NSNumber.h"
#include "NSString.h"

#include "platform/filesystem/DeviceRoot.h"
#include "platform/runtime/Message.h"

#include <bit>
#include <cctype>
#include <climits>
#include <cstring>
#include <memory>
#include <plist/plist.h>

using objc::Object;
using objc::Ref;

namespace corefoundation {

namespace {

struct PlistDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistHolder = std::unique_ptr<void, PlistDeleter>;

void setError(std::string* error, std::string text)
{
    if (error)
        *error = std::move(text);
}

// This library's getters hand out a date as 32-bit seconds and an integer without saying whether
// it was stored unsigned, so both are read from (and dates made through) the library's own binary
// form of the one value: "bplist00", the object's marker byte, then its bytes big-endian.
constexpr std::size_t valueMarkerOffset = 8;
constexpr unsigned char dateMarker = 0x33;
constexpr unsigned char sixteenByteIntegerMarker = 0x14;

std::string binaryOfValue(plist_t node)
{
    PlistHolder copy(plist_copy(node));
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(static_cast<plist_t>(copy.get()), &bytes, &length);
    std::string result(bytes ? bytes : "", bytes ? length : 0);
    plist_to_bin_free(bytes);
    return result;
}

std::optional<double> exactDateOf(plist_t node)
{
    std::string binary = binaryOfValue(node);
    if (binary.size() < valueMarkerOffset + 9 || static_cast<unsigned char>(binary[valueMarkerOffset]) != dateMarker)
        return std::nullopt;
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 8; ++i)
        bits = bits << 8 | static_cast<unsigned char>(binary[valueMarkerOffset + 1 + i]);
    return std::bit_cast<double>(bits);
}

plist_t dateNodeOf(double sinceReferenceDate)
{
    plist_t model = plist_new_date(0, 0);
    std::string binary = binaryOfValue(model);
    plist_free(model);
    if (binary.size() < valueMarkerOffset + 9 || static_cast<unsigned char>(binary[valueMarkerOffset]) != dateMarker)
        return nullptr;
    std::uint64_t bits = std::bit_cast<std::uint64_t>(sinceReferenceDate);
    for (std::size_t i = 0; i < 8; ++i)
        binary[valueMarkerOffset + 8 - i] = static_cast<char>(bits >> (8 * i) & 0xff);
    plist_t node = nullptr;
    plist_from_bin(binary.data(), static_cast<std::uint32_t>(binary.size()), &node);
    return node;
}

bool isStoredUnsigned(plist_t node)
{
    std::string binary = binaryOfValue(node);
    return binary.size() > valueMarkerOffset && static_cast<unsigned char>(binary[valueMarkerOffset]) == sixteenByteIntegerMarker;
}

// The library's key getters abort the process on a key holding U+0000; its XML writer writes the
// whole key, so a NUL anywhere in the document shows in the XML. Such a file is damaged here.
bool holdsNulCharacter(plist_t root)
{
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    bool found = xml && std::memchr(xml, '\0', length) != nullptr;
    plist_to_xml_free(xml);
    return found;
}

// The library keeps a binary ASCII-typed string's bytes as they are, but writes any text that is
// not plain ASCII as UTF-16 converted from UTF-8, and its XML reader and writer pass control bytes
// through that the binary form does not keep. Text that is not UTF-8, or holds a control character
// other than a tab or a line end, would not come back the same: such a file is damaged here.
bool isKeepableText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r')
                return false;
            if (byte == 0x7f)
                return false;
            ++i;
            continue;
        }
        std::size_t length = byte >= 0xf0 ? 4 : byte >= 0xe0 ? 3 : byte >= 0xc0 ? 2 : 0;
        if (length == 0 || byte > 0xf4 || (length == 2 && byte < 0xc2) || i + length > text.size())
            return false;
        std::uint32_t point = byte & (0x7f >> length);
        for (std::size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80)
                return false;
            point = point << 6 | (next & 0x3f);
        }
        if ((length == 3 && point < 0x800) || (length == 4 && (point < 0x10000 || point > 0x10ffff)) || (point >= 0xd800 && point <= 0xdfff))
            return false;
        i += length;
    }
    return true;
}

Ref<Object> fromNode(plist_t node, int depth, std::string* error);

Ref<Object> integerFromNode(plist_t node, std::string* error)
{
    // This library keeps every integer as 64 unsigned bits; negative numbers come back in two's
    // complement.
    std::uint64_t value = 0;
    plist_get_uint_val(node, &value);
    if (value > static_cast<std::uint64_t>(INT64_MAX) && isStoredUnsigned(node)) {
        setError(error, "property list holds an integer above 2^63-1 (" + std::to_string(value) + "), which cannot be kept");
        return nullptr;
    }
    return NSNumber::withInteger(static_cast<std::int64_t>(value));
}

Ref<Object> stringFromNode(plist_t node, std::string* error)
{
    std::uint64_t length = 0;
    const char* value = plist_get_string_ptr(node, &length);
    std::string text(value ? value : "", value ? length : 0);
    if (text.find('\0') != std::string::npos) {
        setError(error, "property list holds a string with a NUL character");
        return nullptr;
    }
    if (!isKeepableText(text)) {
        setError(error, "property list holds a string that is not UTF-8 or holds a control character");
        return nullptr;
    }
    return NSString::make(std::move(text));
}

Ref<Object> arrayFromNode(plist_t node, int depth, std::string* error)
{
    auto array = NSMutableArray::make();
    std::uint32_t size = plist_array_get_size(node);
    for (std::uint32_t i = 0; i < size; ++i) {
        Ref<Object> item = fromNode(plist_array_get_item(node, i), depth + 1, error);
        if (!item)
            return nullptr;
        array->addObject(item);
    }
    return array;
}

Ref<Object> dictionaryFromNode(plist_t node, int depth, std::string* error)
{
    auto dictionary = NSMutableDictionary::make();
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(node, iter, &key, &value);
        if (!value) {
            free(key);
            break;
        }
        std::string keyText = key ? key : "";
        free(key);
        if (!isKeepableText(keyText)) {
            free(iter);
            setError(error, "property list holds a key that is not UTF-8 or holds a control character");
            return nullptr;
        }
        Ref<Object> item = fromNode(value, depth + 1, error);
        if (!item) {
            free(iter);
            return nullptr;
        }
        dictionary->setObject(item, std::move(keyText));
    }
    free(iter);
    return dictionary;
}

Ref<Object> fromNode(plist_t node, int depth, std::string* error)
{
    if (depth > 512) {
        setError(error, "property list nested too deeply");
        return nullptr;
    }
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        std::uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return NSNumber::withBool(value != 0);
    }
    case PLIST_UINT:
        return integerFromNode(node, error);
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return NSNumber::withDouble(value);
    }
    case PLIST_STRING:
        return stringFromNode(node, error);
    case PLIST_DATA: {
        std::uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        return NSData::make(std::string_view(bytes ? bytes : "", bytes ? length : 0));
    }
    case PLIST_DATE: {
        auto seconds = exactDateOf(node);
        if (!seconds) {
            setError(error, "property list holds a date that cannot be read");
            return nullptr;
        }
        return NSDate::withTimeIntervalSinceReferenceDate(*seconds);
    }
    case PLIST_ARRAY:
        return arrayFromNode(node, depth, error);
    case PLIST_DICT:
        return dictionaryFromNode(node, depth, error);
    default:
        setError(error, "property list holds a value of an unsupported kind");
        return nullptr;
    }
}

plist_t toNode(Object* object, int depth, std::string* error)
{
    if (depth > 512) {
        setError(error, "property list nested too deeply (or containing itself)");
        return nullptr;
    }
    // The library takes strings and keys up to their first NUL: one holding a NUL is refused,
    // never written cut short.
    if (auto* s = dynamic_cast<NSString*>(object)) {
        if (s->value().find('\0') != std::string::npos) {
            setError(error, "a string with a NUL character cannot be written to a property list");
            return nullptr;
        }
        return plist_new_string(s->value().c_str());
    }
    if (auto* n = dynamic_cast<NSNumber*>(object)) {
        switch (n->kind()) {
        case NSNumber::Kind::Boolean:
            return plist_new_bool(n->boolValue());
        case NSNumber::Kind::Integer:
            return plist_new_uint(static_cast<std::uint64_t>(n->integerValue()));
        case NSNumber::Kind::Real:
            return plist_new_real(n->doubleValue());
        }
    }
    if (auto* d = dynamic_cast<NSData*>(object))
        return plist_new_data(reinterpret_cast<const char*>(d->bytes().data()), d->length());
    if (auto* date = dynamic_cast<NSDate*>(object)) {
        plist_t node = dateNodeOf(date->timeIntervalSinceReferenceDate());
        if (!node)
            setError(error, "a date could not be written to a property list");
        return node;
    }
    if (auto* array = dynamic_cast<NSArray*>(object)) {
        plist_t node = plist_new_array();
        for (const auto& item : array->items()) {
            plist_t child = toNode(item, depth + 1, error);
            if (!child) {
                plist_free(node);
                return nullptr;
            }
            plist_array_append_item(node, child);
        }
        return node;
    }
    if (auto* dictionary = dynamic_cast<NSDictionary*>(object)) {
        plist_t node = plist_new_dict();
        for (const auto& [key, value] : dictionary->entries()) {
            if (key.find('\0') != std::string::npos) {
                setError(error, "a key with a NUL character cannot be written to a property list");
                plist_free(node);
                return nullptr;
            }
            plist_t child = toNode(value, depth + 1, error);
            if (!child) {
                plist_free(node);
                return nullptr;
            }
            plist_dict_set_item(node, key.c_str(), child);
        }
        return node;
    }
    setError(error, "a " + objc::classNameOf(object) + " is not a property-list value");
    return nullptr;
}

std::string quoteIfNeeded(const std::string& text)
{
    bool plain = !text.empty();
    for (char c : text)
        plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '/' || c == '-');
    if (plain)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return quoted + "\"";
}

void describeInto(Object* object, std::string& out, int indent)
{
    std::string pad(static_cast<std::size_t>(indent) * 4, ' ');
    if (!object) {
        out += "(null)";
    } else if (auto* s = dynamic_cast<NSString*>(object)) {
        out += quoteIfNeeded(s->value());
    } else if (auto* n = dynamic_cast<NSNumber*>(object)) {
        out += n->stringValue();
    } else if (auto* d = dynamic_cast<NSData*>(object)) {
        out += "{length = " + std::to_string(d->length()) + "}";
    } else if (auto* date = dynamic_cast<NSDate*>(object)) {
        out += std::to_string(date->timeIntervalSince1970());
    } else if (auto* array = dynamic_cast<NSArray*>(object)) {
        out += "(\n";
        for (std::size_t i = 0; i < array->count(); ++i) {
            out += pad + "    ";
            describeInto(array->objectAtIndex(i), out, indent + 1);
            out += i + 1 < array->count() ? ",\n" : "\n";
        }
        out += pad + ")";
    } else if (auto* dictionary = dynamic_cast<NSDictionary*>(object)) {
        out += "{\n";
        for (const auto& [key, value] : dictionary->entries()) {
            out += pad + "    " + quoteIfNeeded(key) + " = ";
            describeInto(value, out, indent + 1);
            out += ";\n";
        }
        out += pad + "}";
    } else {
        out += objc::sel::description.isAnsweredBy(object) ? objc::sel::description(object) : "<" + objc::classNameOf(object) + ">";
    }
}

} // namespace

bool objectsEqual(Object* a, Object* b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    return objc::sel::isEqual.isAnsweredBy(a) && objc::sel::isEqual(a, b);
}

bool isPropertyList(Object* object)
{
    if (dynamic_cast<NSString*>(object) || dynamic_cast<NSNumber*>(object) || dynamic_cast<NSData*>(object) || dynamic_cast<NSDate*>(object))
        return true;
    if (auto* array = dynamic_cast<NSArray*>(object)) {
        for (const auto& item : array->items())
            if (!isPropertyList(item))
                return false;
        return true;
    }
    if (auto* dictionary = dynamic_cast<NSDictionary*>(object)) {
        for (const auto& [key, value] : dictionary->entries())
            if (!isPropertyList(value))
                return false;
        return true;
    }
    return false;
}

Ref<Object> deepCopy(Object* object, Containers containers)
{
    auto wantsMutable = [containers](bool isMutable) {
        return containers == Containers::Mutable || (containers == Containers::KeepMutability && isMutable);
    };
    if (auto* array = dynamic_cast<NSArray*>(object)) {
        std::vector<Ref<Object>> items;
        items.reserve(array->count());
        for (const auto& item : array->items())
            items.push_back(deepCopy(item, containers));
        if (wantsMutable(dynamic_cast<NSMutableArray*>(object) != nullptr))
            return NSMutableArray::make(std::move(items));
        return NSArray::make(std::move(items));
    }
    if (auto* dictionary = dynamic_cast<NSDictionary*>(object)) {
        NSDictionary::Storage entries;
        for (const auto& [key, value] : dictionary->entries())
            entries.emplace(key, deepCopy(value, containers));
        if (wantsMutable(dynamic_cast<NSMutableDictionary*>(object) != nullptr))
            return NSMutableDictionary::make(std::move(entries));
        return NSDictionary::make(std::move(entries));
    }
    return Ref<Object>(object);
}

std::string describe(Object* object)
{
    std::string out;
    describeInto(object, out, 0);
    return out;
}

Ref<Object> propertyListFromBytes(std::string_view bytes, std::string* error)
{
    if (bytes.empty()) {
        setError(error, "empty data is not a property list");
        return nullptr;
    }
    if (bytes.size() > maximumPropertyListSize) {
        setError(error, "property list too large");
        return nullptr;
    }
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &root);
    if (!root) {
        setError(error, "not a property list (neither XML nor binary)");
        return nullptr;
    }
    PlistHolder holder(root);
    if (holdsNulCharacter(root)) {
        setError(error, "property list holds a string or key with a NUL character");
        return nullptr;
    }
    return fromNode(root, 0, error);
}

Ref<Object> propertyListFromHostFile(const std::filesystem::path& hostPath, std::string* error)
{
    std::string readError;
    auto contents = filesystem::readWholeFile(hostPath, maximumPropertyListSize, &readError);
    if (!contents) {
        setError(error, readError);
        return nullptr;
    }
    std::string parseError;
    Ref<Object> result = propertyListFromBytes(*contents, &parseError);
    if (!result)
        setError(error, hostPath.string() + ": " + parseError);
    return result;
}

Ref<Object> propertyListFromDeviceFile(std::string_view devicePath, std::string* error)
{
    std::string why;
    auto host = filesystem::DeviceRoot::resolve(devicePath, &why);
    if (!host) {
        setError(error, why);
        return nullptr;
    }
    return propertyListFromHostFile(*host, error);
}

std::optional<std::string> propertyListBytes(Object* object, PropertyListFormat format, std::string* error)
{
    if (!object) {
        setError(error, "nil is not a property list");
        return std::nullopt;
    }
    plist_t root = toNode(object, 0, error);
    if (!root)
        return std::nullopt;
    PlistHolder holder(root);
    char* bytes = nullptr;
    std::uint32_t length = 0;
    std::string result;
    if (format == PropertyListFormat::XML) {
        plist_to_xml(root, &bytes, &length);
        result.assign(bytes ? bytes : "", bytes ? length : 0);
        plist_to_xml_free(bytes);
    } else {
        plist_to_bin(root, &bytes, &length);
        result.assign(bytes ? bytes : "", bytes ? length : 0);
        plist_to_bin_free(bytes);
    }
    // The library changes some values on the way out without a word (XML dates become whole
    // seconds, and far or negative fractional ones go wrong; a key that is not UTF-8 is mangled in
    // binary). What does not read back as the same value is refused, never written changed.
    Ref<Object> back = propertyListFromBytes(result);
    if (!back || !objectsEqual(back, object)) {
        setError(error, std::string("the value would not be kept exactly as a ") + (format == PropertyListFormat::XML ? "XML" : "binary") + " property list");
        return std::nullopt;
    }
    return result;
}

bool writePropertyListToHostFile(Object* object, const std::filesystem::path& hostPath, std::string* error)
{
    // XML as a rule; binary when only binary keeps every value (dates with fractions of a
    // second, dates far from now). Readers take either.
    std::string xmlError;
    auto bytes = propertyListBytes(object, PropertyListFormat::XML, &xmlError);
    if (!bytes)
        bytes = propertyListBytes(object, PropertyListFormat::Binary, error);
    return bytes && filesystem::writeFileAtomically(hostPath, *bytes, error);
}

Ref<Object> collectionFromDeviceFile(objc::Class* cls, const std::string& devicePath, bool wantArray)
{
    Ref<Object> value = propertyListFromDeviceFile(devicePath);
    bool isArray = dynamic_cast<NSArray*>(value.ptr()) != nullptr;
    bool isDictionary = dynamic_cast<NSDictionary*>(value.ptr()) != nullptr;
    if (!(wantArray ? isArray : isDictionary))
        return nullptr;
    Ref<Object> made = cls->createInstance();
    if (auto* array = dynamic_cast<NSArray*>(made.ptr()))
        array->initializeItems(static_cast<NSArray*>(value.ptr())->items());
    else if (auto* dictionary = dynamic_cast<NSDictionary*>(made.ptr()))
        dictionary->initializeEntries(static_cast<NSDictionary*>(value.ptr())->entries());
    return made;
}

bool writePropertyListToDeviceFile(Object* object, const std::string& devicePath)
{
    auto host = filesystem::DeviceRoot::resolve(devicePath);
    return host && writePropertyListToHostFile(object, *host);
}

} // namespace corefoundation
