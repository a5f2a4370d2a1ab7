#pragma once

#include <QList>
#include <QString>

#include <optional>

// A span of time a text gives: its start, its end when the text gives one, and whether the text
// gave times of day or days only.
struct Window
{
    double start = 0;
    std::optional<double> end;
    bool hasTime = false;

    // The last moment the window holds: its end, or its start when it has none.
    double last() const { return end.value_or(start); }
    bool operator==(const Window &other) const = default;
};

// The start of every window, in order; when there is exactly one window and it ends on another
// day of `zone` than it starts, its end follows its start.
QList<double> datesOf(const QList<Window> &windows, const QString &zone);

// The last moment of any of the windows; none without windows.
std::optional<double> latestEnd(const QList<Window> &windows);
// The windows all ended more than a day before `now`.
bool areOver(const QList<Window> &windows, double now);
