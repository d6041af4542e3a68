#pragma once

#include "platform/runtime/NSObject.h"

#include <string>

// A set of ASCII characters, as far as percent-encoding needs one. Letters and digits are always
// members; `extra` lists the other members.
class NSCharacterSet : public objc::NSObject {
    OBJC_CLASS(NSCharacterSet)
public:
    NSCharacterSet() = default;
    explicit NSCharacterSet(std::string extra)
        : m_extra(std::move(extra))
    {
    }

    static objc::Ref<NSCharacterSet> URLQueryAllowedCharacterSet();
    static objc::Ref<NSCharacterSet> URLPathAllowedCharacterSet();

    const std::string& extraCharacters() const { return m_extra; }

private:
    std::string m_extra;
};

namespace foundation {
// NSCharacterSet, and NSString's stringByAddingPercentEncodingWithAllowedCharacters:.
void registerCharacterSetClass(objc::Runtime&);
} // namespace foundation
