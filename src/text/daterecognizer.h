#pragma once

#include <QString>

#include <unicode/uversion.h>

#include <vector>

U_NAMESPACE_BEGIN
class TimeZone;
U_NAMESPACE_END

// One date, time or span written in a text.
struct DateMatch
{
    qsizetype position = 0; // UTF-16 offset of the first unit of the match
    qsizetype length = 0; // UTF-16 units
    double start = 0; // seconds since 1970
    double duration = 0; // seconds; 0 for a single point in time
    bool hasTime = false; // a time of day was written
    bool hasZone = false; // a zone was written
    bool hasDate = false; // a date was written
};

// Finds the dates, times and spans written in loosely written English.
//
// Recognised:
//  - dates: "Monday, August 02, 2021", "Tue, Dec 29, 2020", "April 20, 2023", "Feb. 08, 2025",
//    "March 8th", "8 March 2021", "8th of March", "12/05/2021", "12/5/21", "2021-12-05", and a full
//    weekday name on its own ("Monday");
//  - times: "13:00", "1:00 pm", "8:00 a.m.", "12 a.m.", "noon", "midnight", and "1300" followed by
//    a zone ("1300 UTC", "1300Z");
//  - a date and a time in either order, joined by "at", "on", a comma or nothing;
//  - spans, reported as one match: "X through Y", "X thru Y", "X to Y", "X until Y", "X till Y",
//    "X - Y" (hyphen, en dash or em dash), "from X to Y", "between X and Y"; the end may be a bare
//    day ("March 8th thru 9th, 2023", "Jul 17-19") or a bare time ("April 20 8:00 am to 7:00 pm");
//  - a date with a range of times after it, one match from the start time to the end time:
//    "Tuesday, March 9, 2021 from 8 p.m. to 2 a.m.";
//  - a zone after a date, a time or a span, applying to the whole match: "UTC", "GMT", "Z";
//    "EST", "EDT", "CST", "CDT", "MST", "MDT", "PST", "PDT" at their fixed offsets; "CT" for US
//    Central time (America/Chicago); "Local" for the text's zone.
//
// How missing parts are completed:
//  - a date written without a time stands at 12:00 noon of that day, in the written zone, else in
//    the text's zone (the zone of the place it speaks of); a single date or time has duration 0;
//  - a span's duration is its end instant minus its start instant, each completed as above;
//  - a missing year is the year that puts the date closest to the reference time; in a span, a
//    year written at the end applies to the start (a start that then falls after the end moves
//    back a year), and an end without a year that would fall before its start moves on a year; a
//    year cut short ("August 16, 202") counts as missing;
//  - a weekday written with a full date is ignored where they disagree; a weekday alone is the
//    reference day or its next occurrence; a time alone is on the reference day; a bare end time
//    at or before its start time is on the next day;
//  - a wall-clock time in a daylight-saving gap takes the offset in force before the gap; one that
//    occurs twice takes the first.
//
// Never matched: bare numbers and years, NOTAM numbers ("1/9853"), coordinates, flight levels,
// altitudes, phone numbers, runway numbers ("12/30"), or a month or weekday abbreviation alone.
//
// The work is linear in the length of the text: each token starts at most one bounded parse.
class DateRecognizer final
{
public:
    // The matches of `text` in text order; they do not overlap. `reference` is the time relative
    // to which missing parts are completed (seconds since 1970), `textZone` the zone of times
    // written without one.
    static std::vector<DateMatch> matches(const QString &text, double reference,
                                          const icu::TimeZone &textZone);
};
