#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

class Clock;

// The points in time written in a free text.
class DateExtractor final
{
public:
    // The start of every date, time or span written in `text`, in text order, understood in the
    // user's zone relative to the clock's time; when the text holds exactly one match and it
    // spans more than a day, its end follows its start.
    static QList<double> dates(const QString &text, const Clock &clock);
    // The start and the end (start plus duration) of the first date, time or span in `text`.
    static std::optional<std::pair<double, double>> firstWindow(const QString &text,
                                                                const Clock &clock);
};

// True when `instant` lies more than 86400 seconds before the clock's time.
bool isOld(double instant, const Clock &clock);
