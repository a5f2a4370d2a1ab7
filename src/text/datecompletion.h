#pragma once

// What a parse of a written date gives, and how its missing parts are completed into instants.

#include <unicode/basictz.h>
#include <unicode/timezone.h>

#include <cstdint>
#include <optional>
#include <utility>

namespace daterecognition {

// A written zone: a fixed offset, the text's zone ("Local"), or US Central time.
struct Zone
{
    bool local = true;
    int offsetSeconds = 0;
    bool central = false; // "CT": America/Chicago, standard or daylight time as the day has it
};

// The offsets of one zone, and wall-clock times in it as instants.
class ZoneResolver
{
public:
    ZoneResolver(const icu::TimeZone &zone)
        : m_zone(zone), m_basic(dynamic_cast<const icu::BasicTimeZone *>(&zone))
    { }

    // Seconds east of UTC in force at the UTC instant `utc`.
    int offsetAtInstant(double utc) const
    {
        int32_t raw = 0, dst = 0;
        UErrorCode status = U_ZERO_ERROR;
        m_zone.getOffset(utc * 1000.0, false, raw, dst, status);
        return U_SUCCESS(status) ? (raw + dst) / 1000 : 0;
    }

    // The UTC instant of a wall-clock time given as seconds since 1970 in local time. A time in a
    // gap takes the offset before the gap; a time that occurs twice takes the first.
    double instantOfLocal(double local) const
    {
        int32_t raw = 0, dst = 0;
        UErrorCode status = U_ZERO_ERROR;
        if (m_basic) {
            m_basic->getOffsetFromLocal(local * 1000.0, UCAL_TZ_LOCAL_FORMER, UCAL_TZ_LOCAL_FORMER,
                                        raw, dst, status);
        } else {
            m_zone.getOffset(local * 1000.0, true, raw, dst, status);
        }
        if (U_FAILURE(status))
            return local;
        return local - (raw + dst) / 1000.0;
    }

private:
    const icu::TimeZone &m_zone;
    const icu::BasicTimeZone *m_basic;
};

struct DatePart
{
    std::optional<int64_t> year;
    int month = 0; // 0 with a weekday alone
    int day = 0;
    std::optional<int> weekday; // a weekday alone
};

struct Point
{
    std::optional<DatePart> date;
    std::optional<int> seconds; // time of day
    std::optional<Zone> zone;
    size_t next = 0;
};

// The start and end instants of a match: `start` alone or the span from `start` to `end`,
// completed relative to `reference` in the written zone, else in `zone`.
std::pair<double, double> completeMatch(const Point &start, const std::optional<Point> &end,
                                        double reference, const ZoneResolver &zone,
                                        std::optional<Zone> written);

// Days of a month of the proleptic Gregorian calendar.
int daysInMonth(int64_t year, int month);

} // namespace daterecognition
