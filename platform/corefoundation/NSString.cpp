#include "NSString.h"

#include "CoreFoundationSelectors.h"
#include "Create.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace {

std::size_t skipSpace(std::string_view s, std::size_t at)
{
    while (at < s.size() && (s[at] == ' ' || s[at] == '\t' || s[at] == '\n' || s[at] == '\r' || s[at] == '\f' || s[at] == '\v'))
        ++at;
    return at;
}

} // namespace

objc::Ref<NSString> NSString::make(std::string value) { return corefoundation::create<NSString>(std::move(value)); }

std::size_t NSString::length() const
{
    std::size_t units = 0;
    for (std::size_t i = 0; i < m_value.size(); ++i) {
        auto byte = static_cast<unsigned char>(m_value[i]);
        if ((byte & 0xC0) == 0x80)
            continue; // continuation byte
        units += byte >= 0xF0 ? 2 : 1; // four-byte sequences are surrogate pairs
    }
    return units;
}

bool NSString::boolValue() const
{
    // Leading space, an optional sign and leading zeros are skipped; then Y, y, T, t or a digit
    // from 1 to 9 means true.
    std::size_t at = skipSpace(m_value, 0);
    if (at < m_value.size() && (m_value[at] == '+' || m_value[at] == '-'))
        ++at;
    while (at < m_value.size() && m_value[at] == '0')
        ++at;
    if (at >= m_value.size())
        return false;
    char c = m_value[at];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

std::int64_t NSString::integerValue() const
{
    std::size_t at = skipSpace(m_value, 0);
    bool negative = false;
    if (at < m_value.size() && (m_value[at] == '+' || m_value[at] == '-'))
        negative = m_value[at++] == '-';
    std::int64_t result = 0;
    for (; at < m_value.size() && m_value[at] >= '0' && m_value[at] <= '9'; ++at) {
        int digit = m_value[at] - '0';
        // Overflow clamps, as the platform does.
        if (result > (INT64_MAX - digit) / 10)
            return negative ? INT64_MIN : INT64_MAX;
        result = result * 10 + digit;
    }
    return negative ? -result : result;
}

int NSString::intValue() const
{
    std::int64_t v = integerValue();
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

double NSString::doubleValue() const
{
    std::size_t at = skipSpace(m_value, 0);
    if (at < m_value.size() && m_value[at] == '+')
        ++at;
    double result = 0;
    auto [end, ec] = std::from_chars(m_value.data() + at, m_value.data() + m_value.size(), result);
    if (ec == std::errc::result_out_of_range)
        return std::signbit(result) ? -HUGE_VAL : HUGE_VAL;
    return ec == std::errc() ? result : 0.0;
}

namespace corefoundation {

std::string stringValueOf(const objc::Object* object, std::string fallback)
{
    auto* string = dynamic_cast<const NSString*>(object);
    return string ? string->value() : fallback;
}

namespace {

using objc::Object;
using objc::Ref;

Ref<NSString> emptyString() { return NSString::make({}); }

Ref<NSString> initWithString(NSString* self, std::string value)
{
    self->initializeValue(std::move(value));
    return self;
}

std::string valueOf(NSString* self) { return self->value(); }
float stringFloatValue(NSString* self) { return static_cast<float>(self->doubleValue()); }
bool isEqualToString(NSString* self, std::string other) { return self->value() == other; }

bool stringIsEqual(NSString* self, Object* other)
{
    auto* string = dynamic_cast<NSString*>(other);
    return string && string->value() == self->value();
}

bool hasPrefix(NSString* self, std::string prefix) { return !prefix.empty() && self->value().starts_with(prefix); }
bool hasSuffix(NSString* self, std::string suffix) { return !suffix.empty() && self->value().ends_with(suffix); }
Ref<NSString> appending(NSString* self, std::string tail) { return NSString::make(self->value() + tail); }
Ref<NSString> copyString(NSString* self) { return self; }
Ref<NSString> mutableCopyString(NSString* self) { return NSString::make(self->value()); }

} // namespace

void registerStringClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSString>(runtime, "NSObject")
        .classMethod(sel::stringWithString, &NSString::make)
        .classMethod(sel::string, &emptyString)
        .method(sel::initWithString, &initWithString)
        .method(sel::UTF8String, &valueOf)
        .method(objc::sel::description, &valueOf)
        .method(sel::length, &NSString::length)
        .method(sel::boolValue, &NSString::boolValue)
        .method(sel::intValue, &NSString::intValue)
        .method(sel::integerValue, &NSString::integerValue)
        .method(sel::longLongValue, &NSString::integerValue)
        .method(sel::floatValue, &stringFloatValue)
        .method(sel::doubleValue, &NSString::doubleValue)
        .method(sel::isEqualToString, &isEqualToString)
        .method(objc::sel::isEqual, &stringIsEqual)
        .method(sel::hasPrefix, &hasPrefix)
        .method(sel::hasSuffix, &hasSuffix)
        .method(sel::stringByAppendingString, &appending)
        .method(objc::sel::copy, &copyString)
        .method(objc::sel::mutableCopy, &mutableCopyString)
        .build();
}

} // namespace corefoundation
