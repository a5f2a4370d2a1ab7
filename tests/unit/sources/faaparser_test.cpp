#include "sources/faa/faaparser.h"

#include "demoworld.h"
#include "faapages.h"
#include "fakecaches.h"
#include "fakeclock.h"
#include "fakehttpclient.h"
#include "fakerunloop.h"
#include "icuscope.h"
#include "qtprinters.h"
#include "recordingdelegate.h"

#include <QDateTime>
#include <QSet>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

using demo::makeZip;
using demo::ZipEntry;

double at(const char *iso, const QTimeZone &zone = QTimeZone("America/Chicago"))
{
    QDateTime time = QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
    time.setTimeZone(zone);
    return double(time.toSecsSinceEpoch());
}

const QString root = "https://tfr.faa.gov/tfr2/";
const QUrl listUrl = SourceAddresses::defaults().faaList;

QString detailPage(const QString &altitude)
{
    return "<html><body>\r\n<table>\r\n<tr><td>Altitude: " + altitude
        + "</td></tr>\r\n<tr><td>Effective Date(s):</td></tr>\r\n</table></body></html>\r\n";
}

class FAAParserTest : public ::testing::Test
{
protected:
    FAAParserTest()
    {
        scraper = std::make_shared<FAAParser>(
            ScraperEnvironment {http, loop, clock, caches, nullptr, SourceAddresses::defaults(),
                                [this](const QString &line) { diagnostics << line; }});
        scraper->setDelegate(&delegate);
    }

    // Answers every request from the served pages and runs the main thread's work, until quiet.
    void settle()
    {
        while (http.pending() > 0 || loop.pendingTasks() > 0) {
            http.respondAll();
            loop.drain();
        }
    }

    QUrl detailUrl(const QString &notam) { return QUrl(root + detailLink(notam)); }

    IcuScope scope {"America/Chicago"};
    FakeClock clock {at("2021-08-15T10:00:00")};
    FakeRunLoop loop {clock};
    FakeHttpClient http;
    FakeCaches caches;
    RecordingDelegate delegate;
    QStringList diagnostics;
    std::shared_ptr<FAAParser> scraper;
};

// ---- the list page ---------------------------------------------------------------------------

TEST_F(FAAParserTest, TheRealListKeepsOnlyCurrentBrownsvilleSpaceOperations)
{
    std::vector<FaaRow> rows = realFaaRows();
    ASSERT_GT(rows.size(), 150u);
    rows.push_back(
        {"1/1111", "SPACE OPERATIONS",
         "Brownsville, TX, Monday, August 16, 2021 through Wednesday, August 18, 2021 UTC New"});
    rows.push_back({"1/2222", "HAZARDS", "BROWNSVILLE, TX, Monday, August 16, 2021 UTC"});
    rows.push_back(
        {"1/3333", "SPACE OPERATIONS",
         "BROWNSVILLE, TX, Tuesday, August 10, 2021 through Friday, August 13, 2021 UTC"});
    rows.push_back({"1/4444", "SPACE OPERATIONS", "brownsville, tx, no date written"});

    const QList<FAANotam> notams = scraper->parseNotices(root, faaListPage(rows));
    ASSERT_EQ(notams.size(), 3);
    EXPECT_EQ(notams[0].line,
              "BROWNSVILLE, TX, Monday, August 02, 2021 through Tuesday, August 31, 2021 UTC</a>");
    EXPECT_EQ(notams[0].detailsSubPath, root + "save_pages/detail_1_9853.html");
    EXPECT_EQ(notams[0].dates,
              (QList<double> {at("2021-08-02T12:00:00", QTimeZone::utc()),
                              at("2021-08-31T12:00:00", QTimeZone::utc())}));
    EXPECT_FALSE(notams[0].details);
    EXPECT_EQ(notams[1].line,
              "Brownsville, TX, Monday, August 16, 2021 through Wednesday, "
              "August 18, 2021 UTC</a>")
        << "the \"New\" marker stands on a line of its own";
    EXPECT_TRUE(notams[2].dates.isEmpty());
    EXPECT_EQ(notams[0].id.size(), 36);

    const QList<FAANotam> upLevel = scraper->parseNotices(root, faaListPage(rows, true));
    EXPECT_EQ(upLevel[0].detailsSubPath, root + "../save_pages/detail_1_9853.html")
        << "the link is appended unresolved";
    EXPECT_NE(upLevel[0].id, notams[0].id) << "every parse makes new ids";
}

struct ListCase
{
    const char *name;
    const char *page;
    std::vector<std::pair<const char *, const char *>> expected; // line, link
};

class ListQuirks : public FAAParserTest, public ::testing::WithParamInterface<ListCase>
{
};

TEST_P(ListQuirks, Parse)
{
    const QList<FAANotam> notams = scraper->parseNotices(root, QString::fromUtf8(GetParam().page));
    ASSERT_EQ(size_t(notams.size()), GetParam().expected.size());
    for (size_t i = 0; i < GetParam().expected.size(); ++i) {
        EXPECT_EQ(notams[qsizetype(i)].line, QString::fromUtf8(GetParam().expected[i].first));
        EXPECT_EQ(notams[qsizetype(i)].detailsSubPath,
                  root + QString::fromUtf8(GetParam().expected[i].second));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Window, ListQuirks,
    ::testing::Values(
        ListCase {"TypeLineNamingBrownsvilleIsNoCandidate",
                  "<a href=\"x.html\">SPACE OPERATIONS Brownsville</a>\n",
                  {}},
        ListCase {"TypeInOtherCaseOpensNoWindow",
                  "Space Operations\n<a href=\"a.html\">BROWNSVILLE</a>\n",
                  {}},
        ListCase {"BrownsvilleInAnyCase",
                  "SPACE OPERATIONS\n<a href=\"a.html\">brownsville a</a>\n<a "
                  "href=\"b.html\">BrownsVille b</a>\n",
                  {{"brownsville a</a>", "a.html"}, {"BrownsVille b</a>", "b.html"}}},
        ListCase {"FourthWorkingLineIsOutsideBlankLinesDoNotCount",
                  "SPACE OPERATIONS\n\n  \n1\n\r\n2\n\n<a href=\"c.html\">Brownsville 3</a>\n"
                  "<a href=\"d.html\">Brownsville 4</a>\n",
                  {{"Brownsville 3</a>", "c.html"}}},
        ListCase {
            "ASecondTypeLineRestartsTheCount",
            "SPACE OPERATIONS\n1\n2\nSPACE OPERATIONS\n1\n2\n<a href=\"e.html\">Brownsville</a>\n",
            {{"Brownsville</a>", "e.html"}}},
        ListCase {"ALineWithoutAQuotePairShiftsThePairing",
                  "SPACE OPERATIONS\n<a href=\"broken>Brownsville first</a>\n"
                  "<a href=\"second.html\">Brownsville second</a>\n",
                  {{"Brownsville first</a>", "second.html"}}},
        ListCase {"ACellTagBeforeTheAnchorStaysInTheLine",
                  "SPACE OPERATIONS\n<td><a href=\"f.html\">BROWNSVILLE, TX</a></td>\n",
                  {{"<a href=\"f.html\">BROWNSVILLE, TX</a></td>", "f.html"}}},
        ListCase {"EmptyPage", "", {}}),
    [](const auto &info) { return std::string(info.param.name); });

// The FAA's JSON list (reconstructed from public descriptions of the feed).
struct FeedCase
{
    const char *name;
    const char *feed;
    std::vector<std::pair<const char *, const char *>> expected; // line, detail address
    bool readable = true;
};

class FeedQuirks : public FAAParserTest, public ::testing::WithParamInterface<FeedCase>
{
};

TEST_P(FeedQuirks, Parse)
{
    const auto notams = scraper->parseList(QString::fromUtf8(GetParam().feed));
    ASSERT_EQ(bool(notams), GetParam().readable);
    if (!notams)
        return;
    ASSERT_EQ(size_t(notams->size()), GetParam().expected.size());
    for (size_t i = 0; i < GetParam().expected.size(); ++i) {
        EXPECT_EQ(notams->at(qsizetype(i)).line, QString::fromUtf8(GetParam().expected[i].first));
        EXPECT_EQ(notams->at(qsizetype(i)).detailsSubPath,
                  QString::fromUtf8(GetParam().expected[i].second));
    }
}

#define FEED_ROW(type, description)                                                                \
    "{\"notam_id\": \"6/2998\", \"facility\": \"ZHU\", \"state\": \"TX\", \"type\": " type         \
    ", \"description\": " description                                                              \
    ", \"mod_date\": \"08/13/2021 18:08:00\", \"is_new\": \"Y\"}"

INSTANTIATE_TEST_SUITE_P(
    Feed, FeedQuirks,
    ::testing::Values(
        FeedCase {"BrownsvilleSpaceOperationsWithItsXmlDetail",
                  " \n[" FEED_ROW("\"SPACE OPERATIONS\"",
                                  "\"BROWNSVILLE, TX, Monday, August 16, 2021 through Friday, "
                                  "August 20, 2021 UTC\"") "]",
                  {{"BROWNSVILLE, TX, Monday, August 16, 2021 through Friday, August 20, 2021 UTC",
                    "https://tfr.faa.gov/download/detail_6_2998.xml"}}},
        FeedCase {"TypeInOtherLetterCase",
                  "[" FEED_ROW("\"Space Operations\"", "\"BROWNSVILLE, TX\"") "]",
                  {}},
        FeedCase {"BrownsvilleOnlyInTheFacility",
                  R"([{"notam_id": "1/1", "facility": "BROWNSVILLE", "type": "SPACE OPERATIONS",
                      "description": "KODIAK, AK"}])",
                  {}},
        FeedCase {"ARowWithoutDescription",
                  R"([{"notam_id": "1/1", "type": "SPACE OPERATIONS", "facility": "Brownsville"}])",
                  {}},
        FeedCase {"ANumberWhereAStringBelongs",
                  R"([{"notam_id": 12, "type": "SPACE OPERATIONS", "description": "Brownsville"},
                      {"notam_id": "1/7", "type": "SPACE OPERATIONS", "description": "Brownsville"}])",
                  {{"Brownsville", "https://tfr.faa.gov/download/detail_1_7.xml"}}},
        FeedCase {"AnElementThatIsNotAnObject",
                  R"([null, 5, "SPACE OPERATIONS Brownsville", [],
                      {"notam_id": "1/8", "type": "SPACE OPERATIONS", "description": "brownsville"}])",
                  {{"brownsville", "https://tfr.faa.gov/download/detail_1_8.xml"}}},
        FeedCase {"ADescriptionWithOneDateStays",
                  "[" FEED_ROW("\"SPACE OPERATIONS\"", "\"Brownsville, TX, August 16, 2021\"") "]",
                  {{"Brownsville, TX, August 16, 2021",
                    "https://tfr.faa.gov/download/detail_6_2998.xml"}}},
        FeedCase {"AnEndedRestrictionIsDropped",
                  "[" FEED_ROW("\"SPACE OPERATIONS\"", "\"Brownsville, TX, August 10, 2021\"") "]",
                  {}},
        FeedCase {"AnEmptyArrayIsAnEmptyList", "[]", {}},
        FeedCase {
            "TruncatedIsUnreadable", "[" FEED_ROW("\"SPACE OPERATIONS\"", "\"x\""), {}, false},
        FeedCase {"AnObjectIsUnreadable", R"({"notams": []})", {}, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FAAParserTest, ANoticeIsDroppedOnlyWhenItsLastDateIsMoreThanADayPast)
{
    const QString page = "SPACE OPERATIONS\n<a href=\"a.html\">BROWNSVILLE, TX, Monday, August 02, "
                         "2021 through Friday, August 13, 2021 UTC</a>\n";
    const double end = at("2021-08-13T12:00:00", QTimeZone::utc());
    clock.set(end + 86400.0);
    EXPECT_EQ(scraper->parseNotices(root, page).size(), 1) << "exactly a day past stays";
    clock.set(end + 86400.5);
    EXPECT_TRUE(scraper->parseNotices(root, page).isEmpty());
}

// ---- the fetch flows ---------------------------------------------------------------------------

std::vector<FaaRow> threeNotices()
{
    return {
        {"1/0001", "SPACE OPERATIONS",
         "BROWNSVILLE, TX, Monday, August 16, 2021 through Friday, August 20, 2021 UTC"},
        {"1/0002", "SPACE OPERATIONS",
         "BROWNSVILLE, TX, Monday, August 30, 2021 through Friday, September 03, 2021 UTC"},
        {"1/0003", "SPACE OPERATIONS",
         "BROWNSVILLE, TX, Monday, August 23, 2021 through Friday, August 27, 2021 UTC"},
    };
}

QStringList links(const QList<FAANotam> &notams)
{
    QStringList result;
    for (const FAANotam &n : notams)
        result << n.detailsSubPath.section('/', -1);
    return result;
}

QStringList altitudes(const QList<FAANotam> &notams)
{
    QStringList result;
    for (const FAANotam &n : notams)
        result << (n.details ? n.details->altitudeDisplay() : "-");
    return result;
}

TEST_F(FAAParserTest, TheMirrorReplacesTheListPageAndDetailsStillComeFromTheFaa)
{
    http.serve(SourceAddresses::defaults().mirror,
               makeZip({{"faa.html", faaListPage(threeNotices()).toUtf8()}}));
    for (const char *notam : {"1/0001", "1/0002", "1/0003"})
        http.serve(detailUrl(notam), detailPage("From the surface up to 18000 feet MSL").toUtf8());
    scraper->checkFAAUsingMirror();
    settle();

    ASSERT_EQ(delegate.faa().size(), 1u);
    const QList<FAANotam> delivered = delegate.faa()[0];
    EXPECT_EQ(links(delivered),
              (QStringList {"detail_1_0002.html", "detail_1_0003.html", "detail_1_0001.html"}))
        << "latest first date first";
    EXPECT_EQ(altitudes(delivered), (QStringList {"18000 feet", "18000 feet", "18000 feet"}));
    for (const QUrl &url : http.requested())
        EXPECT_NE(url, listUrl) << "the live list page is not read";
    EXPECT_EQ(diagnostics.size(), 3);
    EXPECT_TRUE(caches.entries().isEmpty()) << caches.entries().join(",").toStdString();
}

TEST_F(FAAParserTest, AMirrorThatGivesNothingUsableFallsBackToTheLivePage)
{
    const QByteArray good = makeZip({{"faa.html", faaListPage({}).toUtf8()}});
    for (const auto &[mirrorBody, error] :
         std::vector<std::pair<std::optional<QByteArray>, std::optional<HttpError>>> {
             {"<html>503 Service Unavailable</html>", std::nullopt},
             {std::nullopt, std::nullopt},
             {makeZip({{"other.html", "x"}}), std::nullopt},
             {makeZip({{"faa.html", "[{\"notam_id\": "}}), std::nullopt},
             {good, HttpError {"status 502", 502}}}) {
        http.serve(SourceAddresses::defaults().mirror, mirrorBody, error);
        http.serve(listUrl, faaListPage({}).toUtf8());
        scraper->checkFAAUsingMirror();
        settle();
        EXPECT_EQ(http.requested().back(), listUrl);
    }
    EXPECT_EQ(delegate.count("faaDetails"), 5);
}

TEST_F(FAAParserTest, AListThatIsNoListIsAnErrorAndATransportFailureIsSilent)
{
    for (const auto &[body, error] : std::vector<std::pair<QByteArray, std::optional<HttpError>>> {
             {"", std::nullopt},
             {"\xff\xfe<html>", std::nullopt},
             {"[{\"notam_id\": \"1/1\", ", std::nullopt},
             {"<html><h1>Service Unavailable</h1></html>", HttpError {"status 503", 503}}}) {
        http.serve(listUrl, body, error);
        scraper->checkFAA();
        settle();
    }
    EXPECT_EQ(delegate.events(), (QStringList {"error", "error", "error", "error"}));
    http.serve(listUrl, std::nullopt, HttpError {"timed out"});
    scraper->checkFAA();
    settle();
    http.serve(listUrl, QByteArray("<html>"), HttpError {"reset"});
    scraper->checkFAA();
    settle();
    EXPECT_EQ(delegate.events(), (QStringList {"error", "error", "error", "error"}));
}

TEST_F(FAAParserTest, DetailsFinishingInAnyOrderDeliverOnceAfterTheLast)
{
    http.serve(listUrl, faaListPage(threeNotices()).toUtf8());
    scraper->checkFAA();
    http.respondAll();
    loop.drain();
    ASSERT_EQ(http.pending(), 3u);

    // The middle one fails, the last one has no altitude block, the first is unlimited.
    EXPECT_TRUE(http.respond(detailUrl("1/0003"), std::nullopt, HttpError {"refused"}));
    loop.drain();
    EXPECT_TRUE(http.respond(detailUrl("1/0001"), detailPage("SFC - UNLIMITED").toUtf8()));
    loop.drain();
    EXPECT_EQ(delegate.count("faaDetails"), 0);
    EXPECT_TRUE(http.respond(detailUrl("1/0002"), QByteArray("<html>Not found</html>")));
    loop.drain();

    ASSERT_EQ(delegate.faa().size(), 1u);
    EXPECT_EQ(altitudes(delegate.faa()[0]), (QStringList {"-", "-", "Unlimited"}));
    EXPECT_EQ(diagnostics.size(), 1);
}

TEST_F(FAAParserTest, AnEmptyPassDeliversAnEmptyList)
{
    http.serve(listUrl, faaListPage(realFaaRows()).toUtf8().replace("BROWNSVILLE", "ELSEWHERE"));
    scraper->checkFAA();
    settle();
    ASSERT_EQ(delegate.faa().size(), 1u);
    EXPECT_TRUE(delegate.faa()[0].isEmpty());
}

TEST_F(FAAParserTest, ADetailAddressThatIsNoUrlCountsAsFinishedAtOnce)
{
    http.serve(listUrl,
               "SPACE OPERATIONS\n<a href=\"bad link[1].html\">BROWNSVILLE, TX, a</a>\n"
               "SPACE OPERATIONS\n<a href=\"good.html\">BROWNSVILLE, TX, b</a>\n");
    http.serve(QUrl(root + "good.html"), detailPage("5000 feet").toUtf8());
    scraper->checkFAA();
    settle();
    ASSERT_EQ(delegate.faa().size(), 1u);
    EXPECT_EQ(delegate.faa()[0].size(), 2);
    EXPECT_EQ(http.requested().size(), 2u) << "the list and the one valid detail page";
}

TEST_F(FAAParserTest, ANewPassMakesTheLateCompletionsOfAnEarlierOneHarmless)
{
    const QByteArray list = faaListPage(threeNotices()).toUtf8();
    scraper->checkFAA();
    http.respond(listUrl, list);
    loop.drain();
    scraper->checkFAA();
    http.respond(listUrl, list);
    loop.drain();
    ASSERT_EQ(http.pending(), 6u);

    // The oldest requests are the first pass's: they neither count down nor add altitudes.
    for (const char *notam : {"1/0001", "1/0002", "1/0003"})
        http.respond(detailUrl(notam), detailPage("111 feet").toUtf8());
    loop.drain();
    EXPECT_EQ(delegate.count("faaDetails"), 0);
    for (const char *notam : {"1/0001", "1/0002", "1/0003"})
        http.respond(detailUrl(notam), detailPage("222 feet").toUtf8());
    loop.drain();
    ASSERT_EQ(delegate.faa().size(), 1u);
    EXPECT_EQ(altitudes(delegate.faa()[0]), (QStringList {"222 feet", "222 feet", "222 feet"}));
}

TEST_F(FAAParserTest, TwoChecksOfTheSamePageDeliverEqualLists)
{
    http.serve(listUrl, faaListPage(threeNotices()).toUtf8());
    scraper->checkFAA();
    settle();
    scraper->checkFAA();
    settle();
    ASSERT_EQ(delegate.faa().size(), 2u);
    EXPECT_EQ(delegate.faa()[0], delegate.faa()[1]);
    EXPECT_NE(delegate.faa()[0][0].id, delegate.faa()[1][0].id);
}

TEST_F(FAAParserTest, AScraperDroppedByItsOwnerFinishesItsPass)
{
    http.serve(listUrl, faaListPage(threeNotices()).toUtf8());
    scraper->checkFAA();
    scraper.reset();
    settle();
    EXPECT_EQ(delegate.count("faaDetails"), 1);
}

} // namespace
