#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class NSURL;

namespace foundation {

// One fetch of a URL's whole contents, synchronously on the calling thread (never the main
// thread: it blocks). http and https go through libcurl; file URLs read device paths.
// A transfer slower than `lowSpeedBytesPerSecond` for `lowSpeedSeconds` in a row fails as timed
// out, so that a server trickling its answer cannot hold the caller until the total timeout.
struct FetchLimits {
    long connectTimeoutSeconds = 15;
    long totalTimeoutSeconds = 30;
    std::size_t maximumBytes = 50u * 1024 * 1024;
    long lowSpeedBytesPerSecond = 1024;
    long lowSpeedSeconds = 10;
};

struct FetchResult {
    std::optional<std::string> body; // none when the transfer failed
    long statusCode = 0;             // HTTP status; 200 for a file read
    std::int64_t errorCode = 0;      // NSURLErrorDomain code when the transfer failed
    std::string errorDescription;
};

FetchResult fetchURL(const NSURL& url, const FetchLimits& limits = {});

} // namespace foundation
