#pragma once

#include "platform/corefoundation/StringFormat.h"

#include <string>
#include <vector>

enum : int {
    kCFLogLevelEmergency = 0,
    kCFLogLevelAlert = 1,
    kCFLogLevelCritical = 2,
    kCFLogLevelError = 3,
    kCFLogLevelWarning = 4,
    kCFLogLevelNotice = 5,
    kCFLogLevelInfo = 6,
    kCFLogLevelDebug = 7,
};

namespace corefoundation {
// Appends one line to the device's system log (kept per booted device, and echoed on standard
// error).
void writeSystemLog(int level, const std::string& message);
// The lines logged on the current device so far.
std::vector<std::string> systemLogLines();
} // namespace corefoundation

// The platform's logging call, with the platform's format directives (see StringFormat.h).
template<class... A>
void CFLog(int level, std::string_view format, const A&... args)
{
    corefoundation::writeSystemLog(level, corefoundation::stringWithFormat(format, args...));
}
