#include "NSDate.h"

#include "CoreFoundationSelectors.h"
#include "Create.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

#include <cmath>

using objc::Object;
using objc::Ref;

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

namespace {

Ref<NSDate> dateFromNow(double seconds) { return NSDate::withTimeIntervalSince1970(corefoundation::deviceNowSince1970() + seconds); }
double sinceNow(NSDate* self) { return self->timeIntervalSince1970() - corefoundation::deviceNowSince1970(); }
double sinceDate(NSDate* self, NSDate* other) { return other ? self->timeIntervalSinceReferenceDate() - other->timeIntervalSinceReferenceDate() : 0.0; }
Ref<NSDate> adding(NSDate* self, double seconds) { return NSDate::withTimeIntervalSinceReferenceDate(self->timeIntervalSinceReferenceDate() + seconds); }
bool isEqualToDate(NSDate* self, NSDate* other) { return sameDate(self, other); }
bool dateIsEqual(NSDate* self, Object* other) { return sameDate(self, dynamic_cast<NSDate*>(other)); }
Ref<NSDate> copyDate(NSDate* self) { return self; }

} // namespace

namespace corefoundation {

void registerDateClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSDate>(runtime, "NSObject")
        .classMethod(sel::date, &NSDate::now)
        .classMethod(sel::dateWithTimeIntervalSince1970, &NSDate::withTimeIntervalSince1970)
        .classMethod(sel::dateWithTimeIntervalSinceReferenceDate, &NSDate::withTimeIntervalSinceReferenceDate)
        .classMethod(sel::dateWithTimeIntervalSinceNow, &dateFromNow)
        .method(sel::timeIntervalSince1970, &NSDate::timeIntervalSince1970)
        .method(sel::timeIntervalSinceReferenceDate, &NSDate::timeIntervalSinceReferenceDate)
        .method(sel::timeIntervalSinceNow, &sinceNow)
        .method(sel::timeIntervalSinceDate, &sinceDate)
        .method(sel::dateByAddingTimeInterval, &adding)
        .method(sel::isEqualToDate, &isEqualToDate)
        .method(objc::sel::isEqual, &dateIsEqual)
        .method(objc::sel::copy, &copyDate)
        .build();
}

} // namespace corefoundation
