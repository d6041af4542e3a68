#pragma once

#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <string>

// A number of one of three kinds: integer, real or boolean. A boolean is an NSNumber whose kind
// is boolean (CFBoolean on the platform); all kinds answer every reading (boolValue, intValue, ...).
class NSNumber : public objc::NSObject {
    OBJC_CLASS(NSNumber)
public:
    enum class Kind { Integer, Real, Boolean };

    NSNumber() = default;
    NSNumber(Kind kind, std::int64_t integer, double real)
        : m_kind(kind)
        , m_integer(integer)
        , m_real(real)
    {
    }

    static objc::Ref<NSNumber> withBool(bool);
    static objc::Ref<NSNumber> withInteger(std::int64_t);
    static objc::Ref<NSNumber> withDouble(double);

    Kind kind() const { return m_kind; }
    bool isBoolean() const { return m_kind == Kind::Boolean; }
    bool isReal() const { return m_kind == Kind::Real; }

    bool boolValue() const;
    std::int64_t integerValue() const;
    int intValue() const { return static_cast<int>(integerValue()); }
    double doubleValue() const;
    // "1" and "0" for booleans, the shortest round-trip text for reals.
    std::string stringValue() const;
    // Numbers compare by value across kinds (true equals 1), as Foundation's isEqual: does.
    bool isEqualToNumber(const NSNumber& other) const;

private:
    Kind m_kind = Kind::Integer;
    std::int64_t m_integer = 0;
    double m_real = 0;
};

namespace corefoundation {
void registerNumberClass(objc::Runtime&);
} // namespace corefoundation
