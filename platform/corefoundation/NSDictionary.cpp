#include "NSDictionary.h"

#include "CoreFoundationSelectors.h"
#include "Create.h"
#include "NSArray.h"
#include "NSNumber.h"
#include "NSString.h"
#include "PropertyList.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

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

namespace {

// The class methods make an instance of the class they are sent to, so [NSMutableDictionary
// dictionary] is mutable: each class registers them with its own type.
template<class T>
Ref<NSDictionary> emptyDictionary()
{
    return T::make();
}

template<class T>
Ref<NSDictionary> dictionaryWithDictionary(NSDictionary* other)
{
    return T::make(other ? other->entries() : NSDictionary::Storage {});
}

template<class T>
Ref<NSDictionary> dictionaryWithObjectForKey(Object* value, std::string key)
{
    NSDictionary::Storage entries;
    entries.emplace(std::move(key), Ref<Object>(value));
    return T::make(std::move(entries));
}

Ref<NSDictionary> dictionaryWithCapacity(std::uint64_t) { return NSMutableDictionary::make(); }

std::uint64_t dictionaryCount(NSDictionary* self) { return self->count(); }
Ref<Object> objectForKey(NSDictionary* self, std::string key) { return self->objectForKey(key); }
Ref<NSArray> allKeys(NSDictionary* self) { return NSArray::ofStrings(self->keys()); }

Ref<NSArray> allValues(NSDictionary* self)
{
    std::vector<Ref<Object>> values;
    for (const auto& [key, value] : self->entries())
        values.push_back(value);
    return NSArray::make(std::move(values));
}

bool isEqualToDictionary(NSDictionary* self, NSDictionary* other) { return other && self->isEqualToDictionary(*other); }

bool dictionaryIsEqual(NSDictionary* self, Object* other)
{
    auto* otherDictionary = dynamic_cast<NSDictionary*>(other);
    return otherDictionary && self->isEqualToDictionary(*otherDictionary);
}

Ref<NSDictionary> copyDictionary(NSDictionary* self) { return NSDictionary::make(self->entries()); }
Ref<NSMutableDictionary> mutableCopyDictionary(NSDictionary* self) { return NSMutableDictionary::make(self->entries()); }
std::string describeDictionary(NSDictionary* self) { return corefoundation::describe(self); }
void removeObjectForKey(NSMutableDictionary* self, std::string key) { self->removeObjectForKey(key); }

void addEntriesFromDictionary(NSMutableDictionary* self, NSDictionary* other)
{
    if (other)
        self->addEntriesFromDictionary(*other);
}

// Whole property-list files at device paths.
template<class T>
Ref<NSDictionary> dictionaryWithContentsOfFile(std::string path)
{
    Ref<Object> read = corefoundation::collectionFromDeviceFile(objc::classOf<T>(), path, false);
    return Ref<NSDictionary>(dynamic_cast<NSDictionary*>(read.ptr()));
}

Ref<Object> initDictionaryWithContentsOfFile(NSDictionary* self, std::string path) { return corefoundation::collectionFromDeviceFile(self->isa(), path, false); }
// `atomically` is accepted for the platform's signature; every write here is atomic.
bool writeDictionaryToFile(NSDictionary* self, std::string path, bool) { return corefoundation::writePropertyListToDeviceFile(self, path); }

} // namespace

namespace corefoundation {

void registerDictionaryClasses(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSDictionary>(runtime, "NSObject")
        .classMethod(sel::dictionary, &emptyDictionary<NSDictionary>)
        .classMethod(sel::dictionaryWithDictionary, &dictionaryWithDictionary<NSDictionary>)
        .classMethod(sel::dictionaryWithObjectForKey, &dictionaryWithObjectForKey<NSDictionary>)
        .method(sel::count, &dictionaryCount)
        .method(sel::objectForKey, &objectForKey)
        .method(sel::valueForKey, &objectForKey)
        .method(sel::allKeys, &allKeys)
        .method(sel::allValues, &allValues)
        .method(sel::isEqualToDictionary, &isEqualToDictionary)
        .method(objc::sel::isEqual, &dictionaryIsEqual)
        .method(objc::sel::copy, &copyDictionary)
        .method(objc::sel::mutableCopy, &mutableCopyDictionary)
        .method(objc::sel::description, &describeDictionary)
        .classMethod(sel::dictionaryWithContentsOfFile, &dictionaryWithContentsOfFile<NSDictionary>)
        .method(sel::initWithContentsOfFile, &initDictionaryWithContentsOfFile)
        .method(sel::writeToFileAtomically, &writeDictionaryToFile)
        .build();

    objc::ClassBuilder<NSMutableDictionary>(runtime, "NSDictionary")
        .classMethod(sel::dictionary, &emptyDictionary<NSMutableDictionary>)
        .classMethod(sel::dictionaryWithDictionary, &dictionaryWithDictionary<NSMutableDictionary>)
        .classMethod(sel::dictionaryWithObjectForKey, &dictionaryWithObjectForKey<NSMutableDictionary>)
        .classMethod(sel::dictionaryWithCapacity, &dictionaryWithCapacity)
        .classMethod(sel::dictionaryWithContentsOfFile, &dictionaryWithContentsOfFile<NSMutableDictionary>)
        .method(sel::setObjectForKey, &NSMutableDictionary::setObject)
        .method(sel::setValueForKey, &NSMutableDictionary::setObject)
        .method(sel::removeObjectForKey, &removeObjectForKey)
        .method(sel::removeAllObjects, &NSMutableDictionary::removeAllObjects)
        .method(sel::addEntriesFromDictionary, &addEntriesFromDictionary)
        .build();
}

} // namespace corefoundation
