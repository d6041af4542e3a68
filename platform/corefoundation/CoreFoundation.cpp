#include "CoreFoundation.h"

#include "CoreFoundationSelectors.h"
#include "platform/runtime/Category.h"
#include "platform/runtime/NSObjectSelectors.h"

double kCFCoreFoundationVersionNumber = 1575.17;

namespace {

bool isIdentical(objc::Object* self, objc::Object* other) { return self == other; }
std::uint64_t addressHash(objc::Object* self) { return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(self)); }

} // namespace

void registerCoreFoundationClasses(objc::Runtime& runtime)
{
    if (!runtime.beginRegistering("CoreFoundation"))
        return;
    // NSObject's equality is identity; the value classes below refine it.
    objc::Category<objc::Object>(runtime, "NSObject").method(objc::sel::isEqual, &isIdentical).method(objc::sel::hash, &addressHash);
    corefoundation::registerStringClass(runtime);
    corefoundation::registerNumberClass(runtime);
    corefoundation::registerDataClass(runtime);
    corefoundation::registerDateClass(runtime);
    corefoundation::registerArrayClasses(runtime);
    corefoundation::registerDictionaryClasses(runtime);
}

namespace corefoundation {

void ensureRegistered()
{
    objc::Runtime& runtime = objc::Runtime::current();
    if (!runtime.getClass("NSMutableDictionary"))
        registerCoreFoundationClasses(runtime);
}

} // namespace corefoundation
