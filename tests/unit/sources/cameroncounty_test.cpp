#include "sources/county/cameroncountyparse.h"
#include "sources/starbase/starbaseclosures.h"

#include "platform/rowview.h"

#include "fakecaches.h"
#include "fakeclock.h"
#include "fakehttpclient.h"
#include "fakerunloop.h"
#include "icuscope.h"
#include "qtprinters.h"
#include "recordingdelegate.h"

#include <QDateTime>
#include <QFile>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

double chicago(const char *iso)
{
    QDateTime time = QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
    time.setTimeZone(QTimeZone("America/Chicago"));
    return double(time.toSecsSinceEpoch());
}

QString fixture(const char *name)
{
    QFile file(QStringLiteral(PLUMETRACK_FIXTURES "/county/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

// ---- the record ---------------------------------------------------------------------------------

TEST(CameronCountyRecord, OnlyCancelledCanceledOrConcludedEndAClosure)
{
    for (const char *status : {"Closure Concluded", "CANCELLED", "Canceled - rescheduled"})
        EXPECT_TRUE((CameronCountyRecord {"", "", "", status}.canceledOrEnded())) << status;
    for (const char *status : {"", "Closure Scheduled", "Closure ended", "Now Open"})
        EXPECT_FALSE((CameronCountyRecord {"", "", "", status}.canceledOrEnded())) << status;
}

TEST(CameronCountyRecord, MenuEntryShowsTypeDayAndHoursOrTheEndingStatus)
{
    const CameronCountyRecord scheduled {"Primary Date", "Monday, March 8, 2021",
                                         "8:00 am to 5:00 pm", "Closure Scheduled"};
    auto item = scheduled.menuItems(nullptr, "openCameronCountyAction:")[0];
    const QString left = QString("Primary: Monday, March 8").leftJustified(40);
    EXPECT_EQ(item->title(), left + " 8:00 am to 5:00 pm");
    EXPECT_EQ(item->view()->leftText(), left);
    EXPECT_EQ(item->view()->rightText(), "8:00 am to 5:00 pm");
    EXPECT_EQ(item->action(), "openCameronCountyAction:");

    // References show decoded, before the left column is brought to 40 units.
    item = CameronCountyRecord {"Primary Date", "Tue &#8211; Wed", "8 a.m. (SH 4 &amp; beach)", ""}
               .menuItems(nullptr, {})[0];
    EXPECT_EQ(item->title(),
              QString::fromUtf8("Primary: Tue \u2013 Wed").leftJustified(40)
                  + " 8 a.m. (SH 4 & beach)");

    const CameronCountyRecord canceled {"Date", "Monday, March 8, 2022", "8:00 am",
                                        "Closure Canceled"};
    item = canceled.menuItems(nullptr, {})[0];
    EXPECT_EQ(item->view()->leftText(), QString("Date: Monday, March 8, 2022").leftJustified(40));
    EXPECT_EQ(item->view()->rightText(), "Closure Canceled");
    EXPECT_FALSE(item->isEnabled());

    const CameronCountyRecord twice {"Alt Date Date", "x", "", ""};
    EXPECT_EQ(twice.menuItems(nullptr, {})[0]->view()->leftText().trimmed(), "Alt: x");

    const CameronCountyRecord empty {"", "", "", ""};
    EXPECT_EQ(empty.menuItems(nullptr, {})[0]->title(), ": " + QString(38, ' ') + " ");

    const CameronCountyRecord wide {"Primary Date", QString::fromUtf8("🚀") + QString(40, 'x'),
                                    "hours", ""};
    item = wide.menuItems(nullptr, {})[0];
    EXPECT_EQ(item->view()->leftText().size(), 40);
    EXPECT_EQ(item->title(), item->view()->leftText() + " hours");
}

TEST(CameronCountyRecord, EqualityComparesAllFourTexts)
{
    const CameronCountyRecord a {"Primary Date", "Monday", "8 am", "Scheduled"};
    EXPECT_EQ(a, (CameronCountyRecord {"Primary Date", "Monday", "8 am", "Scheduled"}));
    EXPECT_NE(a, (CameronCountyRecord {"Primary Date", "Monday", "8 am", "Canceled"}));
}

// ---- the page parser
// -------------------------------------------------------------------------------

class CountyTest : public ::testing::Test
{
protected:
    CountyTest()
    {
        scraper = std::make_shared<CameronCountyParse>(ScraperEnvironment {
            http, loop, clock, caches, nullptr, SourceAddresses::defaults(), {}});
        scraper->setDelegate(&delegate);
    }

    // The records of a page, or none when the parser reported no list.
    std::optional<QList<CameronCountyRecord>> parse(const QString &html)
    {
        std::optional<QList<CameronCountyRecord>> result;
        scraper->parseCC(html, [&](QList<CameronCountyRecord> records) {
            EXPECT_FALSE(result) << "results is called once";
            result = std::move(records);
        });
        return result;
    }

    static QString table(const QString &rows)
    {
        return "<table><tbody>" + rows + "</tbody></table>";
    }

    IcuScope scope {"America/Chicago"};
    FakeClock clock {chicago("2020-12-29T10:00:00")};
    FakeRunLoop loop {clock};
    FakeHttpClient http;
    FakeCaches caches;
    RecordingDelegate delegate;
    std::shared_ptr<CameronCountyParse> scraper;
};

TEST_F(CountyTest, TheRealTablesGiveTheirRowsInPageOrder)
{
    const std::pair<const char *, const char *> samples[]
        = {{"closures-table-2021-01.html", "Now Open"},
           {"closures-spans-2021-06.html", "Closure Canceled"},
           {"closures-mixed-month-names-2021-01.html", "Closure Canceled"}};
    for (const auto &[name, secondStatus] : samples) {
        const auto records = parse(fixture(name));
        ASSERT_TRUE(records) << name;
        ASSERT_GE(records->size(), 3) << name;
        EXPECT_EQ((*records)[0],
                  (CameronCountyRecord {"Primary Date", "Monday, Dec 28, 2020",
                                        "8:00 am to 7:00 pm", "Closure Scheduled"}))
            << name;
        EXPECT_EQ((*records)[1].status, secondStatus) << name;
    }
    EXPECT_EQ(parse(fixture("closures-table-2021-01.html"))->size(), 6);
}

TEST_F(CountyTest, RowsWhoseDayIsMoreThanADayPastAreDropped)
{
    // At 10:00 on January 5th: Dec 28 to 30 are over, January 4th (noon) is 22 hours past.
    clock.set(chicago("2021-01-05T10:00:00"));
    const auto records = parse(fixture("closures-table-2021-01.html"));
    ASSERT_TRUE(records);
    QStringList days;
    for (const auto &r : *records)
        days << r.day;
    EXPECT_EQ(
        days,
        (QStringList {"Monday, Jan 4, 2021", "Tuesday, Jan 5, 2021", "Wednesday, Jan 6, 2021"}));
}

// The later page, written back from its text capture into the table's shape: "Primary Day",
// "Possible Closure", a multi-line hours cell, and a second "Road Delay" table after the first.
TEST_F(CountyTest, TheLaterWordingAndTheSecondTableOfThePage)
{
    clock.set(chicago("2025-02-08T09:00:00"));
    const QString page
        = R"(<h3>Public Notice of Cameron County Order to Temporarily Close State Highway 4</h3>
<table class="closures">
<thead><tr><th>Temp. Closure Date</th><th>Time of Closure</th><th>Current Beach Status</th></tr></thead>
<tbody>
<tr>
<td>Primary Day</td>
<td>February 9, 2025</td>
<td>7:00 a.m. to 7:00 p.m.</td>
<td>Possible Closure</td>
</tr>
<tr>
<td>Alternative Day</td>
<td>February 10, 2025</td>
<td>7:00 a.m. to 7:00 p.m.<br />
12 p.m. to 4 p.m.</td>
<td>Possible Closure<br />
Closure Canceled</td>
</tr>
</tbody>
</table>
<h3>Temporary and Intermittent State Highway 4 Road Delay</h3>
<table>
<tbody>
<tr>
<td>Primary Date</td>
<td>Feb 10, 2025</td>
<td>12 a.m. to 4 a.m.,<br />
6 a.m. to 10 a.m.</td>
<td></td>
</tr>
</tbody>
</table>
)";
    const auto records = parse(page);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 3);
    EXPECT_EQ((*records)[0],
              (CameronCountyRecord {"Primary Day", "February 9, 2025", "7:00 a.m. to 7:00 p.m.",
                                    "Possible Closure"}));
    EXPECT_EQ((*records)[1],
              (CameronCountyRecord {"Alternative Day", "February 10, 2025",
                                    "7:00 a.m. to 7:00 p.m.", "Possible Closure"}));
    EXPECT_EQ((*records)[2],
              (CameronCountyRecord {"Alternative Day", "February 10, 2025", "12 p.m. to 4 p.m.",
                                    "Closure Canceled"}));
}

struct CountyCase
{
    const char *name;
    const char *rows; // inside <tbody>
    std::vector<CameronCountyRecord> expected;
};

class CountyQuirks : public CountyTest, public ::testing::WithParamInterface<CountyCase>
{
};

TEST_P(CountyQuirks, Parse)
{
    const auto records = parse(table(QString::fromUtf8(GetParam().rows)));
    ASSERT_TRUE(records);
    EXPECT_EQ(std::vector<CameronCountyRecord>(records->begin(), records->end()),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CountyQuirks,
    ::testing::Values(
        CountyCase {"NoRow", "\n  \n", {}},
        CountyCase {"ThreeCellsYieldNothingFiveYieldFour",
                    "<tr><td>a</td><td>b</td><td>c</td></tr>"
                    "<tr><td>a</td><td>b</td><td>c</td><td>d</td><td>e</td></tr>",
                    {{"a", "b", "c", "d"}}},
        CountyCase {
            "AnEmptyCellShiftsTheOthers",
            "<tr><td>Primary Date</td><td></td><td>Monday</td><td>8 am</td><td>Open</td></tr>",
            {{"Primary Date", "Monday", "8 am", "Open"}}},
        CountyCase {
            "NbspCellCountsButCleansToEmpty",
            "<tr><td>&nbsp;</td><td>x&nbsp;y</td><td>8&#8211;9</td><td>a&#8212;b &amp; c</td></tr>",
            {{"", "xy", "8-9", "a-b &amp; c"}}},
        CountyCase {"InnerTagsGiveInnerTextAndABlankAfterTheTagStays",
                    "<tr>\n<td> <span style=\"color: #000;\">Primary</span></td>\n<td>x</td>"
                    "<td>y</td><td><b>z</b></td>\n</tr>",
                    {{" Primary", "x", "y", "z"}}},
        CountyCase {"LinesPairWithStatusLines",
                    "<tr><td>T</td><td>D</td><td>1 pm<br />5 pm</td><td>Open<br />Shut</td></tr>",
                    {{"T", "D", "1 pm", "Open"}, {"T", "D", "5 pm", "Shut"}}},
        CountyCase {"TwoHoursLinesOneStatusLineRunTogether",
                    "<tr><td>T</td><td>D</td><td>1 pm<br />5 pm</td><td>Open</td></tr>",
                    {{"T", "D", "1 pm5 pm", "Open"}}},
        CountyCase {
            "DashLinesAreNoLines",
            "<tr><td>T</td><td>D</td><td>1 pm<br />---</td><td>Open<br "
            "/>&#8211;&#8211;&#8211;</td></tr>"
            "<tr><td>T</td><td>E</td><td>1 pm<br />2 pm<br />---</td><td>a<br />b</td></tr>",
            {{"T", "D", "1 pm---", "Open---"}, {"T", "E", "1 pm", "a"}, {"T", "E", "2 pm", "b"}}},
        CountyCase {"ARowTagWithAttributesDoesNotSplit",
                    "<tr><td>a</td><td>b</td><td>c</td><td>d</td></tr><tr class=\"x\"><td>e</td>"
                    "<td>f</td><td>g</td><td>h</td></tr>",
                    {{"a", "b", "c", "d"}}},
        CountyCase {"TheSameClosureTwiceGivesTwoRecords",
                    "<tr><td>a</td><td>b</td><td>c</td><td>d</td></tr><tr><td>a</td><td>b</"
                    "td><td>c</td><td>d</td></tr>",
                    {{"a", "b", "c", "d"}, {"a", "b", "c", "d"}}},
        CountyCase {"YesterdayStaysTheDayBeforeGoes",
                    "<tr><td>T</td><td>December 28, 2020</td><td>h</td><td>s</td></tr>"
                    "<tr><td>T</td><td>December 27, 2020</td><td>h</td><td>s</td></tr>"
                    "<tr><td>T</td><td>to be announced</td><td>h</td><td>s</td></tr>",
                    {{"T", "December 28, 2020", "h", "s"}, {"T", "to be announced", "h", "s"}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CountyTest, APageWithoutTheExactTableBodyIsAFailure)
{
    for (const char *page : {"<html>no table</html>", "<table><tbody><tr><td>a</td></tr>",
                             "<table><tbody class=\"x\"><tr></tr></tbody></table>",
                             "<TABLE><TBODY></TBODY></TABLE>", "</tbody><tbody>"}) {
        EXPECT_FALSE(parse(QString::fromLatin1(page))) << page;
    }
    EXPECT_EQ(delegate.events(), QStringList(5, "error"));
}

// ---- the fetch
// ------------------------------------------------------------------------------------

TEST_F(CountyTest, EachDownloadReportsExactlyWhatItFound)
{
    const QUrl link = scraper->cameronCountyLink();
    EXPECT_EQ(link, QUrl("https://www.cameroncountytx.gov/spacex/"));
    const auto check = [&](std::optional<QByteArray> body, std::optional<HttpError> error = {}) {
        scraper->checkCameronCounty();
        ASSERT_TRUE(http.respond(link, std::move(body), std::move(error)));
    };
    check(std::nullopt, HttpError {"The request timed out."});
    check(std::nullopt);
    check(QByteArray("<table><tbody></tbody></table>"), HttpError {"reset"});
    EXPECT_TRUE(delegate.events().isEmpty());

    check(QByteArray(""));
    check(QByteArray("\xff"));
    check(QByteArray("<html>404 Not Found</html>"));
    EXPECT_EQ(delegate.events(), QStringList(3, "error"));

    check(fixture("closures-table-2021-01.html").toUtf8());
    check(QByteArray("<table><tbody></tbody></table>"));
    check(QByteArray("<table><tbody></tbody></table>"), HttpError {"status 503", 503});
    EXPECT_EQ(delegate.events().mid(3), QStringList(3, "cameronDetails"));
    EXPECT_EQ(delegate.county()[0].size(), 6);
    EXPECT_TRUE(delegate.county()[1].isEmpty());
}

TEST_F(CountyTest, TwoOverlappingChecksReportInTheOrderTheirDownloadsFinish)
{
    const QUrl link = scraper->cameronCountyLink();
    scraper->checkCameronCounty();
    scraper->checkCameronCounty();
    scraper.reset(); // a dropped scraper still reports its downloads
    ASSERT_TRUE(http.respond(
        link, QByteArray("<tbody><tr><td>a</td><td>first</td><td>c</td><td>d</td></tbody>")));
    ASSERT_TRUE(http.respond(link, QByteArray("<tbody></tbody>")));
    ASSERT_EQ(delegate.county().size(), 2u);
    EXPECT_EQ(delegate.county()[0].size(), 1);
    EXPECT_TRUE(delegate.county()[1].isEmpty());
}

// ---- the city's beach and road access page (reconstructed from public descriptions) -----------

struct CityCase
{
    const char *name;
    const char *blocks; // inside <body>
    std::vector<std::pair<const char *, const char *>> rows; // left, right
    bool readable = true;
};

class CityQuirks : public CountyTest, public ::testing::WithParamInterface<CityCase>
{
};

TEST_P(CityQuirks, Parse)
{
    const auto rows = StarbaseClosures::parse(
        "<html><body><div id=\"rich-bar-message\">Beach closed | Road delay</div>"
            + QString::fromUtf8(GetParam().blocks) + "</body></html>",
        clock);
    ASSERT_EQ(bool(rows), GetParam().readable);
    if (!rows)
        return;
    ASSERT_EQ(size_t(rows->size()), GetParam().rows.size());
    for (size_t i = 0; i < GetParam().rows.size(); ++i) {
        EXPECT_EQ(rows->at(qsizetype(i)).left, QString::fromUtf8(GetParam().rows[i].first));
        EXPECT_EQ(rows->at(qsizetype(i)).right, QString::fromUtf8(GetParam().rows[i].second));
    }
}

INSTANTIATE_TEST_SUITE_P(
    City, CityQuirks,
    ::testing::Values(
        CityCase {"BeachLinesInTheThreeSpellingsOfABreak",
                  R"(<DIV ID='beach-closure' class="w-dyn-list"><div class="w-dyn-items">
                     <div role="listitem" class="w-dyn-item">
                       <div class="cms-big-text">Beach &amp; Boca Chica Blvd Closure</div>
                       <div class="w-richtext"><p>Primary: Dec. 30 from 1:00 PM to 11:00 PM CT<br>
                         Backup: Dec. 31 from 1:00 PM to 11:00 PM CT<br/>Alternate: Jan. 2 from
                         8:00 AM to 5:00 PM<BR />Extra: none</p></div></div></div></DIV>)",
                  {{"Beach Primary", "Dec. 30 from 1:00 PM to 11:00 PM CT"},
                   {"Beach Backup", "Dec. 31 from 1:00 PM to 11:00 PM CT"},
                   {"Beach Alternate", "Jan. 2 from 8:00 AM to 5:00 PM"},
                   {"Beach Extra", "none"}}},
        CityCase {
            "SeveralPairsInOneItemAndAHiddenPlaceholderBeside",
            R"(<div id="road-closure"><div class="w-dyn-items">
                     <div class="w-dyn-item cms-item-2"><div class="cms-big-text">Road Delay</div>
                     <div class="rich-text w-richtext"><p>Description: Production to Pad<br/>
                     Date: December 30 11:59 PM to December 31 4:00 AM<br/><br/>Description:
                     Pad &#8211; Production &amp; back<br/>Date: 12/31/20 from 6:00 AM to 6:00
                     PM</p></div></div></div>
                     <div class="cms-big-text empty-state w-condition-invisible">No road
                     delays.</div></div>)",
            {{"Road Delay: Production to Pad", "December 30 11:59 PM to December 31 4:00 AM"},
             {"Road Delay: Pad \u2013 Production & back", "12/31/20 from 6:00 AM to 6:00 PM"}}},
        CityCase {"AVisiblePlaceholderIsNoRow",
                  R"(<div id="road-closure"><div class="w-dyn-item"><div class="cms-big-text">No
                     road delays.</div><div class="w-richtext">Date: December 30</div></div>
                     <div class="w-dyn-empty">No road delays.</div></div>
                     <div id="beach-closure"><div class="w-dyn-item"><div class="w-richtext">
                     No beach closures</div></div></div>)",
                  {}},
        CityCase {"AnItemWithoutRichTextAndAHiddenItem",
                  R"(<div id="beach-closure"><div class="w-dyn-item"><div class="cms-big-text">
                     Beach Closure</div></div><div class="w-dyn-item w-condition-invisible">
                     <div class="w-richtext">Primary: December 30</div></div></div>)",
                  {}},
        CityCase {"ARowOverByMoreThanADayIsDropped",
                  R"(<div id="beach-closure"><div class="w-dyn-item"><div class="w-richtext">
                     Primary: Dec. 27 from 1:00 PM to 11:00 PM CT<br>Backup: Dec. 28 from 1:00
                     PM to 11:00 PM CT</div></div></div>)",
                  {{"Beach Backup", "Dec. 28 from 1:00 PM to 11:00 PM CT"}}},
        CityCase {"APageWithNeitherBlockIsAFailure",
                  "<h2>BEACH Access Status</h2><div id=\"beach\">Primary: Dec. 30</div>",
                  {},
                  false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
