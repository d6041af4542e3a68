#pragma once

#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <string>

enum NSByteCountFormatterCountStyle : long {
    NSByteCountFormatterCountStyleFile = 0,
    NSByteCountFormatterCountStyleMemory = 1,
    NSByteCountFormatterCountStyleDecimal = 2,
    NSByteCountFormatterCountStyleBinary = 3,
};

// Byte counts for people, as the platform writes them: "Zero KB", "1 byte", "999 bytes", "4 KB",
// "1.5 MB", "1.23 GB". Kilobytes have no decimals, megabytes up to one, larger units up to two;
// trailing zero decimals are dropped and halves round up. The file and decimal styles count in
// thousands, the memory and binary styles in 1024s.
class NSByteCountFormatter : public objc::NSObject {
    OBJC_CLASS(NSByteCountFormatter)
public:
    static std::string stringFromByteCount(std::int64_t bytes, NSByteCountFormatterCountStyle style = NSByteCountFormatterCountStyleFile);

    NSByteCountFormatterCountStyle countStyle = NSByteCountFormatterCountStyleFile;
};

namespace foundation {
void registerByteCountFormatterClass(objc::Runtime&);
} // namespace foundation
