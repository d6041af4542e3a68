#pragma once

#include "platform/corefoundation/NSDictionary.h"

#include <cstdint>
#include <string>

// An error with a domain, a code and a sentence for people. Methods that can fail take an
// optional out parameter of type NSErrorPointer (pass `&error`, or NSErrorPointer(nullptr) when
// the caller does not care; a bare nullptr would not match the method's signature).
class NSError : public objc::NSObject {
    OBJC_CLASS(NSError)
public:
    NSError() = default;
    NSError(std::string domain, std::int64_t code, std::string description)
        : m_domain(std::move(domain))
        , m_code(code)
        , m_description(std::move(description))
    {
    }

    static objc::Ref<NSError> make(std::string domain, std::int64_t code, std::string description);

    const std::string& domain() const { return m_domain; }
    std::int64_t code() const { return m_code; }
    const std::string& localizedDescription() const { return m_description; }

private:
    std::string m_domain;
    std::int64_t m_code = 0;
    std::string m_description;
};

using NSErrorPointer = objc::Ref<NSError>*;

inline const std::string NSCocoaErrorDomain = "NSCocoaErrorDomain";
inline const std::string NSURLErrorDomain = "NSURLErrorDomain";
inline const std::string NSPOSIXErrorDomain = "NSPOSIXErrorDomain";

// The platform's codes for the failures this system meets.
enum : std::int64_t {
    NSFileNoSuchFileError = 4,
    NSFileReadUnknownError = 256,
    NSFileReadNoPermissionError = 257,
    NSFileReadInvalidFileNameError = 258,
    NSFileReadNoSuchFileError = 260,
    NSFileWriteUnknownError = 512,
    NSFileWriteNoPermissionError = 513,
    NSFileWriteInvalidFileNameError = 514,
    NSFileWriteFileExistsError = 516,
    NSURLErrorUnknown = -1,
    NSURLErrorCancelled = -999,
    NSURLErrorBadURL = -1000,
    NSURLErrorTimedOut = -1001,
    NSURLErrorUnsupportedURL = -1002,
    NSURLErrorCannotFindHost = -1003,
    NSURLErrorCannotConnectToHost = -1004,
    NSURLErrorDataLengthExceedsMaximum = -1103,
    NSURLErrorFileDoesNotExist = -1100,
};

namespace foundation {
void registerErrorClass(objc::Runtime&);
// Stores a new error through `out` when the caller asked for one.
void reportError(NSErrorPointer out, const std::string& domain, std::int64_t code, const std::string& description);
} // namespace foundation
