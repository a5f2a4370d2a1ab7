#include "dateextractor.h"

#include "daterecognizer.h"
#include "platform/clock.h"
#include "zones.h"

#include <unicode/timezone.h>

#include <algorithm>

bool DateExtractor::namesADate(const QString &text, const Clock &clock, const QString &zone)
{
    const icu::TimeZone *place = zoneNamed(zone);
    if (!place)
        return false;
    const std::vector<DateMatch> matches = DateRecognizer::matches(text, clock.now(), *place);
    return std::any_of(matches.begin(), matches.end(),
                       [](const DateMatch &match) { return match.hasDate; });
}

QList<Window> DateExtractor::windows(const QString &text, const Clock &clock, const QString &zone)
{
    const icu::TimeZone *place = zoneNamed(zone);
    if (!place)
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
