#include "StringFormat.h"

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObjectSelectors.h"

#include <cstdio>

namespace corefoundation {

std::string formatWithArguments(std::string_view format, const std::vector<FormatArgument>& arguments)
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        // Collect the whole directive: flags, width, precision, length, conversion.
        std::size_t start = i++;
        while (i < format.size() && std::string_view("-+ #0123456789.").find(format[i]) != std::string_view::npos)
            ++i;
        while (i < format.size() && std::string_view("hlqLjzt").find(format[i]) != std::string_view::npos)
            ++i;
        if (i >= format.size())
            break;
        char conversion = format[i];
        if (conversion == '%') {
            out += '%';
            continue;
        }
        if (next >= arguments.size())
            continue;
        const FormatArgument& a = arguments[next++];
        std::string flags(format.substr(start + 1, i - start - 1));
        std::erase_if(flags, [](char c) { return std::string_view("hlqLjzt").find(c) != std::string_view::npos; });
        char buffer[128];
        auto printNumber = [&](const char* length, char conv, auto value) {
            std::string directive = "%" + flags + length + conv;
            std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
            out += buffer;
        };
        switch (conversion) {
        case '@':
        case 's':
            if (a.kind == FormatArgument::Kind::Object)
                out += !a.object ? "(null)" : objc::sel::description.isAnsweredBy(a.object) ? objc::sel::description(a.object) : "<" + objc::classNameOf(a.object) + ">";
            else if (a.kind == FormatArgument::Kind::String)
                out += a.string;
            else if (a.kind == FormatArgument::Kind::Real)
                printNumber("", 'g', a.real);
            else
                out += a.kind == FormatArgument::Kind::Unsigned ? std::to_string(a.unsignedInteger) : std::to_string(a.integer);
            break;
        case 'd':
        case 'i':
            printNumber("ll", 'd', static_cast<long long>(a.kind == FormatArgument::Kind::Real ? static_cast<std::int64_t>(a.real) : a.kind == FormatArgument::Kind::Unsigned ? static_cast<std::int64_t>(a.unsignedInteger) : a.integer));
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            printNumber("ll", conversion, static_cast<unsigned long long>(a.kind == FormatArgument::Kind::Unsigned ? a.unsignedInteger : static_cast<std::uint64_t>(a.integer)));
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'g':
        case 'G':
            printNumber("", conversion, a.kind == FormatArgument::Kind::Real ? a.real : a.kind == FormatArgument::Kind::Unsigned ? static_cast<double>(a.unsignedInteger) : static_cast<double>(a.integer));
            break;
        case 'c':
            out += static_cast<char>(a.integer);
            break;
        default:
            out += std::string(format.substr(start, i - start + 1));
            break;
        }
    }
    return out;
}

} // namespace corefoundation
