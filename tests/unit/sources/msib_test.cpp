#include "sources/msib/msib.h"
#include "sources/navwarn/navigationalwarnings.h"

#include "fakecaches.h"
#include "fakeclock.h"
#include "fakehttpclient.h"
#include "fakerunloop.h"
#include "fakewebview.h"
#include "qtprinters.h"
#include "recordingdelegate.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using Report = std::pair<bool, QString>;

const QString page = "<html><head></head><body>\n"
                     "  <td>Bulletin: SpaceX Hazard Area</td>\n"
                     "<td>SpaceX Hazard Area again</td>\n</body></html>";

class MSIBTest : public ::testing::Test
{
protected:
    MSIBTest()
    {
        watcher
            = std::make_shared<MSIB>(ScraperEnvironment {http,
                                                         loop,
                                                         clock,
                                                         caches,
                                                         [this] {
                                                             auto view
                                                                 = std::make_unique<FakeWebView>();
                                                             webView = view.get();
                                                             return view;
                                                         },
                                                         SourceAddresses::defaults(),
                                                         {}});
        watcher->setDelegate(&delegate);
    }

    FakeClock clock {1'700'000'000.0};
    FakeRunLoop loop {clock};
    FakeHttpClient http;
    FakeCaches caches;
    RecordingDelegate delegate;
    FakeWebView *webView = nullptr;
    ScraperEnvironment environment {http,
                                    loop,
                                    clock,
                                    caches,
                                    [this] {
                                        auto view = std::make_unique<FakeWebView>();
                                        webView = view.get();
                                        return view;
                                    },
                                    SourceAddresses::defaults(),
                                    {}};
    std::shared_ptr<MSIB> watcher;
};

TEST_F(MSIBTest, AFinishedLoadIsReadFourTimesAndThenNoMore)
{
    watcher->check();
    ASSERT_EQ(webView->loads().size(), 1u);
    EXPECT_EQ(webView->loads()[0], QUrl("https://www.navcen.uscg.gov/msib-national"));
    webView->finish();
    std::vector<double> reads;
    for (int second = 1; second <= 120; ++second) {
        loop.advance(1);
        if (webView->pendingScripts() > 0) {
            reads.push_back(clock.now() - 1'700'000'000.0);
            webView->answerScripts(QVariant(page));
        }
    }
    EXPECT_EQ(reads, (std::vector<double> {15, 30, 45, 60}));
    EXPECT_EQ(webView->scripts().first(), "document.documentElement.outerHTML.toString()");
    EXPECT_EQ(loop.activeTimers(), 0u);
    EXPECT_EQ(delegate.count("msib"), 8) << "each read resets and reports twice";
}

TEST_F(MSIBTest, OneReadReportsResetThenTheLineOfTheFirstMarker)
{
    watcher->parse(page);
    EXPECT_EQ(delegate.bulletins(),
              (std::vector<Report> {{false, ""},
                                    {true, "<td>Bulletin: SpaceX Hazard Area</td> (Latest)"}}));
    EXPECT_TRUE(watcher->spaceXHazardAreaMentioned());
    EXPECT_EQ(watcher->documentTitle(), "<td>Bulletin: SpaceX Hazard Area</td>");
    const auto items = watcher->menuItems(nullptr, "openMSIB:");
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->title(), "     Bulletin: SpaceX Hazard Area");
    EXPECT_EQ(items[0]->action(), "openMSIB:");

    // The entry shows the line without its markup; the report keeps it as written.
    watcher->parse("<table>\n     <tr><td>12/05/2026</td><td><a href=\"/msib/26-120\">MSIB 26-120: "
                   "SpaceX Hazard Area \u2013 Starship Flight Test &amp; Booster "
                   "Return</a></td></tr>\n</table>");
    EXPECT_EQ(watcher->menuItems(nullptr, "openMSIB:")[0]->title(),
              QString::fromUtf8("     12/05/2026 MSIB 26-120: SpaceX Hazard Area \u2013 Starship "
                                "Flight Test & Booster Return"));
}

TEST_F(MSIBTest, AMarkerThatIsMissingOrOnTheFirstOrLastLineIsNotMentioned)
{
    for (const char *text :
         {"", "<html>spacex hazard area\n</html>\n", "SpaceX Hazard Area first\nsecond\n",
          "first\nSpaceX Hazard Area last"}) {
        watcher->parse(page); // an earlier find is forgotten
        watcher->parse(QString::fromLatin1(text));
        EXPECT_FALSE(watcher->spaceXHazardAreaMentioned()) << text;
        EXPECT_EQ(watcher->documentTitle(), "");
        EXPECT_EQ(delegate.bulletins().back(), (Report {false, ""})) << text;
        const auto items = watcher->menuItems(nullptr, "openMSIB:");
        EXPECT_EQ(items[0]->title(), "     None");
        EXPECT_FALSE(items[0]->isEnabled());
    }
}

TEST_F(MSIBTest, AFailedLoadReportsNothingFoundButKeepsTheLastFind)
{
    watcher->parse(page);
    watcher->check();
    webView->fail();
    EXPECT_EQ(delegate.bulletins().back(), (Report {false, ""}));
    EXPECT_TRUE(watcher->spaceXHazardAreaMentioned());
    EXPECT_EQ(watcher->menuItems(nullptr, "openMSIB:")[0]->title(),
              "     Bulletin: SpaceX Hazard Area");
    loop.advance(100);
    EXPECT_EQ(webView->pendingScripts(), 0u) << "no polling after a failed load";
}

TEST_F(MSIBTest, AScriptResultThatIsNoTextIsIgnored)
{
    watcher->check();
    webView->finish();
    loop.advance(15);
    webView->answerScripts(QVariant(42));
    loop.advance(15);
    webView->answerScripts(std::nullopt, QString("ReferenceError"));
    EXPECT_EQ(delegate.count("msib"), 0);
}

TEST_F(MSIBTest, ASecondLoadTakesThePlaceOfTheFirstPolling)
{
    watcher->check();
    webView->finish();
    loop.advance(20);
    webView->answerScripts(QVariant(QString()));
    watcher->check();
    webView->finish();
    EXPECT_EQ(loop.activeTimers(), 1u);
    int reads = 0;
    for (int second = 0; second < 200; ++second) {
        loop.advance(1);
        reads += int(webView->pendingScripts());
        webView->answerScripts(QVariant(QString()));
    }
    EXPECT_EQ(reads, 4);
}

TEST_F(MSIBTest, AWatcherThatGoesAwayStopsPolling)
{
    watcher->check();
    webView->finish();
    watcher.reset();
    EXPECT_EQ(loop.activeTimers(), 0u);
    loop.advance(100);
    EXPECT_EQ(delegate.count("msib"), 0);
}

TEST_F(MSIBTest, ReadOnceReadsAsSoonAsTheLoadFinishes)
{
    std::vector<std::pair<Source, bool>> answers;
    environment.answered
        = [&](Source source, bool content) { answers.emplace_back(source, content); };
    ScraperEnvironment once = environment;
    once.readBulletinOnce = true;
    watcher = std::make_shared<MSIB>(once);
    watcher->setDelegate(&delegate);
    watcher->check();
    webView->finish();
    EXPECT_EQ(webView->pendingScripts(), 1u);
    EXPECT_EQ(loop.activeTimers(), 0u);
    webView->answerScripts(QVariant(page));
    watcher->check();
    webView->failBeforeContent();
    EXPECT_EQ(answers,
              (std::vector<std::pair<Source, bool>> {{Source::bulletin, true},
                                                     {Source::bulletin, false}}));
    EXPECT_EQ(delegate.count("msib"), 2) << "a load that never arrived is not reported";
}

// ---- the navigational warnings ------------------------------------------------------------------

TEST(NavigationalWarnings, TheRealFeedKeepsTheOneLaunchFromBocaChica)
{
    QFile file(PLUMETRACK_FIXTURES "/navwarn/broadcast-warn-2023-04.json");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto rows = NavigationalWarnings::parse(file.readAll());
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1);
    EXPECT_EQ(rows->at(0).left, "NAVAREA IV 387/23");
    EXPECT_EQ(rows->at(0).right,
              "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 1025Z TO 1610Z DAILY 17 THRU 21 APR");
    const auto item = rows->at(0).menuItems(nullptr, "openNavigationalWarningsAction:")[0];
    EXPECT_EQ(item->title(),
              QString("NAVAREA IV 387/23").leftJustified(40) + " " + rows->at(0).right);
}

struct WarningCase
{
    const char *name;
    const char *json;
    std::vector<std::pair<const char *, const char *>> rows; // left, right
    bool readable = true;
};

class WarningQuirks : public ::testing::TestWithParam<WarningCase>
{
};

TEST_P(WarningQuirks, Parse)
{
    const auto rows = NavigationalWarnings::parse(GetParam().json);
    ASSERT_EQ(bool(rows), GetParam().readable);
    if (!rows)
        return;
    ASSERT_EQ(size_t(rows->size()), GetParam().rows.size());
    for (size_t i = 0; i < GetParam().rows.size(); ++i) {
        EXPECT_EQ(rows->at(qsizetype(i)).left, QString::fromUtf8(GetParam().rows[i].first));
        EXPECT_EQ(rows->at(qsizetype(i)).right, QString::fromUtf8(GetParam().rows[i].second));
    }
}

#define WARNING(area, number, year, text)                                                          \
    "{\"msgYear\": " year ", \"msgNumber\": " number ", \"navArea\": " area ", \"text\": " text    \
    ", \"status\": \"A\"}"
#define LAUNCH_NEAR_PAD                                                                            \
    "\"GULF OF AMERICA.\\n1. HAZARDOUS OPERATIONS, ROCKET LAUNCHING\\n   232245Z TO 240056Z JUL, " \
    "ALTERNATE\\n   A. 25-58.00N 097-13.00W, 26-02.00N 097-13.00W.\\n\""

INSTANTIATE_TEST_SUITE_P(
    Feed, WarningQuirks,
    ::testing::Values(
        WarningCase {
            "NewestFirstWithoutAPlaceName",
            "{\"broadcast-warn\": [" WARNING("\"4\"", "704", "2026", LAUNCH_NEAR_PAD) ", " WARNING(
                "\"4\"", "12", "2027", LAUNCH_NEAR_PAD) "]}",
            {{"NAVAREA IV 12/27",
              "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 232245Z TO 240056Z JUL, ALTERNATE"},
             {"NAVAREA IV 704/26",
              "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 232245Z TO 240056Z JUL, ALTERNATE"}}},
        WarningCase {"SecondsAndANumberWrittenAsAString",
                     "{\"broadcast-warn\": [" WARNING(
                         "\"4\"", "\"705\"", "\"2026\"",
                         "\"TEXAS.\\nHAZARDOUS OPERATIONS, SPACE DEBRIS IN AREA 25-59-49N "
                         "097-09-22W.\"") "]}",
                     {{"NAVAREA IV 705/26",
                       "HAZARDOUS OPERATIONS, SPACE DEBRIS IN AREA 25-59-49N 097-09-22W."}}},
        WarningCase {
            "HydrolantAndAnyOtherArea",
            "{\"broadcast-warn\": [" WARNING("\"A\"", "9", "2026", LAUNCH_NEAR_PAD) ", " WARNING(
                "\"7\"", "8", "2026", LAUNCH_NEAR_PAD) "]}",
            {{"HYDROLANT 9/26",
              "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 232245Z TO 240056Z JUL, ALTERNATE"},
             {"NAVAREA 7 8/26",
              "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 232245Z TO 240056Z JUL, ALTERNATE"}}},
        WarningCase {"ALaunchOffFloridaAndANonLaunchNearThePad",
                     R"({"broadcast-warn": [
                         {"msgYear": 2026, "msgNumber": 1, "navArea": "4",
                          "text": "1. ROCKET LAUNCHING\n IN 28-38.47N 080-37.31W."},
                         {"msgYear": 2026, "msgNumber": 2, "navArea": "4",
                          "text": "1. DREDGING\n AT 25-58.00N 097-13.00W."}]})",
                     {}},
        WarningCase {
            "ElementsThatCannotBeRead",
            "{\"broadcast-warn\": [5, null, " WARNING("\"4\"", "3", "2026", "17") ", " WARNING(
                "4", "3", "2026", LAUNCH_NEAR_PAD) ", " WARNING("\"4\"", "3.5", "2026",
                                                                LAUNCH_NEAR_PAD) "]}",
            {}},
        WarningCase {"PositionsAt29And31NauticalMiles",
                     R"({"broadcast-warn": [
                         {"msgYear": 2026, "msgNumber": 1, "navArea": "4",
                          "text": "ROCKET LAUNCHING AT 26-28.78N 097-09.26W"},
                         {"msgYear": 2026, "msgNumber": 2, "navArea": "4",
                          "text": "ROCKET LAUNCHING AT 26-30.78N 097-09.26W"}]})",
                     {{"NAVAREA IV 1/26", "ROCKET LAUNCHING AT 26-28.78N 097-09.26W"}}},
        WarningCase {"AnHtmlBody", "<html><body>Access denied</body></html>", {}, false},
        WarningCase {"AnObjectWithoutTheArray", "{\"broadcast-warn\": {}}", {}, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
