#include "noticecalendar.h"

#include "menu/statusmenucontroller.h"
#include "platform/clock.h"
#include "sources/weberrors.h"
#include "text/dateextractor.h"
#include "text/stringutils.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>

#include <libical/ical.h>

#include <memory>

namespace {

const QString domain = QStringLiteral("@plumetrack");
const QString roadsPlace = QStringLiteral("State Highway 4 and Boca Chica Beach, Texas");

// A stable name for a row: the first bytes of a hash of what identifies it.
QString digestOf(const QString &text)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// The text of a notice as the source wrote it: tags removed, references decoded.
QString plainText(const QString &markup)
{
    return decodingCharacterReferences(stringRemovingHTML(markup)).simplified();
}

// The window that a NAVAREA warning gives as date-time groups, "092245Z TO 092356Z DEC", in the
// year that puts it closest to now.
std::optional<DateExtractor::Window> warningWindow(const QString &text, double now)
{
    static const QRegularExpression groups(
        QStringLiteral("\\b(\\d{2})(\\d{2})(\\d{2})Z(?: \\w{3})? TO (?:(\\d{2}))?(\\d{2})(\\d{2})Z "
                       "([A-Z]{3})\\b"));
    const QRegularExpressionMatch m = groups.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    static const QStringList months {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const int month = int(months.indexOf(m.captured(7))) + 1;
    if (month == 0)
        return std::nullopt;
    const int nowYear = QDateTime::fromSecsSinceEpoch(qint64(now), QTimeZone::utc()).date().year();
    std::optional<DateExtractor::Window> best;
    for (int year = nowYear - 1; year <= nowYear + 1; ++year) {
        const auto at = [&](int day, int hour, int minute) {
            return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone::utc());
        };
        const QDateTime start
            = at(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        QDateTime end = at(m.captured(4).isEmpty() ? m.captured(1).toInt() : m.captured(4).toInt(),
                           m.captured(5).toInt(), m.captured(6).toInt());
        if (!start.isValid() || !end.isValid())
            continue;
        if (end < start)
            end = end.addDays(1);
        const double s = double(start.toSecsSinceEpoch());
        if (!best || std::abs(s - now) < std::abs(best->start - now))
            best = DateExtractor::Window {s, double(end.toSecsSinceEpoch()), true};
    }
    return best;
}

icaltimetype timeOf(double instant, bool allDay, const QString &zone, bool end)
{
    if (!allDay)
        return icaltime_from_timet_with_zone(time_t(instant), 0, icaltimezone_get_utc_timezone());
    // A day of the place; an all-day event ends on the day after its last.
    QDate day = QDateTime::fromSecsSinceEpoch(qint64(instant), QTimeZone(zone.toUtf8())).date();
    if (end)
        day = day.addDays(1);
    icaltimetype date = icaltime_null_date();
    date.year = day.year();
    date.month = day.month();
    date.day = day.day();
    return date;
}

struct ComponentFree
{
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};

} // namespace

QList<CalendarEvent> NoticeCalendar::eventsOf(const StatusMenuController &controller,
                                              const Clock &clock, const QString &zone)
{
    QList<CalendarEvent> events;
    const auto add = [&](const std::optional<DateExtractor::Window> &window, CalendarEvent event) {
        if (!window)
            return; // no window given: nothing for a calendar
        event.start = window->start;
        event.end = std::max(window->end, window->start);
        event.allDay = !window->hasTime;
        event.location = event.location.isEmpty() ? roadsPlace : event.location;
        // Two rows of one notice (a closure's second hours) keep apart.
        while (std::any_of(events.begin(), events.end(),
                           [&event](const CalendarEvent &e) { return e.uid == event.uid; }))
            event.uid.insert(event.uid.indexOf(u'@'), QStringLiteral("-2"));
        events << event;
    };

    static const QRegularExpression notamNumber(QStringLiteral("detail_(\\d+)_(\\d+)"));
    for (const FAANotam &notam : controller.faaNotamInfo()) {
        const QRegularExpressionMatch number = notamNumber.match(notam.detailsSubPath);
        const QString altitude = notam.details ? notam.details->altitudeDisplay() : QString();
        const QString reach = altitude.isEmpty() || altitude.contains(QLatin1String(" to "))
            ? altitude
            : QStringLiteral("surface to ") + altitude;
        add(DateExtractor::firstWindow(notam.line, clock, zone),
            {(number.hasMatch()
                  ? QStringLiteral("faa-%1-%2").arg(number.captured(1), number.captured(2))
                  : QStringLiteral("faa-") + digestOf(notam.line))
                 + domain,
             0, 0, false,
             QStringLiteral("✈️ TFR Brownsville")
                 + (reach.isEmpty() ? QString() : ", " + reach),
             plainText(notam.line), controller.pageOf(Source::faa).toString(),
             QStringLiteral("Brownsville, Texas"), QStringLiteral("Flight restrictions"), false});
    }
    for (const CameronCountyRecord &record : controller.cameronCountyInfo()) {
        const QString status = plainText(record.status);
        add(DateExtractor::firstWindow(record.day + u' ' + record.times, clock, zone),
            {QStringLiteral("county-") + digestOf(record.dateType + u'|' + record.day) + domain, 0,
             0, false, QStringLiteral("🚗 %1: SH 4 and beach").arg(status),
             plainText(QStringLiteral("%1: %2, %3, %4")
                           .arg(record.dateType, record.day, record.times, status)),
             controller.pageOf(Source::county).toString(), QString(),
             QStringLiteral("Road closures"),
             status.contains(QLatin1String("cancel"), Qt::CaseInsensitive)});
    }
    for (const RowRecord &row : controller.starbaseInfo())
        add(DateExtractor::firstWindow(row.right, clock, zone),
            {QStringLiteral("starbase-") + digestOf(row.left) + domain, 0, 0, false,
             QStringLiteral("🚗 ") + row.left, row.left + QStringLiteral(": ") + row.right,
             controller.pageOf(Source::starbase).toString(), QString(),
             QStringLiteral("Road closures"), false});
    static const QRegularExpression nonWord(QStringLiteral("[^a-z0-9]+"));
    static const QRegularExpression groups(QStringLiteral("\\s\\d{6}Z.*$"));
    for (const RowRecord &row : controller.navigationalWarningsInfo()) {
        // "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 092245Z TO …": what is announced, in words.
        QString what = row.right.contains(u',') ? row.right.section(u',', 1) : row.right;
        what = what.remove(groups).trimmed().toLower();
        add(warningWindow(row.right, clock.now()),
            {QStringLiteral("navwarn-") + row.left.toLower().replace(nonWord, QStringLiteral("-"))
                 + domain,
             0, 0, false, QStringLiteral("🛳 %1: %2").arg(row.left, what),
             row.left + QStringLiteral(": ") + row.right,
             controller.pageOf(Source::navwarn).toString(),
             QStringLiteral("Gulf of Mexico off Boca Chica, Texas"),
             QStringLiteral("Maritime warnings"), false});
    }
    return events;
}

QString NoticeCalendar::uidPrefix(Source source)
{
    // The bulletin's line gives no window, so no event carries its prefix.
    for (const auto &[each, key] : sourceKeys) {
        if (each == source)
            return QLatin1String(key) + QLatin1Char('-');
    }
    return {};
}

void NoticeCalendar::revise(const QList<CalendarEvent> &events, Revisions &revisions, double now)
{
    Revisions next;
    for (const CalendarEvent &event : events) {
        const auto it = revisions.find(event.uid);
        Revision revision {0, event.start, event.end, now, event};
        if (it != revisions.end()) {
            revision = it->second;
            if (revision.start != event.start || revision.end != event.end) {
                ++revision.sequence;
                revision.start = event.start;
                revision.end = event.end;
                revision.stamp = now;
            }
            revision.event = event;
        }
        next[event.uid] = revision;
    }
    revisions = std::move(next);
}

QByteArray NoticeCalendar::write(const QList<CalendarEvent> &events, const Revisions &revisions,
                                 double period, const QString &zone)
{
    const std::unique_ptr<icalcomponent, ComponentFree> calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Plumetrack//Launch notices//EN"));
    icalproperty *name = icalproperty_new_x("Plumetrack launch notices");
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);
    const icaldurationtype every = icaldurationtype_from_int(int(period));
    icalproperty *refresh = icalproperty_new_refreshinterval(every);
    icalproperty_add_parameter(refresh, icalparameter_new_value(ICAL_VALUE_DURATION));
    icalcomponent_add_property(calendar.get(), refresh);
    icalproperty *ttl = icalproperty_new_x(icaldurationtype_as_ical_string(every));
    icalproperty_set_x_name(ttl, "X-PUBLISHED-TTL");
    icalcomponent_add_property(calendar.get(), ttl);

    for (const CalendarEvent &event : events) {
        const auto it = revisions.find(event.uid);
        const Revision revision = it != revisions.end() ? it->second : Revision();
        const icaltimetype stamp = icaltime_from_timet_with_zone(time_t(revision.stamp), 0,
                                                                 icaltimezone_get_utc_timezone());
        icalcomponent *vevent = icalcomponent_new_vevent();
        const auto text = [vevent](icalproperty *(*make)(const char *), const QString &value) {
            icalcomponent_add_property(vevent, make(value.toUtf8().constData()));
        };
        text(icalproperty_new_uid, event.uid);
        icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(vevent, icalproperty_new_lastmodified(stamp));
        icalcomponent_add_property(vevent, icalproperty_new_sequence(revision.sequence));
        icalcomponent_add_property(
            vevent, icalproperty_new_dtstart(timeOf(event.start, event.allDay, zone, false)));
        icalcomponent_add_property(
            vevent, icalproperty_new_dtend(timeOf(event.end, event.allDay, zone, true)));
        text(icalproperty_new_summary, event.summary);
        text(icalproperty_new_description, event.description);
        text(icalproperty_new_url, event.url);
        text(icalproperty_new_location, event.location);
        text(icalproperty_new_categories, event.category);
        icalcomponent_add_property(vevent,
                                   icalproperty_new_status(event.cancelled
                                                               ? ICAL_STATUS_CANCELLED
                                                               : ICAL_STATUS_CONFIRMED));
        icalcomponent_add_component(calendar.get(), vevent);
    }
    char *written = icalcomponent_as_ical_string_r(calendar.get());
    const QByteArray result(written);
    icalmemory_free_buffer(written);
    return result;
}

NoticeCalendar::Revisions NoticeCalendar::revisionsFromJson(const QByteArray &json)
{
    Revisions revisions;
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QJsonObject r = it.value().toObject();
        const auto text = [&r](const char *key) { return r.value(QLatin1String(key)).toString(); };
        const double start = r.value(QLatin1String("start")).toDouble();
        const double end = r.value(QLatin1String("end")).toDouble();
        revisions[it.key()] = {r.value(QLatin1String("sequence")).toInt(),
                               start,
                               end,
                               r.value(QLatin1String("stamp")).toDouble(),
                               {it.key(), start, end, r.value(QLatin1String("allDay")).toBool(),
                                text("summary"), text("description"), text("url"), text("location"),
                                text("category"), r.value(QLatin1String("cancelled")).toBool()}};
    }
    return revisions;
}

QByteArray NoticeCalendar::revisionsToJson(const Revisions &revisions)
{
    QJsonObject object;
    for (const auto &[uid, r] : revisions)
        object.insert(uid,
                      QJsonObject {{"sequence", r.sequence},
                                   {"start", r.start},
                                   {"end", r.end},
                                   {"stamp", r.stamp},
                                   {"allDay", r.event.allDay},
                                   {"summary", r.event.summary},
                                   {"description", r.event.description},
                                   {"url", r.event.url},
                                   {"location", r.event.location},
                                   {"category", r.event.category},
                                   {"cancelled", r.event.cancelled}});
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
