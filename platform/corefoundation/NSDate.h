#pragma once

#include "platform/runtime/NSObject.h"

#include <chrono>

// A point in time, kept as seconds since the platform's reference date (1 January 2001 UTC).
class NSDate : public objc::NSObject {
    OBJC_CLASS(NSDate)
public:
    // Seconds from 1970 to 2001.
    static constexpr double referenceOffset = 978307200.0;

    NSDate() = default;
    explicit NSDate(double sinceReferenceDate)
        : m_sinceReference(sinceReferenceDate)
    {
    }

    // The device's current time: its boot time plus the virtual time of the main run loop.
    static objc::Ref<NSDate> now();
    static objc::Ref<NSDate> withTimeIntervalSince1970(double);
    static objc::Ref<NSDate> withTimeIntervalSinceReferenceDate(double);

    double timeIntervalSinceReferenceDate() const { return m_sinceReference; }
    double timeIntervalSince1970() const { return m_sinceReference + referenceOffset; }

private:
    double m_sinceReference = 0;
};

namespace corefoundation {
void registerDateClass(objc::Runtime&);
double deviceNowSince1970();
} // namespace corefoundation
