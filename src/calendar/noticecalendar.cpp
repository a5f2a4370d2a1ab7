#include "noticecalendar.h"

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

QList<CalendarEvent> NoticeCalendar::eventsOf(const QList<Notice> &notices)
{
    static const QRegularExpression groups(QStringLiteral("\\s\\d{6}Z.*$"));
    QList<CalendarEvent> events;
    for (const Notice &notice : notices) {
        if (notice.windows.isEmpty())
            continue; // no window given: nothing for a calendar
        const Window &window = notice.windows.front();
        // Days are taken by their middles, which fall on the days written whatever their zone.
        CalendarEvent event {notice.key + domain,
                             window.firstDay(),
                             window.lastDay(),
                             !window.hasTime,
                             QString(),
                             QString(),
                             notice.page.toString(),
                             roadsPlace,
                             QString(),
                             notice.status == Notice::Status::canceled};
        switch (notice.source) {
        case Source::faa: {
            const QString altitude
                = altitudeText(notice.floor, notice.ceiling,
                               [](const char *word) { return QString::fromUtf8(word); });
            const QString reach = altitude.isEmpty() || notice.floor
                ? altitude
                : QStringLiteral("surface to ") + altitude;
            event.summary = QStringLiteral("✈️ TFR Brownsville")
                + (reach.isEmpty() ? QString() : QStringLiteral(", ") + reach);
            event.description = notice.text;
            event.location = QStringLiteral("Brownsville, Texas");
            event.category = QStringLiteral("Flight restrictions");
            break;
        }
        case Source::county:
            event.summary = QStringLiteral("🚗 %1: SH 4 and beach").arg(notice.statusText);
            event.description = QStringLiteral("%1: %2, %3, %4")
                                    .arg(notice.label, notice.text, notice.hours, notice.statusText)
                                    .simplified();
            event.category = QStringLiteral("Road closures");
            break;
        case Source::starbase:
            event.summary = QStringLiteral("🚗 ") + notice.label;
            event.description = notice.label + QStringLiteral(": ") + notice.text;
            event.category = QStringLiteral("Road closures");
            break;
        case Source::bulletin:
        case Source::navwarn: {
            // "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 092245Z TO …": what is announced, in words.
            QString what = notice.text.contains(u',') ? notice.text.section(u',', 1) : notice.text;
            what = what.remove(groups).trimmed().toLower();
            event.summary = QStringLiteral("🛳 %1: %2").arg(notice.label, what);
            event.description = notice.label + QStringLiteral(": ") + notice.text;
            event.location = QStringLiteral("Gulf of Mexico off Boca Chica, Texas");
            event.category = QStringLiteral("Maritime warnings");
            break;
        }
        }
        events << event;
    }
    return events;
}

QString NoticeCalendar::uidPrefix(Source source)
{
    return keyOf(source) + QLatin1Char('-');
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
