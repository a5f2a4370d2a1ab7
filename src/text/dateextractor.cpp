#include "dateextractor.h"

#include "daterecognizer.h"
#include "platform/clock.h"

#include <unicode/timezone.h>

#include <memory>

QList<double> DateExtractor::dates(const QString &text, const Clock &clock)
{
    const std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    if (!zone)
        return {};
    const std::vector<DateMatch> matches = DateRecognizer::matches(text, clock.now(), *zone);
    QList<double> result;
    result.reserve(qsizetype(matches.size()) + 1);
    for (const DateMatch &match : matches)
        result.append(match.start);
    if (matches.size() == 1 && matches.front().duration / 86400.0 > 1.0)
        result.append(matches.front().start + matches.front().duration);
    return result;
}

bool isOld(double instant, const Clock &clock)
{
    return instant < clock.now() - 86400.0;
}
