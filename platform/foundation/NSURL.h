#pragma once

#include "platform/runtime/NSObject.h"

#include <optional>
#include <string>

// A parsed URL. URLWithString: gives nil for text that is not a URL (empty, or holding spaces or
// other characters a URL cannot hold); text without a scheme is a relative URL with no scheme and
// no host, as on the platform. File URLs name device paths.
class NSURL : public objc::NSObject {
    OBJC_CLASS(NSURL)
public:
    struct Parts {
        std::string absoluteString;
        std::optional<std::string> scheme;
        std::optional<std::string> host;
        std::optional<long> port;
        std::string path; // percent-decoded
        std::optional<std::string> query;
    };

    NSURL() = default;
    explicit NSURL(Parts parts)
        : m_parts(std::move(parts))
    {
    }

    static objc::Ref<NSURL> URLWithString(const std::string& text);
    static objc::Ref<NSURL> fileURLWithPath(const std::string& devicePath);
    static std::optional<Parts> parse(const std::string& text);

    const std::string& absoluteString() const { return m_parts.absoluteString; }
    const std::optional<std::string>& scheme() const { return m_parts.scheme; }
    const std::optional<std::string>& host() const { return m_parts.host; }
    const std::optional<long>& port() const { return m_parts.port; }
    const std::string& path() const { return m_parts.path; }
    const std::optional<std::string>& query() const { return m_parts.query; }
    bool isFileURL() const;

private:
    Parts m_parts;
};

namespace foundation {
void registerURLClass(objc::Runtime&);
// Percent-encodes every byte outside the unreserved set and `alsoAllowed`.
std::string percentEncode(const std::string& text, const std::string& alsoAllowed);
// Characters a URL query may hold unencoded (the platform's URLQueryAllowedCharacterSet).
extern const std::string urlQueryAllowedCharacters;
} // namespace foundation
