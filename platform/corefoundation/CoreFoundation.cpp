#include "CoreFoundation.h"

double kCFCoreFoundationVersionNumber = 1575.17;

void registerCoreFoundationClasses(objc::Runtime& runtime)
{
    if (!runtime.beginRegistering("CoreFoundation"))
        return;
    // NSObject's equality is identity; the value classes below refine it.
    runtime.requireClass("NSObject")->addMethod("isEqual:", [](objc::Object* self, objc::SEL, objc::Object* other) { return self == other; });
    runtime.requireClass("NSObject")->addMethod("hash", [](objc::Object* self, objc::SEL) { return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(self)); });
    corefoundation::registerStringClass(runtime);
    corefoundation::registerNumberClass(runtime);
    corefoundation::registerDataClass(runtime);
    corefoundation::registerDateClass(runtime);
    corefoundation::registerArrayClasses(runtime);
    corefoundation::registerDictionaryClasses(runtime);
    corefoundation::registerPropertyListMethods(runtime);
}

namespace corefoundation {

void ensureRegistered()
{
    objc::Runtime& runtime = objc::Runtime::current();
    if (!runtime.getClass("NSMutableDictionary"))
        registerCoreFoundationClasses(runtime);
}

} // namespace corefoundation
