#pragma once

#include "text/window.h"

#include <QList>
#include <QString>

class Clock;

// The points in time written in a free text. Times written without a zone are read in the zone of
// the place the text speaks of (`zone`, a zone identifier such as "America/Chicago"), whatever the
// user's zone; "Local" is that zone too; a written zone keeps its meaning.
class DateExtractor final
{
public:
    // The windows written in `text`, in text order, relative to the clock's time: one for each
    // date, time or span.
    static QList<Window> windows(const QString &text, const Clock &clock, const QString &zone);
    // Some date or day is written in `text` (a time alone names none).
    static bool namesADate(const QString &text, const Clock &clock, const QString &zone);
    // datesOf the windows of `text`.
    static QList<double> dates(const QString &text, const Clock &clock, const QString &zone);
};
