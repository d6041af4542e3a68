#pragma once

#include "platform/corefoundation/NSData.h"
#include "platform/foundation/NSError.h"
#include "platform/foundation/NSURL.h"

#include <atomic>
#include <functional>

// A request for a URL; its timeout bounds the whole transfer (60 seconds unless given).
// Runtime methods: requestWithURL: and requestWithURL:cachePolicy:timeoutInterval: (class), URL,
// timeoutInterval.
class NSURLRequest : public objc::NSObject {
    OBJC_CLASS(NSURLRequest)
public:
    static objc::Ref<NSURLRequest> requestWithURL(NSURL* url, double timeoutInterval = 60);

    objc::Ref<NSURL> url;
    double timeoutInterval = 60;
};

// The response of an HTTP or file fetch (the platform's NSHTTPURLResponse for web addresses).
class NSHTTPURLResponse : public objc::NSObject {
    OBJC_CLASS(NSHTTPURLResponse)
public:
    objc::Ref<NSURL> url;
    long statusCode = 0;
};

// The completion of a data task: data and response on success, an error when the transfer
// failed (an HTTP error status is a response, not an error, as on the platform). Called on the
// background thread the task ran on.
using NSURLSessionDataCompletion = std::function<void(NSData* data, NSHTTPURLResponse* response, NSError* error)>;

class NSURLSessionDataTask : public objc::NSObject {
    OBJC_CLASS(NSURLSessionDataTask)
public:
    objc::Ref<NSURL> url;
    double timeoutInterval = 60;
    NSURLSessionDataCompletion completion;
    std::atomic<bool> started { false };
    std::atomic<bool> cancelled { false };
};

// A minimal URL session: data tasks that run on a global queue.
class NSURLSession : public objc::NSObject {
    OBJC_CLASS(NSURLSession)
public:
    static objc::Ref<NSURLSession> sharedSession();
    objc::Ref<NSURLSessionDataTask> dataTaskWithURL(NSURL* url, NSURLSessionDataCompletion completion);
};

namespace foundation {
void registerURLSessionClasses(objc::Runtime&);
} // namespace foundation
