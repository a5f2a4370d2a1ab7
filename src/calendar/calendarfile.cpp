#include "calendarfile.h"

#include "platform/logging.h"
#include "text/stringutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

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

// Replaces the file's content, unless `written` says it already holds it; the reason when that
// failed.
std::optional<QString> replace(const QString &path, const QByteArray &content, QByteArray &written)
{
    if (content == written && QFileInfo::exists(path))
        return std::nullopt;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return file.errorString();
    written = content;
    return std::nullopt;
}

double instantOf(const QJsonValue &value)
{
    return std::clamp(value.toDouble(), 0.0, NoticeCalendar::lastInstant);
}

// The revisions a file holds: every value checked, instants within 1970 to 2200, sequences
// within 0 to 1,000,000; none when the file is no JSON object.
std::optional<NoticeCalendar::Revisions> revisionsFromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    NoticeCalendar::Revisions revisions;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        // Texts as the calendar may carry them: one line, no control character.
        const QString uid = plainLine(it.key());
        if (uid.isEmpty())
            continue;
        const QJsonObject r = it.value().toObject();
        const auto text
            = [&r](const char *key) { return plainLine(r.value(QLatin1String(key)).toString()); };
        CalendarEvent event {uid,
                             instantOf(r.value(QLatin1String("start"))),
                             std::nullopt,
                             r.value(QLatin1String("allDay")).toBool(),
                             text("summary"),
                             text("description"),
                             text("url"),
                             text("location"),
                             text("category"),
                             r.value(QLatin1String("cancelled")).toBool(),
                             std::nullopt};
        if (r.value(QLatin1String("end")).isDouble())
            event.end = instantOf(r.value(QLatin1String("end")));
        const QJsonArray place = r.value(QLatin1String("place")).toArray();
        if (place.size() == 2) {
            if (const GeoPoint point {place[0].toDouble(), place[1].toDouble()}; point.isValid())
                event.place = point;
        }
        const double sequence = std::clamp(r.value(QLatin1String("sequence")).toDouble(), 0.0,
                                           double(NoticeCalendar::lastSequence));
        revisions[uid] = {int(sequence), instantOf(r.value(QLatin1String("stamp"))), event};
    }
    return revisions;
}

QByteArray revisionsToJson(const NoticeCalendar::Revisions &revisions)
{
    QJsonObject object;
    for (const auto &[uid, r] : revisions) {
        QJsonObject revision {{"sequence", r.sequence},
                              {"start", r.event.start},
                              {"stamp", r.stamp},
                              {"allDay", r.event.allDay},
                              {"summary", r.event.summary},
                              {"description", r.event.description},
                              {"url", r.event.url},
                              {"location", r.event.location},
                              {"category", r.event.category},
                              {"cancelled", r.event.cancelled}};
        if (r.event.end)
            revision.insert("end", *r.event.end);
        if (r.event.place)
            revision.insert("place",
                            QJsonArray {r.event.place->latitude, r.event.place->longitude});
        object.insert(uid, revision);
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace

NoticeCalendar::Revisions CalendarFile::read(const QString &path, const QString &zone,
                                             bool *damaged)
{
    const QByteArray json = contentOf(revisionsPath(path));
    if (damaged)
        *damaged = false;
    if (!json.isEmpty()) {
        if (const auto revisions = revisionsFromJson(json))
            return *revisions;
        if (damaged)
            *damaged = true;
    }
    // No revisions beside the calendar: what it shows is what is known.
    return NoticeCalendar::read(contentOf(path), zone);
}

CalendarFile::CalendarFile(QString path, QString zone)
    : m_path(std::move(path)), m_zone(std::move(zone)), m_written(contentOf(m_path)),
      m_writtenRevisions(contentOf(revisionsPath(m_path)))
{
    bool damaged = false;
    m_revisions = read(m_path, m_zone, &damaged);
    if (damaged) {
        const QString kept = revisionsPath(m_path) + QStringLiteral(".damaged");
        QFile::remove(kept);
        QFile::rename(revisionsPath(m_path), kept);
        m_writtenRevisions.clear();
        qCWarning(lcCalendar).noquote()
            << QStringLiteral("The calendar's revisions did not read; kept as %1, the events read "
                              "back from the calendar")
                   .arg(kept);
    }
}

QString CalendarFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/plumetrack/plumetrack.ics");
}

bool CalendarFile::update(const QList<CalendarEvent> &events, const QList<Source> &unread,
                          double now, double period)
{
    NoticeCalendar::revise(events, m_revisions, now, unread);
    std::optional<QString> failure;
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        failure = QStringLiteral("its folder could not be made");
    if (!failure)
        failure = replace(revisionsPath(m_path), revisionsToJson(m_revisions), m_writtenRevisions);
    if (!failure)
        failure = replace(m_path, NoticeCalendar::write(m_revisions, period, m_zone), m_written);
    if (failure && !m_failing)
        qCWarning(lcCalendar).noquote()
            << QStringLiteral("The calendar %1 could not be written: %2").arg(m_path, *failure);
    m_failing = failure.has_value();
    return !failure;
}
