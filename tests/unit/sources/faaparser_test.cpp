#include "sources/faa/faaparser.h"
#include "sources/weberrors.h"

#include "demoworld.h"
#include "testing.h"
#include "world.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstring>

namespace {

using demo::detailLink;
using demo::faaListPage;
using demo::FaaRow;
using demo::makeZip;

// The rows of the real list page sample.
std::vector<FaaRow> realFaaRows()
{
    std::vector<FaaRow> rows;
    for (const QString &line : fixture("faa/list-rows-2021-08.tsv").split('\n').mid(1)) {
        if (const QStringList f = line.split('\t'); f.size() == 4)
            rows.push_back({f[1], f[2], f[3], f[0]});
    }
    return rows;
}

const QString root = "https://tfr.faa.gov/tfr2/";
const QUrl listUrl = SourceAddresses::defaults().faaList;

class FAAParserTest : public ::testing::Test, protected World
{
protected:
    FAAParserTest() : World(at("2021-08-15T10:00:00"))
    {
        scraper = std::make_shared<FAAParser>(environment());
        scraper->setDelegate(&delegate);
    }

    QUrl detailUrl(const QString &notam) { return QUrl(root + detailLink(notam)); }

    IcuScope scope {"America/Chicago"};
    std::shared_ptr<FAAParser> scraper;
};

// ---- the list ---------------------------------------------------------------------------------

// The real list's rows, with a new notice (its "New" on a line of its own), another type, an ended
// notice and one without dates: the current Brownsville space operations in page order, their
// links appended unresolved, new ids at every parse.
TEST_F(FAAParserTest, TheRealListKeepsOnlyCurrentBrownsvilleSpaceOperations)
{
    std::vector<FaaRow> rows = realFaaRows();
    ASSERT_GT(rows.size(), 150u);
    for (const char *row : {"SPACE OPERATIONS~Brownsville, TX, Monday, August 16, 2021 UTC New",
                            "HAZARDS~BROWNSVILLE, TX, Monday, August 16, 2021 UTC",
                            "SPACE OPERATIONS~BROWNSVILLE, TX, Tuesday, August 10, 2021 through "
                            "Friday, August 13, 2021 UTC",
                            "SPACE OPERATIONS~brownsville, tx, no date written"})
        rows.push_back({"1/1111", QString(row).section('~', 0, 0), QString(row).section('~', 1)});
    const QList<FAANotam> notams = scraper->parseNotices(root, faaListPage(rows)).value();
    ASSERT_EQ(notams.size(), 3);
    EXPECT_EQ(notams[0].line,
              "BROWNSVILLE, TX, Monday, August 02, 2021 through Tuesday, August 31, 2021 UTC</a>");
    EXPECT_EQ(notams[0].detailsSubPath, root + "save_pages/detail_1_9853.html");
    EXPECT_EQ(notams[0].dates,
              (QList<double> {at("2021-08-02T12:00:00Z"), at("2021-08-31T12:00:00Z")}));
    EXPECT_FALSE(notams[0].details);
    EXPECT_EQ(notams[1].line, "Brownsville, TX, Monday, August 16, 2021 UTC</a>");
    EXPECT_TRUE(notams[2].dates.isEmpty());
    EXPECT_EQ(notams[0].id.size(), 36);
    const QList<FAANotam> upLevel = scraper->parseNotices(root, faaListPage(rows, true)).value();
    EXPECT_EQ(upLevel[0].detailsSubPath, root + "../save_pages/detail_1_9853.html");
    EXPECT_NE(upLevel[0].id, notams[0].id);
}

// Both shapes of the list, told apart by their first character: the old list page, read as lines,
// and the FAA's JSON feed.
TEST_F(FAAParserTest, ListQuirks)
{
    for (const QString &row : cases("faa-list-quirks")) {
        const QStringList fields = row.split(" ~ ");
        const auto notams = scraper->parseList(fields[1]);
        ASSERT_EQ(bool(notams), fields[2] != "unreadable") << row;
        QStringList found;
        for (const FAANotam &notam : notams.value_or(QList<FAANotam>()))
            found << notam.line + " | "
                    + QString(notam.detailsSubPath).remove("https://tfr.faa.gov/");
        EXPECT_EQ(found.join(" ; "), notams ? fields[2] : "") << row;
    }
}

// ---- the fetch flows ---------------------------------------------------------------------------

std::vector<FaaRow> threeNotices()
{
    std::vector<FaaRow> rows;
    for (const char *days : {"August 16, 2021 through Friday, August 20",
                             "August 30, 2021 through "
                             "Friday, September 03",
                             "August 23, 2021 through Friday, August 27"})
        rows.push_back({QString("1/000%1").arg(rows.size() + 1), "SPACE OPERATIONS",
                        QString("BROWNSVILLE, TX, Monday, %1, 2021 UTC").arg(days)});
    return rows;
}

QByteArray detailPage(const QString &altitude)
{
    return demo::faaDetailPage("x", altitude).toUtf8();
}

// The delivered notices as "NOTAM number: altitude", "-" where there is none.
QString shown(const QList<Notice> &notices)
{
    QStringList result;
    for (const Notice &n : notices)
        result << (n.label.isEmpty() ? "-" : n.label) + ": "
                + (n.detail == Notice::Detail::read
                       ? altitudeText(n.floor, n.ceiling, [](const char *w) { return QString(w); })
                       : "-");
    return result.join(", ");
}

// The mirror's archive replaces the list; the details still come from the FAA, latest first date
// first; the working files go.
TEST_F(FAAParserTest, TheMirrorReplacesTheListAndDetailsStillComeFromTheFaa)
{
    http.serve(SourceAddresses::defaults().mirror,
               makeZip({{"faa.html", faaListPage(threeNotices()).toUtf8()}}));
    for (const char *notam : {"1/0001", "1/0002", "1/0003"})
        http.serve(detailUrl(notam), detailPage("From the surface up to 18000 feet MSL"));
    scraper->checkFAAUsingMirror();
    settle();
    ASSERT_EQ(delegate.read(Source::faa).size(), 1u);
    EXPECT_EQ(shown(delegate.read(Source::faa)[0]),
              "1/0001: 18000 feet, 1/0003: 18000 feet, 1/0002: 18000 feet");
    for (const QUrl &url : http.requested())
        EXPECT_NE(url, listUrl) << "the live list is not read";
    EXPECT_EQ(diagnostics.size(), 3);
    EXPECT_TRUE(caches.entries().isEmpty()) << caches.entries().join(",");
    // The live feed names the same notices in the same words: a switch is no news.
    http.serve(listUrl, demo::faaFeed(threeNotices()));
    scraper->checkFAA();
    settle();
    const QList<Notice> mirrored = delegate.read(Source::faa)[0],
                        live = delegate.read(Source::faa)[1];
    ASSERT_EQ(live.size(), 3);
    for (qsizetype i = 0; i < 3; ++i)
        EXPECT_TRUE(live[i].saysTheSameAs(mirrored[i])) << live[i].text << mirrored[i].text;
}

// A mirror that gives nothing usable (no archive, no list in it, an outage page for one) falls
// back to the live list. A live list that is no list (empty, not UTF-8, a feed cut short, an error
// status, a page of another kind) is a failure that keeps the shown list; no answer is a source
// not reached; a list without notices is an empty list.
TEST_F(FAAParserTest, WhatEachAnswerReports)
{
    const QByteArray outage(
        "<!DOCTYPE html><html><body><h1>We will be back soon</h1></body></html>");
    for (const auto &[body, error] :
         {answer("<html>503 Service Unavailable</html>"), answer(std::nullopt),
          answer(makeZip({{"other.html", "x"}})),
          answer(makeZip({{"faa.html", "[{\"notam_id\": "}})), answer(makeZip({{"faa.html", ""}})),
          answer(makeZip({{"faa.html", outage}})), answer(makeZip({{"faa.html", "[]"}}), 502)}) {
        http.serve(SourceAddresses::defaults().mirror, body, error);
        http.serve(listUrl, "[]");
        scraper->checkFAAUsingMirror();
        settle();
        EXPECT_EQ(http.requested().back(), listUrl);
    }
    EXPECT_EQ(delegate.events(), QStringList(7, "faaDetails"));
    for (const auto &[body, error] :
         {answer(""), answer("\xff\xfe<html>"), answer("[{\"notam_id\": \"1/1\", "),
          answer("<html><h1>Service Unavailable</h1></html>", 503), answer(outage),
          answer(std::nullopt, -1), answer("<html>", -1),
          answer(faaListPage(realFaaRows()).toUtf8().replace("BROWNSVILLE", "ELSEWHERE"))}) {
        http.serve(listUrl, body, error);
        scraper->checkFAA();
        settle();
    }
    EXPECT_EQ(delegate.events().mid(7),
              (QStringList {"error", "error", "error", "error", "error", "notReached", "notReached",
                            "faaDetails"}));
    EXPECT_EQ(delegate.reasons(),
              (std::vector<QString> {"the list was empty", "the page held no list",
                                     "the feed could not be read", "the server answered 503",
                                     "the page held no list", "no answer (failed)",
                                     "no answer (failed)"}));
    EXPECT_TRUE(delegate.read(Source::faa).back().isEmpty());

    // The menu shows each form of reason through the catalogue, and its parts in turn; a reason of
    // no known form stays as it is.
    struct Marking final : QTranslator
    {
        QString translate(const char *context, const char *text, const char *, int) const override
        {
            return std::strcmp(context, "Reason") == 0 ? "«" + QString(text) + "»" : QString();
        }
    } marking;
    int argc = 1;
    char name[] = "test";
    char *argv[] = {name};
    const QCoreApplication application(argc, argv);
    QCoreApplication::installTranslator(&marking);
    for (const auto &[reason, shown] : std::vector<std::pair<QString, QString>> {
             {"no answer (connection refused)", "«no answer («connection refused»)»"},
             {"the feed could not be read", "«the feed could not be read»"},
             {"the beach closures and road delays could not be read",
              "«the ««beach closures» and «road delays»» could not be read»"},
             {"the server answered 503", "«the server answered 503»"},
             {"no answer within 60 s", "«no answer within 60 s»"},
             {"no answer (%2 %1)", "«no answer (%2 %1)»"},
             {"the moon is down", "the moon is down"}})
        EXPECT_EQ(reasonForPeople(reason), shown) << reason;
}

// The restrictions' shapes from the FAA's map service, by the NOTAM number of each feature: a
// Polygon's outer ring, each of a MultiPolygon's; a ring with a point off the earth is left out,
// and a body that is no FeatureCollection is no shapes. A pass waits for the shapes; a failure of
// theirs is told and leaves the list as it is, each restriction with its detail's own shape.
TEST_F(FAAParserTest, TheRestrictionsShapesFromTheMapService)
{
    const auto feature = [](const char *key, const char *geometry) {
        return QString(R"({"type": "Feature", "properties": {"NOTAM_KEY": "%1"}, "geometry": %2})")
            .arg(key, geometry);
    };
    const QString box = "[[-97.4, 25.8], [-96.8, 25.8], [-96.8, 26.2], [-97.4, 25.8]]";
    const QString hole = "[[-97.2, 25.9], [-97.1, 25.9], [-97.1, 26.0], [-97.2, 25.9]]";
    const QString collection = R"({"type": "FeatureCollection", "features": [%1]})";
    for (
        const auto &[body, shapes] : std::vector<std::pair<QString, QString>> {
            {collection.arg(feature("1/0001-1-FDC-F",
                                    qPrintable("{\"type\": \"Polygon\", \"coordinates\": [" + box
                                               + ", " + hole + "]}"))),
             "1/0001: 4"},
            {collection.arg(
                 feature(
                     "1/0002-1-FDC-F",
                     qPrintable("{\"type\": \"MultiPolygon\", \"coordinates\": [[" + box + "], ["
                                + hole + "]]}"))
                 + ", "
                 + feature(
                     "9/9999-1-FDC-F",
                     R"({"type": "Polygon", "coordinates": [[[-97, 25], [-96, 200], [-96, 25], [-97, 25]]]})")),
             "1/0002: 4 4"},
            {R"({"type": "Feature", "features": []})", "-"},
            {"<html><body>Service Unavailable</body></html>", "-"},
            {R"({"type": "FeatureCollection", "features": []})", ""}}) {
        QString problem;
        const auto areas = FAAParser::parseAreas(body.toUtf8(), &problem);
        QStringList read;
        for (const auto &[number, area] : areas.value_or(std::map<QString, Area>())) {
            QStringList rings;
            for (const auto &ring : area.polygons)
                rings << QString::number(ring.size());
            read << number + ": " + rings.join(' ');
        }
        EXPECT_EQ(areas ? read.join(", ") : "-", shapes) << body;
        EXPECT_EQ(problem, areas ? "" : "the areas could not be read") << body;
    }

    struct Areas final : ScraperDelegate
    {
        void noticesRead(Source, QList<Notice> notices) override { read.push_back(notices); }
        void error(WebErrors, Source, const QString &) override { }
        void updateLastChecked() override { }
        void areasRead(Source, const std::optional<QString> &problem) override
        {
            told << problem.value_or("read");
        }
        std::vector<QList<Notice>> read;
        QStringList told;
    } areas;
    scraper->setDelegate(&areas);
    const QUrl map = SourceAddresses::defaults().faaAreas;
    http.serve(listUrl, demo::faaFeed(threeNotices()));
    for (const char *notam : {"1/0001", "1/0002", "1/0003"})
        http.serve(QUrl("https://tfr.faa.gov/download/detail_" + QString(notam).replace('/', '_')
                        + ".xml"),
                   demo::faaDetailXml(notam, "UNL", "FT",
                                      "<Cir><geoLatCen>26N</geoLatCen><geoLongCen>97W</geoLongCen>"
                                      "<valRadius>3</valRadius></Cir>")
                       .toUtf8());
    http.serve(map,
               collection
                   .arg(feature("1/0001-1-FDC-F",
                                qPrintable("{\"type\": \"Polygon\", "
                                           "\"coordinates\": ["
                                           + box + "]}")))
                   .toUtf8());
    scraper->checkAreas();
    scraper->checkFAA();
    while (http.pending() > 1 || loop.pendingTasks() > 0) {
        // Every detail first, the shapes last: the pass waits for them.
        for (const char *notam : {"1/0001", "1/0002", "1/0003"})
            http.respond(QUrl("https://tfr.faa.gov/download/detail_"
                              + QString(notam).replace('/', '_') + ".xml"),
                         demo::faaDetailXml(notam, "UNL", "FT").toUtf8());
        http.respond(listUrl, demo::faaFeed(threeNotices()));
        loop.drain();
    }
    EXPECT_TRUE(areas.read.empty()) << "the pass waits for the shapes";
    settle();
    ASSERT_EQ(areas.read.size(), 1u);
    EXPECT_EQ(areas.told, QStringList {"read"});
    for (const Notice &notice : areas.read[0])
        EXPECT_EQ(notice.area.polygons.value(0).size(), notice.label == "1/0001" ? 4 : 0)
            << notice.label;
    // The shapes fail: told, and the list stands, each restriction with its document's circle.
    http.serve(map, "<html>Service Unavailable</html>");
    scraper->checkAreas();
    scraper->checkFAA();
    settle();
    ASSERT_EQ(areas.read.size(), 2u);
    EXPECT_EQ(areas.told.last(), "the areas could not be read");
    ASSERT_EQ(areas.read[1].size(), 3);
    for (const Notice &notice : areas.read[1])
        EXPECT_EQ(notice.area.polygons.value(0).size(), 37) << notice.label;
}

// The details of a pass deliver once, after the last of them, in any order; an address that is no
// URL is finished at once; a newer pass makes the late details of an earlier one harmless.
TEST_F(FAAParserTest, DetailPasses)
{
    http.serve(listUrl,
               faaListPage(threeNotices()).toUtf8()
                   + "SPACE OPERATIONS\n<a href=\"bad link[1].html\">BROWNSVILLE</a>\n");
    scraper->checkFAA();
    http.respondAll();
    loop.drain();
    ASSERT_EQ(http.pending(), 3u);
    // The middle one fails, the last one has no altitude block, the first is unlimited.
    EXPECT_TRUE(http.respond(detailUrl("1/0003"), std::nullopt, HttpError {"refused"}));
    EXPECT_TRUE(http.respond(detailUrl("1/0001"), detailPage("SFC - UNLIMITED")));
    loop.drain();
    EXPECT_EQ(delegate.count("faaDetails"), 0);
    EXPECT_TRUE(http.respond(detailUrl("1/0002"), QByteArray("<html>Not found</html>")));
    loop.drain();
    ASSERT_EQ(delegate.read(Source::faa).size(), 1u);
    EXPECT_EQ(shown(delegate.read(Source::faa)[0]),
              "-: -, 1/0001: Unlimited, 1/0003: -, 1/0002: -");
    EXPECT_EQ(diagnostics.size(), 1);

    for (int pass = 0; pass < 2; ++pass) {
        scraper->checkFAA();
        http.respond(listUrl, faaListPage(threeNotices()).toUtf8());
        loop.drain();
    }
    ASSERT_EQ(http.pending(), 6u);
    // The oldest requests are the first pass's: they neither count down nor add altitudes.
    for (const char *altitude : {"111 feet", "222 feet"}) {
        for (const char *notam : {"1/0001", "1/0002", "1/0003"})
            http.respond(detailUrl(notam), detailPage(altitude));
        loop.drain();
    }
    ASSERT_EQ(delegate.read(Source::faa).size(), 2u);
    EXPECT_EQ(shown(delegate.read(Source::faa)[1]).count("222 feet"), 3);
    // Passes over the same page, the second from a scraper its owner dropped, deliver equal lists
    // in the same order, also for notices of the same day.
    std::vector<FaaRow> tied;
    for (const char *id : {"2/0001", "2/0002", "2/0003", "2/0004", "2/0005"})
        tied.push_back({id, "SPACE OPERATIONS", "BROWNSVILLE, TX, Monday, August 16, 2021 UTC"});
    http.serve(listUrl, faaListPage(tied).toUtf8());
    scraper->checkFAA();
    settle();
    scraper->checkFAA();
    scraper.reset();
    settle();
    ASSERT_EQ(delegate.read(Source::faa).size(), 4u);
    EXPECT_EQ(delegate.read(Source::faa)[2], delegate.read(Source::faa)[3]);
}

} // namespace
