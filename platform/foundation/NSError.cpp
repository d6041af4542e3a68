#include "NSError.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

#include "FoundationCreate.h"

objc::Ref<NSError> NSError::make(std::string domain, std::int64_t code, std::string description)
{
    return foundation::create<NSError>(std::move(domain), code, std::move(description));
}

namespace foundation {

void reportError(NSErrorPointer out, const std::string& domain, std::int64_t code, const std::string& description)
{
    if (out)
        *out = NSError::make(domain, code, description);
}

namespace {

objc::Ref<NSError> errorWithDomain(std::string domain, std::int64_t code, NSDictionary* userInfo)
{
    std::string description = userInfo && userInfo->stringForKey("NSLocalizedDescription") ? *userInfo->stringForKey("NSLocalizedDescription")
                                                                                              : "The operation couldn’t be completed. (" + domain + " error " + std::to_string(code) + ".)";
    return NSError::make(std::move(domain), code, std::move(description));
}

std::string describeError(NSError* self)
{
    return "Error Domain=" + self->domain() + " Code=" + std::to_string(self->code()) + " \"" + self->localizedDescription() + "\"";
}

} // namespace

void registerErrorClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSError>(runtime, "NSObject")
        .classMethod(sel::errorWithDomainCodeUserInfo, &errorWithDomain)
        .method(sel::domain, &NSError::domain)
        .method(sel::code, &NSError::code)
        .method(sel::localizedDescription, &NSError::localizedDescription)
        .method(objc::sel::description, &describeError)
        .build();
}

} // namespace foundation
