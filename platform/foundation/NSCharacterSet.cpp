#include "NSCharacterSet.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/Category.h"

#include "FoundationCreate.h"
#include "NSURL.h"

#include "platform/corefoundation/NSString.h"

using objc::Object;
using objc::SEL;

objc::Ref<NSCharacterSet> NSCharacterSet::URLQueryAllowedCharacterSet() { return foundation::create<NSCharacterSet>(foundation::urlQueryAllowedCharacters); }
objc::Ref<NSCharacterSet> NSCharacterSet::URLPathAllowedCharacterSet() { return foundation::create<NSCharacterSet>("!$&'()*+,-./:=@_~"); }

namespace foundation {

namespace {

std::string percentEncoded(NSString* self, NSCharacterSet* allowed) { return percentEncode(self->value(), allowed ? allowed->extraCharacters() : std::string()); }

} // namespace

void registerCharacterSetClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSCharacterSet>(runtime, "NSObject")
        .classMethod(sel::URLQueryAllowedCharacterSet, &NSCharacterSet::URLQueryAllowedCharacterSet)
        .classMethod(sel::URLPathAllowedCharacterSet, &NSCharacterSet::URLPathAllowedCharacterSet)
        .build();
    objc::Category<NSString>(runtime, "NSString").method(sel::stringByAddingPercentEncodingWithAllowedCharacters, &percentEncoded);
}

} // namespace foundation
