#include "NSArray.h"

#include "Create.h"
#include "NSString.h"
#include "PropertyList.h"

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

namespace corefoundation {

void registerArrayClasses(objc::Runtime& runtime)
{
    using objc::SEL;
    objc::Class* array = runtime.registerClass<NSArray>("NSObject");
    // Class methods make an instance of the receiving class, so [NSMutableArray array] is mutable.
    auto makeOf = [](Object* cls, std::vector<Ref<Object>> items) -> Ref<NSArray> {
        auto made = static_cast<objc::Class*>(cls)->createInstance();
        auto* result = dynamic_cast<NSArray*>(made.ptr());
        if (result)
            result->initializeItems(std::move(items));
        return Ref<NSArray>(result);
    };
    array->addClassMethod("array", [makeOf](Object* cls, SEL) { return makeOf(cls, {}); });
    array->addClassMethod("arrayWithArray:", [makeOf](Object* cls, SEL, NSArray* other) { return makeOf(cls, other ? other->items() : std::vector<Ref<Object>> {}); });
    array->addClassMethod("arrayWithObject:", [makeOf](Object* cls, SEL, Object* object) { return makeOf(cls, { Ref<Object>(object) }); });
    array->addMethod("count", [](NSArray* self, SEL) { return static_cast<std::uint64_t>(self->count()); });
    array->addMethod("objectAtIndex:", [](NSArray* self, SEL, std::uint64_t index) { return Ref<Object>(self->objectAtIndex(index)); });
    array->addMethod("firstObject", [](NSArray* self, SEL) { return Ref<Object>(self->objectAtIndex(0)); });
    array->addMethod("lastObject", [](NSArray* self, SEL) { return Ref<Object>(self->count() ? self->objectAtIndex(self->count() - 1) : nullptr); });
    array->addMethod("containsObject:", [](NSArray* self, SEL, Object* object) { return self->containsObject(object); });
    array->addMethod("indexOfObject:", [](NSArray* self, SEL, Object* object) { return self->indexOfObject(object); });
    array->addMethod("isEqualToArray:", [](NSArray* self, SEL, NSArray* other) { return other && self->isEqualToArray(*other); });
    array->addMethod("isEqual:", [](NSArray* self, SEL, Object* other) {
        auto* otherArray = dynamic_cast<NSArray*>(other);
        return otherArray && self->isEqualToArray(*otherArray);
    });
    array->addMethod("copy", [](NSArray* self, SEL) -> Ref<NSArray> { return NSArray::make(self->items()); });
    array->addMethod("mutableCopy", [](NSArray* self, SEL) -> Ref<NSMutableArray> { return NSMutableArray::make(self->items()); });
    array->addMethod("description", [](NSArray* self, SEL) { return describe(self); });

    objc::Class* mutableArray = runtime.registerClass<NSMutableArray>(array);
    mutableArray->addClassMethod("arrayWithCapacity:", [makeOf](Object* cls, SEL, std::uint64_t) { return makeOf(cls, {}); });
    mutableArray->addMethod("addObject:", [](NSMutableArray* self, SEL, Object* object) { self->addObject(object); });
    mutableArray->addMethod("addObjectsFromArray:", [](NSMutableArray* self, SEL, NSArray* other) {
        if (!other)
            return;
        auto items = other->items(); // `other` may be self
        for (auto& item : items)
            self->addObject(item);
    });
    mutableArray->addMethod("insertObject:atIndex:", [](NSMutableArray* self, SEL, Object* object, std::uint64_t index) { self->insertObject(object, index); });
    mutableArray->addMethod("removeObjectAtIndex:", [](NSMutableArray* self, SEL, std::uint64_t index) { self->removeObjectAtIndex(index); });
    mutableArray->addMethod("removeObject:", [](NSMutableArray* self, SEL, Object* object) { self->removeObject(object); });
    mutableArray->addMethod("removeLastObject", [](NSMutableArray* self, SEL) {
        if (self->count())
            self->removeObjectAtIndex(self->count() - 1);
    });
    mutableArray->addMethod("removeAllObjects", [](NSMutableArray* self, SEL) { self->removeAllObjects(); });
    mutableArray->addMethod("replaceObjectAtIndex:withObject:", [](NSMutableArray* self, SEL, std::uint64_t index, Object* object) { self->replaceObjectAtIndex(index, object); });
    mutableArray->addMethod("exchangeObjectAtIndex:withObjectAtIndex:", [](NSMutableArray* self, SEL, std::uint64_t a, std::uint64_t b) { self->exchangeObjects(a, b); });
}

} // namespace corefoundation
