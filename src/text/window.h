#pragma once

#include <QList>
#include <QString>

#include <optional>

// A span of time a text gives: its start, its end when the text gives one, and whether the text
// gave times of day or days only. Days only are whole days: from the start of the first to the
// start of the day after the last, in the zone the text is read in.
struct Window
{
    double start = 0;
    std::optional<double> end;
    bool hasTime = false;

    // The last moment the window holds: its end (the end of a last day is its last second), or
    // its start when it has none.
    double last() const { return end ? (hasTime ? *end : *end - 1) : start; }
    // A moment of its first day and of its last: the day's middle for days only, which falls on
    // the day written in any zone within 12 hours of the text's.
    double firstDay() const { return hasTime ? start : start + 43200; }
    double lastDay() const { return hasTime || !end ? last() : *end - 43200; }
    bool operator==(const Window &other) const = default;
};

// An instant as UTC ISO 8601, as the program's data outputs write it ("2026-12-08T23:30:00+00:00").
QString isoOf(double instant);

// The first day or moment of every window, in order; when there is exactly one window and its
// last day is another day of `zone` than its first, that follows it.
QList<double> datesOf(const QList<Window> &windows, const QString &zone);

// The last moment of any of the windows; none without windows.
std::optional<double> latestEnd(const QList<Window> &windows);
// The windows all ended more than a day before `now`.
bool areOver(const QList<Window> &windows, double now);
