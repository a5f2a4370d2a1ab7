#include "dateextractor.h"

#include "daterecognizer.h"
#include "platform/clock.h"

#include <QDateTime>
#include <QTimeZone>

#include <unicode/timezone.h>

#include <memory>

namespace {

std::vector<DateMatch> matchesOf(const QString &text, const Clock &clock, const QString &zone)
{
    const std::unique_ptr<icu::TimeZone> place(
        icu::TimeZone::createTimeZone(icu::UnicodeString(zone.utf16(), int32_t(zone.size()))));
    if (!place || *place == icu::TimeZone::getUnknown())
        return {};
    return DateRecognizer::matches(text, clock.now(), *place);
}

} // namespace

std::optional<DateExtractor::Window>
DateExtractor::firstWindow(const QString &text, const Clock &clock, const QString &zone)
{
    const std::vector<DateMatch> matches = matchesOf(text, clock, zone);
    if (matches.empty())
        return std::nullopt;
    const DateMatch &first = matches.front();
    return Window {first.start, first.start + first.duration, first.hasTime};
}

QList<double> DateExtractor::dates(const QString &text, const Clock &clock, const QString &zone)
{
    const std::vector<DateMatch> matches = matchesOf(text, clock, zone);
    QList<double> result;
    result.reserve(qsizetype(matches.size()) + 1);
    for (const DateMatch &match : matches)
        result.append(match.start);
    if (matches.size() != 1 || matches.front().duration <= 0)
        return result;
    // A window that ends on another day of the place keeps its end.
    const QTimeZone place(zone.toUtf8());
    const double end = matches.front().start + matches.front().duration;
    const auto day = [&place](double instant) {
        return QDateTime::fromSecsSinceEpoch(qint64(instant), place).date();
    };
    if (day(end) != day(matches.front().start))
        result.append(end);
    return result;
}

bool isOld(double instant, const Clock &clock)
{
    return instant < clock.now() - 86400.0;
}
