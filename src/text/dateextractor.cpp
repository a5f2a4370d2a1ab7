#include "dateextractor.h"

#include "daterecognizer.h"
#include "platform/clock.h"

#include <unicode/timezone.h>

#include <memory>

namespace {

std::vector<DateMatch> matchesOf(const QString &text, const Clock &clock)
{
    const std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    if (!zone)
        return {};
    return DateRecognizer::matches(text, clock.now(), *zone);
}

} // namespace

std::optional<std::pair<double, double>> DateExtractor::firstWindow(const QString &text,
                                                                    const Clock &clock)
{
    const std::vector<DateMatch> matches = matchesOf(text, clock);
    if (matches.empty())
        return std::nullopt;
    return std::pair {matches.front().start, matches.front().start + matches.front().duration};
}

QList<double> DateExtractor::dates(const QString &text, const Clock &clock)
{
    const std::vector<DateMatch> matches = matchesOf(text, clock);
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
