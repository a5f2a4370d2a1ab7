#include "datecompletion.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace daterecognition {

namespace {

// ---------------------------------------------------------------------------------------------
// Days since 1970-01-01 and civil dates, through the standard library's calendar.

namespace chrono = std::chrono;

int64_t daysFromCivil(int64_t y, int m, int d)
{
    return chrono::sys_days(chrono::year(int(y)) / chrono::month(unsigned(m))
                            / chrono::day(unsigned(d)))
        .time_since_epoch()
        .count();
}

struct Civil
{
    int64_t year;
    int month;
    int day;
};

Civil civilFromDays(int64_t z)
{
    const chrono::year_month_day date {chrono::sys_days(chrono::days(z))};
    return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day()))};
}

} // namespace

int daysInMonth(int64_t year, int month)
{
    return int(
        unsigned((chrono::year(int(year)) / chrono::month(unsigned(month)) / chrono::last).day()));
}

namespace {

// 0 = Sunday.
int weekdayOfDays(int64_t days)
{
    return int(chrono::weekday(chrono::sys_days(chrono::days(days))).c_encoding());
}

// ---------------------------------------------------------------------------------------------
// Completing what was not written.

class Completer
{
public:
    Completer(double reference, const ZoneResolver &zone, std::optional<Zone> written)
        : m_reference(reference), m_zone(zone), m_written(written)
    {
        const double local = reference + offsetAt(reference);
        m_today = int64_t(std::floor(local / 86400.0));
    }

    double instant(int64_t days, int seconds) const
    {
        const double local = double(days) * 86400.0 + seconds;
        if (m_written && !m_written->local)
            return local - m_written->offsetSeconds;
        return m_zone.instantOfLocal(local);
    }

    int64_t today() const { return m_today; }
    Civil todayCivil() const { return civilFromDays(m_today); }

    // The year that puts month/day closest to the reference time.
    int64_t closestYear(int month, int day, int seconds) const
    {
        const int64_t base = todayCivil().year;
        int64_t best = base;
        double bestDistance = -1;
        for (int64_t y = base - 1; y <= base + 1; ++y) {
            if (day > daysInMonth(y, month))
                continue;
            const double distance
                = std::abs(instant(daysFromCivil(y, month, day), seconds) - m_reference);
            if (bestDistance < 0 || distance < bestDistance) {
                best = y;
                bestDistance = distance;
            }
        }
        return best;
    }

private:
    double offsetAt(double utc) const
    {
        if (m_written && !m_written->local)
            return m_written->offsetSeconds;
        return m_zone.offsetAtInstant(utc);
    }

    double m_reference;
    const ZoneResolver &m_zone;
    std::optional<Zone> m_written;
    int64_t m_today = 0;
};

constexpr int noon = 12 * 3600;
// The longest span an end or a start without a year is moved across a year end to make, in days.
constexpr int64_t longestRoll = 183;

int64_t daysOf(int64_t year, int month, int day)
{
    return daysFromCivil(year, month, std::min(day, daysInMonth(year, month)));
}

int64_t weekdayDays(const Completer &c, int weekday)
{
    const int64_t today = c.today();
    return today + (weekday - weekdayOfDays(today) + 7) % 7;
}

// The start and end instants of a match. A date written without a time is the whole day: from
// its start to the start of the next.
std::pair<double, double> complete(const Point &start, const std::optional<Point> &end,
                                   const Completer &c)
{
    const int startSeconds = start.seconds.value_or(0);
    // A missing year is chosen by the date's middle, whatever time of it is meant.
    const int startYearSeconds = start.seconds.value_or(noon);
    if (!end) {
        int64_t days = c.today();
        if (start.date && start.date->weekday) {
            days = weekdayDays(c, *start.date->weekday);
        } else if (start.date) {
            const DatePart &d = *start.date;
            const int64_t year = d.year ? *d.year : c.closestYear(d.month, d.day, startYearSeconds);
            days = daysOf(year, d.month, d.day);
        }
        const double instant = c.instant(days, startSeconds);
        return {instant, start.seconds ? instant : c.instant(days + 1, 0)};
    }

    const int endSeconds = end->seconds.value_or(0);
    const int endYearSeconds = end->seconds.value_or(noon);
    const DatePart *sd = start.date && !start.date->weekday ? &*start.date : nullptr;
    const DatePart *ed = end->date && !end->date->weekday ? &*end->date : nullptr;
    const bool endIsBareDay = ed && ed->month == 0;

    // The start's day.
    int64_t startDays = c.today();
    bool startYearFromEnd = false;
    int64_t startYear = 0;
    if (sd) {
        if (sd->year) {
            startYear = *sd->year;
        } else if (ed && ed->year) {
            startYear = *ed->year;
            startYearFromEnd = true;
        } else {
            startYear = c.closestYear(sd->month, sd->day, startYearSeconds);
        }
        startDays = daysOf(startYear, sd->month, sd->day);
    } else if (start.date && start.date->weekday) {
        startDays = weekdayDays(c, *start.date->weekday);
    } else if (ed && !endIsBareDay) {
        // A time first, a date after it: the start takes the end's day.
        const int64_t y = ed->year ? *ed->year : c.closestYear(ed->month, ed->day, endYearSeconds);
        startDays = daysOf(y, ed->month, ed->day);
    }
    const Civil startCivil = civilFromDays(startDays);

    // The end's day.
    int64_t endDays = startDays;
    bool endInheritsDay = false;
    if (ed) {
        const int month = endIsBareDay ? startCivil.month : ed->month;
        int64_t year = ed->year ? *ed->year : startCivil.year;
        endDays = daysOf(year, month, ed->day);
        if (!ed->year && endDays < startDays) {
            // An end without a year before its start is in the next month or year, when that
            // makes a span of half a year at most ("December 28 to January 3"); else it was
            // written before its start.
            int64_t later = 0;
            if (endIsBareDay) {
                const int nextMonth = month % 12 + 1;
                later = daysOf(nextMonth == 1 ? year + 1 : year, nextMonth, ed->day);
            } else {
                later = daysOf(year + 1, month, ed->day);
            }
            if (later - startDays <= longestRoll)
                endDays = later;
        }
    } else if (end->date && end->date->weekday) {
        endDays = startDays + (*end->date->weekday - weekdayOfDays(startDays) + 7) % 7;
    } else {
        endInheritsDay = true;
    }

    if (startYearFromEnd && sd && startDays > endDays) {
        const int64_t earlier = daysOf(startYear - 1, sd->month, sd->day);
        if (endDays - earlier <= longestRoll)
            startDays = earlier;
    }

    const double startInstant = c.instant(startDays, startSeconds);
    // An end day without a time is the whole of that day.
    double endInstant = end->seconds ? c.instant(endDays, endSeconds) : c.instant(endDays + 1, 0);
    if (endInheritsDay && endInstant <= startInstant)
        endInstant = c.instant(endDays + 1, endSeconds);
    // An end never precedes its start: a range within one day crosses midnight if that makes it
    // shorter than a day; an end on an earlier day, or a longer one, is no end.
    if (endInstant < startInstant) {
        double overnight = c.instant(startDays, endSeconds);
        if (overnight <= startInstant)
            overnight = c.instant(startDays + 1, endSeconds);
        endInstant = end->seconds && endDays >= startDays && overnight - startInstant < 86400.0
            ? overnight
            : start.seconds ? startInstant
                            : c.instant(startDays + 1, 0);
    }
    return {startInstant, endInstant};
}

} // namespace

std::pair<double, double> completeMatch(const Point &start, const std::optional<Point> &end,
                                        double reference, const ZoneResolver &zone,
                                        std::optional<Zone> written)
{
    return complete(start, end, Completer(reference, zone, written));
}

} // namespace daterecognition
