#include "sources/msib/msib.h"
#include "sources/navwarn/navigationalwarnings.h"

#include "qtprinters.h"
#include "world.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using Report = std::pair<bool, QString>;

const QString page = "<html><head></head><body>\n  <td>Bulletin: SpaceX Hazard Area</td>\n"
                     "<td>SpaceX Hazard Area again</td>\n</body></html>";

class MSIBTest : public ::testing::Test, protected World
{
protected:
    MSIBTest() : World(1'700'000'000.0) { make(); }
    void make(bool readOnce = false)
    {
        readBulletinOnce = readOnce;
        watcher = std::make_shared<MSIB>(environment());
        watcher->setDelegate(&delegate);
    }
    QString entry() const { return watcher->menuItems(nullptr, "openMSIB:")[0]->title(); }

    std::shared_ptr<MSIB> watcher;
};

TEST_F(MSIBTest, AFinishedLoadIsReadFourTimesAndThenNoMore)
{
    watcher->check();
    ASSERT_EQ(webView().loads(),
              std::vector<QUrl> {QUrl("https://www.navcen.uscg.gov/msib-national")});
    webView().finish();
    std::vector<double> reads;
    for (int second = 1; second <= 120; ++second) {
        loop.advance(1);
        if (webView().pendingScripts() > 0) {
            reads.push_back(clock.now() - 1'700'000'000.0);
            webView().answerScripts(QVariant(page));
        }
    }
    EXPECT_EQ(reads, (std::vector<double> {15, 30, 45, 60}));
    EXPECT_EQ(webView().scripts().first(), "document.documentElement.outerHTML.toString()");
    EXPECT_EQ(loop.activeTimers(), 0u);
    EXPECT_EQ(delegate.count("msib"), 8) << "each read resets and reports twice";
}

// Each read reports (false, "") and then, when a line names the marker, that line with
// " (Latest)"; the entry shows the line without markup, after five blanks, or "     None".
TEST_F(MSIBTest, WhatOneReadFinds)
{
    const struct
    {
        const char *text;
        const char *reported; // nullptr: not mentioned
        const char *shown;
    } reads[] = {
        {"<html><head></head><body>\n  <td>Bulletin: SpaceX Hazard Area</td>\n<td>SpaceX "
         "Hazard Area again</td>\n</body></html>",
         "<td>Bulletin: SpaceX Hazard Area</td>", "     Bulletin: SpaceX Hazard Area"},
        {"<table>\n     <tr><td>12/05/2026</td><td><a href=\"/msib/26-120\">MSIB 26-120: SpaceX "
         "Hazard Area \u2013 Starship Flight Test &amp; Booster Return</a></td></tr>\n</table>",
         "<tr><td>12/05/2026</td><td><a href=\"/msib/26-120\">MSIB 26-120: SpaceX Hazard Area "
         "\u2013 Starship Flight Test &amp; Booster Return</a></td></tr>",
         "     12/05/2026 MSIB 26-120: SpaceX Hazard Area \u2013 Starship Flight Test & Booster "
         "Return"},
        {"", nullptr, "     None"},
        {"<html>spacex hazard area\n</html>\n", nullptr, "     None"},
        {"SpaceX Hazard Area first\nsecond\n", nullptr, "     None"},
        {"first\nSpaceX Hazard Area last", nullptr, "     None"},
    };
    for (const auto &read : reads) {
        watcher->parse(page); // an earlier find is forgotten
        const size_t before = delegate.bulletins().size();
        watcher->parse(QString::fromUtf8(read.text));
        std::vector<Report> expected {{false, ""}};
        if (read.reported)
            expected.push_back({true, QString::fromUtf8(read.reported) + " (Latest)"});
        const std::vector<Report> reports = delegate.bulletins();
        EXPECT_EQ(std::vector<Report>(reports.begin() + qsizetype(before), reports.end()), expected)
            << read.text;
        EXPECT_EQ(watcher->spaceXHazardAreaMentioned(), read.reported != nullptr);
        EXPECT_EQ(watcher->documentTitle(), QString::fromUtf8(read.reported ? read.reported : ""));
        EXPECT_EQ(entry(), QString::fromUtf8(read.shown));
        EXPECT_EQ(watcher->menuItems(nullptr, "openMSIB:")[0]->isEnabled(),
                  read.reported != nullptr);
    }
}

TEST_F(MSIBTest, AFailedLoadReportsNothingFoundButKeepsTheLastFind)
{
    watcher->parse(page);
    watcher->check();
    webView().fail();
    EXPECT_EQ(delegate.bulletins().back(), (Report {false, ""}));
    EXPECT_EQ(entry(), "     Bulletin: SpaceX Hazard Area");
    loop.advance(100);
    EXPECT_EQ(webView().pendingScripts(), 0u) << "no polling after a failed load";
}

// A result that is no text is no read; a second load takes the first one's polling; a watcher
// that goes away stops its polling.
TEST_F(MSIBTest, PollingLastsAsLongAsItsLoadAndItsWatcher)
{
    watcher->check();
    webView().finish();
    loop.advance(15);
    webView().answerScripts(QVariant(42));
    loop.advance(5);
    webView().answerScripts(std::nullopt, QString("ReferenceError"));
    EXPECT_EQ(delegate.count("msib"), 0);
    watcher->check();
    webView().finish();
    EXPECT_EQ(loop.activeTimers(), 1u);
    int reads = 0;
    for (int second = 0; second < 200; ++second) {
        loop.advance(1);
        reads += int(webView().pendingScripts());
        webView().answerScripts(QVariant(QString()));
    }
    EXPECT_EQ(reads, 4);
    watcher->check();
    webView().finish();
    watcher.reset();
    EXPECT_EQ(loop.activeTimers(), 0u);
}

TEST_F(MSIBTest, ReadOnceReadsAsSoonAsTheLoadFinishes)
{
    make(true);
    watcher->check();
    webView().finish();
    EXPECT_EQ(webView().pendingScripts(), 1u);
    EXPECT_EQ(loop.activeTimers(), 0u);
    webView().answerScripts(QVariant(page));
    watcher->check();
    webView().failBeforeContent();
    EXPECT_EQ(answers, (std::vector<bool> {true, false}));
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
    const QString right
        = "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 1025Z TO 1610Z DAILY 17 THRU 21 APR";
    EXPECT_EQ(rows->at(0).menuItems(nullptr, {})[0]->title(),
              QString("NAVAREA IV 387/23").leftJustified(40) + " " + right);
}

// One warning per row: area, number, year and text; the reader's rows as "left | right".
QByteArray feed(std::initializer_list<const char *> warnings)
{
    QByteArray json = "{\"broadcast-warn\": [";
    for (const char *w : warnings)
        json += QByteArray(w) + (w == *(warnings.end() - 1) ? "" : ", ");
    return json + "]}";
}

#define WARNING(area, number, year, text)                                                          \
    "{\"msgYear\": " year ", \"msgNumber\": " number ", \"navArea\": " area ", \"text\": " text "}"
#define NEAR_PAD                                                                                   \
    "\"GULF OF AMERICA.\\n1. HAZARDOUS OPERATIONS, ROCKET LAUNCHING\\n   232245Z TO 240056Z "      \
    "JUL\\n"                                                                                       \
    "   A. 25-58.00N 097-13.00W, 26-02.00N 097-13.00W.\\n\""

TEST(NavigationalWarnings, LaunchWarningsNearThePadNewestFirst)
{
    const QString launch = "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 232245Z TO 240056Z JUL";
    const struct
    {
        const char *name;
        QByteArray json;
        QStringList rows; // "left | right"; none when unreadable
        bool readable = true;
    } cases[] = {
        {"newest first, 2026 wording without a place name",
         feed(
             {WARNING("\"4\"", "704", "2026", NEAR_PAD), WARNING("\"4\"", "12", "2027", NEAR_PAD)}),
         {"NAVAREA IV 12/27 | " + launch, "NAVAREA IV 704/26 | " + launch}},
        {"seconds, and numbers written as strings",
         feed({WARNING("\"4\"", "\"705\"", "\"2026\"",
                       "\"TEXAS.\\nSPACE DEBRIS IN AREA 25-59-49N 097-09-22W.\"")}),
         {"NAVAREA IV 705/26 | SPACE DEBRIS IN AREA 25-59-49N 097-09-22W."}},
        {"HYDROLANT and any other area",
         feed({WARNING("\"A\"", "9", "2026", NEAR_PAD), WARNING("\"7\"", "8", "2026", NEAR_PAD)}),
         {"HYDROLANT 9/26 | " + launch, "NAVAREA 7 8/26 | " + launch}},
        {"a launch off Florida, a non-launch near the pad",
         feed({WARNING("\"4\"", "1", "2026", "\"1. ROCKET LAUNCHING\\n IN 28-38.47N 080-37.31W.\""),
               WARNING("\"4\"", "2", "2026", "\"1. DREDGING\\n AT 25-58.00N 097-13.00W.\"")}),
         {}},
        {"elements that cannot be read",
         feed({"5", "null", WARNING("\"4\"", "3", "2026", "17"),
               WARNING("4", "3", "2026", NEAR_PAD), WARNING("\"4\"", "3.5", "2026", NEAR_PAD)}),
         {}},
        {"positions at 29 and at 31 nautical miles",
         feed({WARNING("\"4\"", "1", "2026", "\"ROCKET LAUNCHING AT 26-28.78N 097-09.26W\""),
               WARNING("\"4\"", "2", "2026", "\"ROCKET LAUNCHING AT 26-30.78N 097-09.26W\"")}),
         {"NAVAREA IV 1/26 | ROCKET LAUNCHING AT 26-28.78N 097-09.26W"}},
        {"an HTML body", "<html><body>Access denied</body></html>", {}, false},
        {"an object without the array", "{\"broadcast-warn\": {}}", {}, false},
    };
    for (const auto &c : cases) {
        const auto rows = NavigationalWarnings::parse(c.json);
        ASSERT_EQ(bool(rows), c.readable) << c.name;
        QStringList found;
        for (const RowRecord &row : rows.value_or(QList<RowRecord>()))
            found << row.left + " | " + row.right;
        EXPECT_EQ(found, c.rows) << c.name;
    }
}

} // namespace
