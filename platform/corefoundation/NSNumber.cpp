#include "NSNumber.h"

#include "Create.h"

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

void registerNumberClass(objc::Runtime& runtime)
{
    using objc::SEL;
    objc::Class* cls = runtime.registerClass<NSNumber>("NSObject");
    cls->addClassMethod("numberWithBool:", [](objc::Object*, SEL, bool v) { return NSNumber::withBool(v); });
    cls->addClassMethod("numberWithInt:", [](objc::Object*, SEL, std::int64_t v) { return NSNumber::withInteger(static_cast<int>(v)); });
    cls->addClassMethod("numberWithInteger:", [](objc::Object*, SEL, std::int64_t v) { return NSNumber::withInteger(v); });
    cls->addClassMethod("numberWithLongLong:", [](objc::Object*, SEL, std::int64_t v) { return NSNumber::withInteger(v); });
    cls->addClassMethod("numberWithFloat:", [](objc::Object*, SEL, double v) { return NSNumber::withDouble(static_cast<float>(v)); });
    cls->addClassMethod("numberWithDouble:", [](objc::Object*, SEL, double v) { return NSNumber::withDouble(v); });
    cls->addMethod("boolValue", [](NSNumber* self, SEL) { return self->boolValue(); });
    cls->addMethod("intValue", [](NSNumber* self, SEL) { return self->intValue(); });
    cls->addMethod("integerValue", [](NSNumber* self, SEL) { return self->integerValue(); });
    cls->addMethod("longLongValue", [](NSNumber* self, SEL) { return self->integerValue(); });
    cls->addMethod("unsignedIntegerValue", [](NSNumber* self, SEL) { return static_cast<std::uint64_t>(self->integerValue()); });
    cls->addMethod("floatValue", [](NSNumber* self, SEL) { return static_cast<float>(self->doubleValue()); });
    cls->addMethod("doubleValue", [](NSNumber* self, SEL) { return self->doubleValue(); });
    cls->addMethod("stringValue", [](NSNumber* self, SEL) { return self->stringValue(); });
    cls->addMethod("description", [](NSNumber* self, SEL) { return self->stringValue(); });
    cls->addMethod("isEqualToNumber:", [](NSNumber* self, SEL, NSNumber* other) { return other && self->isEqualToNumber(*other); });
    cls->addMethod("isEqual:", [](NSNumber* self, SEL, objc::Object* other) {
        auto* number = dynamic_cast<NSNumber*>(other);
        return number && self->isEqualToNumber(*number);
    });
    cls->addMethod("copy", [](NSNumber* self, SEL) { return objc::Ref<NSNumber>(self); });
}

} // namespace corefoundation
