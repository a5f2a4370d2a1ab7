#include "menu/menutitles.h"
#include "platform/rowview.h"
#include "scrapers/scrapersroot.h"
#include "sources/msib/msib.h"

#include "icuscope.h"
#include "qtprinters.h"
#include "recordingdelegate.h"
#include "world.h"

#include <gtest/gtest.h>

namespace {

const QString rocket = MenuTitles::normal();
const QString changed = MenuTitles::changed();
const QString failed = MenuTitles::error();

FAANotam notam(const QString &name, double date)
{
    return FAANotam {"id-" + name,
                     "BROWNSVILLE, TX, " + name,
                     {date},
                     "https://tfr.faa.gov/tfr2/save_pages/" + name + ".html",
                     std::nullopt};
}

CameronCountyRecord closure(const QString &day)
{
    return {"Primary Date", day, "8:00 am to 5:00 pm", "Closure Scheduled"};
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
    void faa(QList<FAANotam> notams)
    {
        controller().faaDetails(std::move(notams));
        world.loop.drain();
    }
    void county(QList<CameronCountyRecord> records)
    {
        controller().cameronDetails(std::move(records));
        world.loop.drain();
    }
    void openAndClose()
    {
        world.menu().willOpen();
        world.menu().didClose();
    }
    // The plain titles of the generated part of the menu.
    QStringList generated()
    {
        QStringList titles;
        const auto &items = world.menu().items();
        const int count
            = world.menu().numberOfItems() - controller().statusMenuNumberOfDefaultItems();
        for (int i = 0; i < count; ++i)
            titles << (items[size_t(i)]->isSeparator() ? "---" : items[size_t(i)]->title());
        return titles;
    }
    MenuItem::Ptr entry(const QString &title)
    {
        for (const auto &item : world.menu().items()) {
            if (item->title() == title)
                return item;
        }
        return nullptr;
    }

    IcuScope scope {"America/Chicago", "en_US"};
    World world;
    const QList<FAANotam> one {notam("a", 1.8e9)};
    const QList<FAANotam> two {notam("a", 1.8e9), notam("b", 1.9e9)};
};

TEST_F(ControllerTest, AwakeShowsTheRocketAndColoursTheSectionTitles)
{
    EXPECT_EQ(title(), rocket);
    EXPECT_EQ(controller().statusMenuNumberOfDefaultItems(), 13);
    EXPECT_TRUE(generated().isEmpty()) << "no report has rebuilt the menu yet";
    EXPECT_EQ(controller().faaNotamInfoTitleMenuItem()->attributes(),
              (TextAttributes {Font::MenuBar, Color::SecondaryLabel}));
    EXPECT_EQ(controller().faaNotamInfoTitleMenuItem()->title(),
              QString::fromUtf8("\u2708\ufe0f Flight Restrictions"));
    EXPECT_EQ(controller().msibMenuItem()->title(),
              QString::fromUtf8("\U0001F6F3 Maritime Safety Bulletin (Latest Only)"));
}

// The status title and the section marks, step by step. Events: "faa N", "county N", "city N",
// "warnings N" deliver a list of N entries (1 and 2 differ); "fail SOURCE" reports a failure;
// "close" opens and closes the menu. Marks: C road closures, F flight restrictions, M maritime.
struct TitleStep
{
    const char *event;
    const char *title;
    const char *marks;
};

struct TitleCase
{
    const char *name;
    std::vector<TitleStep> steps;
};

class TitleTransitions : public ControllerTest, public ::testing::WithParamInterface<TitleCase>
{
};

TEST_P(TitleTransitions, Follow)
{
    const QList<RowRecord> rows[] {{},
                                   {{"Beach Primary", "July 8"}},
                                   {{"Beach Primary", "July 8"}, {"Beach Backup", "July 9"}}};
    for (const TitleStep &step : GetParam().steps) {
        const QStringList event = QString(step.event).split(' ');
        const int n = event.value(1).toInt();
        if (event[0] == "faa")
            faa(n == 0 ? QList<FAANotam> {} : n == 1 ? one : two);
        else if (event[0] == "county")
            county(QList<CameronCountyRecord>(n, closure(QString::number(n))));
        else if (event[0] == "city")
            controller().starbaseDetails(rows[n]);
        else if (event[0] == "warnings")
            controller().navigationalWarnings(rows[n]);
        else if (event[0] == "fail")
            controller().error(WebErrors::loadFailed,
                               event[1] == "faa"          ? Source::faa
                                   : event[1] == "county" ? Source::county
                                                          : Source::navwarn);
        else if (event[0] == "close")
            openAndClose();
        world.loop.drain();
        QString marks;
        for (const auto &[mark, item] : {std::pair {'C', controller().cameronCountyTitleMenuItem()},
                                         std::pair {'F', controller().faaNotamInfoTitleMenuItem()},
                                         std::pair {'M', controller().msibMenuItem()}}) {
            EXPECT_LE(item->title().count(QString::fromUtf8(" \u2713")), 1) << step.event;
            if (item->title().endsWith(QString::fromUtf8(" \u2713")))
                marks += mark;
        }
        EXPECT_EQ(title(), QString::fromUtf8(step.title)) << step.event;
        EXPECT_EQ(marks, step.marks) << step.event;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controller, TitleTransitions,
    ::testing::Values(
        TitleCase {"TheFirstListIsNotNewsALaterChangeIs",
                   {{"faa 1", "\U0001F680", ""},
                    {"faa 1", "\U0001F680", ""},
                    {"faa 2", "\U0001F680\u2713", "F"},
                    {"faa 1", "\U0001F680\u2713", "F"},
                    {"faa 0", "\U0001F680\u2713", "F"},
                    {"close", "\U0001F680", ""}}},
        TitleCase {"NoticesAfterAnEmptyListAreNews",
                   {{"county 0", "\U0001F680", ""}, {"county 1", "\U0001F680\u2713", "C"}}},
        TitleCase {"AFailureStandsThroughAnotherSourcesSuccess",
                   {{"fail faa", "\U0001F680\U0001F44E", ""},
                    {"county 1", "\U0001F680\U0001F44E", ""},
                    {"county 2", "\U0001F680\U0001F44E", "C"},
                    {"close", "\U0001F680\U0001F44E", ""},
                    {"faa 1", "\U0001F680", ""}}},
        TitleCase {"ClosingTheMenuRemovesEveryMark",
                   {{"faa 1", "\U0001F680", ""},
                    {"faa 2", "\U0001F680\u2713", "F"},
                    {"county 1", "\U0001F680\u2713", "F"},
                    {"county 2", "\U0001F680\u2713", "CF"},
                    {"close", "\U0001F680", ""}}},
        TitleCase {"TheCityMarksTheRoadClosures",
                   {{"city 1", "\U0001F680", ""}, {"city 2", "\U0001F680\u2713", "C"}}},
        TitleCase {"WarningsMarkTheMaritimeSection",
                   {{"warnings 2", "\U0001F680", ""},
                    {"fail warnings", "\U0001F680\U0001F44E", ""},
                    {"warnings 1", "\U0001F680\u2713", "M"},
                    {"close", "\U0001F680", ""}}}),
    [](const auto &info) { return std::string(info.param.name); });

// The tooltip tells when the next closure comes, at 2026-12-05 11:46 in Chicago.
TEST_F(ControllerTest, TheTooltipTellsTheNextWindow)
{
    const struct
    {
        const char *day;
        const char *hours;
        const char *line; // after the title; none when empty
    } rows[] = {
        {"Saturday, December 5, 2026", "8:00 a.m. to 5:00 p.m.",
         "🚗 Next closure: now, until Dec 5, 2026, 5:00\u202fPM"},
        {"Saturday, December 5, 2026", "6:00 p.m. to 9:00 p.m.",
         "🚗 Next closure: Dec 5, 2026, 6:00\u202fPM (in 6 h)"},
        {"Tuesday, December 8, 2026", "8:00 a.m. to 5:00 p.m.",
         "🚗 Next closure: Dec 8, 2026, 8:00\u202fAM (in 2 d)"},
        {"Friday, December 4, 2026", "8:00 a.m. to 5:00 p.m.", ""},
    };
    for (const auto &row : rows) {
        county({{"Primary Date", row.day, row.hours, "Closure Scheduled"}});
        const QString expected = QString::fromUtf8(row.line);
        EXPECT_EQ(controller().statusBar().toolTip(),
                  expected.isEmpty() ? title() : title() + "\n" + expected)
            << row.day << " " << row.hours;
    }
}

TEST_F(ControllerTest, TheSameListAgainRebuildsOnlyForOtherDetails)
{
    faa(one);
    EXPECT_EQ(controller().faaNotamInfo(), one);
    EXPECT_EQ(generated().size(), 10);
    const MenuItem::Ptr shown = world.menu().itemAt(4);
    QList<FAANotam> again = one;
    again[0].id = "another parse";
    faa(again);
    EXPECT_EQ(world.menu().itemAt(4), shown) << "no rebuild";
    again[0].details = ParseResults {"Altitude: 5 feet"};
    faa(again);
    EXPECT_TRUE(world.menu().itemAt(4)->title().endsWith(" 5 feet")) << "a late altitude shows";
    EXPECT_EQ(title(), rocket) << "without news";
}

TEST_F(ControllerTest, EveryBulletinReportRebuildsTheMenu)
{
    controller().msib(false, "");
    world.loop.drain();
    const MenuItem::Ptr before = world.menu().itemAt(7);
    controller().msib(false, "");
    world.loop.drain();
    EXPECT_NE(world.menu().itemAt(7), before);
    EXPECT_EQ(world.menu().itemAt(7)->title(), "     None");
}

TEST_F(ControllerTest, TheMenuLayoutWithBothListsEmpty)
{
    controller().msib(false, "");
    world.loop.drain();
    EXPECT_EQ(generated(),
              (QStringList {"🚗 Road Closures", "    None", "---",
                            QString::fromUtf8("\u2708\ufe0f Flight Restrictions"), "    None",
                            "---", "🛳 Maritime Safety Bulletin (Latest Only)", "     None",
                            "---", controller().lastChangedMenuItem()->title()}));
    EXPECT_NE(world.menu().itemAt(1), world.menu().itemAt(4)) << "two distinct None entries";
    EXPECT_TRUE(controller().lastChangedMenuItem()->title().startsWith("Last Checked: "));
    EXPECT_EQ(world.menu().itemAt(10)->title(), "Refresh Every 5 Minutes");
    EXPECT_EQ(world.menu().items().back()->title(), "Quit Plumetrack");
}

TEST_F(ControllerTest, FaaNoticesShowLastFirstAndCountyRowsInOrder)
{
    IcuScope utc("UTC", "en_US");
    world.clock.set(1.7e9);
    county({closure("Monday"), closure("Tuesday")});
    faa({notam("N1", 1.8e9), notam("N2", 1.8e9), notam("N3", 1.8e9)});
    world.webView().finish();
    world.loop.advance(15);
    world.webView().answerScripts(QVariant("<html>\n<li>SpaceX Hazard Area</li>\n</html>"));
    world.loop.drain();

    const QStringList titles = generated();
    ASSERT_EQ(titles.size(), 13);
    EXPECT_TRUE(titles[1].startsWith("Primary: Monday"));
    EXPECT_TRUE(titles[2].startsWith("Primary: Tuesday"));
    EXPECT_EQ(titles[5].trimmed(), "N3");
    EXPECT_EQ(titles[7].trimmed(), "N1");
    EXPECT_EQ(titles[10], "     SpaceX Hazard Area");
    EXPECT_EQ(world.menu().itemAt(5)->action(), "openFAAAction:");
    EXPECT_EQ(world.menu().itemAt(1)->action(), "openCameronCountyAction:");
    EXPECT_EQ(world.menu().itemAt(10)->action(), "openMSIB:");

    // The source pages open from titles and entries alike.
    world.menu().itemAt(5)->perform();
    world.menu().itemAt(1)->perform();
    world.menu().itemAt(10)->perform();
    EXPECT_EQ(
        world.browser.opened(),
        (std::vector<QUrl> {QUrl("https://tfr.faa.gov/tfr3/?page=list"),
                            SourceAddresses::defaults().county, SourceAddresses::defaults().msib}));
}

TEST_F(ControllerTest, ABuildTwiceLeavesTheSameMenuAndTheDefaultsUntouched)
{
    faa(two);
    county({closure("a")});
    const auto defaults
        = std::vector<MenuItem::Ptr>(world.menu().items().end() - 13, world.menu().items().end());
    EXPECT_EQ(world.menu().numberOfItems(), 13 + 11) << "1+1+1+1+2+1+1+1+1+1 generated";
    const QStringList first = generated();
    controller().msib(false, "");
    controller().msib(false, "");
    world.loop.drain();
    EXPECT_EQ(generated(), first);
    EXPECT_EQ(
        std::vector<MenuItem::Ptr>(world.menu().items().end() - 13, world.menu().items().end()),
        defaults);
}

TEST_F(ControllerTest, OpeningTheMenuSetsTheCheckMarksFromTheSettings)
{
    world.settings.setValue(600, "UpdateTimeSeconds");
    world.settings.setValue(false, "UseMirror");
    world.menu().willOpen();
    for (const auto &item : world.menu().items()) {
        if (item->tag() > 0) {
            EXPECT_EQ(item->state(), item->tag() == 600 ? MenuItem::On : MenuItem::Off)
                << item->title().toStdString();
        }
    }
    EXPECT_EQ(entry("Use Data Mirror")->state(), MenuItem::Off);
    world.settings.setValue(true, "UseMirror");
    world.menu().willOpen();
    EXPECT_EQ(entry("Use Data Mirror")->state(), MenuItem::On);
}

TEST_F(ControllerTest, ChoosingAnIntervalStoresItAndRestartsTheChecks)
{
    const std::weak_ptr<ScrapersRoot> old = controller().parser();
    const size_t requestsBefore = world.http.requested().size();
    entry("Refresh Every 5 Minutes")->perform();
    EXPECT_EQ(world.settings.integerForKey("UpdateTimeSeconds"), 300);
    EXPECT_TRUE(old.expired()) << "the old root is released";
    EXPECT_EQ(controller().parser()->period(), 300.0);
    EXPECT_EQ(world.http.requested().size(), requestsBefore + 4) << "an immediate check";

    const size_t afterSwitch = world.http.requested().size();
    world.loop.advance(299);
    EXPECT_EQ(world.http.requested().size(), afterSwitch);
    world.loop.advance(1);
    EXPECT_EQ(world.http.requested().size(), afterSwitch + 4);
    world.loop.advance(1200);
    EXPECT_EQ(world.http.requested().size(), afterSwitch + 20) << "the old timer never fires";

    auto noTag = MenuItem::create("x", "changeUpdateTime:");
    noTag->setTarget(&controller());
    noTag->perform();
    EXPECT_EQ(world.settings.integerForKey("UpdateTimeSeconds"), 300);
}

TEST_F(ControllerTest, TogglingTheMirrorStoresTheInverseAndChecksTheOtherWay)
{
    EXPECT_TRUE(world.settings.boolForKey("UseMirror")) << "registered at launch";
    EXPECT_EQ(world.http.requested()[0], SourceAddresses::defaults().mirror)
        << "the very first check uses the mirror already";
    entry("Use Data Mirror")->perform();
    EXPECT_FALSE(world.settings.boolForKey("UseMirror"));
    EXPECT_EQ(world.http.requested()[world.http.requested().size() - 4],
              SourceAddresses::defaults().faaList);
    world.menu().willOpen();
    EXPECT_EQ(entry("Use Data Mirror")->state(), MenuItem::Off);
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

// ---- the check cycle --------------------------------------------------------------------------

TEST(CheckCycle, OneCheckAtOnceThenOnePerPeriodFollowingTheMirrorSetting)
{
    World world;
    world.settings.setValue(600, "UpdateTimeSeconds");
    world.start();
    const QUrl mirror = SourceAddresses::defaults().mirror;
    const QUrl live = SourceAddresses::defaults().faaList;
    const QUrl county = SourceAddresses::defaults().county;
    const QUrl city("https://www.starbase.texas.gov/beach-road-access");
    const QUrl warnings("https://msi.nga.mil/api/publications/"
                        "broadcast-warn?navArea=4&status=active&output=json");
    EXPECT_EQ(world.http.requested(), (std::vector<QUrl> {mirror, county, city, warnings}));
    EXPECT_EQ(world.webView().loads().size(), 1u);
    EXPECT_TRUE(world.controller().lastChangedMenuItem()->title().startsWith("Last Checked: "));

    world.loop.advance(599);
    EXPECT_EQ(world.http.requested().size(), 4u);
    world.settings.setValue(false, "UseMirror");
    world.loop.advance(1);
    EXPECT_EQ(world.http.requested(),
              (std::vector<QUrl> {mirror, county, city, warnings, live, county, city, warnings}));
    world.loop.advance(600);
    EXPECT_EQ(world.http.requested().size(), 12u);
    EXPECT_EQ(world.webView().loads().size(), 3u);
}

TEST(CheckCycle, APeriodBelowOneSecondIsTheDefault)
{
    for (const int stored : {0, -5}) {
        World world;
        world.start();
        world.settings.setValue(stored, "UpdateTimeSeconds");
        EXPECT_EQ(ScrapersRoot::create(nullptr, world.environment(), world.settings)->period(),
                  1200.0);
    }
}

TEST(CheckCycle, LastCheckedComesAfterEveryScraperStarted)
{
    World world;
    world.start();
    RecordingDelegate recorder;
    const auto root = ScrapersRoot::create(&recorder, world.environment(), world.settings);
    EXPECT_EQ(recorder.events(), QStringList {"updateLastChecked"});
    EXPECT_EQ(world.http.requested().size(), 8u);
}

} // namespace
