#include "NSDate.h"

#include "Create.h"

#include "platform/dispatch/RunLoop.h"

#include <cmath>

namespace {

// Dates compare by their time; a file's NaN date read back is the same date.
bool sameDate(const NSDate* a, const NSDate* b)
{
    if (!b)
        return false;
    double x = a->timeIntervalSinceReferenceDate(), y = b->timeIntervalSinceReferenceDate();
    return x == y || (std::isnan(x) && std::isnan(y));
}

} // namespace

namespace corefoundation {

double deviceNowSince1970()
{
    auto since = dispatch::RunLoop::main().wallClock().time_since_epoch();
    return std::chrono::duration<double>(since).count();
}

} // namespace corefoundation

objc::Ref<NSDate> NSDate::now() { return withTimeIntervalSince1970(corefoundation::deviceNowSince1970()); }
objc::Ref<NSDate> NSDate::withTimeIntervalSince1970(double seconds) { return corefoundation::create<NSDate>(seconds - referenceOffset); }
objc::Ref<NSDate> NSDate::withTimeIntervalSinceReferenceDate(double seconds) { return corefoundation::create<NSDate>(seconds); }

namespace corefoundation {

void registerDateClass(objc::Runtime& runtime)
{
    using objc::SEL;
    objc::Class* cls = runtime.registerClass<NSDate>("NSObject");
    cls->addClassMethod("date", [](objc::Object*, SEL) { return NSDate::now(); });
    cls->addClassMethod("dateWithTimeIntervalSince1970:", [](objc::Object*, SEL, double s) { return NSDate::withTimeIntervalSince1970(s); });
    cls->addClassMethod("dateWithTimeIntervalSinceReferenceDate:", [](objc::Object*, SEL, double s) { return NSDate::withTimeIntervalSinceReferenceDate(s); });
    cls->addClassMethod("dateWithTimeIntervalSinceNow:", [](objc::Object*, SEL, double s) { return NSDate::withTimeIntervalSince1970(deviceNowSince1970() + s); });
    cls->addMethod("timeIntervalSince1970", [](NSDate* self, SEL) { return self->timeIntervalSince1970(); });
    cls->addMethod("timeIntervalSinceReferenceDate", [](NSDate* self, SEL) { return self->timeIntervalSinceReferenceDate(); });
    cls->addMethod("timeIntervalSinceNow", [](NSDate* self, SEL) { return self->timeIntervalSince1970() - deviceNowSince1970(); });
    cls->addMethod("timeIntervalSinceDate:", [](NSDate* self, SEL, NSDate* other) {
        return other ? self->timeIntervalSinceReferenceDate() - other->timeIntervalSinceReferenceDate() : 0.0;
    });
    cls->addMethod("dateByAddingTimeInterval:", [](NSDate* self, SEL, double s) { return NSDate::withTimeIntervalSinceReferenceDate(self->timeIntervalSinceReferenceDate() + s); });
    cls->addMethod("isEqualToDate:", [](NSDate* self, SEL, NSDate* other) { return sameDate(self, other); });
    cls->addMethod("isEqual:", [](NSDate* self, SEL, objc::Object* other) { return sameDate(self, dynamic_cast<NSDate*>(other)); });
    cls->addMethod("copy", [](NSDate* self, SEL) { return objc::Ref<NSDate>(self); });
}

} // namespace corefoundation
