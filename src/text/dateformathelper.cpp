#include "dateformathelper.h"

#include "platform/clock.h"
#include "zones.h"

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dtitvfmt.h>
#include <unicode/dtptngen.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <map>
#include <string>

namespace {

icu::DateFormat::EStyle icuStyle(DateFormatHelper::Style style)
{
    switch (style) {
    case DateFormatHelper::Style::None:
        return icu::DateFormat::kNone;
    case DateFormatHelper::Style::Short:
        return icu::DateFormat::kShort;
    case DateFormatHelper::Style::Medium:
        return icu::DateFormat::kMedium;
    case DateFormatHelper::Style::Long:
        return icu::DateFormat::kLong;
    case DateFormatHelper::Style::Full:
        return icu::DateFormat::kFull;
    }
    return icu::DateFormat::kNone;
}

QString fromIcu(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

} // namespace

QString DateFormatHelper::timeLocaleName()
{
    for (const char *variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (value.isEmpty())
            continue;
        // language[_territory][.codeset][@modifier]
        const QString name = value.section(u'.', 0, 0).section(u'@', 0, 0);
        if (name == QLatin1String("C") || name == QLatin1String("POSIX"))
            return {};
        return name;
    }
    return {};
}

void DateFormatHelper::useTimeLocale()
{
    const QString name = timeLocaleName();
    if (name.isEmpty())
        return;
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale(name.toLatin1().constData()), status);
}

DateFormatHelper::DateFormatHelper(Style dateStyle, Style timeStyle, const QString &zone,
                                   const Clock &clock)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale = icu::Locale::getDefault();
    m_calendar.reset(icu::Calendar::createInstance(icu::TimeZone::createDefault(), locale, status));
    if (U_FAILURE(status))
        m_calendar.reset();
    const double now = clock.now();
    m_thisYear = yearOf(now);

    if (dateStyle != Style::None || timeStyle != Style::None)
        m_dateFormatter.reset(icu::DateFormat::createDateTimeInstance(icuStyle(dateStyle),
                                                                      icuStyle(timeStyle), locale));
    m_timeFormatter.reset(icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, locale));
    if (!zone.isEmpty() && m_dateFormatter) {
        if (const icu::TimeZone *named = zoneNamed(zone))
            m_dateFormatter->adoptTimeZone(named->clone());
    }
}

DateFormatHelper::~DateFormatHelper() = default;
DateFormatHelper::DateFormatHelper(DateFormatHelper &&) noexcept = default;
DateFormatHelper &DateFormatHelper::operator=(DateFormatHelper &&) noexcept = default;

QString DateFormatHelper::formatDate(double instant) const
{
    if (!m_dateFormatter)
        return {};
    icu::UnicodeString text;
    m_dateFormatter->format(instant * 1000.0, text);
    return fromIcu(text);
}

QString DateFormatHelper::formatTime(double instant) const
{
    if (!m_timeFormatter)
        return {};
    icu::UnicodeString text;
    m_timeFormatter->format(instant * 1000.0, text);
    return fromIcu(text);
}

qint64 DateFormatHelper::yearOf(double instant) const
{
    if (!m_calendar)
        return 0;
    UErrorCode status = U_ZERO_ERROR;
    m_calendar->setTime(instant * 1000.0, status);
    const int32_t year = m_calendar->get(UCAL_YEAR, status);
    return U_SUCCESS(status) ? year : 0;
}

QString DateFormatHelper::removingYear(const QString &text, qint64 year)
{
    QString result = text;
    return result.replace(QLatin1Char(' ') + QString::number(year) + QLatin1Char(' '),
                          QStringLiteral(" "));
}

QString DateFormatHelper::formatSkeleton(double instant, const char *skeleton, const QString &zone)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale = icu::Locale::getDefault();
    // The best pattern of a skeleton in a locale, found once: making the generator is the dear
    // part of formatting.
    thread_local std::map<std::string, icu::UnicodeString> patterns;
    const std::string key = std::string(locale.getName()) + '|' + skeleton;
    auto found = patterns.find(key);
    if (found == patterns.end()) {
        const std::unique_ptr<icu::DateTimePatternGenerator> generator(
            icu::DateTimePatternGenerator::createInstance(locale, status));
        if (U_FAILURE(status))
            return {};
        const icu::UnicodeString best
            = generator->getBestPattern(icu::UnicodeString::fromUTF8(skeleton), status);
        if (U_FAILURE(status))
            return {};
        found = patterns.emplace(key, best).first;
    }
    icu::SimpleDateFormat format(found->second, locale, status);
    if (U_FAILURE(status))
        return {};
    if (const icu::TimeZone *named = zone.isEmpty() ? nullptr : zoneNamed(zone))
        format.adoptTimeZone(named->clone());
    icu::UnicodeString text;
    format.format(instant * 1000.0, text);
    return fromIcu(text);
}

QString DateFormatHelper::formatInterval(double start, double end, const char *skeleton,
                                         const QString &zone)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::DateIntervalFormat> format(icu::DateIntervalFormat::createInstance(
        icu::UnicodeString::fromUTF8(skeleton), icu::Locale::getDefault(), status));
    if (U_FAILURE(status))
        return {};
    if (const icu::TimeZone *named = zone.isEmpty() ? nullptr : zoneNamed(zone))
        format->adoptTimeZone(named->clone());
    icu::UnicodeString text;
    icu::FieldPosition position;
    const icu::DateInterval interval(start * 1000.0, std::max(start, end) * 1000.0);
    format->format(&interval, text, position, status);
    return U_SUCCESS(status) ? fromIcu(text) : QString();
}
