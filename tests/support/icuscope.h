#pragma once

#include <QByteArray>

#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

// Sets ICU's default zone and locale for the life of the object, and puts them back afterwards.
class IcuScope
{
public:
    IcuScope(const char *zone, const char *locale = "en_US")
        : m_zone(icu::TimeZone::createDefault()), m_locale(icu::Locale::getDefault())
    {
        icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone(icu::UnicodeString(zone)));
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale(locale), status);
    }
    ~IcuScope()
    {
        icu::TimeZone::adoptDefault(m_zone);
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(m_locale, status);
    }
    IcuScope(const IcuScope &) = delete;
    IcuScope &operator=(const IcuScope &) = delete;

private:
    icu::TimeZone *m_zone;
    icu::Locale m_locale;
};
