#include "NSArray.h"

#include "CoreFoundationSelectors.h"
#include "Create.h"
#include "NSString.h"
#include "PropertyList.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

#include <algorithm>

using objc::Object;
using objc::Ref;

NSArray::NSArray(std::vector<Ref<Object>> items) { initializeItems(std::move(items)); }

void NSArray::initializeItems(std::vector<Ref<Object>> items)
{
    m_items = std::move(items);
    std::erase_if(m_items, [](const Ref<Object>& item) { return !item; });
}

bool NSArray::isEqualToArray(const NSArray& other) const
{
    if (&other == this)
        return true;
    if (other.count() != count())
        return false;
    for (std::size_t i = 0; i < count(); ++i)
        if (!corefoundation::objectsEqual(m_items[i], other.m_items[i]))
            return false;
    return true;
}

Ref<NSArray> NSArray::make(std::vector<Ref<Object>> items) { return corefoundation::create<NSArray>(std::move(items)); }

Ref<NSArray> NSArray::ofStrings(const std::vector<std::string>& strings)
{
    std::vector<Ref<Object>> items;
    items.reserve(strings.size());
    for (const auto& s : strings)
        items.push_back(NSString::make(s));
    return make(std::move(items));
}

std::vector<std::string> NSArray::strings() const
{
    std::vector<std::string> result;
    for (const auto& item : m_items)
        if (auto* s = dynamic_cast<NSString*>(item.ptr()))
            result.push_back(s->value());
    return result;
}

bool NSArray::containsObject(Object* object) const { return indexOfObject(object) >= 0; }

std::int64_t NSArray::indexOfObject(Object* object) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (corefoundation::objectsEqual(m_items[i], object))
            return static_cast<std::int64_t>(i);
    return -1;
}

Ref<NSMutableArray> NSMutableArray::make(std::vector<Ref<Object>> items) { return corefoundation::create<NSMutableArray>(std::move(items)); }

void NSMutableArray::addObject(Object* object)
{
    if (object)
        m_items.emplace_back(object);
}

void NSMutableArray::insertObject(Object* object, std::size_t index)
{
    if (object && index <= m_items.size())
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), Ref<Object>(object));
}

void NSMutableArray::removeObjectAtIndex(std::size_t index)
{
    if (index < m_items.size())
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
}

void NSMutableArray::removeObject(Object* object)
{
    std::erase_if(m_items, [&](const Ref<Object>& item) { return corefoundation::objectsEqual(item, object); });
}

void NSMutableArray::replaceObjectAtIndex(std::size_t index, Object* object)
{
    if (object && index < m_items.size())
        m_items[index] = object;
}

void NSMutableArray::exchangeObjects(std::size_t a, std::size_t b)
{
    if (a < m_items.size() && b < m_items.size())
        std::swap(m_items[a], m_items[b]);
}

namespace {

// The class methods make an instance of the class they are sent to, so [NSMutableArray array] is
// mutable: each class registers them with its own type.
template<class T>
Ref<NSArray> emptyArray()
{
    return T::make();
}

template<class T>
Ref<NSArray> arrayWithArray(NSArray* other)
{
    return T::make(other ? other->items() : std::vector<Ref<Object>> {});
}

template<class T>
Ref<NSArray> arrayWithObject(Object* object)
{
    return T::make({ Ref<Object>(object) });
}

Ref<NSArray> arrayWithCapacity(std::uint64_t) { return NSMutableArray::make(); }

std::uint64_t arrayCount(NSArray* self) { return self->count(); }
Ref<Object> objectAtIndex(NSArray* self, std::uint64_t index) { return self->objectAtIndex(index); }
Ref<Object> firstObject(NSArray* self) { return self->objectAtIndex(0); }
Ref<Object> lastObject(NSArray* self) { return self->count() ? self->objectAtIndex(self->count() - 1) : nullptr; }
bool containsObject(NSArray* self, Object* object) { return self->containsObject(object); }
std::int64_t indexOfObject(NSArray* self, Object* object) { return self->indexOfObject(object); }
bool isEqualToArray(NSArray* self, NSArray* other) { return other && self->isEqualToArray(*other); }

bool arrayIsEqual(NSArray* self, Object* other)
{
    auto* otherArray = dynamic_cast<NSArray*>(other);
    return otherArray && self->isEqualToArray(*otherArray);
}

Ref<NSArray> copyArray(NSArray* self) { return NSArray::make(self->items()); }
Ref<NSMutableArray> mutableCopyArray(NSArray* self) { return NSMutableArray::make(self->items()); }
std::string describeArray(NSArray* self) { return corefoundation::describe(self); }

void addObjectsFromArray(NSMutableArray* self, NSArray* other)
{
    if (!other)
        return;
    auto items = other->items(); // `other` may be self
    for (auto& item : items)
        self->addObject(item);
}

void insertObjectAtIndex(NSMutableArray* self, Object* object, std::uint64_t index) { self->insertObject(object, index); }
void removeObjectAtIndex(NSMutableArray* self, std::uint64_t index) { self->removeObjectAtIndex(index); }

void removeLastObject(NSMutableArray* self)
{
    if (self->count())
        self->removeObjectAtIndex(self->count() - 1);
}

void replaceObjectAtIndex(NSMutableArray* self, std::uint64_t index, Object* object) { self->replaceObjectAtIndex(index, object); }
void exchangeObjects(NSMutableArray* self, std::uint64_t a, std::uint64_t b) { self->exchangeObjects(a, b); }

// Whole property-list files at device paths.
template<class T>
Ref<NSArray> arrayWithContentsOfFile(std::string path)
{
    Ref<Object> read = corefoundation::collectionFromDeviceFile(objc::classOf<T>(), path, true);
    return Ref<NSArray>(dynamic_cast<NSArray*>(read.ptr()));
}

Ref<Object> initArrayWithContentsOfFile(NSArray* self, std::string path) { return corefoundation::collectionFromDeviceFile(self->isa(), path, true); }
// `atomically` is accepted for the platform's signature; every write here is atomic.
bool writeArrayToFile(NSArray* self, std::string path, bool) { return corefoundation::writePropertyListToDeviceFile(self, path); }

} // namespace

namespace corefoundation {

void registerArrayClasses(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSArray>(runtime, "NSObject")
        .classMethod(sel::array, &emptyArray<NSArray>)
        .classMethod(sel::arrayWithArray, &arrayWithArray<NSArray>)
        .classMethod(sel::arrayWithObject, &arrayWithObject<NSArray>)
        .method(sel::count, &arrayCount)
        .method(sel::objectAtIndex, &objectAtIndex)
        .method(sel::firstObject, &firstObject)
        .method(sel::lastObject, &lastObject)
        .method(sel::containsObject, &containsObject)
        .method(sel::indexOfObject, &indexOfObject)
        .method(sel::isEqualToArray, &isEqualToArray)
        .method(objc::sel::isEqual, &arrayIsEqual)
        .method(objc::sel::copy, &copyArray)
        .method(objc::sel::mutableCopy, &mutableCopyArray)
        .method(objc::sel::description, &describeArray)
        .classMethod(sel::arrayWithContentsOfFile, &arrayWithContentsOfFile<NSArray>)
        .method(sel::initWithContentsOfFile, &initArrayWithContentsOfFile)
        .method(sel::writeToFileAtomically, &writeArrayToFile)
        .build();

    objc::ClassBuilder<NSMutableArray>(runtime, "NSArray")
        .classMethod(sel::array, &emptyArray<NSMutableArray>)
        .classMethod(sel::arrayWithArray, &arrayWithArray<NSMutableArray>)
        .classMethod(sel::arrayWithObject, &arrayWithObject<NSMutableArray>)
        .classMethod(sel::arrayWithCapacity, &arrayWithCapacity)
        .classMethod(sel::arrayWithContentsOfFile, &arrayWithContentsOfFile<NSMutableArray>)
        .method(sel::addObject, &NSMutableArray::addObject)
        .method(sel::addObjectsFromArray, &addObjectsFromArray)
        .method(sel::insertObjectAtIndex, &insertObjectAtIndex)
        .method(sel::removeObjectAtIndex, &removeObjectAtIndex)
        .method(sel::removeObject, &NSMutableArray::removeObject)
        .method(sel::removeLastObject, &removeLastObject)
        .method(sel::removeAllObjects, &NSMutableArray::removeAllObjects)
        .method(sel::replaceObjectAtIndexWithObject, &replaceObjectAtIndex)
        .method(sel::exchangeObjectAtIndexWithObjectAtIndex, &exchangeObjects)
        .build();
}

} // namespace corefoundation
