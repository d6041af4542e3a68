#include "NSError.h"

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

void registerErrorClass(objc::Runtime& runtime)
{
    using objc::SEL;
    objc::Class* cls = runtime.registerClass<NSError>("NSObject");
    cls->addClassMethod("errorWithDomain:code:userInfo:", [](objc::Object*, SEL, std::string domain, std::int64_t code, NSDictionary* userInfo) {
        std::string description = userInfo && userInfo->stringForKey("NSLocalizedDescription") ? *userInfo->stringForKey("NSLocalizedDescription")
                                                                                                  : "The operation couldn’t be completed. (" + domain + " error " + std::to_string(code) + ".)";
        return NSError::make(std::move(domain), code, std::move(description));
    });
    cls->addMethod("domain", [](NSError* self, SEL) { return self->domain(); });
    cls->addMethod("code", [](NSError* self, SEL) { return self->code(); });
    cls->addMethod("localizedDescription", [](NSError* self, SEL) { return self->localizedDescription(); });
    cls->addMethod("description", [](NSError* self, SEL) {
        return "Error Domain=" + self->domain() + " Code=" + std::to_string(self->code()) + " \"" + self->localizedDescription() + "\"";
    });
}

} // namespace foundation
