#pragma once

#include "platform/runtime/Object.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace corefoundation {

// One argument of a format: an object (written by its description), a string or a number.
struct FormatArgument {
    enum class Kind { Object, String, Integer, Unsigned, Real } kind = Kind::String;
    objc::Object* object = nullptr;
    std::string string;
    std::int64_t integer = 0;
    std::uint64_t unsignedInteger = 0;
    double real = 0;

    template<class T>
    static FormatArgument from(const T& value)
    {
        FormatArgument a;
        a.kind = Kind::String;
        using D = std::decay_t<T>;
        if constexpr (std::is_convertible_v<D, objc::Object*> && !std::is_same_v<D, std::nullptr_t>) {
            a.kind = Kind::Object;
            a.object = value;
        } else if constexpr (std::is_same_v<D, std::nullptr_t>) {
            a.kind = Kind::Object;
        } else if constexpr (std::is_convertible_v<D, std::string_view>) {
            a.string = std::string(std::string_view(value));
        } else if constexpr (std::is_floating_point_v<D>) {
            a.kind = Kind::Real;
            a.real = value;
        } else if constexpr (std::is_unsigned_v<D> && !std::is_same_v<D, bool>) {
            a.kind = Kind::Unsigned;
            a.unsignedInteger = value;
        } else {
            static_assert(std::is_integral_v<D> || std::is_enum_v<D>, "unsupported format argument");
            a.kind = Kind::Integer;
            a.integer = static_cast<std::int64_t>(value);
        }
        return a;
    }
};

// The platform's string formats: %@ (an object's description, "(null)" for nil, or a string),
// %s, %d %i %ld %lld %u %lu %zu, %x %X, %f %.Nf %g, %c and %%. Flags and widths of printf are
// honoured for numbers. A missing argument writes nothing.
std::string formatWithArguments(std::string_view format, const std::vector<FormatArgument>& arguments);

template<class... A>
std::string stringWithFormat(std::string_view format, const A&... args)
{
    return formatWithArguments(format, { FormatArgument::from(args)... });
}

} // namespace corefoundation
