#include "dateextractor.h"

#include "daterecognizer.h"
#include "platform/clock.h"

#include <unicode/timezone.h>

#include <memory>

QList<Window> DateExtractor::windows(const QString &text, const Clock &clock, const QString &zone)
{
    const std::unique_ptr<icu::TimeZone> place(
        icu::TimeZone::createTimeZone(icu::UnicodeString(zone.utf16(), int32_t(zone.size()))));
    if (!place || *place == icu::TimeZone::getUnknown())
        return {};
    QList<Window> result;
    for (const DateMatch &match : DateRecognizer::matches(text, clock.now(), *place)) {
        result.append(
            {match.start,
             match.duration > 0 ? std::optional(match.start + match.duration) : std::nullopt,
             match.hasTime});
    }
    return result;
}

QList<double> DateExtractor::dates(const QString &text, const Clock &clock, const QString &zone)
{
    return datesOf(windows(text, clock, zone), zone);
}

bool isOld(double instant, const Clock &clock)
{
    return instant < clock.now() - 86400.0;
}
