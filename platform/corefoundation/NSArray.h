#pragma once

#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <string>
#include <vector>

// An ordered list of objects. Nil cannot be stored: adding nil is ignored, and an index out of
// range reads nil and changes nothing (the platform would raise; here nothing crosses a boundary).
class NSArray : public objc::NSObject {
    OBJC_CLASS(NSArray)
public:
    NSArray() = default;
    explicit NSArray(std::vector<objc::Ref<objc::Object>> items);

    static objc::Ref<NSArray> make(std::vector<objc::Ref<objc::Object>> items = {});
    // An array of NSString values.
    static objc::Ref<NSArray> ofStrings(const std::vector<std::string>& strings);

    std::size_t count() const { return m_items.size(); }
    objc::Object* objectAtIndex(std::size_t index) const { return index < m_items.size() ? m_items[index].ptr() : nullptr; }
    const std::vector<objc::Ref<objc::Object>>& items() const { return m_items; }
    // The values of the NSString elements, in order; other elements are skipped.
    std::vector<std::string> strings() const;
    bool containsObject(objc::Object*) const;
    // The first index whose element is equal (isEqual:) to `object`, or -1.
    std::int64_t indexOfObject(objc::Object*) const;
    bool isEqualToArray(const NSArray&) const;
    // For initializers only.
    void initializeItems(std::vector<objc::Ref<objc::Object>> items);

protected:
    std::vector<objc::Ref<objc::Object>> m_items;
};

class NSMutableArray : public NSArray {
    OBJC_CLASS(NSMutableArray)
public:
    NSMutableArray() = default;
    using NSArray::NSArray;

    static objc::Ref<NSMutableArray> make(std::vector<objc::Ref<objc::Object>> items = {});

    void addObject(objc::Object*);
    void insertObject(objc::Object*, std::size_t index);
    void removeObjectAtIndex(std::size_t index);
    void removeObject(objc::Object*);
    void removeAllObjects() { m_items.clear(); }
    void replaceObjectAtIndex(std::size_t index, objc::Object*);
    void exchangeObjects(std::size_t a, std::size_t b);
};

namespace corefoundation {
void registerArrayClasses(objc::Runtime&);
} // namespace corefoundation
