#include "noticecalendar.h"

#include "text/stringutils.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>
#include <QUrlQuery>

#include <libical/ical.h>

#include <algorithm>
#include <memory>

namespace {

const QString domain = QStringLiteral("@plumetrack");
const QString roadsPlace = QStringLiteral("State Highway 4 and Boca Chica Beach, Texas");

struct ComponentFree
{
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};

icaltimetype utcOf(double instant)
{
    return icaltime_from_timet_with_zone(
        time_t(std::clamp(instant, 0.0, NoticeCalendar::lastInstant)), 0,
        icaltimezone_get_utc_timezone());
}

// A moment as a time, or as the day of the place it falls on.
icaltimetype timeOf(double instant, bool allDay, const QString &zone, int addDays)
{
    if (!allDay)
        return utcOf(instant);
    const QDate day = QDateTime::fromSecsSinceEpoch(
                          qint64(std::clamp(instant, 0.0, NoticeCalendar::lastInstant)),
                          QTimeZone(zone.toUtf8()))
                          .date()
                          .addDays(addDays);
    icaltimetype date = icaltime_null_date();
    date.year = day.year();
    date.month = day.month();
    date.day = day.day();
    return date;
}

// The middle of the place's day of a date: what an all-day event's moments are.
double middleOf(const icaltimetype &date, const QString &zone)
{
    return double(
        QDateTime(QDate(date.year, date.month, date.day), QTime(12, 0), QTimeZone(zone.toUtf8()))
            .toSecsSinceEpoch());
}

// Where an area lies: the middle of its points.
std::optional<GeoPoint> placeOf(const Area &area)
{
    QList<GeoPoint> points = area.points;
    for (const QList<QList<GeoPoint>> *shapes : {&area.polygons, &area.lines}) {
        for (const QList<GeoPoint> &shape : *shapes)
            points += shape;
    }
    if (points.isEmpty())
        return std::nullopt;
    GeoPoint middle;
    for (const GeoPoint &point : points) {
        middle.latitude += point.latitude / double(points.size());
        middle.longitude += point.longitude / double(points.size());
    }
    return middle;
}

// A restriction's own page for people: the FAA list's address with the detail named.
QString detailPageOf(const Notice &notice)
{
    if (notice.label.isEmpty())
        return notice.page.toString();
    QUrl url = notice.page;
    QUrlQuery query(url);
    query.removeAllQueryItems(QStringLiteral("page"));
    query.addQueryItem(QStringLiteral("page"),
                       QStringLiteral("detail_") + QString(notice.label).replace(u'/', u'_'));
    url.setQuery(query);
    return url.toString();
}

// What the event of a notice says, whichever of its windows it stands for.
CalendarEvent eventOf(const Notice &notice)
{
    static const QRegularExpression groups(QStringLiteral("\\s\\d{4,6}Z.*$"));
    CalendarEvent event;
    event.url = notice.page.toString();
    event.location = roadsPlace;
    event.cancelled = notice.status == Notice::Status::canceled;
    event.place = placeOf(notice.area);
    switch (notice.source) {
    case Source::faa: {
        const QString altitude = altitudeText(
            notice.floor, notice.ceiling, [](const char *word) { return QString::fromUtf8(word); });
        const QString reach = altitude.isEmpty() || notice.floor
            ? altitude
            : QStringLiteral("surface to ") + altitude;
        event.summary = QStringLiteral("✈️ TFR Brownsville")
            + (reach.isEmpty() ? QString() : QStringLiteral(", ") + reach);
        event.description = notice.text;
        event.url = detailPageOf(notice);
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
    case Source::launches:
        event.summary = QStringLiteral("🚀 ") + notice.label;
        event.description = QStringLiteral("%1: no earlier than %2%3")
                                .arg(notice.label, notice.text,
                                     notice.statusText.isEmpty()
                                         ? QString()
                                         : QStringLiteral(", status ") + notice.statusText);
        event.location = QStringLiteral("Starbase, Texas");
        event.category = QStringLiteral("Launches");
        break;
    case Source::bulletin:
    case Source::navwarn: {
        // What is announced, in words: the Coast Guard's first sentence; a warning's words before
        // its date-time groups ("HAZARDOUS OPERATIONS, ROCKET LAUNCHING 092245Z TO …").
        QString what = notice.text.contains(u',') ? notice.text.section(u',', 1) : notice.text;
        what = notice.source == Source::bulletin ? firstSentence(notice.text)
                                                 : what.remove(groups).trimmed().toLower();
        event.summary = QStringLiteral("🛳 %1: %2").arg(notice.label, what);
        event.description = notice.label + QStringLiteral(": ") + notice.text;
        event.location = QStringLiteral("Gulf of Mexico off Boca Chica, Texas");
        event.category = QStringLiteral("Maritime warnings");
        break;
    }
    }
    return event;
}

} // namespace

QString NoticeCalendar::uidPrefix(Source source)
{
    // A launch's key names the launch ("launch-ID").
    return source == Source::launches ? QStringLiteral("launch-")
                                      : keyOf(source) + QLatin1Char('-');
}

QList<CalendarEvent> NoticeCalendar::eventsOf(const QList<Notice> &notices)
{
    QList<CalendarEvent> events;
    for (const Notice &notice : notices) {
        const CalendarEvent common = eventOf(notice);
        for (qsizetype i = 0; i < notice.windows.size(); ++i) {
            const Window &window = notice.windows[i];
            CalendarEvent event = common;
            event.uid
                = notice.key + (i == 0 ? QString() : QStringLiteral("-%1").arg(i + 1)) + domain;
            // Days are taken by their middles, which fall on the days written whatever their zone.
            event.start = window.firstDay();
            if (window.end)
                event.end = window.lastDay();
            event.allDay = !window.hasTime;
            events << event;
        }
    }
    return events;
}

void NoticeCalendar::revise(const QList<CalendarEvent> &events, Revisions &revisions, double now,
                            const QList<Source> &unread)
{
    Revisions next;
    for (const CalendarEvent &event : events) {
        const auto it = revisions.find(event.uid);
        Revision revision {0, now, event};
        if (it != revisions.end()) {
            revision = it->second;
            const CalendarEvent &was = revision.event;
            if (was.start != event.start || was.end != event.end || was.allDay != event.allDay
                || was.cancelled != event.cancelled || was.summary != event.summary) {
                revision.sequence = std::min(revision.sequence + 1, lastSequence);
                revision.stamp = now;
            }
            revision.event = event;
        }
        next[event.uid] = revision;
    }
    for (const auto &old : revisions) {
        const QString &uid = old.first;
        if (next.count(uid))
            continue;
        const double last = old.second.event.end.value_or(old.second.event.start);
        const bool unreadSource = std::any_of(unread.begin(), unread.end(), [&uid](Source source) {
            return uid.startsWith(uidPrefix(source));
        });
        if (unreadSource || (last < now && last >= now - 7 * 86400.0))
            next[uid] = old.second;
    }
    revisions = std::move(next);
}

QByteArray NoticeCalendar::write(const Revisions &revisions, double period, const QString &zone)
{
    const std::unique_ptr<icalcomponent, ComponentFree> calendar(icalcomponent_new_vcalendar());
    const auto add = [](icalcomponent *component, icalproperty *property) {
        icalcomponent_add_property(component, property);
    };
    const auto named = [](icalproperty *property, const char *name) {
        icalproperty_set_x_name(property, name);
        return property;
    };
    add(calendar.get(), icalproperty_new_version("2.0"));
    add(calendar.get(), icalproperty_new_prodid("-//Plumetrack//Launch notices//EN"));
    // The calendar's name for clients of RFC 7986, and for those that read only the older name.
    add(calendar.get(), icalproperty_new_name("Plumetrack launch notices"));
    add(calendar.get(), named(icalproperty_new_x("Plumetrack launch notices"), "X-WR-CALNAME"));
    add(calendar.get(),
        icalproperty_new_description("Flight restrictions, road and beach closures and maritime "
                                     "notices of launch activity around Brownsville, Texas"));
    const icaldurationtype every = icaldurationtype_from_int(int(period));
    icalproperty *refresh = icalproperty_new_refreshinterval(every);
    icalproperty_add_parameter(refresh, icalparameter_new_value(ICAL_VALUE_DURATION));
    add(calendar.get(), refresh);
    // libical's strings without "_r" stay in a ring of its own until it comes round: those with it
    // are freed here.
    char *ttl = icaldurationtype_as_ical_string_r(every);
    add(calendar.get(), named(icalproperty_new_x(ttl), "X-PUBLISHED-TTL"));
    icalmemory_free_buffer(ttl);

    for (const auto &[uid, revision] : revisions) {
        const CalendarEvent &event = revision.event;
        icalcomponent *vevent = icalcomponent_new_vevent();
        const auto text = [vevent](icalproperty *(*make)(const char *), const QString &value) {
            icalcomponent_add_property(vevent, make(value.toUtf8().constData()));
        };
        text(icalproperty_new_uid, uid);
        add(vevent, icalproperty_new_dtstamp(utcOf(revision.stamp)));
        add(vevent, icalproperty_new_lastmodified(utcOf(revision.stamp)));
        add(vevent, icalproperty_new_sequence(std::clamp(revision.sequence, 0, lastSequence)));
        add(vevent, icalproperty_new_dtstart(timeOf(event.start, event.allDay, zone, 0)));
        // A window that gives no end is a moment: no DTEND. An all-day event ends on the day
        // after its last.
        if (event.end && (event.allDay || *event.end > event.start))
            add(vevent, icalproperty_new_dtend(timeOf(*event.end, event.allDay, zone, 1)));
        text(icalproperty_new_summary, event.summary);
        text(icalproperty_new_description, event.description);
        text(icalproperty_new_url, event.url);
        text(icalproperty_new_location, event.location);
        text(icalproperty_new_categories, event.category);
        add(vevent,
            icalproperty_new_status(event.cancelled ? ICAL_STATUS_CANCELLED
                                                    : ICAL_STATUS_CONFIRMED));
        // A notice is no appointment of the user's: it leaves their time free.
        add(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        if (event.place)
            add(vevent, icalproperty_new_geo({event.place->latitude, event.place->longitude}));
        icalcomponent_add_component(calendar.get(), vevent);
    }
    char *written = icalcomponent_as_ical_string_r(calendar.get());
    const QByteArray result(written);
    icalmemory_free_buffer(written);
    return result;
}

NoticeCalendar::Revisions NoticeCalendar::read(const QByteArray &ics, const QString &zone)
{
    Revisions revisions;
    const std::unique_ptr<icalcomponent, ComponentFree> calendar(
        ics.isEmpty() ? nullptr : icalparser_parse_string(ics.constData()));
    if (!calendar)
        return revisions;
    for (icalcomponent *e
         = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         e; e = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        const auto text = [e](icalproperty_kind kind) {
            icalproperty *p = icalcomponent_get_first_property(e, kind);
            const icalvalue *v = p ? icalproperty_get_value(p) : nullptr;
            return plainLine(v && icalvalue_isa(v) == ICAL_TEXT_VALUE
                                 ? QString::fromUtf8(icalvalue_get_text(v))
                                 : v ? QString::fromUtf8(icalvalue_as_ical_string(v))
                                     : QString());
        };
        const QString uid = plainLine(QString::fromUtf8(icalcomponent_get_uid(e)));
        const icaltimetype start = icalcomponent_get_dtstart(e);
        if (uid.isEmpty() || icaltime_is_null_time(start))
            continue;
        CalendarEvent event;
        event.uid = uid;
        event.allDay = icaltime_is_date(start);
        const auto instant = [&](const icaltimetype &time, int days) {
            icaltimetype day = time;
            icaltime_adjust(&day, days, 0, 0, 0);
            return event.allDay ? middleOf(day, zone) : double(icaltime_as_timet(time));
        };
        event.start = std::clamp(instant(start, 0), 0.0, lastInstant);
        if (icalcomponent_get_first_property(e, ICAL_DTEND_PROPERTY))
            event.end = std::clamp(instant(icalcomponent_get_dtend(e), -1), 0.0, lastInstant);
        event.summary = text(ICAL_SUMMARY_PROPERTY);
        event.description = text(ICAL_DESCRIPTION_PROPERTY);
        event.url = text(ICAL_URL_PROPERTY);
        event.location = text(ICAL_LOCATION_PROPERTY);
        event.category = text(ICAL_CATEGORIES_PROPERTY);
        event.cancelled = icalcomponent_get_status(e) == ICAL_STATUS_CANCELLED;
        if (icalproperty *geo = icalcomponent_get_first_property(e, ICAL_GEO_PROPERTY)) {
            const icalgeotype where = icalproperty_get_geo(geo);
            if (const GeoPoint place {where.lat, where.lon}; place.isValid())
                event.place = place;
        }
        icalproperty *sequence = icalcomponent_get_first_property(e, ICAL_SEQUENCE_PROPERTY);
        revisions[uid] = {
            sequence ? std::clamp(icalproperty_get_sequence(sequence), 0, lastSequence) : 0,
            std::clamp(double(icaltime_as_timet(icalcomponent_get_dtstamp(e))), 0.0, lastInstant),
            event};
    }
    return revisions;
}
