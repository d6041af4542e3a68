#include "NSByteCountFormatter.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include "platform/runtime/Message.h"

using objc::Object;
using objc::SEL;

std::string NSByteCountFormatter::stringFromByteCount(std::int64_t bytes, NSByteCountFormatterCountStyle style)
{
    static const char* units[] = { "KB", "MB", "GB", "TB", "PB", "EB" };
    static const int decimalsOf[] = { 0, 1, 2, 2, 2, 2 };
    if (bytes == 0)
        return "Zero KB";
    bool negative = bytes < 0;
    unsigned __int128 magnitude = negative ? static_cast<unsigned __int128>(-(bytes + 1)) + 1 : static_cast<unsigned __int128>(bytes);
    std::string sign = negative ? "-" : "";
    unsigned __int128 base = style == NSByteCountFormatterCountStyleMemory || style == NSByteCountFormatterCountStyleBinary ? 1024 : 1000;
    if (magnitude < base)
        return sign + std::to_string(static_cast<std::uint64_t>(magnitude)) + (magnitude == 1 ? " byte" : " bytes");

    // Pick the largest unit that leaves at least 1, round half up in integers at that unit's
    // precision, and move one unit up when rounding reached a whole 1000 (999,999 bytes is 1 MB).
    int unit = 0;
    unsigned __int128 divisor = base;
    while (unit < 5 && magnitude >= divisor * base) {
        divisor *= base;
        ++unit;
    }
    unsigned __int128 scaled = 0;
    unsigned __int128 scale = 1;
    for (;;) {
        scale = 1;
        for (int i = 0; i < decimalsOf[unit]; ++i)
            scale *= 10;
        scaled = (magnitude * scale + divisor / 2) / divisor;
        if (unit < 5 && scaled >= base * scale) {
            divisor *= base;
            ++unit;
            continue;
        }
        break;
    }
    auto whole = static_cast<std::uint64_t>(scaled / scale);
    auto fraction = static_cast<std::uint64_t>(scaled % scale);
    std::string text = std::to_string(whole);
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, static_cast<std::size_t>(decimalsOf[unit]) - digits.size(), '0');
        while (!digits.empty() && digits.back() == '0')
            digits.pop_back();
        text += "." + digits;
    }
    return sign + text + " " + units[unit];
}

namespace foundation {

namespace {

std::string stringFromByteCountInFileStyle(std::int64_t bytes) { return NSByteCountFormatter::stringFromByteCount(bytes); }
void setCountStyle(NSByteCountFormatter* self, NSByteCountFormatterCountStyle style) { self->countStyle = style; }
NSByteCountFormatterCountStyle countStyleOf(NSByteCountFormatter* self) { return self->countStyle; }
std::string stringFromByteCountInOwnStyle(NSByteCountFormatter* self, std::int64_t bytes) { return NSByteCountFormatter::stringFromByteCount(bytes, self->countStyle); }

} // namespace

void registerByteCountFormatterClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSByteCountFormatter>(runtime, "NSObject")
        .classMethod(sel::stringFromByteCountCountStyle, &NSByteCountFormatter::stringFromByteCount)
        .classMethod(sel::stringFromByteCount, &stringFromByteCountInFileStyle)
        .method(sel::setCountStyle, &setCountStyle)
        .method(sel::countStyle, &countStyleOf)
        .method(sel::stringFromByteCount, &stringFromByteCountInOwnStyle)
        .build();
}

} // namespace foundation
