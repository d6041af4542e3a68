#pragma once

#include "platform/runtime/NSObject.h"

#include <string>

// A locale by identifier ("en_US", "en_GB", "de_DE"). The device's current locale and time zone
// are per booted device (default "en_US" and UTC); the device boot sets them from its profile.
class NSLocale : public objc::NSObject {
    OBJC_CLASS(NSLocale)
public:
    NSLocale() = default;
    explicit NSLocale(std::string identifier)
        : m_identifier(std::move(identifier))
    {
    }

    static objc::Ref<NSLocale> currentLocale();
    static objc::Ref<NSLocale> withIdentifier(std::string identifier);

    const std::string& localeIdentifier() const { return m_identifier; }
    // "en" of "en_US".
    std::string languageCode() const;
    std::string countryCode() const;

private:
    std::string m_identifier = "en_US";
};

namespace foundation {
void setCurrentLocaleIdentifier(std::string identifier);
std::string currentLocaleIdentifier();
// The device's offset from UTC, in seconds east.
void setTimeZoneOffset(int secondsFromGMT);
int timeZoneOffset();
void registerLocaleClass(objc::Runtime&);
} // namespace foundation
