#include "NSURLSession.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/Category.h"

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

namespace {

Ref<NSURLRequest> requestWithURL(NSURL* url)
{
    auto made = foundation::create<NSURLRequest>();
    made->url = url;
    return made;
}

Ref<NSURLRequest> requestWithURLAndTimeout(NSURL* url, std::uint64_t, double timeout)
{
    auto made = foundation::create<NSURLRequest>();
    made->url = url;
    made->timeoutInterval = timeout > 0 ? timeout : 60;
    return made;
}

Ref<NSURL> urlOfRequest(NSURLRequest* self) { return self->url; }
double timeoutOf(NSURLRequest* self) { return self->timeoutInterval; }
long statusCodeOf(NSHTTPURLResponse* self) { return self->statusCode; }
Ref<NSURL> urlOfResponse(NSHTTPURLResponse* self) { return self->url; }

void resume(NSURLSessionDataTask* self)
{
    if (self->started.exchange(true))
        return;
    Ref<NSURLSessionDataTask> keep(self);
    dispatch_async(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0), [keep] { runTask(keep); });
}

void cancel(NSURLSessionDataTask* self) { self->cancelled = true; }

Ref<NSURLSession> sharedSession()
{
    auto& state = objc::Runtime::current().state<SessionState>();
    if (!state.shared)
        state.shared = foundation::create<NSURLSession>();
    return state.shared;
}

Ref<NSURLSessionDataTask> dataTaskWithURL(NSURLSession*, NSURL* url, NSURLSessionDataCompletion completion) { return makeTask(url, std::move(completion)); }

Ref<NSURLSessionDataTask> dataTaskWithRequest(NSURLSession*, NSURLRequest* request, NSURLSessionDataCompletion completion)
{
    return makeTask(request ? request->url.ptr() : nullptr, std::move(completion), request ? request->timeoutInterval : 60);
}

// The synchronous fetch: nil on any failure, including an HTTP error status (the body of an
// error page is not the resource asked for).
Ref<NSData> dataWithContentsOfURL(NSURL* url)
{
    if (!url)
        return nullptr;
    FetchResult result = fetchURL(*url);
    if (!result.body || result.statusCode >= 400)
        return nullptr;
    return NSData::make(*result.body);
}

} // namespace

void registerURLSessionClasses(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSURLRequest>(runtime, "NSObject")
        .classMethod(sel::requestWithURL, &requestWithURL)
        .classMethod(sel::requestWithURLCachePolicyTimeoutInterval, &requestWithURLAndTimeout)
        .method(sel::URL, &urlOfRequest)
        .method(sel::timeoutInterval, &timeoutOf)
        .build();

    objc::ClassBuilder<NSHTTPURLResponse>(runtime, "NSObject")
        .method(sel::statusCode, &statusCodeOf)
        .method(sel::URL, &urlOfResponse)
        .build();

    objc::ClassBuilder<NSURLSessionDataTask>(runtime, "NSObject")
        .method(sel::resume, &resume)
        .method(sel::cancel, &cancel)
        .build();

    objc::ClassBuilder<NSURLSession>(runtime, "NSObject")
        .classMethod(sel::sharedSession, &sharedSession)
        .method(sel::dataTaskWithURLCompletionHandler, &dataTaskWithURL)
        .method(sel::dataTaskWithRequestCompletionHandler, &dataTaskWithRequest)
        .build();

    objc::Category<NSData>(runtime, "NSData").classMethod(sel::dataWithContentsOfURL, &dataWithContentsOfURL);
}

} // namespace foundation

Ref<NSURLRequest> NSURLRequest::requestWithURL(NSURL* url, double timeoutInterval)
{
    foundation::ensureRegistered();
    return foundation::sel::requestWithURLCachePolicyTimeoutInterval(objc::classOf<NSURLRequest>(), url, std::uint64_t(0), timeoutInterval);
}

Ref<NSURLSession> NSURLSession::sharedSession()
{
    foundation::ensureRegistered();
    return foundation::sel::sharedSession(objc::classOf<NSURLSession>());
}

Ref<NSURLSessionDataTask> NSURLSession::dataTaskWithURL(NSURL* url, NSURLSessionDataCompletion completion)
{
    return foundation::sel::dataTaskWithURLCompletionHandler(this, url, std::move(completion));
}
