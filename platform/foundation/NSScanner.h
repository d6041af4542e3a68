#pragma once

#include "platform/runtime/NSObject.h"

#include <algorithm>
#include <cstdint>
#include <string>

// Reads numbers from a string, from a scan location on. Leading white space is skipped, as the
// platform's default characters-to-be-skipped do. Through msgSend, scanHexInt: takes an
// `unsigned int*` (or a typed null).
class NSScanner : public objc::NSObject {
    OBJC_CLASS(NSScanner)
public:
    NSScanner() = default;
    explicit NSScanner(std::string text)
        : m_text(std::move(text))
    {
    }

    static objc::Ref<NSScanner> scannerWithString(std::string text);

    std::size_t scanLocation() const { return m_location; }
    void setScanLocation(std::size_t location) { m_location = std::min(location, m_text.size()); }
    bool isAtEnd() const;

    // Hexadecimal digits (after an optional "0x" or "0X") up to the first other character.
    // False, with `value` set to 0 and the location unchanged, when there is no digit. A number
    // too large for 32 bits reads as UINT_MAX, and all its digits are consumed.
    bool scanHexInt(unsigned int* value);
    bool scanInteger(std::int64_t* value);

private:
    std::size_t skipWhitespace(std::size_t from) const;

    std::string m_text;
    std::size_t m_location = 0;
};

namespace foundation {
void registerScannerClass(objc::Runtime&);
} // namespace foundation
