#include "NSScanner.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include "FoundationCreate.h"

#include <cctype>
#include <climits>

using objc::Object;
using objc::SEL;

objc::Ref<NSScanner> NSScanner::scannerWithString(std::string text) { return foundation::create<NSScanner>(std::move(text)); }

std::size_t NSScanner::skipWhitespace(std::size_t from) const
{
    while (from < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[from])))
        ++from;
    return from;
}

bool NSScanner::isAtEnd() const { return skipWhitespace(m_location) >= m_text.size(); }

bool NSScanner::scanHexInt(unsigned int* value)
{
    std::size_t at = skipWhitespace(m_location);
    // "0x" counts only when a digit follows; otherwise the "0" alone is the number.
    if (at + 2 < m_text.size() && m_text[at] == '0' && (m_text[at + 1] == 'x' || m_text[at + 1] == 'X') && std::isxdigit(static_cast<unsigned char>(m_text[at + 2])))
        at += 2;
    std::size_t start = at;
    std::uint64_t result = 0;
    bool overflow = false;
    while (at < m_text.size() && std::isxdigit(static_cast<unsigned char>(m_text[at]))) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(m_text[at])));
        result = result * 16 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
        if (result > UINT_MAX) {
            overflow = true;
            result = UINT_MAX;
        }
        ++at;
    }
    if (at == start) {
        if (value)
            *value = 0;
        return false;
    }
    if (value)
        *value = overflow ? UINT_MAX : static_cast<unsigned int>(result);
    m_location = at;
    return true;
}

bool NSScanner::scanInteger(std::int64_t* value)
{
    std::size_t at = skipWhitespace(m_location);
    bool negative = false;
    if (at < m_text.size() && (m_text[at] == '+' || m_text[at] == '-'))
        negative = m_text[at++] == '-';
    std::size_t start = at;
    std::int64_t result = 0;
    bool overflow = false;
    for (; at < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[at])); ++at) {
        int digit = m_text[at] - '0';
        if (!overflow && result > (INT64_MAX - digit) / 10)
            overflow = true;
        if (!overflow)
            result = result * 10 + digit;
    }
    if (at == start) {
        if (value)
            *value = 0;
        return false;
    }
    if (value)
        *value = overflow ? (negative ? INT64_MIN : INT64_MAX) : (negative ? -result : result);
    m_location = at;
    return true;
}

namespace foundation {

void registerScannerClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSScanner>(runtime, "NSObject")
        .classMethod(sel::scannerWithString, &NSScanner::scannerWithString)
        .method(sel::scanLocation, &NSScanner::scanLocation)
        .method(sel::setScanLocation, &NSScanner::setScanLocation)
        .method(sel::isAtEnd, &NSScanner::isAtEnd)
        .method(sel::scanHexInt, &NSScanner::scanHexInt)
        .method(sel::scanInteger, &NSScanner::scanInteger)
        .build();
}

} // namespace foundation
