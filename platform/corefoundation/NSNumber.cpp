#include "NSNumber.h"

#include "CoreFoundationSelectors.h"
#include "Create.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

#include <charconv>
#include <cmath>
#include <limits>

objc::Ref<NSNumber> NSNumber::withBool(bool value) { return corefoundation::create<NSNumber>(Kind::Boolean, value ? 1 : 0, value ? 1.0 : 0.0); }
objc::Ref<NSNumber> NSNumber::withInteger(std::int64_t value) { return corefoundation::create<NSNumber>(Kind::Integer, value, static_cast<double>(value)); }
objc::Ref<NSNumber> NSNumber::withDouble(double value) { return corefoundation::create<NSNumber>(Kind::Real, 0, value); }

bool NSNumber::boolValue() const { return m_kind == Kind::Real ? m_real != 0.0 : m_integer != 0; }

std::int64_t NSNumber::integerValue() const
{
    if (m_kind != Kind::Real)
        return m_integer;
    // Truncation towards zero; values out of range (and NaN) saturate instead of being undefined.
    if (std::isnan(m_real))
        return 0;
    if (m_real >= 9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::max();
    if (m_real <= -9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(m_real);
}

double NSNumber::doubleValue() const { return m_kind == Kind::Real ? m_real : static_cast<double>(m_integer); }

std::string NSNumber::stringValue() const
{
    if (m_kind != Kind::Real)
        return std::to_string(m_integer);
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, m_real);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

bool NSNumber::isEqualToNumber(const NSNumber& other) const
{
    if (m_kind == Kind::Real || other.m_kind == Kind::Real) {
        // A NaN equals a NaN, as Foundation's numbers compare: a stored NaN read back is the
        // same value.
        if (std::isnan(doubleValue()) && std::isnan(other.doubleValue()))
            return true;
        return doubleValue() == other.doubleValue();
    }
    return m_integer == other.m_integer;
}

namespace corefoundation {

namespace {

using objc::Object;
using objc::Ref;

Ref<NSNumber> numberWithInt(int value) { return NSNumber::withInteger(value); }
Ref<NSNumber> numberWithFloat(float value) { return NSNumber::withDouble(value); }
std::uint64_t unsignedIntegerValue(NSNumber* self) { return static_cast<std::uint64_t>(self->integerValue()); }
float numberFloatValue(NSNumber* self) { return static_cast<float>(self->doubleValue()); }
bool isEqualToNumber(NSNumber* self, NSNumber* other) { return other && self->isEqualToNumber(*other); }

bool numberIsEqual(NSNumber* self, Object* other)
{
    auto* number = dynamic_cast<NSNumber*>(other);
    return number && self->isEqualToNumber(*number);
}

Ref<NSNumber> copyNumber(NSNumber* self) { return self; }

} // namespace

void registerNumberClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSNumber>(runtime, "NSObject")
        .classMethod(sel::numberWithBool, &NSNumber::withBool)
        .classMethod(sel::numberWithInt, &numberWithInt)
        .classMethod(sel::numberWithInteger, &NSNumber::withInteger)
        .classMethod(sel::numberWithLongLong, &NSNumber::withInteger)
        .classMethod(sel::numberWithFloat, &numberWithFloat)
        .classMethod(sel::numberWithDouble, &NSNumber::withDouble)
        .method(sel::boolValue, &NSNumber::boolValue)
        .method(sel::intValue, &NSNumber::intValue)
        .method(sel::integerValue, &NSNumber::integerValue)
        .method(sel::longLongValue, &NSNumber::integerValue)
        .method(sel::unsignedIntegerValue, &unsignedIntegerValue)
        .method(sel::floatValue, &numberFloatValue)
        .method(sel::doubleValue, &NSNumber::doubleValue)
        .method(sel::stringValue, &NSNumber::stringValue)
        .method(objc::sel::description, &NSNumber::stringValue)
        .method(sel::isEqualToNumber, &isEqualToNumber)
        .method(objc::sel::isEqual, &numberIsEqual)
        .method(objc::sel::copy, &copyNumber)
        .build();
}

} // namespace corefoundation
