#include "NSCharacterSet.h"

#include "FoundationCreate.h"
#include "NSURL.h"

#include "platform/corefoundation/NSString.h"

using objc::Object;
using objc::SEL;

objc::Ref<NSCharacterSet> NSCharacterSet::URLQueryAllowedCharacterSet() { return foundation::create<NSCharacterSet>(foundation::urlQueryAllowedCharacters); }
objc::Ref<NSCharacterSet> NSCharacterSet::URLPathAllowedCharacterSet() { return foundation::create<NSCharacterSet>("!$&'()*+,-./:=@_~"); }

namespace foundation {

void registerCharacterSetClass(objc::Runtime& runtime)
{
    objc::Class* cls = runtime.registerClass<NSCharacterSet>("NSObject");
    cls->addClassMethod("URLQueryAllowedCharacterSet", [](Object*, SEL) { return NSCharacterSet::URLQueryAllowedCharacterSet(); });
    cls->addClassMethod("URLPathAllowedCharacterSet", [](Object*, SEL) { return NSCharacterSet::URLPathAllowedCharacterSet(); });
    runtime.requireClass("NSString")->addMethod("stringByAddingPercentEncodingWithAllowedCharacters:", [](NSString* self, SEL, NSCharacterSet* allowed) {
        return percentEncode(self->value(), allowed ? allowed->extraCharacters() : std::string());
    });
}

} // namespace foundation
