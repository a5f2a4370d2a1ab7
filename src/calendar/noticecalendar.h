#pragma once

#include "notices/notice.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <map>
#include <optional>

// One window of a notice as a calendar event.
struct CalendarEvent
{
    QString uid; // the same for the same window of the same notice, check after check
    double start = 0; // for a whole day, a moment of the day (its middle)
    std::optional<double> end; // none: a moment; for whole days, a moment of the last
    bool allDay = false; // the text gives days only
    QString summary;
    QString description;
    QString url;
    QString location;
    QString category;
    bool cancelled = false;
    std::optional<GeoPoint> place;
    bool operator==(const CalendarEvent &other) const = default;
};

// The windows of the notices shown as an iCalendar object (RFC 5545, written by libical): each
// window of each FAA restriction, county and city row, warning and Coast Guard notice that gives
// one. Events are free time, in the order of their UIDs.
class NoticeCalendar final
{
public:
    // What the calendar last said of an event, and its revision: its sequence and when it last
    // changed.
    struct Revision
    {
        int sequence = 0;
        double stamp = 0;
        CalendarEvent event = {};
    };
    // By UID: the order the file gives its events in.
    using Revisions = std::map<QString, Revision>;

    // Sequences stop here, and instants stand within the years 1970 to 2200.
    static constexpr int lastSequence = 1'000'000;
    static constexpr double lastInstant = 7'258'118'400; // 2200-01-01 UTC

    // The prefix of the UIDs of a source's events ("county-").
    static QString uidPrefix(Source source);
    // The events of the notices' windows: the first window's UID is the notice's key, the others
    // add "-2", "-3", ...
    static QList<CalendarEvent> eventsOf(const QList<Notice> &notices);
    // Brings the revisions up to the events: a new event is stamped `now`; one whose window,
    // status or summary changed gets the next sequence and is stamped `now`. An event gone is
    // forgotten unless its source is among `unread` (not read yet in this run) or it ended less
    // than 7 days before `now`.
    static void revise(const QList<CalendarEvent> &events, Revisions &revisions, double now,
                       const QList<Source> &unread = {});
    // The calendar of the revisions' events, CRLF line ends, lines folded at 75 octets; `period`
    // is the check period in seconds, the interval at which subscribers should read it again;
    // all-day events are days of `zone`.
    static QByteArray write(const Revisions &revisions, double period, const QString &zone);
    // The events a calendar written by write() holds, as revisions; whole days read in `zone`.
    static Revisions read(const QByteArray &ics, const QString &zone);
};
