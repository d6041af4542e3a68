#pragma once

#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class NSArray;

// A dictionary with string keys (as property lists have them). Keys are kept sorted, so that
// listings and written files come out the same every time.
class NSDictionary : public objc::NSObject {
    OBJC_CLASS(NSDictionary)
public:
    using Storage = std::map<std::string, objc::Ref<objc::Object>, std::less<>>;

    NSDictionary() = default;
    explicit NSDictionary(Storage entries);

    static objc::Ref<NSDictionary> make(Storage entries = {});

    std::size_t count() const { return m_entries.size(); }
    objc::Object* objectForKey(std::string_view key) const;
    const Storage& entries() const { return m_entries; }
    std::vector<std::string> keys() const;
    bool isEqualToDictionary(const NSDictionary&) const;

    // Typed readings of a value: nothing when the key is absent or the value is of another kind.
    // Numbers and booleans both answer boolForKey and integerForKey, as the platform's
    // boolValue and integerValue do.
    std::optional<std::string> stringForKey(std::string_view key) const;
    std::optional<bool> boolForKey(std::string_view key) const;
    std::optional<std::int64_t> integerForKey(std::string_view key) const;

    // For initializers only.
    void initializeEntries(Storage entries);

protected:
    Storage m_entries;
};

class NSMutableDictionary : public NSDictionary {
    OBJC_CLASS(NSMutableDictionary)
public:
    NSMutableDictionary() = default;
    using NSDictionary::NSDictionary;

    static objc::Ref<NSMutableDictionary> make(Storage entries = {});

    // Setting nil removes the key.
    void setObject(objc::Object* value, std::string key);
    void removeObjectForKey(std::string_view key);
    void removeAllObjects() { m_entries.clear(); }
    void addEntriesFromDictionary(const NSDictionary&);
};

namespace corefoundation {
void registerDictionaryClasses(objc::Runtime&);
} // namespace corefoundation
