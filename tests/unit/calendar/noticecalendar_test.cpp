#include "app/oncerun.h"
#include "calendar/calendarfile.h"
#include "map/mapview.h"
#include "sources/starbase/starbaseclosures.h"

#include "testing.h"
#include "world.h"

#include <libical/ical.h>

namespace {

// The events of a calendar as libical reads them back: "UID ~ DTSTART ~ DTEND ~ STATUS ~ SUMMARY ~
// SEQUENCE ~ DESCRIPTION"; a calendar it cannot read, an event without UID or DTSTART, or one that
// ends at or before its start, fails the test.
QStringList readBack(const QByteArray &ics)
{
    for (const QByteArray &line : ics.split('\n'))
        EXPECT_LE(line.size(), 76) << "folded at 75 octets, then CR";
    icalcomponent *calendar = icalparser_parse_string(ics.constData());
    EXPECT_TRUE(calendar && icalcomponent_isa(calendar) == ICAL_VCALENDAR_COMPONENT) << ics;
    QStringList events;
    for (icalcomponent *e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const auto text = [e](icalproperty_kind kind) {
            icalproperty *p = icalcomponent_get_first_property(e, kind);
            EXPECT_TRUE(p || kind == ICAL_DESCRIPTION_PROPERTY || kind == ICAL_DTEND_PROPERTY)
                << kind;
            const icalvalue *v = p ? icalproperty_get_value(p) : nullptr;
            return QString::fromUtf8(!v ? ""
                                         : icalvalue_isa(v) == ICAL_TEXT_VALUE
                                         ? icalvalue_get_text(v)
                                         : icalvalue_as_ical_string(v));
        };
        if (icalcomponent_get_first_property(e, ICAL_DTEND_PROPERTY)) {
            EXPECT_GT(icaltime_compare(icalcomponent_get_dtend(e), icalcomponent_get_dtstart(e)),
                      0);
        }
        events << QStringList {text(ICAL_UID_PROPERTY),        text(ICAL_DTSTART_PROPERTY),
                               text(ICAL_DTEND_PROPERTY),      text(ICAL_STATUS_PROPERTY),
                               text(ICAL_SUMMARY_PROPERTY),    text(ICAL_SEQUENCE_PROPERTY),
                               text(ICAL_DESCRIPTION_PROPERTY)}
                      .join(" ~ ");
    }
    icalcomponent_free(calendar);
    return events;
}

class CalendarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        world.start();
        world.loop.drain();
    }
    // Delivers one row of a source, as its whole list.
    void deliver(const QString &key, const QStringList &f)
    {
        for (const auto &[source, name] : sourceKeys) {
            if (key == name)
                world.controller().noticesRead(source, {noticeOf(source, f, world.clock)});
        }
        world.loop.drain();
    }
    QList<CalendarEvent> events()
    {
        return NoticeCalendar::eventsOf(world.controller().shownNotices());
    }
    // The calendar of the notices shown, with fresh revisions.
    QStringList written()
    {
        NoticeCalendar::Revisions revisions;
        NoticeCalendar::revise(events(), revisions, world.clock.now());
        return readBack(NoticeCalendar::write(revisions, 1200, "America/Chicago"));
    }

    IcuScope tokyo {"Asia/Tokyo", "en_US"};
    World world;
};

TEST_F(CalendarTest, EachSourceShapeIsAnEvent)
{
    for (const QString &row : cases("calendar-events")) {
        const QStringList f = row.split(" ~ ");
        deliver(f[0], f[1].split(" | "));
        QStringList read;
        for (const QString &event : written().filter(QRegularExpression("^" + f[0] + "-")))
            read << event.section(" ~ ", 1, 4);
        read.sort(); // by their starts
        EXPECT_EQ(read.join(" ;; "), f.mid(2).join(" ~ ")) << row;
    }
}

// The tray's file: the same notices give the same bytes, also after a restart; a moved window
// keeps its UID with the next SEQUENCE, and so does a canceled closure; a county row is its label
// and its place among the rows of that label; a source that failed or is not read yet keeps its
// events; one read again without them loses those that have not ended, and an ended one leaves a
// week after its end.
TEST_F(CalendarTest, TheFileAcrossChecks)
{
    QTemporaryDir home;
    const QString path = home.filePath("plumetrack/plumetrack.ics");
    CalendarFile file(path);
    const auto county = [this](const QList<QStringList> &rows) {
        QList<Notice> notices;
        for (const QStringList &row : rows)
            notices << noticeOf(Source::county, row, world.clock);
        finishRead(notices);
        world.controller().noticesRead(Source::county, notices);
        world.loop.drain();
    };
    const auto update = [&](CalendarFile &calendar, QList<Source> unread = {}) {
        EXPECT_TRUE(calendar.update(events(), unread, world.clock.now(), 1200));
        return readBack(readFile(path));
    };
    const QStringList day8 {"Tuesday, December 8, 2026", "7:00 a.m. to 7:00 p.m.",
                            "Closure Scheduled"};
    const QStringList day9 {"Wednesday, December 9, 2026", "7:00 a.m. to 7:00 p.m.",
                            "Closure Scheduled"};
    county({day8, day9});
    const QStringList first = update(file);
    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.contains("NAME:Plumetrack launch notices\r\nX-WR-CALNAME:Plumetrack "));
    EXPECT_TRUE(bytes.contains("REFRESH-INTERVAL;VALUE=DURATION:PT20M\r\nX-PUBLISHED-TTL:PT20M"));
    EXPECT_EQ(bytes.count("TRANSP:TRANSPARENT\r\n"), 2);
    world.clock.set(world.clock.now() + 1200);
    world.controller().error(WebErrors::notReached, Source::county, "no answer");
    world.loop.drain();
    update(file);
    EXPECT_EQ(readFile(path), bytes) << "a failure keeps the events, byte for byte";
    CalendarFile restarted(path);
    update(restarted, {Source::county});
    EXPECT_EQ(readFile(path), bytes) << "so does a new run whose county was not read yet";
    county({day8, day9});
    update(restarted);
    EXPECT_EQ(readFile(path), bytes) << "and one that reads the same";
    // The first Primary Date goes: the second keeps its UID, its day moved into the first's.
    county({day9});
    QStringList read = update(restarted);
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read[0].section(" ~ ", 0, 0),
              first.filter("T130000Z ~ 20261209")[0].section(" ~ ", 0, 0));
    EXPECT_EQ(read[0].section(" ~ ", 5, 5), "1");
    county({{"Wednesday, December 9, 2026", "7:00 a.m. to 7:00 p.m.", "Closure Canceled"}});
    read = update(restarted);
    EXPECT_EQ(read[0].section(" ~ ", 3, 5), "CANCELLED ~ 🚗 Closure Canceled: SH 4 and beach ~ 2");
    // Ended: it stays while the notice is shown and a week after its end.
    world.clock.set(at("2026-12-10T12:00:00"));
    county({});
    EXPECT_EQ(update(restarted).size(), 1);
    world.clock.set(at("2026-12-16T20:00:00"));
    EXPECT_TRUE(update(restarted).isEmpty());
}

// A damaged revisions file: values out of range are brought into it; one that does not parse is
// kept beside, and the events are read back from the calendar itself.
TEST_F(CalendarTest, ADamagedRevisionsFile)
{
    QTemporaryDir home;
    const QString path = home.filePath("plumetrack.ics");
    deliver("starbase", {"Beach Primary", "Dec. 8 6:30 AM to Dec. 8 9:00 PM"});
    CalendarFile(path).update(events(), {}, world.clock.now(), 1200);
    const QByteArray bytes = readFile(path);
    const QString uid = readBack(bytes)[0].section(" ~ ", 0, 0);
    const auto store = [&](const QByteArray &json) {
        QFile revisions(path + ".revisions.json");
        ASSERT_TRUE(revisions.open(QIODevice::WriteOnly | QIODevice::Truncate));
        revisions.write(json);
    };
    store("{\"" + uid.toUtf8()
          + "\": {\"start\": 1e300, \"end\": -1e300, \"stamp\": 1e300, "
            "\"sequence\": 1000000}, \"x\\u001b]0;T\\u0007\": {\"summary\": \"a\\u0007b\", "
            "\"place\": [400, 0]}, \"\\u0007\": {}}");
    const NoticeCalendar::Revisions checked = CalendarFile(path).revisions();
    EXPECT_EQ(checked.at(uid).event.start, NoticeCalendar::lastInstant);
    EXPECT_EQ(checked.at(uid).event.end, 0.0);
    ASSERT_EQ(checked.size(), 2) << "a UID of control characters alone is no UID";
    EXPECT_EQ(checked.at("x]0;T").event.summary, "ab") << "no control character";
    EXPECT_FALSE(checked.at("x]0;T").event.place) << "no place off the earth";
    CalendarFile(path).update(events(), {}, world.clock.now(), 1200);
    EXPECT_EQ(readBack(readFile(path))[0].section(" ~ ", 5, 5), "1000000") << "the sequence stops";
    store("{\"" + uid.toUtf8() + "\": {\"sequ");
    CalendarFile truncated(path);
    EXPECT_TRUE(QFile::exists(path + ".revisions.json.damaged"));
    EXPECT_EQ(truncated.revisions().at(uid).event.summary, "🚗 Beach Primary");
    truncated.update({}, {Source::starbase}, world.clock.now(), 1200);
    EXPECT_EQ(readBack(readFile(path)).size(), 1) << "the events stay";
}

} // namespace

// A notice of each kind renders the same window in every view: its entry in the menu (which
// --once prints), the tooltip, and the calendar.
TEST_F(CalendarTest, EveryViewShowsTheSameWindow)
{
    world.settings.setValue(true, "Sources/launches");
    for (const QString &row : cases("notice-views")) {
        const QStringList f = row.split(" ~ ");
        world.start();
        world.loop.drain();
        deliver(f[0], f[1].split(" | "));
        const QString menu = OnceRun::text(world.controller().statusBar(), world.menu(),
                                           world.controller().statusMenuNumberOfDefaultItems());
        EXPECT_TRUE(menu.simplified().contains(f[2])) << row << menu;
        EXPECT_EQ(world.controller().statusBar().toolTip().section('\n', 1), f[3]) << row;
        const QStringList read = written();
        ASSERT_EQ(read.size(), 1) << row;
        EXPECT_EQ(read[0].section(" ~ ", 1, 3), f.mid(4).join(" ~ ")) << row;
    }
}

// A page of 2,000 identical lines: every notice has a key of its own, made in one pass, and the
// menu and the calendar stop at 200 with a line that says so.
TEST_F(CalendarTest, ThousandsOfRowsStopAt200)
{
    QString page = "<div id=beach-closure>";
    for (int i = 0; i < 2000; ++i)
        page += "<p>Primary: Dec. 8 6:30 AM to 9:00 PM</p>";
    const QList<Notice> rows
        = StarbaseClosures::parse(page, world.clock, "America/Chicago").value();
    ASSERT_EQ(rows.size(), 2000);
    EXPECT_EQ(rows.last().key, rows.first().key + "-2000");
    world.controller().noticesRead(Source::starbase, rows);
    world.loop.drain();
    const QString menu = OnceRun::text(world.controller().statusBar(), world.menu(),
                                       world.controller().statusMenuNumberOfDefaultItems());
    EXPECT_TRUE(menu.contains("\n    ⚠ City of Starbase: 200 of 2000 shown\n")) << menu;
    EXPECT_EQ(menu.count("Beach Primary"), 200);
    QSet<QString> uids;
    for (const CalendarEvent &event : events())
        uids << event.uid;
    EXPECT_EQ(uids.size(), 200);
}

// The map: places on the picture (the box fitted, the centre in the middle, longitudes narrowed by
// the cosine of the latitude), the place under the pointer kept when zooming, a drag moving
// everything; the topmost shape under a point; GeoJSON rings closed and counter-clockwise.
TEST_F(CalendarTest, TheMapsPicture)
{
    map::View view(QSizeF(900, 600));
    for (const auto &[place, x, y] : {std::tuple {GeoPoint {26.0, -97.2}, 450.0, 300.0},
                                      std::tuple {GeoPoint {26.15, -96.95}, 899.4, 0.0},
                                      std::tuple {GeoPoint {25.9967, -97.1544}, 531.97, 306.6}}) {
        const QPointF at = view.toPicture(place);
        EXPECT_NEAR(at.x(), x, 0.05) << place.longitude;
        EXPECT_NEAR(at.y(), y, 0.05) << place.latitude;
        EXPECT_NEAR(view.toPlace(at).latitude, place.latitude, 1e-9);
        EXPECT_NEAR(view.toPlace(at).longitude, place.longitude, 1e-9);
    }
    const GeoPoint pad {25.9967, -97.1544};
    const QPointF before = view.toPicture(pad);
    view.zoom(2, before);
    EXPECT_NEAR((view.toPicture(pad) - before).manhattanLength(), 0, 1e-6);
    EXPECT_NEAR(view.scale(), 4000, 1e-6);
    view.pan(QPointF(10, -5));
    EXPECT_NEAR(view.toPicture(pad).x(), before.x() + 10, 1e-6);
    EXPECT_NEAR(view.toPicture(pad).y(), before.y() - 5, 1e-6);
    // A larger window keeps the place in its middle and how far it is zoomed.
    const GeoPoint middle = view.toPlace(QPointF(450, 300));
    view.resize(QSizeF(1800, 1200));
    EXPECT_NEAR(view.scale(), 8000, 1e-6);
    EXPECT_NEAR(view.toPlace(QPointF(900, 600)).latitude, middle.latitude, 1e-9);
    EXPECT_NEAR(view.toPlace(QPointF(900, 600)).longitude, middle.longitude, 1e-9);

    map::View fitted(QSizeF(900, 600));
    Notice notice;
    notice.key = "k";
    const QList<GeoPoint> box {{25.9, -97.3}, {26.1, -97.3}, {26.1, -97.0}, {25.9, -97.0}};
    const QList<map::Feature> features {
        {notice, Area {{box}, {}, {}}, map::Section::flights, "box"},
        {notice, Area {{}, {{{26.0, -97.25}, {26.0, -97.05}}}, {}}, map::Section::roads, "line"},
        {notice, Area {{}, {}, {{26.0, -97.1}}}, map::Section::maritime, "point"}};
    for (const auto &[place, dy, hit] :
         {std::tuple {GeoPoint {26.0, -97.1}, 0.0, 2}, std::tuple {GeoPoint {26.0, -97.2}, 5.9, 1},
          std::tuple {GeoPoint {26.0, -97.2}, 6.5, 0}, std::tuple {GeoPoint {26.0, -97.4}, 0.0, -1},
          std::tuple {GeoPoint {26.0, -97.2}, -30.0, 0}})
        EXPECT_EQ(
            map::featureAt(features, fitted, fitted.toPicture(place) + QPointF(0, dy)).value_or(-1),
            hit)
            << place.longitude << " " << dy;

    // Hovering shows the label and the text in short lines, cut.
    map::Feature wordy = features[0];
    wordy.notice.text = QString("word ").repeated(100);
    const QStringList hover = map::hoverTextOf(wordy).split('\n');
    EXPECT_EQ(hover.first(), "box");
    EXPECT_TRUE(hover.last().endsWith("…")) << hover.last();
    EXPECT_LE(std::ranges::max(hover, {}, &QString::size).size(), 80);

    map::Scene scene;
    scene.features = {features[0]};
    const QJsonArray ring
        = QJsonDocument::fromJson(map::geoJsonOf(scene, world.controller().rows()))
              .object()["features"][0]["geometry"]["coordinates"][0]
              .toArray();
    ASSERT_EQ(ring.size(), 5);
    EXPECT_EQ(ring.first(), ring.last()) << "closed";
    double twiceArea = 0;
    for (qsizetype i = 0; i + 1 < ring.size(); ++i)
        twiceArea += ring[i][0].toDouble() * ring[i + 1][1].toDouble()
            - ring[i + 1][0].toDouble() * ring[i][1].toDouble();
    EXPECT_GT(twiceArea, 0) << "counter-clockwise";
}
