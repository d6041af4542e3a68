#pragma once

#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <string_view>
#include <vector>

// An immutable byte buffer.
class NSData : public objc::NSObject {
    OBJC_CLASS(NSData)
public:
    NSData() = default;
    explicit NSData(std::vector<std::uint8_t> bytes)
        : m_bytes(std::move(bytes))
    {
    }

    static objc::Ref<NSData> make(std::vector<std::uint8_t> bytes);
    static objc::Ref<NSData> make(std::string_view bytes);

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::size_t length() const { return m_bytes.size(); }
    std::string_view view() const { return { reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size() }; }

private:
    std::vector<std::uint8_t> m_bytes;
};

namespace corefoundation {
void registerDataClass(objc::Runtime&);
} // namespace corefoundation
