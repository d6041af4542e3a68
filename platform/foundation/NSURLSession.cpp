#include "NSURLSession.h"

#include "FoundationCreate.h"
#include "URLFetch.h"

#include "platform/dispatch/Queue.h"
#include "platform/runtime/Message.h"

#include <algorithm>
#include <cmath>

using objc::Object;
using objc::Ref;
using objc::SEL;

namespace foundation {

namespace {

struct SessionState {
    Ref<NSURLSession> shared;
};

Ref<NSURLSessionDataTask> makeTask(NSURL* url, NSURLSessionDataCompletion completion, double timeoutInterval = 60)
{
    auto task = foundation::create<NSURLSessionDataTask>();
    task->url = url;
    task->timeoutInterval = timeoutInterval;
    task->completion = std::move(completion);
    return task;
}

void runTask(Ref<NSURLSessionDataTask> task)
{
    Ref<NSData> data;
    Ref<NSHTTPURLResponse> response;
    Ref<NSError> error;
    if (task->cancelled) {
        error = NSError::make(NSURLErrorDomain, NSURLErrorCancelled, "cancelled");
    } else if (!task->url) {
        error = NSError::make(NSURLErrorDomain, NSURLErrorBadURL, "unsupported URL");
    } else {
        FetchLimits limits;
        if (task->timeoutInterval > 0)
            limits.totalTimeoutSeconds = std::max(1L, static_cast<long>(std::ceil(task->timeoutInterval)));
        limits.connectTimeoutSeconds = std::min(limits.connectTimeoutSeconds, limits.totalTimeoutSeconds);
        FetchResult result = fetchURL(*task->url, limits);
        if (task->cancelled) {
            error = NSError::make(NSURLErrorDomain, NSURLErrorCancelled, "cancelled");
        } else if (!result.body) {
            error = NSError::make(NSURLErrorDomain, result.errorCode, result.errorDescription);
        } else {
            data = NSData::make(*result.body);
            response = foundation::create<NSHTTPURLResponse>();
            response->url = task->url;
            response->statusCode = result.statusCode;
        }
    }
    if (task->completion)
        task->completion(data, response, error);
    task->completion = nullptr; // drop what the handler holds
}

} // namespace

void registerURLSessionClasses(objc::Runtime& runtime)
{
    objc::Class* request = runtime.registerClass<NSURLRequest>("NSObject");
    request->addClassMethod("requestWithURL:", [](Object*, SEL, NSURL* url) {
        auto made = foundation::create<NSURLRequest>();
        made->url = url;
        return made;
    });
    request->addClassMethod("requestWithURL:cachePolicy:timeoutInterval:", [](Object*, SEL, NSURL* url, std::uint64_t, double timeout) {
        auto made = foundation::create<NSURLRequest>();
        made->url = url;
        made->timeoutInterval = timeout > 0 ? timeout : 60;
        return made;
    });
    request->addMethod("URL", [](NSURLRequest* self, SEL) { return self->url; });
    request->addMethod("timeoutInterval", [](NSURLRequest* self, SEL) { return self->timeoutInterval; });

    objc::Class* response = runtime.registerClass<NSHTTPURLResponse>("NSObject");
    response->addMethod("statusCode", [](NSHTTPURLResponse* self, SEL) { return self->statusCode; });
    response->addMethod("URL", [](NSHTTPURLResponse* self, SEL) { return self->url; });

    objc::Class* task = runtime.registerClass<NSURLSessionDataTask>("NSObject");
    task->addMethod("resume", [](NSURLSessionDataTask* self, SEL) {
        if (self->started.exchange(true))
            return;
        Ref<NSURLSessionDataTask> keep(self);
        dispatch_async(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0), [keep] { runTask(keep); });
    });
    task->addMethod("cancel", [](NSURLSessionDataTask* self, SEL) { self->cancelled = true; });

    objc::Class* session = runtime.registerClass<NSURLSession>("NSObject");
    session->addClassMethod("sharedSession", [](Object*, SEL) {
        auto& state = objc::Runtime::current().state<SessionState>();
        if (!state.shared)
            state.shared = foundation::create<NSURLSession>();
        return state.shared;
    });
    session->addMethod("dataTaskWithURL:completionHandler:", [](NSURLSession*, SEL, NSURL* url, NSURLSessionDataCompletion completion) {
        return makeTask(url, std::move(completion));
    });
    session->addMethod("dataTaskWithRequest:completionHandler:", [](NSURLSession*, SEL, NSURLRequest* request, NSURLSessionDataCompletion completion) {
        return makeTask(request ? request->url.ptr() : nullptr, std::move(completion), request ? request->timeoutInterval : 60);
    });

    // The synchronous fetch: nil on any failure, including an HTTP error status (the body of an
    // error page is not the resource asked for).
    runtime.requireClass("NSData")->addClassMethod("dataWithContentsOfURL:", [](Object*, SEL, NSURL* url) -> Ref<NSData> {
        if (!url)
            return nullptr;
        FetchResult result = fetchURL(*url);
        if (!result.body || result.statusCode >= 400)
            return nullptr;
        return NSData::make(*result.body);
    });
}

} // namespace foundation

Ref<NSURLRequest> NSURLRequest::requestWithURL(NSURL* url, double timeoutInterval)
{
    foundation::ensureRegistered();
    return objc::msgSend<Ref<NSURLRequest>>(objc::objc_getClass("NSURLRequest"), "requestWithURL:cachePolicy:timeoutInterval:", url, std::uint64_t(0), timeoutInterval);
}

Ref<NSURLSession> NSURLSession::sharedSession()
{
    foundation::ensureRegistered();
    return objc::msgSend<Ref<NSURLSession>>(objc::objc_getClass("NSURLSession"), "sharedSession");
}

Ref<NSURLSessionDataTask> NSURLSession::dataTaskWithURL(NSURL* url, NSURLSessionDataCompletion completion)
{
    return objc::msgSend<Ref<NSURLSessionDataTask>>(this, "dataTaskWithURL:completionHandler:", url, std::move(completion));
}
