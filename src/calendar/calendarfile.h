#pragma once

#include "calendar/noticecalendar.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The calendar that calendar apps subscribe to, $XDG_DATA_HOME/plumetrack/plumetrack.ics, with
// the revision of each event kept beside it. Written atomically, and only when its content
// changed: checks that bring no change leave it byte for byte as it was.
class CalendarFile final
{
public:
    // Reads what the files hold. A revisions file that does not parse is kept beside as
    // "….damaged" (with one warning), and the revisions are read back from the calendar itself,
    // so that nothing it shows is lost.
    explicit CalendarFile(QString path = defaultPath(),
                          QString zone = QStringLiteral("America/Chicago"));

    static QString defaultPath();
    const QString &path() const { return m_path; }
    const NoticeCalendar::Revisions &revisions() const { return m_revisions; }

    // The revisions of a calendar file and the file beside it, without changing either; none
    // from a revisions file that does not parse, `damaged` then true.
    static NoticeCalendar::Revisions read(const QString &path, const QString &zone,
                                          bool *damaged = nullptr);

    // Writes the events as the calendar, `now` being the check's time, keeping the events last
    // written for the sources in `unread` (not read yet in this run: an outage never empties the
    // calendar). False, with one warning until a write succeeds again, when a file could not be
    // written.
    bool update(const QList<CalendarEvent> &events, const QList<Source> &unread, double now,
                double period);

private:
    QString m_path;
    QString m_zone;
    // What the files hold, as last read or written: they are compared here, not read again.
    QByteArray m_written;
    QByteArray m_writtenRevisions;
    NoticeCalendar::Revisions m_revisions;
    bool m_failing = false;
};
