#include "NSURL.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

#include "FoundationCreate.h"

#include <cctype>
#include <curl/curl.h>
#include <memory>

using objc::Object;
using objc::Ref;
using objc::SEL;

namespace foundation {

const std::string urlQueryAllowedCharacters = "!$&'()*+,-./:;=?@_~";

namespace {

bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Whether every character may appear in a URL, with every "%" starting an escape.
bool isURLText(const std::string& text)
{
    static const std::string allowed = "-._~:/?#[]@!$&'()*+,;=%";
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80 || !(std::isalnum(c) || allowed.find(static_cast<char>(c)) != std::string::npos))
            return false;
        if (c == '%' && (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])))
            return false;
    }
    return true;
}

std::string percentDecode(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && isHex(text[i + 1]) && isHex(text[i + 2])) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The scheme of an absolute URL ("http" of "http://..."), if the text starts with one.
std::optional<std::string> leadingScheme(const std::string& text)
{
    std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return std::nullopt;
    for (std::size_t i = 1; i < colon; ++i) {
        char c = text[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return std::nullopt;
    }
    return text.substr(0, colon);
}

struct CurlUrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};

std::optional<std::string> part(CURLU* url, CURLUPart which)
{
    char* value = nullptr;
    if (curl_url_get(url, which, &value, 0) != CURLUE_OK || !value)
        return std::nullopt;
    std::string result = value;
    curl_free(value);
    return result;
}

} // namespace

std::string percentEncode(const std::string& text, const std::string& alsoAllowed)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || (c < 0x80 && alsoAllowed.find(ch) != std::string::npos)) {
            out += ch;
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

} // namespace foundation

std::optional<NSURL::Parts> NSURL::parse(const std::string& text)
{
    if (text.empty() || !foundation::isURLText(text))
        return std::nullopt;
    Parts parts;
    parts.absoluteString = text;
    auto scheme = foundation::leadingScheme(text);
    if (!scheme) {
        // A relative reference: no scheme, no host; the text up to "?" or "#" is the path.
        std::string path = text.substr(0, text.find_first_of("?#"));
        parts.path = foundation::percentDecode(path);
        if (auto q = text.find('?'); q != std::string::npos)
            parts.query = text.substr(q + 1, text.find('#', q) == std::string::npos ? std::string::npos : text.find('#', q) - q - 1);
        return parts;
    }
    for (auto& c : *scheme)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    parts.scheme = *scheme;
    std::string rest = text.substr(scheme->size() + 1);
    if (!rest.starts_with("//")) {
        // "mailto:someone", "tel:123": no authority, the rest is the path.
        parts.path = foundation::percentDecode(rest.substr(0, rest.find_first_of("?#")));
        return parts;
    }
    std::unique_ptr<CURLU, foundation::CurlUrlDeleter> url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, text.c_str(), CURLU_NON_SUPPORT_SCHEME | CURLU_PATH_AS_IS) != CURLUE_OK) {
        // A file URL ("file:///var/...") has an empty authority.
        if (*scheme != "file")
            return std::nullopt;
        std::string path = rest.substr(2);
        path = path.substr(path.find('/') == std::string::npos ? path.size() : path.find('/'));
        parts.path = foundation::percentDecode(path.substr(0, path.find_first_of("?#")));
        return parts;
    }
    auto host = foundation::part(url.get(), CURLUPART_HOST);
    if (host && !host->empty())
        parts.host = *host;
    if (auto port = foundation::part(url.get(), CURLUPART_PORT))
        parts.port = std::stol(*port);
    parts.path = foundation::percentDecode(foundation::part(url.get(), CURLUPART_PATH).value_or(""));
    parts.query = foundation::part(url.get(), CURLUPART_QUERY);
    return parts;
}

Ref<NSURL> NSURL::URLWithString(const std::string& text)
{
    auto parts = parse(text);
    return parts ? foundation::create<NSURL>(std::move(*parts)) : nullptr;
}

Ref<NSURL> NSURL::fileURLWithPath(const std::string& devicePath)
{
    if (devicePath.empty() || devicePath.front() != '/')
        return nullptr;
    return URLWithString("file://" + foundation::percentEncode(devicePath, "/!$&'()*+,;=:@"));
}

bool NSURL::isFileURL() const { return m_parts.scheme == "file"; }

namespace foundation {

namespace {

// Optional parts are nil on the platform; messages carry strings, so nil reads as "".
std::string schemeOf(NSURL* self) { return self->scheme().value_or(""); }
std::string hostOf(NSURL* self) { return self->host().value_or(""); }
std::string queryOf(NSURL* self) { return self->query().value_or(""); }

bool urlIsEqual(NSURL* self, Object* other)
{
    auto* url = dynamic_cast<NSURL*>(other);
    return url && url->absoluteString() == self->absoluteString();
}

} // namespace

void registerURLClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSURL>(runtime, "NSObject")
        .classMethod(sel::URLWithString, &NSURL::URLWithString)
        .classMethod(sel::fileURLWithPath, &NSURL::fileURLWithPath)
        .method(sel::absoluteString, &NSURL::absoluteString)
        .method(objc::sel::description, &NSURL::absoluteString)
        .method(sel::scheme, &schemeOf)
        .method(sel::host, &hostOf)
        .method(sel::path, &NSURL::path)
        .method(sel::query, &queryOf)
        .method(sel::isFileURL, &NSURL::isFileURL)
        .method(objc::sel::isEqual, &urlIsEqual)
        .build();
}

} // namespace foundation
