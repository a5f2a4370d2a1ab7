#pragma once

#include <QList>
#include <QString>

class Clock;

// The points in time written in a free text.
class DateExtractor final
{
public:
    // The start of every date, time or span written in `text`, in text order, understood in the
    // user's zone relative to the clock's time; when the text holds exactly one match and it
    // spans more than a day, its end follows its start.
    static QList<double> dates(const QString &text, const Clock &clock);
};

// True when `instant` lies more than 86400 seconds before the clock's time.
bool isOld(double instant, const Clock &clock);
