#include "NSLocale.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include "FoundationCreate.h"

using objc::Object;
using objc::SEL;

namespace foundation {

namespace {
struct LocaleState {
    std::string identifier = "en_US";
    int offset = 0;
};
LocaleState& state() { return objc::Runtime::current().state<LocaleState>(); }
} // namespace

void setCurrentLocaleIdentifier(std::string identifier) { state().identifier = std::move(identifier); }
std::string currentLocaleIdentifier()
{
    objc::Runtime* runtime = objc::Runtime::currentOrNull();
    return runtime ? runtime->state<LocaleState>().identifier : "en_US";
}
void setTimeZoneOffset(int secondsFromGMT) { state().offset = secondsFromGMT; }
int timeZoneOffset()
{
    objc::Runtime* runtime = objc::Runtime::currentOrNull();
    return runtime ? runtime->state<LocaleState>().offset : 0;
}

void registerLocaleClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSLocale>(runtime, "NSObject")
        .classMethod(sel::currentLocale, &NSLocale::currentLocale)
        .classMethod(sel::autoupdatingCurrentLocale, &NSLocale::currentLocale)
        .classMethod(sel::localeWithLocaleIdentifier, &NSLocale::withIdentifier)
        .method(sel::localeIdentifier, &NSLocale::localeIdentifier)
        .method(sel::languageCode, &NSLocale::languageCode)
        .method(sel::countryCode, &NSLocale::countryCode)
        .build();
}

} // namespace foundation

objc::Ref<NSLocale> NSLocale::currentLocale() { return withIdentifier(foundation::currentLocaleIdentifier()); }
objc::Ref<NSLocale> NSLocale::withIdentifier(std::string identifier) { return foundation::create<NSLocale>(std::move(identifier)); }

std::string NSLocale::languageCode() const { return m_identifier.substr(0, m_identifier.find_first_of("_-")); }

std::string NSLocale::countryCode() const
{
    auto at = m_identifier.find_first_of("_-");
    return at == std::string::npos ? std::string() : m_identifier.substr(at + 1);
}
