#pragma once

#include "notices/notice.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <map>

// One window of a notice as a calendar event.
struct CalendarEvent
{
    QString uid; // the same for the same notice, check after check
    double start = 0;
    double end = 0;
    bool allDay = false; // the text gives days only
    QString summary;
    QString description;
    QString url;
    QString location;
    QString category;
    bool cancelled = false;
};

// The windows of the notices shown as an iCalendar object (RFC 5545, written by libical): each FAA
// restriction, each county and city row, and each warning that gives its window.
class NoticeCalendar final
{
public:
    // What the calendar last said of an event: its sequence, its window, and when that changed.
    struct Revision
    {
        int sequence = 0;
        double start = 0;
        double end = 0;
        double stamp = 0;
        CalendarEvent event = {}; // as last written
    };
    using Revisions = std::map<QString, Revision>;

    // The prefix of the UIDs of a source's events ("county-").
    static QString uidPrefix(Source source);
    // The events of the notices' windows.
    static QList<CalendarEvent> eventsOf(const QList<Notice> &notices);
    // Brings the revisions up to the events: a new event is stamped `now`, one whose window moved
    // gets the next sequence and is stamped `now`; events gone are forgotten.
    static void revise(const QList<CalendarEvent> &events, Revisions &revisions, double now);
    // The calendar, CRLF line ends, lines folded at 75 octets; `period` is the check period in
    // seconds, the interval at which subscribers should read it again; all-day events are days
    // of `zone`.
    static QByteArray write(const QList<CalendarEvent> &events, const Revisions &revisions,
                            double period, const QString &zone);

    static Revisions revisionsFromJson(const QByteArray &json);
    static QByteArray revisionsToJson(const Revisions &revisions);
};
