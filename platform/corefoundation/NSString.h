#pragma once

#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <string>
#include <string_view>

// An immutable string (UTF-8 inside). Messages pass strings as std::string; NSString objects are
// what property lists, arrays and dictionaries hold.
class NSString : public objc::NSObject {
    OBJC_CLASS(NSString)
public:
    NSString() = default;
    explicit NSString(std::string value)
        : m_value(std::move(value))
    {
    }

    static objc::Ref<NSString> make(std::string value);

    const std::string& value() const { return m_value; }
    // For initializers only: the string is immutable once handed out.
    void initializeValue(std::string value) { m_value = std::move(value); }
    // Length in UTF-16 units, as the platform counts.
    std::size_t length() const;

    // Foundation's readings of a string's leading part.
    bool boolValue() const;
    std::int64_t integerValue() const;
    int intValue() const;
    double doubleValue() const;

private:
    std::string m_value;
};

namespace corefoundation {
void registerStringClass(objc::Runtime&);
// The string value of an NSString, or `fallback` when `object` is not one.
std::string stringValueOf(const objc::Object* object, std::string fallback = {});
} // namespace corefoundation
