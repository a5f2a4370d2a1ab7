#include "calendarfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString revisionsPath(const QString &path)
{
    return path + QStringLiteral(".revisions.json");
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the file's content, unless `written` says it already holds it.
bool replace(const QString &path, const QByteArray &content, QByteArray &written)
{
    if (content == written && QFileInfo::exists(path))
        return true;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return false;
    written = content;
    return true;
}

} // namespace

CalendarFile::CalendarFile(QString path)
    : m_path(std::move(path)), m_written(contentOf(m_path)),
      m_writtenRevisions(contentOf(revisionsPath(m_path))),
      m_revisions(NoticeCalendar::revisionsFromJson(m_writtenRevisions))
{ }

QString CalendarFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/plumetrack/plumetrack.ics");
}

bool CalendarFile::update(QList<CalendarEvent> events, const QList<Source> &unread, double now,
                          double period, const QString &zone)
{
    for (const Source source : unread) {
        const QString prefix = NoticeCalendar::uidPrefix(source);
        for (const auto &[uid, revision] : m_revisions) {
            if (!prefix.isEmpty() && uid.startsWith(prefix))
                events << revision.event;
        }
    }
    NoticeCalendar::revise(events, m_revisions, now);
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    return replace(revisionsPath(m_path), NoticeCalendar::revisionsToJson(m_revisions),
                   m_writtenRevisions)
        && replace(m_path, NoticeCalendar::write(events, m_revisions, period, zone), m_written);
}
