#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

class Clock;

// The points in time written in a free text. Times written without a zone are read in the zone of
// the place the text speaks of (`zone`, a zone identifier such as "America/Chicago"), whatever the
// user's zone; "Local" is that zone too; a written zone keeps its meaning.
class DateExtractor final
{
public:
    // The start of every date, time or span written in `text`, in text order, relative to the
    // clock's time; when the text holds exactly one match and it ends on another day than it
    // starts, its end follows its start.
    static QList<double> dates(const QString &text, const Clock &clock, const QString &zone);
    // The first date, time or span in `text`: its start, its end (start plus duration) and
    // whether a time of day was written.
    struct Window
    {
        double start = 0;
        double end = 0;
        bool hasTime = false;
    };
    static std::optional<Window> firstWindow(const QString &text, const Clock &clock,
                                             const QString &zone);
};

// True when `instant` lies more than 86400 seconds before the clock's time.
bool isOld(double instant, const Clock &clock);
