#include "scrapers/scrapersroot.h"

#include "testing.h"
#include "world.h"

namespace {

Notice notam(const QString &name, double date)
{
    Notice notice;
    notice.key = "faa-" + name;
    notice.text = "BROWNSVILLE, TX, " + name;
    notice.windows = {Window {date, {}, false}};
    notice.page = SourceAddresses::defaults().faaPage;
    return notice;
}

Notice closure(const QString &day)
{
    return CameronCountyRecord {"Primary Date", day, "8:00 am to 5:00 pm", "Closure Scheduled"}
        .notice(SourceAddresses::defaults().county);
}

// A city row or a warning.
QList<Notice> rows(Source source, const QList<QStringList> &rows)
{
    QList<Notice> notices;
    for (const QStringList &row : rows)
        notices << noticeOf(source, row, FakeClock(at("2026-07-01T00:00:00")));
    return notices;
}

class ControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        world.start();
        world.loop.drain();
    }

    StatusMenuController &controller() { return world.controller(); }
    QString title() { return controller().statusBar().title(); }
    void faa(QList<Notice> notices)
    {
        controller().noticesRead(Source::faa, std::move(notices));
        world.loop.drain();
    }
    void county(QList<Notice> notices)
    {
        controller().noticesRead(Source::county, std::move(notices));
        world.loop.drain();
    }
    // Every source reads an empty list.
    void everySourceReads()
    {
        for (const auto &[source, key] : sourceKeys)
            controller().noticesRead(source, {});
    }
    // The plain titles of the generated part of the menu.
    QStringList generated()
    {
        QStringList titles;
        const int count
            = world.menu().numberOfItems() - controller().statusMenuNumberOfDefaultItems();
        for (int i = 0; i < count; ++i)
            titles << (world.menu().itemAt(i)->isSeparator() ? "---"
                                                             : world.menu().itemAt(i)->title());
        return titles;
    }
    MenuItem::Ptr entry(const QString &title) { return world.entry(title); }

    IcuScope scope {"America/Chicago", "en_US"};
    World world;
    const QList<Notice> one {notam("a", 1.8e9)};
    const QList<Notice> two {notam("a", 1.8e9), notam("b", 1.9e9)};
};

// The status title and the section marks, step by step. Every report is handled later, on the main
// thread: nothing shows before the run loop turns.
TEST_F(ControllerTest, TitleTransitions)
{
    const QList<QStringList> lists[] {{},
                                      {{"Beach Primary", "July 8"}},
                                      {{"Beach Primary", "July 8"}, {"Beach Backup", "July 9"}}};
    for (const QString &row : cases("title-transitions")) {
        const QString name = row.section(" ~ ", 0, 0);
        world.application.reset(); // a fresh controller for each case
        SetUp();
        for (const QString &step : row.section(" ~ ", 1).split("; ")) {
            const QString event = step.section(" > ", 0, 0);
            const QString expectedTitle = step.section(" > ", 1).section(' ', 0, 0);
            const QString expectedMarks = step.section(" > ", 1).section(' ', 1);
            const QStringList words = event.split(' ');
            const int n = words.value(1).toInt();
            const QString before = title();
            if (words[0] == "faa")
                controller().noticesRead(Source::faa,
                                         n == 0       ? QList<Notice> {}
                                             : n == 1 ? one
                                                      : two);
            else if (words[0] == "county")
                controller().noticesRead(Source::county,
                                         n == 0       ? QList<Notice> {}
                                             : n == 1 ? QList {closure("1")}
                                                      : QList {closure("1"), closure("2")});
            else if (words[0] == "city")
                controller().noticesRead(Source::starbase, rows(Source::starbase, lists[n]));
            else if (words[0] == "warnings")
                controller().noticesRead(Source::navwarn, rows(Source::navwarn, lists[n]));
            else if (words[0] == "bulletin")
                controller().noticesRead(Source::bulletin, {});
            else if (words[0] == "all")
                everySourceReads();
            else if (words[0] == "fail")
                controller().error(WebErrors::loadFailed,
                                   words[1] == "faa"          ? Source::faa
                                       : words[1] == "county" ? Source::county
                                                              : Source::navwarn,
                                   "the server answered 503");
            else if (words[0] == "off") {
                for (const auto &item : world.entry("Sources")->submenu()->items()) {
                    if (keyOf(std::any_cast<Source>(item->representedObject())) == words[1])
                        item->perform();
                }
            } else if (words[0] == "check") {
                world.clock.set(world.clock.now() + 1200);
                controller().updateLastChecked();
            }
            if (words[0] == "close") {
                world.menu().willOpen();
                world.menu().didClose();
            }
            EXPECT_TRUE(words[0] == "close" || words[0] == "check" || words[0] == "off"
                        || title() == before)
                << name << ": " << step;
            world.loop.drain();
            QString marks;
            for (const auto &[mark, item] :
                 {std::pair {'C', controller().cameronCountyTitleMenuItem()},
                  std::pair {'F', controller().faaNotamInfoTitleMenuItem()},
                  std::pair {'M', controller().msibMenuItem()}}) {
                EXPECT_LE(item->title().count("✓"), 1) << step;
                EXPECT_EQ(item->attributes(),
                          (TextAttributes {Font::MenuBar, Color::SecondaryLabel}))
                    << "the colour stays through marks";
                if (item->title().endsWith(" ✓"))
                    marks += mark;
            }
            EXPECT_EQ(title(), expectedTitle) << name << ": " << step;
            EXPECT_EQ(marks, expectedMarks) << name << ": " << step;
        }
    }
}

// The tooltip tells when the next closure comes, at 2026-12-05 11:46 in Chicago, read under a
// user's zone far from it.
TEST_F(ControllerTest, TheTooltipTellsTheNextWindow)
{
    IcuScope berlin("Europe/Berlin", "en_US");
    for (const QString &row : cases("next-window")) {
        const QStringList fields = row.split(" | ");
        QList<Notice> notices;
        for (const QString &day : fields[0].split(" ; "))
            notices << noticeOf(Source::county, {day, fields[1], fields[2]}, world.clock);
        finishRead(notices);
        county(notices);
        EXPECT_EQ(controller().statusBar().toolTip(),
                  fields[3].isEmpty() ? title() : title() + "\n" + fields[3])
            << row;
    }
}

// A change of what a section shows is one notification once all its sources have answered: the
// section's summary and the rows that came and went across its sources (five, then how many
// more); choosing it opens the page of the source that changed first. The first read is no news,
// nor is a notice that only moved from the mirror's list to the live feed; none while switched
// off.
TEST_F(ControllerTest, Notifications)
{
    const auto days = [this](int from, int to) {
        QList<Notice> notices;
        for (int day = from; day < to; ++day)
            notices << closure(QString("Day %1").arg(day));
        county(notices);
    };
    days(0, 1);
    controller().noticesRead(Source::starbase, {});
    controller().noticesRead(Source::bulletin, {});
    controller().noticesRead(Source::navwarn, {});
    faa(one);
    EXPECT_TRUE(world.notifier.shown().empty()) << "the first lists are not news";
    controller().updateLastChecked();
    controller().noticesRead(Source::starbase,
                             rows(Source::starbase, {{"Beach Primary", "July 8"}}));
    world.loop.drain();
    EXPECT_TRUE(world.notifier.shown().empty()) << "the section waits for all its sources";
    days(1, 2);
    days(2, 6);
    days(6, 9);
    EXPECT_EQ(title(), "🚀✓");
    world.menu().willOpen();
    world.menu().didClose();
    QList<Notice> live = one;
    live[0].page = QUrl("https://tfr.faa.gov/download/detail_a.xml");
    faa(live);
    EXPECT_EQ(title(), "🚀") << "a notice from another list shape is no news";
    faa(two);
    controller().noticesRead(Source::bulletin, {});
    controller().noticesRead(Source::navwarn,
                             rows(Source::navwarn, {{"NAVAREA IV 704/26", "ROCKET LAUNCHING"}}));
    world.loop.drain();
    world.settings.setValue(false, "NotifyOnChanges");
    days(0, 1);
    const auto &shown = world.notifier.shown();
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(QStringList({shown[0].section, shown[0].summary, shown[0].body}),
              QStringList({"roads", "Road closures changed",
                           "+ Beach Primary July 8\n"
                           "+ Primary: Day 1 8:00 am to 5:00 pm\n"
                           "\u2212 Primary: Day 0 8:00 am to 5:00 pm"}));
    EXPECT_EQ(shown[1].body.split('\n').size(), 5) << "five rows in full";
    const QStringList seven = shown[2].body.split('\n');
    EXPECT_EQ(seven.size(), 6);
    EXPECT_EQ(seven.last(), "and 2 more");
    EXPECT_EQ(QStringList({shown[3].section, shown[3].summary}),
              QStringList({"flights", "Flight restrictions changed"}));
    EXPECT_EQ(QStringList({shown[4].section, shown[4].summary, shown[4].body}),
              QStringList({"maritime", "Maritime safety bulletin changed",
                           "+ NAVAREA IV 704/26 ROCKET LAUNCHING"}));
    world.notifier.activate("maritime");
    world.notifier.activate("flights");
    EXPECT_EQ(world.browser.opened(),
              (std::vector<QUrl> {SourceAddresses::defaults().navwarnPage,
                                  QUrl("https://tfr.faa.gov/tfr3/?page=list")}));
    // The city's rows changed first in the check that named both.
    world.settings.setValue(true, "NotifyOnChanges");
    controller().updateLastChecked();
    controller().noticesRead(Source::starbase,
                             rows(Source::starbase, {{"Beach Backup", "July 9"}}));
    days(5, 6);
    world.notifier.activate("roads");
    EXPECT_EQ(world.browser.opened().back(), SourceAddresses::defaults().starbase);
}

TEST_F(ControllerTest, TheSameListAgainRebuildsOnlyForOtherDetails)
{
    faa(one);
    EXPECT_EQ(controller().notices(Source::faa), one);
    const MenuItem::Ptr shown = world.menu().itemAt(4);
    faa(one);
    EXPECT_EQ(world.menu().itemAt(4), shown) << "no rebuild";
    QList<Notice> again = one;
    again[0].detail = Notice::Detail::read;
    again[0].ceiling = Limit {5};
    faa(again);
    EXPECT_TRUE(world.menu().itemAt(4)->title().endsWith(" 5 feet")) << "a late altitude shows";
    EXPECT_EQ(title(), "🚀") << "without news";
}

// The menu before any read, with a failure and empty lists, then with the county's rows in page
// order, the FAA's notices last first and the bulletin's line. Section titles are in the secondary
// colour; titles and entries open their pages; a bulletin report of the same line keeps its entry
// and the default entries.
TEST_F(ControllerTest, TheMenu)
{
    // The log says when a source stops being read, once, and when it is read again.
    static QStringList logged;
    QLoggingCategory::setFilterRules("plumetrack.*.info=true");
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &where, const QString &m) {
              logged << QString(where.category) + ": " + m;
          });
    controller().noticesRead(Source::bulletin, {});
    for (int twice = 0; twice < 2; ++twice)
        controller().error(WebErrors::notReached, Source::faa, "no answer (connection refused)");
    controller().noticesRead(Source::navwarn, {});
    world.loop.drain();
    EXPECT_EQ(
        generated(),
        (QStringList {"🚗 Road Closures", "    Not read yet", "---", "✈️ Flight Restrictions",
                      "    ⚠ FAA not read at 11:46\u202fAM: no answer (connection refused)",
                      "    Not read yet", "---", "🛳 Maritime Safety Bulletin (Latest Only)",
                      "     None", "---", controller().lastChangedMenuItem()->title()}));
    county({});
    controller().noticesRead(Source::starbase, {});
    world.loop.drain();
    EXPECT_EQ(generated().mid(0, 3), (QStringList {"🚗 Road Closures", "    None", "---"}));
    EXPECT_TRUE(controller().lastChangedMenuItem()->title().startsWith("Last Checked: "));
    for (const int i : {0, 3, 7})
        EXPECT_EQ(world.menu().itemAt(i)->attributes(),
                  (TextAttributes {Font::MenuBar, Color::SecondaryLabel}));
    const auto defaults = [this] {
        return std::vector<MenuItem::Ptr>(world.menu().items().end() - 16,
                                          world.menu().items().end());
    };
    const std::vector<MenuItem::Ptr> before = defaults();
    EXPECT_EQ(before.front()->title(), "Refresh Every 5 Minutes");
    EXPECT_EQ(before.back()->title(), "Quit Plumetrack");

    IcuScope utc("UTC", "en_US");
    world.clock.set(1.7e9);
    county({closure("Monday"), closure("Tuesday")});
    controller().noticesRead(Source::starbase,
                             rows(Source::starbase, {{"Beach Primary", "July 8"}}));
    faa({notam("N3", 1.8e9), notam("N2", 1.8e9), notam("N1", 1.8e9)});
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules("");
    EXPECT_EQ(logged,
              (QStringList {"plumetrack.faa: FAA not read: no answer (connection refused)",
                            "plumetrack.faa: FAA read again"}));
    Notice bulletin;
    bulletin.source = Source::bulletin;
    bulletin.label = "CCGD8 BNM 0456-26";
    bulletin.text = "Launch hazard area off Boca Chica. Keep clear.";
    bulletin.page = QUrl("https://www.navcen.uscg.gov/broadcast-notice-to-mariners-message?guid=9");
    controller().noticesRead(Source::bulletin, {bulletin});
    world.loop.drain();
    const QStringList titles = generated();
    ASSERT_EQ(titles.size(), 14) << titles.join('|');
    EXPECT_TRUE(titles[1].startsWith("Primary: Monday"));
    EXPECT_TRUE(titles[2].startsWith("Primary: Tuesday"));
    EXPECT_TRUE(titles[3].startsWith("Beach Primary"));
    EXPECT_EQ(titles[6].trimmed(), "N3") << "the FAA read again, its failure gone";
    EXPECT_EQ(titles[8].trimmed(), "N1");
    EXPECT_EQ(titles[11], "     CCGD8 BNM 0456-26: Launch hazard area off Boca Chica.");
    for (const int i : {6, 1, 3, 11, 10})
        world.menu().itemAt(i)->perform();
    EXPECT_EQ(world.browser.opened(),
              (std::vector<QUrl> {QUrl("https://tfr.faa.gov/tfr3/?page=list"),
                                  SourceAddresses::defaults().county,
                                  SourceAddresses::defaults().starbase, bulletin.page,
                                  SourceAddresses::defaults().msib}));
    const MenuItem::Ptr line = world.menu().itemAt(11);
    controller().noticesRead(Source::bulletin, {bulletin});
    world.loop.drain();
    EXPECT_EQ(generated(), titles);
    EXPECT_EQ(world.menu().itemAt(11), line) << "the same line keeps its entry";
    EXPECT_EQ(defaults(), before);
    // A failure keeps the rows of the last read and says when they were read; they leave once over.
    world.clock.set(1.8e9 - 600);
    controller().error(WebErrors::notReached, Source::faa, "no answer");
    world.loop.drain();
    EXPECT_EQ(generated()[6],
              QString("    ⚠ FAA not read at 7:50\u202fAM: no answer; shown as "
                      "read at 10:13\u202fPM"));
    world.clock.set(1.8e9 + 86401);
    controller().updateLastChecked();
    EXPECT_EQ(generated().mid(6, 2), (QStringList {"    None", "---"}));
}

TEST_F(ControllerTest, OpeningTheMenuSetsTheCheckMarksFromTheSettings)
{
    world.menu().willOpen();
    EXPECT_EQ(entry("Refresh Every 20 Minutes")->state(), MenuItem::On) << "the default period";
    world.settings.setValue(600, "UpdateTimeSeconds");
    world.settings.setValue(false, "UseMirror");
    world.menu().willOpen();
    for (const auto &item : world.menu().items())
        EXPECT_TRUE(item->tag() < 1
                    || item->state() == (item->tag() == 600 ? MenuItem::On : MenuItem::Off));
    EXPECT_EQ(entry("Use Data Mirror")->state(), MenuItem::Off);
    EXPECT_EQ(entry("Notify on Changes")->state(), MenuItem::On) << "on unless stored otherwise";
    world.settings.setValue(true, "UseMirror");
    entry("Notify on Changes")->perform();
    world.menu().willOpen();
    EXPECT_EQ(entry("Use Data Mirror")->state(), MenuItem::On);
    EXPECT_EQ(entry("Notify on Changes")->state(), MenuItem::Off);
}

TEST_F(ControllerTest, TheLastCheckedLineLeavesOutTheCurrentYearBetweenBlanks)
{
    IcuScope slovak("Europe/Bratislava", "sk_SK");
    controller().updateLastChecked();
    EXPECT_EQ(controller().lastChangedMenuItem()->title(), "Last Checked: 5. 12. 18:46");
    IcuScope american("America/Chicago", "en_US");
    controller().updateLastChecked();
    EXPECT_EQ(controller().lastChangedMenuItem()->title(),
              QString::fromUtf8("Last Checked: 12/5/26, 11:46\u202fAM"));
}

// One check at start, the FAA's live (the mirror is off by default in a build without a maker's
// server), then one per period. Choosing an interval stores it and starts over at once with the new
// period, the old root and its timer gone; the mirror entry stores the inverse and checks the other
// way at once; a stored period below one second is the default, any other within the menu's.
TEST_F(ControllerTest, TheCheckCycle)
{
    const QUrl mirror = SourceAddresses::defaults().mirror;
    const QUrl live = SourceAddresses::defaults().faaList;
    const SourceAddresses a = SourceAddresses::defaults();
    const QUrl rest[] = {a.county, QUrl("https://www.starbase.texas.gov/beach-road-access"),
                         QUrl("https://msi.nga.mil/api/publications/broadcast-warn?navArea=4&"
                              "status=active&output=json")};
    // The Coast Guard's list first, its date range the last 14 days.
    const QUrl bulletins("https://www.navcen.uscg.gov/broadcast-notice-to-mariners-search-results?"
                         "district=8&sector=0&items_per_page=50&date-range=2026-11-21--2026-12-05");
    const auto check = [&](size_t from, const QUrl &faa) {
        const std::vector<QUrl> requested = world.http.requested();
        EXPECT_EQ(std::vector<QUrl>(requested.begin() + qsizetype(from), requested.end()),
                  (std::vector<QUrl> {bulletins, a.faaAreas, faa, rest[0], rest[1], rest[2]}));
    };
    check(0, live);
    world.loop.advance(1199);
    EXPECT_EQ(world.http.requested().size(), 6u);
    world.settings.setValue(true, "UseMirror");
    world.loop.advance(1);
    check(6, mirror);
    world.settings.setValue(false, "UseMirror");

    const std::weak_ptr<ScrapersRoot> old = controller().parser();
    entry("Refresh Every 5 Minutes")->perform();
    EXPECT_EQ(world.settings.integerForKey("UpdateTimeSeconds"), 300);
    EXPECT_TRUE(old.expired()) << "the old root is released";
    check(12, live);
    world.loop.advance(299);
    EXPECT_EQ(world.http.requested().size(), 18u);
    world.loop.advance(1);
    EXPECT_EQ(world.http.requested().size(), 24u);
    world.loop.advance(1200);
    EXPECT_EQ(world.http.requested().size(), 48u) << "the old timer never fires";
    auto noTag = MenuItem::create("x", Action::changeUpdateTime);
    noTag->setTarget(&controller());
    noTag->perform();
    EXPECT_EQ(world.settings.integerForKey("UpdateTimeSeconds"), 300);

    entry("Use Data Mirror")->perform();
    EXPECT_TRUE(world.settings.boolForKey("UseMirror"));
    check(48, mirror);

    // A stored period the menu never writes: the default, or the nearest of its choices.
    RecordingDelegate recorder;
    for (const auto &[stored, period] :
         {std::pair {0LL, 1200.0}, std::pair {-5LL, 1200.0}, std::pair {2LL, 300.0},
          std::pair {3'000'000'000LL, 3600.0}}) {
        world.settings.setValue(stored, "UpdateTimeSeconds");
        EXPECT_EQ(ScrapersRoot::create(&recorder, world.environment(), world.settings)->period(),
                  period);
    }
    EXPECT_EQ(recorder.events(), QStringList(4, "updateLastChecked"));
}

// The launches first, each with the notices whose windows overlap its own (its time and two hours
// either side when the schedule gives no window), or a line that none does; then where notices of
// two kinds overlap with no launch listed. One kind alone is no sign of a launch.
class LaunchTest : public ControllerTest
{
protected:
    void SetUp() override
    {
        world.settings.setValue(true, "Sources/launches");
        world.settings.setValue(300, "UpdateTimeSeconds");
        ControllerTest::SetUp();
    }
};

TEST_F(LaunchTest, LaunchesBesideTheNoticesThatCoverThem)
{
    const auto read = [&](Source source, const QList<QStringList> &rows) {
        QList<Notice> notices;
        for (const QStringList &row : rows)
            notices << noticeOf(source, row, world.clock);
        controller().noticesRead(source, notices);
    };
    read(Source::launches,
         {{"Flight 12", "2026-12-08T23:30:00Z", "Minute", "Go", "2026-12-08T23:00:00Z",
           "2026-12-09T01:00:00Z"},
          {"Flight 20", "2026-12-20T18:00:00Z", "Day", "TBD"}});
    read(Source::faa,
         {{"BROWNSVILLE, TX, Tuesday, December 08, 2026 through Wednesday, "
           "December 09, 2026 Local"}});
    read(Source::county,
         {{"Tuesday, December 8, 2026", "7:00 a.m. to 7:00 p.m.", "Closure Scheduled"}});
    read(Source::navwarn,
         {{"NAVAREA IV 710/26", "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 091500Z TO 091700Z DEC"}});
    read(Source::starbase, {{"Beach Primary", "Dec. 12 6:30 AM to 9:00 PM"}});
    world.loop.drain();
    const QStringList menu = generated();
    EXPECT_EQ(menu.mid(0, 8),
              (QStringList {"🗓 Upcoming Launches",
                            QString("Flight 12").leftJustified(41) + "Dec 8, 5:30\u202fPM",
                            "    Covered by: TFR 6/2998, road closure Dec 8",
                            QString("Flight 20").leftJustified(41) + "Dec 20 (TBD)",
                            "    No notice covers this window yet",
                            QString("Possible launch activity").leftJustified(41)
                                + "Dec 9, 9:00\u2009\u2013\u200911:00\u202fAM",
                            "    Covered by: TFR 6/2998, NAVAREA IV 710/26", "---"}))
        << menu.join('|');
    EXPECT_EQ(controller().statusBar().toolTip().section('\n', 1, 1),
              "Next launch: Flight 12, Dec 8, 5:30\u202fPM (in 3 d)");
    // Switched off, the section and its correlation go; the other sections stand.
    world.entry("Sources")->submenu()->items().front()->perform();
    world.loop.drain();
    EXPECT_EQ(generated().value(0), "🚗 Road Closures");
}

// What the schedule's reader makes of an answer, at 2026-12-05 17:46 UTC: the launches it keeps
// (those of the next 30 days not yet over, at most five, by time; "name start/end" of each) or
// why the answer is not a schedule.
TEST(LaunchSchedule, AnswersAndWhatIsKeptOfThem)
{
    const auto launch = [](const QString &name, const QString &net, const QString &more = {}) {
        return QString(R"({"id": "%1", "name": "%1", "net": "%2"%3})").arg(name, net, more);
    };
    const QString window = R"(, "window_start": "2026-12-08T23:00:00Z", "window_end": "%1")";
    const std::pair<QString, QString> answers[] = {
        {R"({"count": 0, "results": []})", ""},
        {R"({"detail": "Request was throttled."})", "the feed could not be read"},
        {"<html><body>Maintenance</body></html>", "the server answered a web page, not the feed"},
        {R"({"results": [{"error": "backend timeout"}, {"id": "L1", "name": "", "net": "x"}]})",
         "the feed's entries were not recognised"},
        {"{\"results\": ["
             + launch("F12", "2026-12-08T23:30:00Z", window.arg("2026-12-09T01:00:00Z"))
             + ", {\"name\": \"no id\", \"net\": \"2026-12-08T23:30:00Z\"}, "
             + launch("F13", "2026-12-09T23:30:00Z", window.arg("2026-12-08T22:00:00Z")) + "]}",
         "F12 1796770800/1796778000 F13 1796851800/1796866200"},
        {"{\"results\": [" + launch("late", "2027-01-05T00:00:00Z") + ", "
             + launch("over", "2026-12-05T15:00:00Z") + ", "
             + launch("under way", "2026-12-05T16:00:00Z") + "]}",
         "under way 1796479200/1796493600"},
        {"{\"results\": [" + launch("6", "2026-12-20T00:00:00Z") + ", "
             + launch("1", "2026-12-06T00:00:00Z") + ", " + launch("2", "2026-12-07T00:00:00Z")
             + ", " + launch("3", "2026-12-08T00:00:00Z") + ", "
             + launch("4", "2026-12-09T00:00:00Z") + ", " + launch("5", "2026-12-10T00:00:00Z")
             + "]}",
         "1 2 3 4 5"},
    };
    for (const auto &[body, expected] : answers) {
        QString problem;
        const auto launches = Launches::parse(body.toUtf8(), 1'796'492'760.0, &problem);
        QStringList kept;
        for (const Notice &notice : launches.value_or(QList<Notice>()))
            kept << (expected.contains('/')
                         ? QString("%1 %2/%3")
                               .arg(notice.label)
                               .arg(notice.windows.front().start, 0, 'f', 0)
                               .arg(notice.windows.front().end.value_or(0), 0, 'f', 0)
                         : notice.label);
        EXPECT_EQ(launches ? kept.join(' ') : problem, expected) << body;
    }
}

// The free schedule is asked at most once every 20 minutes whatever the check period; a restart
// within them reads the answer kept in the cache; a server that asks to wait an hour is left
// alone for that hour, its refusal shown.
TEST_F(LaunchTest, TheLaunchScheduleIsAskedAtMostEveryTwentyMinutes)
{
    const QUrl schedule = SourceAddresses::defaults().launches;
    world.http.serve(
        schedule,
        R"({"count": 1, "results": [{"id": "L1", "name": "Flight 12", "net": "2026-12-08T23:30:00Z",
            "status": {"abbrev": "Go"}}]})");
    const auto asked = [&] {
        world.settle();
        return std::count(world.http.requested().begin(), world.http.requested().end(), schedule);
    };
    EXPECT_EQ(asked(), 1);
    world.loop.advance(1199);
    EXPECT_EQ(asked(), 1) << "checks at 5, 10 and 15 minutes report the last answer";
    EXPECT_TRUE(generated().value(1).startsWith("Flight 12 ")) << generated().join('|');
    world.loop.advance(1);
    EXPECT_EQ(asked(), 2);
    world.loop.advance(600);
    EXPECT_EQ(asked(), 2);
    world.start();
    EXPECT_EQ(asked(), 2) << "a restart within 20 minutes reads the cache";
    EXPECT_TRUE(generated().value(1).startsWith("Flight 12 ")) << generated().join('|');

    world.http.serve(schedule, R"({"detail": "Request was throttled."})",
                     HttpError {"", 429, {}, false, false, 3600.0});
    world.loop.advance(600);
    EXPECT_EQ(asked(), 3);
    EXPECT_TRUE(
        generated().value(1).contains(": the server refused the request (429); shown as read at "))
        << generated().join('|');
    world.loop.advance(3599);
    EXPECT_EQ(asked(), 3) << "Retry-After: an hour";
    world.loop.advance(1);
    EXPECT_EQ(asked(), 4);
}

} // namespace
