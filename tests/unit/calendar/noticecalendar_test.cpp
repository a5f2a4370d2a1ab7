#include "app/oncerun.h"
#include "calendar/calendarfile.h"
#include "sources/starbase/starbaseclosures.h"

#include "testing.h"
#include "world.h"

#include <libical/ical.h>

namespace {

// The events of a calendar as libical reads them back: "UID ~ DTSTART ~ DTEND ~ STATUS ~ SUMMARY ~
// SEQUENCE ~ DESCRIPTION"; a calendar it cannot read, or an event without UID, DTSTART or DTEND,
// fails the test.
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
            EXPECT_TRUE(p || kind == ICAL_DESCRIPTION_PROPERTY) << kind;
            const icalvalue *v = p ? icalproperty_get_value(p) : nullptr;
            return QString::fromUtf8(!v ? ""
                                         : icalvalue_isa(v) == ICAL_TEXT_VALUE
                                         ? icalvalue_get_text(v)
                                         : icalvalue_as_ical_string(v));
        };
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

    IcuScope tokyo {"Asia/Tokyo", "en_US"};
    World world;
};

TEST_F(CalendarTest, EachSourceShapeIsAnEvent)
{
    for (const QString &row : cases("calendar-events")) {
        const QStringList f = row.split(" ~ ");
        deliver(f[0], f[1].split(" | "));
        NoticeCalendar::Revisions revisions;
        const QList<CalendarEvent> shown = events();
        NoticeCalendar::revise(shown, revisions, world.clock.now());
        const QStringList read
            = readBack(NoticeCalendar::write(shown, revisions, 1200, "America/Chicago"))
                  .filter(QRegularExpression("^" + f[0] + "-"));
        ASSERT_EQ(read.size(), 1) << row;
        EXPECT_EQ(read[0].section(" ~ ", 1, 4), f.mid(2).join(" ~ ")) << row;
    }
}

// The tray's file: the same notices give the same bytes; a moved window keeps its UID with the
// next SEQUENCE; a source that failed or is not read yet keeps its events, one read again without
// them loses them.
TEST_F(CalendarTest, TheFileAcrossChecks)
{
    QTemporaryDir home;
    CalendarFile file(home.filePath("plumetrack/plumetrack.ics"));
    deliver("county", {"Tuesday, December 8, 2026", "7:00 a.m. to 7:00 p.m.", "Closure Scheduled"});
    ASSERT_TRUE(file.update(events(), {}, world.clock.now(), 1200, "America/Chicago"));
    const QByteArray first = readFile(file.path());
    EXPECT_TRUE(first.contains("X-WR-CALNAME:Plumetrack launch notices\r\n"));
    EXPECT_TRUE(first.contains("REFRESH-INTERVAL;VALUE=DURATION:PT20M\r\nX-PUBLISHED-TTL:PT20M"));
    world.clock.set(world.clock.now() + 1200);
    world.controller().error(WebErrors::notReached, Source::county, "no answer");
    world.loop.drain();
    ASSERT_TRUE(file.update(events(), {}, world.clock.now(), 1200, "America/Chicago"));
    EXPECT_EQ(readFile(file.path()), first) << "a failure keeps the events, byte for byte";
    ASSERT_TRUE(CalendarFile(file.path())
                    .update({}, {Source::county}, world.clock.now(), 1200, "America/Chicago"));
    EXPECT_EQ(readFile(file.path()), first) << "so does a new run whose county was not read yet";
    deliver("county", {"Tuesday, December 8, 2026", "9:00 a.m. to 7:00 p.m.", "Closure Scheduled"});
    ASSERT_TRUE(file.update(events(), {}, world.clock.now(), 1200, "America/Chicago"));
    const QStringList moved = readBack(readFile(file.path()));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved[0].section(" ~ ", 0, 0), readBack(first)[0].section(" ~ ", 0, 0));
    EXPECT_EQ(moved[0].section(" ~ ", 5, 5), "1");
    world.controller().noticesRead(Source::county, {});
    world.loop.drain();
    ASSERT_TRUE(file.update(events(), {}, world.clock.now(), 1200, "America/Chicago"));
    EXPECT_TRUE(readBack(readFile(file.path())).isEmpty());
}

} // namespace

// A notice of each kind renders the same window in every view: its entry in the menu (which
// --once prints), the tooltip, and the calendar.
TEST_F(CalendarTest, EveryViewShowsTheSameWindow)
{
    for (const QString &row : cases("notice-views")) {
        const QStringList f = row.split(" ~ ");
        world.start();
        world.loop.drain();
        deliver(f[0], f[1].split(" | "));
        const QString menu = OnceRun::text(world.controller().statusBar(), world.menu(),
                                           world.controller().statusMenuNumberOfDefaultItems());
        EXPECT_TRUE(menu.simplified().contains(f[2])) << row << menu;
        EXPECT_EQ(world.controller().statusBar().toolTip().section('\n', 1), f[3]) << row;
        NoticeCalendar::Revisions revisions;
        const QList<CalendarEvent> shown = events();
        NoticeCalendar::revise(shown, revisions, world.clock.now());
        const QStringList read
            = readBack(NoticeCalendar::write(shown, revisions, 1200, "America/Chicago"));
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
    const QList<Notice> rows = StarbaseClosures::parse(page, world.clock, "America/Chicago").value();
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
