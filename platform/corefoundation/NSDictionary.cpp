#include "NSDictionary.h"

#include "Create.h"
#include "NSArray.h"
#include "NSNumber.h"
#include "NSString.h"
#include "PropertyList.h"

using objc::Object;
using objc::Ref;

NSDictionary::NSDictionary(Storage entries) { initializeEntries(std::move(entries)); }

void NSDictionary::initializeEntries(Storage entries)
{
    m_entries = std::move(entries);
    std::erase_if(m_entries, [](const auto& entry) { return !entry.second; });
}

Ref<NSDictionary> NSDictionary::make(Storage entries) { return corefoundation::create<NSDictionary>(std::move(entries)); }

Object* NSDictionary::objectForKey(std::string_view key) const
{
    auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : it->second.ptr();
}

std::vector<std::string> NSDictionary::keys() const
{
    std::vector<std::string> result;
    result.reserve(m_entries.size());
    for (const auto& [key, value] : m_entries)
        result.push_back(key);
    return result;
}

bool NSDictionary::isEqualToDictionary(const NSDictionary& other) const
{
    if (&other == this)
        return true;
    if (other.count() != count())
        return false;
    for (const auto& [key, value] : m_entries)
        if (!corefoundation::objectsEqual(value, other.objectForKey(key)))
            return false;
    return true;
}

std::optional<std::string> NSDictionary::stringForKey(std::string_view key) const
{
    if (auto* s = dynamic_cast<NSString*>(objectForKey(key)))
        return s->value();
    return std::nullopt;
}

std::optional<bool> NSDictionary::boolForKey(std::string_view key) const
{
    Object* value = objectForKey(key);
    if (auto* n = dynamic_cast<NSNumber*>(value))
        return n->boolValue();
    if (auto* s = dynamic_cast<NSString*>(value))
        return s->boolValue();
    return std::nullopt;
}

std::optional<std::int64_t> NSDictionary::integerForKey(std::string_view key) const
{
    Object* value = objectForKey(key);
    if (auto* n = dynamic_cast<NSNumber*>(value))
        return n->integerValue();
    if (auto* s = dynamic_cast<NSString*>(value))
        return s->integerValue();
    return std::nullopt;
}

Ref<NSMutableDictionary> NSMutableDictionary::make(Storage entries) { return corefoundation::create<NSMutableDictionary>(std::move(entries)); }

void NSMutableDictionary::setObject(Object* value, std::string key)
{
    if (!value) {
        m_entries.erase(key);
        return;
    }
    m_entries.insert_or_assign(std::move(key), Ref<Object>(value));
}

void NSMutableDictionary::removeObjectForKey(std::string_view key)
{
    if (auto it = m_entries.find(key); it != m_entries.end())
        m_entries.erase(it);
}

void NSMutableDictionary::addEntriesFromDictionary(const NSDictionary& other)
{
    auto entries = other.entries(); // `other` may be this dictionary
    for (auto& [key, value] : entries)
        m_entries.insert_or_assign(key, value);
}

namespace corefoundation {

void registerDictionaryClasses(objc::Runtime& runtime)
{
    using objc::SEL;
    objc::Class* dictionary = runtime.registerClass<NSDictionary>("NSObject");
    auto makeOf = [](Object* cls, NSDictionary::Storage entries) -> Ref<NSDictionary> {
        auto made = static_cast<objc::Class*>(cls)->createInstance();
        auto* result = dynamic_cast<NSDictionary*>(made.ptr());
        if (result)
            result->initializeEntries(std::move(entries));
        return Ref<NSDictionary>(result);
    };
    dictionary->addClassMethod("dictionary", [makeOf](Object* cls, SEL) { return makeOf(cls, {}); });
    dictionary->addClassMethod("dictionaryWithDictionary:", [makeOf](Object* cls, SEL, NSDictionary* other) {
        return makeOf(cls, other ? other->entries() : NSDictionary::Storage {});
    });
    dictionary->addClassMethod("dictionaryWithObject:forKey:", [makeOf](Object* cls, SEL, Object* value, std::string key) {
        NSDictionary::Storage entries;
        entries.emplace(std::move(key), Ref<Object>(value));
        return makeOf(cls, std::move(entries));
    });
    dictionary->addMethod("count", [](NSDictionary* self, SEL) { return static_cast<std::uint64_t>(self->count()); });
    dictionary->addMethod("objectForKey:", [](NSDictionary* self, SEL, std::string key) { return Ref<Object>(self->objectForKey(key)); });
    dictionary->addMethod("valueForKey:", [](NSDictionary* self, SEL, std::string key) { return Ref<Object>(self->objectForKey(key)); });
    dictionary->addMethod("allKeys", [](NSDictionary* self, SEL) { return NSArray::ofStrings(self->keys()); });
    dictionary->addMethod("allValues", [](NSDictionary* self, SEL) {
        std::vector<Ref<Object>> values;
        for (const auto& [key, value] : self->entries())
            values.push_back(value);
        return NSArray::make(std::move(values));
    });
    dictionary->addMethod("isEqualToDictionary:", [](NSDictionary* self, SEL, NSDictionary* other) { return other && self->isEqualToDictionary(*other); });
    dictionary->addMethod("isEqual:", [](NSDictionary* self, SEL, Object* other) {
        auto* otherDictionary = dynamic_cast<NSDictionary*>(other);
        return otherDictionary && self->isEqualToDictionary(*otherDictionary);
    });
    dictionary->addMethod("copy", [](NSDictionary* self, SEL) -> Ref<NSDictionary> { return NSDictionary::make(self->entries()); });
    dictionary->addMethod("mutableCopy", [](NSDictionary* self, SEL) -> Ref<NSMutableDictionary> { return NSMutableDictionary::make(self->entries()); });
    dictionary->addMethod("description", [](NSDictionary* self, SEL) { return describe(self); });

    objc::Class* mutableDictionary = runtime.registerClass<NSMutableDictionary>(dictionary);
    mutableDictionary->addClassMethod("dictionaryWithCapacity:", [makeOf](Object* cls, SEL, std::uint64_t) { return makeOf(cls, {}); });
    mutableDictionary->addMethod("setObject:forKey:", [](NSMutableDictionary* self, SEL, Object* value, std::string key) { self->setObject(value, std::move(key)); });
    mutableDictionary->addMethod("setValue:forKey:", [](NSMutableDictionary* self, SEL, Object* value, std::string key) { self->setObject(value, std::move(key)); });
    mutableDictionary->addMethod("removeObjectForKey:", [](NSMutableDictionary* self, SEL, std::string key) { self->removeObjectForKey(key); });
    mutableDictionary->addMethod("removeAllObjects", [](NSMutableDictionary* self, SEL) { self->removeAllObjects(); });
    mutableDictionary->addMethod("addEntriesFromDictionary:", [](NSMutableDictionary* self, SEL, NSDictionary* other) {
        if (other)
            self->addEntriesFromDictionary(*other);
    });
}

} // namespace corefoundation
