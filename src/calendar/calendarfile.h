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
    explicit CalendarFile(QString path = defaultPath());

    static QString defaultPath();
    const QString &path() const { return m_path; }

    // Writes the events as the calendar, `now` being the check's time, keeping the events last
    // written for the sources in `unread` (not read yet in this run: an outage never empties the
    // calendar). False when the file could not be written.
    bool update(QList<CalendarEvent> events, const QList<Source> &unread, double now, double period,
                const QString &zone);

private:
    QString m_path;
    // What the files hold, as last read or written: they are compared here, not read again.
    QByteArray m_written;
    QByteArray m_writtenRevisions;
    NoticeCalendar::Revisions m_revisions;
};
