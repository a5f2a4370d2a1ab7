#include "dateextractor.h"

#include "daterecognizer.h"
#include "platform/clock.h"

#include <unicode/timezone.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

// The zone a name stands for, made once per name and thread (ICU reads its resources to make
// one); none for a name of no zone.
const icu::TimeZone *zoneNamed(const QString &name)
{
    thread_local std::map<QString, std::unique_ptr<icu::TimeZone>> zones;
    auto [it, made] = zones.try_emplace(name);
    if (made) {
        it->second.reset(
            icu::TimeZone::createTimeZone(icu::UnicodeString(name.utf16(), int32_t(name.size()))));
        if (it->second && *it->second == icu::TimeZone::getUnknown())
            it->second.reset();
    }
    return it->second.get();
}

} // namespace

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
