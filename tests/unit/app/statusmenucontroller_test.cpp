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
    void fail()
    {
        controller().error(WebErrors::loadFailed);
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
    EXPECT_EQ(controller().statusMenuNumberOfDefaultItems(), 11);
    EXPECT_TRUE(generated().isEmpty()) << "no report has rebuilt the menu yet";
    EXPECT_EQ(controller().faaNotamInfoTitleMenuItem()->attributes(),
              (TextAttributes {Font::MenuBar, Color::SecondaryLabel}));
    EXPECT_EQ(controller().faaNotamInfoTitleMenuItem()->title(),
              QString::fromUtf8("\u2708\ufe0f Flight Restrictions"));
    EXPECT_EQ(controller().msibMenuItem()->title(),
              QString::fromUtf8("\U0001F6F3 Maritime Safety Bulletin (Latest Only)"));
}

TEST_F(ControllerTest, TheFirstFaaListIsShownWithoutSignal)
{
    faa(one);
    EXPECT_EQ(controller().faaNotamInfo(), one);
    EXPECT_EQ(title(), rocket);
    EXPECT_FALSE(controller().faaNotamInfoTitleMenuItem()->title().endsWith(" ✓"));
    EXPECT_EQ(generated().size(), 10);
}

TEST_F(ControllerTest, TheSameListAgainChangesNothing)
{
    faa(one);
    const MenuItem::Ptr shown = world.menu().itemAt(4);
    QList<FAANotam> again = one;
    again[0].id = "another parse";
    again[0].details = ParseResults {"Altitude: 5 feet"};
    faa(again);
    EXPECT_EQ(world.menu().itemAt(4), shown) << "no rebuild";
    EXPECT_EQ(title(), rocket);
}

TEST_F(ControllerTest, AChangedListAfterAShownOneSignalsWithASingleMark)
{
    faa(one);
    faa(two);
    EXPECT_EQ(title(), changed);
    EXPECT_EQ(controller().faaNotamInfoTitleMenuItem()->title(),
              QString::fromUtf8("\u2708\ufe0f Flight Restrictions ✓"));
    faa(one);
    EXPECT_EQ(controller().faaNotamInfoTitleMenuItem()->title().count("✓"), 1);
    faa({});
    EXPECT_EQ(title(), changed) << "a non-empty list followed by an empty one is a change";
    EXPECT_TRUE(generated().contains("    None"));

    openAndClose();
    EXPECT_EQ(title(), rocket);
    EXPECT_EQ(controller().faaNotamInfoTitleMenuItem()->title(),
              QString::fromUtf8("\u2708\ufe0f Flight Restrictions"));
    EXPECT_TRUE(controller().faaNotamInfoTitleMenuItem()->attributes())
        << "the colour stays through marking";

    faa(one);
    EXPECT_EQ(title(), rocket) << "an empty list followed by a non-empty one gives no signal";
}

TEST_F(ControllerTest, ACountyReportSetsTheRestingTitleFirst)
{
    county({closure("a")});
    fail();
    EXPECT_EQ(title(), failed);
    county({closure("a")});
    EXPECT_EQ(title(), rocket) << "an unchanged county list clears a failure";

    faa(one);
    faa(two);
    EXPECT_EQ(title(), changed);
    county({closure("a")});
    EXPECT_EQ(title(), rocket) << "and an FAA change";
    EXPECT_TRUE(controller().faaNotamInfoTitleMenuItem()->title().endsWith(" ✓"))
        << "whose mark stays until the next close with the changed title";

    county({closure("a"), closure("b")});
    EXPECT_EQ(title(), changed);
    EXPECT_TRUE(controller().cameronCountyTitleMenuItem()->title().endsWith(" ✓"));
}

TEST_F(ControllerTest, AFailureIsNotClearedByClosingTheMenu)
{
    faa(one);
    faa(two);
    fail();
    openAndClose();
    EXPECT_EQ(title(), failed);
    EXPECT_TRUE(controller().faaNotamInfoTitleMenuItem()->title().endsWith(" ✓"));
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
    EXPECT_EQ(titles[10], "     <li>SpaceX Hazard Area</li>");
    EXPECT_EQ(world.menu().itemAt(5)->action(), "openFAAAction:");
    EXPECT_EQ(world.menu().itemAt(1)->action(), "openCameronCountyAction:");
    EXPECT_EQ(world.menu().itemAt(10)->action(), "openMSIB:");

    // The source pages open from titles and entries alike.
    world.menu().itemAt(5)->perform();
    world.menu().itemAt(1)->perform();
    world.menu().itemAt(10)->perform();
    EXPECT_EQ(
        world.browser.opened(),
        (std::vector<QUrl> {SourceAddresses::defaults().faaList, SourceAddresses::defaults().county,
                            SourceAddresses::defaults().msib}));
}

TEST_F(ControllerTest, ABuildTwiceLeavesTheSameMenuAndTheDefaultsUntouched)
{
    faa(two);
    county({closure("a")});
    const auto defaults
        = std::vector<MenuItem::Ptr>(world.menu().items().end() - 11, world.menu().items().end());
    EXPECT_EQ(world.menu().numberOfItems(), 11 + 11) << "1+1+1+1+2+1+1+1+1+1 generated";
    const QStringList first = generated();
    controller().msib(false, "");
    controller().msib(false, "");
    world.loop.drain();
    EXPECT_EQ(generated(), first);
    EXPECT_EQ(
        std::vector<MenuItem::Ptr>(world.menu().items().end() - 11, world.menu().items().end()),
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
    EXPECT_EQ(world.http.requested().size(), requestsBefore + 2) << "an immediate check";

    const size_t afterSwitch = world.http.requested().size();
    world.loop.advance(299);
    EXPECT_EQ(world.http.requested().size(), afterSwitch);
    world.loop.advance(1);
    EXPECT_EQ(world.http.requested().size(), afterSwitch + 2);
    world.loop.advance(1200);
    EXPECT_EQ(world.http.requested().size(), afterSwitch + 10) << "the old timer never fires";

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
    EXPECT_EQ(world.http.requested()[world.http.requested().size() - 2],
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
    EXPECT_EQ(world.http.requested(), (std::vector<QUrl> {mirror, county}));
    EXPECT_EQ(world.webView().loads().size(), 1u);
    EXPECT_TRUE(world.controller().lastChangedMenuItem()->title().startsWith("Last Checked: "));

    world.loop.advance(599);
    EXPECT_EQ(world.http.requested().size(), 2u);
    world.settings.setValue(false, "UseMirror");
    world.loop.advance(1);
    EXPECT_EQ(world.http.requested(), (std::vector<QUrl> {mirror, county, live, county}));
    world.loop.advance(600);
    EXPECT_EQ(world.http.requested().size(), 6u);
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

TEST(CheckCycle, LastCheckedComesAfterTheThreeScrapersStarted)
{
    World world;
    world.start();
    RecordingDelegate recorder;
    const auto root = ScrapersRoot::create(&recorder, world.environment(), world.settings);
    EXPECT_EQ(recorder.events(), QStringList {"updateLastChecked"});
    EXPECT_EQ(world.http.requested().size(), 4u);
}

} // namespace
