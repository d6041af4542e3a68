#include "NSDateFormatter.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include "platform/runtime/Message.h"

#include <chrono>
#include <cmath>

using objc::Object;
using objc::SEL;

namespace {

struct Names {
    const char* months[12];
    const char* shortMonths[12];
    const char* days[7]; // Sunday first
    const char* shortDays[7];
};

const Names english {
    { "January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November", "December" },
    { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" },
    { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" },
    { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" },
};

const Names german {
    { "Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober", "November", "Dezember" },
    { "Jan.", "Feb.", "März", "Apr.", "Mai", "Juni", "Juli", "Aug.", "Sept.", "Okt.", "Nov.", "Dez." },
    { "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag" },
    { "So.", "Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa." },
};

std::string language(const std::string& locale) { return locale.substr(0, locale.find_first_of("_-")); }
std::string region(const std::string& locale)
{
    auto at = locale.find_first_of("_-");
    return at == std::string::npos ? std::string() : locale.substr(at + 1);
}

bool uses12HourClock(const std::string& locale)
{
    std::string r = region(locale);
    return language(locale) == "en" && r != "GB" && r != "IE";
}

std::string padded(long value, std::size_t width)
{
    std::string text = std::to_string(value);
    return text.size() >= width ? text : std::string(width - text.size(), '0') + text;
}

std::string timePattern(NSDateFormatterStyle style, const std::string& locale)
{
    if (style == NSDateFormatterNoStyle)
        return {};
    bool seconds = style != NSDateFormatterShortStyle;
    if (uses12HourClock(locale))
        return seconds ? "h:mm:ss a" : "h:mm a";
    return seconds ? "HH:mm:ss" : "HH:mm";
}

std::string datePattern(NSDateFormatterStyle style, const std::string& locale)
{
    if (style == NSDateFormatterNoStyle)
        return {};
    int i = static_cast<int>(style) - 1;
    if (language(locale) == "de") {
        static const char* p[] = { "dd.MM.yy", "dd.MM.y", "d. MMMM y", "EEEE, d. MMMM y" };
        return p[i];
    }
    if (!uses12HourClock(locale)) {
        static const char* p[] = { "dd/MM/y", "d MMM y", "d MMMM y", "EEEE, d MMMM y" };
        return p[i];
    }
    static const char* p[] = { "M/d/yy", "MMM d, y", "MMMM d, y", "EEEE, MMMM d, y" };
    return p[i];
}

} // namespace

NSDateFormatter::NSDateFormatter()
    : m_localeIdentifier(foundation::currentLocaleIdentifier())
{
}

void NSDateFormatter::setLocale(NSLocale* locale) { m_localeIdentifier = locale ? locale->localeIdentifier() : foundation::currentLocaleIdentifier(); }

std::string NSDateFormatter::effectivePattern() const
{
    if (!m_format.empty())
        return m_format;
    std::string date = datePattern(m_dateStyle, m_localeIdentifier);
    std::string time = timePattern(m_timeStyle, m_localeIdentifier);
    if (date.empty() || time.empty())
        return date + time;
    return date + ", " + time;
}

std::string NSDateFormatter::stringFromDate(const NSDate& date) const
{
    return format(date.timeIntervalSince1970(), effectivePattern(), m_localeIdentifier, foundation::timeZoneOffset());
}

std::string NSDateFormatter::format(double secondsSince1970, const std::string& pattern, const std::string& locale, int offsetSeconds)
{
    using namespace std::chrono;
    const Names& names = language(locale) == "de" ? german : english;
    auto local = static_cast<long long>(std::floor(secondsSince1970)) + offsetSeconds;
    long long dayNumber = local >= 0 ? local / 86400 : -((-local + 86399) / 86400);
    long long secondOfDay = local - dayNumber * 86400;
    sys_days day { days(dayNumber) };
    year_month_day ymd(day);
    unsigned weekdayIndex = weekday(day).c_encoding();
    long year = static_cast<int>(ymd.year());
    long month = static_cast<unsigned>(ymd.month());
    long dayOfMonth = static_cast<unsigned>(ymd.day());
    long hour = static_cast<long>(secondOfDay / 3600);
    long minute = static_cast<long>(secondOfDay / 60 % 60);
    long second = static_cast<long>(secondOfDay % 60);

    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        if (c == '\'') {
            // Quoted text; '' is a single quote.
            std::size_t end = i + 1;
            if (end < pattern.size() && pattern[end] == '\'') {
                out += '\'';
                i += 2;
                continue;
            }
            while (end < pattern.size() && pattern[end] != '\'')
                out += pattern[end++];
            i = end + 1;
            continue;
        }
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            out += c;
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        i += run;
        switch (c) {
        case 'y':
            out += run == 2 ? padded(year % 100, 2) : padded(year, run);
            break;
        case 'M':
        case 'L':
            out += run >= 4 ? names.months[month - 1] : run == 3 ? names.shortMonths[month - 1] : padded(month, run);
            break;
        case 'd':
            out += padded(dayOfMonth, run);
            break;
        case 'E':
            out += run >= 4 ? names.days[weekdayIndex] : names.shortDays[weekdayIndex];
            break;
        case 'h':
            out += padded(hour % 12 == 0 ? 12 : hour % 12, run);
            break;
        case 'H':
            out += padded(hour, run);
            break;
        case 'm':
            out += padded(minute, run);
            break;
        case 's':
            out += padded(second, run);
            break;
        case 'a':
            out += hour < 12 ? "AM" : "PM";
            break;
        default:
            // Letters this formatter does not know are written as they are.
            out += std::string(run, c);
            break;
        }
    }
    return out;
}

namespace foundation {

namespace {

objc::Ref<NSLocale> localeOf(NSDateFormatter* self) { return NSLocale::withIdentifier(self->localeIdentifier()); }
std::string stringFromDate(NSDateFormatter* self, NSDate* date) { return date ? self->stringFromDate(*date) : std::string(); }

} // namespace

void registerDateFormatterClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSDateFormatter>(runtime, "NSObject")
        .method(sel::setDateStyle, &NSDateFormatter::setDateStyle)
        .method(sel::setTimeStyle, &NSDateFormatter::setTimeStyle)
        .method(sel::setDateFormat, &NSDateFormatter::setDateFormat)
        .method(sel::dateFormat, &NSDateFormatter::effectivePattern)
        .method(sel::setLocale, &NSDateFormatter::setLocale)
        .method(sel::locale, &localeOf)
        .method(sel::stringFromDate, &stringFromDate)
        .build();
}

} // namespace foundation
