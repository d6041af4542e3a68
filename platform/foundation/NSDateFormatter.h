#pragma once

#include "platform/corefoundation/NSDate.h"
#include "platform/foundation/NSLocale.h"

#include <string>

enum NSDateFormatterStyle : long {
    NSDateFormatterNoStyle = 0,
    NSDateFormatterShortStyle = 1,
    NSDateFormatterMediumStyle = 2,
    NSDateFormatterLongStyle = 3,
    NSDateFormatterFullStyle = 4,
};

// Writes dates in the device's time zone, by date and time style in a locale (short time: "9:41
// AM" in en_US, "09:41" in en_GB and de_DE) or by a format pattern. Pattern letters understood:
// y yy yyyy, M MM MMM MMMM, d dd, E EEE EEEE, h hh, H HH, m mm, s ss, a, and 'quoted text'.
// English and German names; other languages write English names.
class NSDateFormatter : public objc::NSObject {
    OBJC_CLASS(NSDateFormatter)
public:
    NSDateFormatter();

    void setDateStyle(NSDateFormatterStyle style) { m_dateStyle = style; }
    void setTimeStyle(NSDateFormatterStyle style) { m_timeStyle = style; }
    void setDateFormat(std::string format) { m_format = std::move(format); }
    void setLocale(NSLocale* locale);
    const std::string& localeIdentifier() const { return m_localeIdentifier; }

    // The pattern in use: the explicit format, or the one the styles give in the locale.
    std::string effectivePattern() const;
    std::string stringFromDate(const NSDate& date) const;

    static std::string format(double secondsSince1970, const std::string& pattern, const std::string& localeIdentifier, int offsetSeconds);

private:
    NSDateFormatterStyle m_dateStyle = NSDateFormatterNoStyle;
    NSDateFormatterStyle m_timeStyle = NSDateFormatterNoStyle;
    std::string m_format;
    std::string m_localeIdentifier;
};

namespace foundation {
void registerDateFormatterClass(objc::Runtime&);
} // namespace foundation
