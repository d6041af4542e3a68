#include "URLFetch.h"

#include "platform/filesystem/DeviceRoot.h"
#include "NSError.h"
#include "NSURL.h"

#include "platform/filesystem/ReadFile.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace foundation {

using filesystem::DeviceRoot;

namespace {

struct Sink {
    std::string body;
    std::size_t limit;
    bool tooLarge = false;
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    std::size_t bytes = size * count;
    if (sink->body.size() + bytes > sink->limit) {
        sink->tooLarge = true;
        return 0; // stops the transfer
    }
    sink->body.append(data, bytes);
    return bytes;
}

FetchResult failure(std::int64_t code, std::string description)
{
    FetchResult result;
    result.errorCode = code;
    result.errorDescription = std::move(description);
    return result;
}

std::int64_t urlErrorFor(CURLcode code)
{
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return NSURLErrorTimedOut;
    case CURLE_COULDNT_RESOLVE_HOST:
        return NSURLErrorCannotFindHost;
    case CURLE_COULDNT_CONNECT:
        return NSURLErrorCannotConnectToHost;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return NSURLErrorUnsupportedURL;
    case CURLE_URL_MALFORMAT:
        return NSURLErrorBadURL;
    case CURLE_FILESIZE_EXCEEDED:
        return NSURLErrorDataLengthExceedsMaximum;
    default:
        return NSURLErrorUnknown;
    }
}

FetchResult fetchFile(const NSURL& url, const FetchLimits& limits)
{
    auto host = DeviceRoot::resolve(url.path());
    if (!host)
        return failure(NSURLErrorFileDoesNotExist, "The file " + url.path() + " is not on this device.");
    std::string error;
    auto bytes = filesystem::readWholeFile(*host, limits.maximumBytes, &error);
    if (!bytes)
        return failure(NSURLErrorFileDoesNotExist, "The file " + url.path() + " couldn’t be read: " + error);
    FetchResult result;
    result.body = std::move(*bytes);
    result.statusCode = 200;
    return result;
}

FetchResult fetchHTTP(const NSURL& url, const FetchLimits& limits)
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        return failure(NSURLErrorUnknown, "The download could not be started.");
    Sink sink { {}, limits.maximumBytes };
    char errorText[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.absoluteString().c_str());
    // Only the web: a redirect must not lead to a file or any other protocol.
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 8L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, limits.connectTimeoutSeconds);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, limits.totalTimeoutSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, limits.lowSpeedBytesPerSecond);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, limits.lowSpeedSeconds);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maximumBytes));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Ovrimo-Device/1.0");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    CURLcode code = curl_easy_perform(c);
    if (sink.tooLarge)
        return failure(NSURLErrorDataLengthExceedsMaximum, "The resource is larger than " + std::to_string(limits.maximumBytes) + " bytes.");
    if (code != CURLE_OK)
        return failure(urlErrorFor(code), std::string("The download failed: ") + (errorText[0] ? errorText : curl_easy_strerror(code)));
    FetchResult result;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &result.statusCode);
    result.body = std::move(sink.body);
    return result;
}

} // namespace

FetchResult fetchURL(const NSURL& url, const FetchLimits& limits)
{
    if (url.isFileURL())
        return fetchFile(url, limits);
    if (url.scheme() == "http" || url.scheme() == "https") {
        if (!url.host())
            return failure(NSURLErrorBadURL, "The address " + url.absoluteString() + " has no host.");
        return fetchHTTP(url, limits);
    }
    return failure(NSURLErrorUnsupportedURL, "The address " + url.absoluteString() + " is not a web or file address.");
}

} // namespace foundation
