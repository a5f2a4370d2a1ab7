#pragma once

#include <QString>

#include <memory>

class Clock;

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Calendar;
class DateFormat;
U_NAMESPACE_END

// Formatters with the CLDR styles of the user's locale (as ICU reads it from the environment),
// the user's calendar, and the calendar year at the moment the helper was made. Callers make a
// fresh one for each use.
class DateFormatHelper final
{
public:
    enum class Style { None, Short, Medium, Long, Full };

    // `zone` names a zone identifier or an abbreviation; "CST" is US Central time
    // (America/Chicago). An empty name, or one that names no zone, leaves the user's zone.
    DateFormatHelper(Style dateStyle, Style timeStyle, const QString &zone, const Clock &clock);
    ~DateFormatHelper();
    DateFormatHelper(DateFormatHelper &&) noexcept;
    DateFormatHelper &operator=(DateFormatHelper &&) noexcept;

    // The date formatter: the given styles, in the given zone.
    QString formatDate(double instant) const;
    // The time formatter: short time, no date, in the user's zone.
    QString formatTime(double instant) const;
    // The year of an instant in the user's calendar and zone.
    qint64 yearOf(double instant) const;
    qint64 thisYear() const { return m_thisYear; }

    // The locale that dates are to be written in, as POSIX orders the environment: LC_ALL, then
    // LC_TIME, then LANG ("de_DE.UTF-8" gives "de_DE"); empty when none names one ("C", "POSIX").
    static QString timeLocaleName();
    // Makes that locale ICU's default, which otherwise follows LC_MESSAGES and never LC_TIME.
    static void useTimeLocale();

    // The instant as the time locale writes the fields of an ICU skeleton ("MMMdjmm": "Dec 9, 5:30
    // PM", "9 dic, 17:30"; "MMMd": "Dec 9"; "MMMMy": "December 2026"), in `zone` (a zone
    // identifier; empty: the user's zone).
    static QString formatSkeleton(double instant, const char *skeleton, const QString &zone = {});
    // The span from `start` to `end` written the same way, the fields they share once ("Dec 9,
    // 1:00 – 11:00 PM").
    static QString formatInterval(double start, double end, const char *skeleton,
                                  const QString &zone = {});

    // Replaces every blank-year-blank in `text` by one blank. A year at the end of the text, or
    // followed by anything but a blank, stays.
    static QString removingYear(const QString &text, qint64 year);

private:
    std::unique_ptr<icu::DateFormat> m_dateFormatter;
    std::unique_ptr<icu::DateFormat> m_timeFormatter;
    std::unique_ptr<icu::Calendar> m_calendar;
    qint64 m_thisYear = 0;
};
