#include "sources/county/cameroncountyparse.h"
#include "sources/starbase/starbaseclosures.h"

#include "platform/rowview.h"

#include "icuscope.h"
#include "qtprinters.h"
#include "world.h"

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

// "date type|day|hours|status" of each record.
QStringList fields(const QList<CameronCountyRecord> &records)
{
    QStringList result;
    for (const CameronCountyRecord &r : records)
        result << QStringList {r.dateType, r.day, r.times, r.status}.join('|');
    return result;
}

// ---- the record ---------------------------------------------------------------------------------

// The entry: "<date type without " Date">: <day without ", 2021">" in 40 UTF-16 units with
// references decoded, then the hours, or the status when it cancels or concludes the closure.
TEST(CameronCountyRecord, TheMenuEntry)
{
    const std::pair<CameronCountyRecord, QString> entries[] = {
        {{"Primary Date", "Monday, March 8, 2021", "8:00 am to 5:00 pm", "Closure Scheduled"},
         "Primary: Monday, March 8|8:00 am to 5:00 pm"},
        {{"Date", "Monday, March 8, 2022", "8:00 am", "Closure Canceled"},
         "Date: Monday, March 8, 2022|Closure Canceled"},
        {{"Alt Date Date", "x", "8 am", "CANCELLED"}, "Alt: x|CANCELLED"},
        {{"T", "x", "8 am", "Canceled - rescheduled"}, "T: x|Canceled - rescheduled"},
        {{"T", "x", "8 am", "Closure Concluded"}, "T: x|Closure Concluded"},
        {{"T", "x", "8 am", "Closure ended"}, "T: x|8 am"},
        {{"Primary Date", "Tue &#8211; Wed", "8 a.m. (SH 4 &amp; beach)", ""},
         "Primary: Tue \u2013 Wed|8 a.m. (SH 4 & beach)"},
        {{"", "", "", ""}, ": |"},
        {{"P Date", QString::fromUtf8("🚀") + QString(40, 'x'), "hours", ""},
         "P: 🚀" + QString(35, 'x') + "|hours"},
    };
    for (const auto &[record, expected] : entries) {
        const auto item = record.menuItems(nullptr, "openCameronCountyAction:")[0];
        const QString left = expected.section('|', 0, 0).leftJustified(40);
        const QString right = expected.section('|', 1);
        EXPECT_EQ(item->title(), left + " " + right) << expected.toStdString();
        EXPECT_EQ(item->view()->leftText(), left);
        EXPECT_EQ(item->view()->rightText(), right);
        EXPECT_EQ(item->action(), "openCameronCountyAction:");
    }
    EXPECT_FALSE((CameronCountyRecord {"", "", "", ""}.canceledOrEnded()));
    const CameronCountyRecord a {"Primary Date", "Monday", "8 am", "Scheduled"};
    EXPECT_EQ(a, (CameronCountyRecord {"Primary Date", "Monday", "8 am", "Scheduled"}));
    EXPECT_NE(a, (CameronCountyRecord {"Primary Date", "Monday", "8 am", "Canceled"}));
}

// ---- the page parser and the fetch ----------------------------------------------------------

class CountyTest : public ::testing::Test, protected World
{
protected:
    CountyTest() : World(chicago("2020-12-29T10:00:00"))
    {
        scraper = std::make_shared<CameronCountyParse>(environment());
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

    IcuScope scope {"America/Chicago"};
    std::shared_ptr<CameronCountyParse> scraper;
};

TEST_F(CountyTest, TheRealTablesGiveTheirCurrentRowsInPageOrder)
{
    for (const auto &[name, secondStatus] :
         {std::pair {"closures-table-2021-01.html", "Now Open"},
          std::pair {"closures-spans-2021-06.html", "Closure Canceled"},
          std::pair {"closures-mixed-month-names-2021-01.html", "Closure Canceled"}}) {
        const auto records = parse(fixture(name));
        ASSERT_GE(records.value_or(QList<CameronCountyRecord>()).size(), 3) << name;
        EXPECT_EQ(fields(*records)[0],
                  "Primary Date|Monday, Dec 28, 2020|8:00 am to 7:00 pm|Closure Scheduled");
        EXPECT_EQ((*records)[1].status, secondStatus) << name;
    }
    EXPECT_EQ(parse(fixture("closures-table-2021-01.html"))->size(), 6);
    // At 10:00 on January 5th: Dec 28 to 30 are over, January 4th (noon) is 22 hours past.
    clock.set(chicago("2021-01-05T10:00:00"));
    QStringList days;
    const auto current = parse(fixture("closures-table-2021-01.html"));
    for (const auto &r : *current)
        days << r.day;
    EXPECT_EQ(
        days,
        (QStringList {"Monday, Jan 4, 2021", "Tuesday, Jan 5, 2021", "Wednesday, Jan 6, 2021"}));
}

// The table body's rows and cells, one row per quirk: "rows inside <tbody>" and the records. The
// later page's wording ("Primary Day", "Possible Closure") and its second table, which is not read,
// come from its text capture.
TEST_F(CountyTest, CellQuirks)
{
    const std::tuple<const char *, const char *, QStringList> cases[] = {
        {"no row", "\n  \n", {}},
        {"three cells yield nothing, five yield four",
         "<tr><td>a</td><td>b</td><td>c</td></tr><tr><td>a</td><td>b</td><td>c</td><td>d</"
         "td><td>e</td></tr>",
         {"a|b|c|d"}},
        {"an empty cell shifts the others",
         "<tr><td>Primary Date</td><td></td><td>Monday</td><td>8 am</td><td>Open</td></tr>",
         {"Primary Date|Monday|8 am|Open"}},
        {"a no-break space cell counts but cleans to empty, dashes as hyphens",
         "<tr><td>&nbsp;</td><td>x&nbsp;y</td><td>8&#8211;9</td><td>a&#8212;b &amp; c</td></tr>",
         {"|xy|8-9|a-b &amp; c"}},
        {"inner tags give inner text and a blank after the tag stays",
         "<tr>\n<td> <span style=\"color: "
         "#000;\">Primary</span></td>\n<td>x</td><td>y</td><td><b>z</b></td>\n</tr>",
         {" Primary|x|y|z"}},
        {"lines pair with status lines",
         "<tr><td>T</td><td>D</td><td>1 pm<br />5 pm</td><td>Open<br />Shut</td></tr>",
         {"T|D|1 pm|Open", "T|D|5 pm|Shut"}},
        {"two hours lines and one status line run together",
         "<tr><td>T</td><td>D</td><td>1 pm<br />5 pm</td><td>Open</td></tr>",
         {"T|D|1 pm5 pm|Open"}},
        {"dash lines are no lines",
         "<tr><td>T</td><td>D</td><td>1 pm<br />---</td><td>Open<br "
         "/>&#8211;&#8211;&#8211;</td></tr>"
         "<tr><td>T</td><td>E</td><td>1 pm<br />2 pm<br />---</td><td>a<br />b</td></tr>",
         {"T|D|1 pm---|Open---", "T|E|1 pm|a", "T|E|2 pm|b"}},
        {"a row tag with attributes does not split",
         "<tr><td>a</td><td>b</td><td>c</td><td>d</td></tr><tr "
         "class=\"x\"><td>e</td><td>f</td><td>g</td><td>h</td></tr>",
         {"a|b|c|d"}},
        {"the same closure twice gives two records",
         "<tr><td>a</td><td>b</td><td>c</td><td>d</td></tr><tr><td>a</td><td>b</td><td>c</"
         "td><td>d</td></tr>",
         {"a|b|c|d", "a|b|c|d"}},
        {"yesterday stays, the day before goes",
         "<tr><td>T</td><td>December 28, "
         "2020</td><td>h</td><td>s</td></tr><tr><td>T</td><td>December 27, "
         "2020</td><td>h</td><td>s</td></tr><tr><td>T</td><td>to be "
         "announced</td><td>h</td><td>s</td></tr>",
         {"T|December 28, 2020|h|s", "T|to be announced|h|s"}},
        {"the later wording, and only the first table",
         "\n<tr>\n<td>Primary Day</td>\n<td>December 29, 2020</td>\n<td>7:00 a.m. to 7:00 "
         "p.m.</td>\n"
         "<td>Possible Closure</td>\n</tr>\n<tr>\n<td>Alternative Day</td>\n<td>December 30, "
         "2020</td>\n"
         "<td>7:00 a.m. to 7:00 p.m.<br />\n12 p.m. to 4 p.m.</td>\n<td>Possible Closure<br "
         "/>\nClosure "
         "Canceled</td>\n</tr>\n</tbody></table><h3>Road Delay</h3><table><tbody>\n<tr><td>Primary "
         "Date</td><td>Dec 30, 2020</td><td>12 a.m. to 4 a.m.</td><td>x</td></tr>",
         {"Primary Day|December 29, 2020|7:00 a.m. to 7:00 p.m.|Possible Closure",
          "Alternative Day|December 30, 2020|7:00 a.m. to 7:00 p.m.|Possible Closure",
          "Alternative Day|December 30, 2020|12 p.m. to 4 p.m.|Closure Canceled"}},
    };
    for (const auto &[name, rows, expected] : cases) {
        const auto records = parse("<table><tbody>" + QString::fromUtf8(rows) + "</tbody></table>");
        ASSERT_TRUE(records) << name;
        EXPECT_EQ(fields(*records), expected) << name;
    }
    for (const char *page : {"<html>no table</html>", "<table><tbody><tr><td>a</td></tr>",
                             "<table><tbody class=\"x\"><tr></tr></tbody></table>",
                             "<TABLE><TBODY></TBODY></TABLE>", "</tbody><tbody>"})
        EXPECT_FALSE(parse(QString::fromLatin1(page))) << page;
    EXPECT_EQ(delegate.events(), QStringList(5, "error")) << "a page without its exact table body";
}

// A transport failure reports nothing; a body that is no text or has no table body is a failure;
// a table, also with an error status, is read. Overlapping downloads report in the order they
// finish, also from a scraper its owner dropped.
TEST_F(CountyTest, EachDownloadReportsExactlyWhatItFound)
{
    const QUrl link = scraper->cameronCountyLink();
    EXPECT_EQ(link, QUrl("https://www.cameroncountytx.gov/spacex/"));
    const QByteArray empty("<table><tbody></tbody></table>");
    for (const auto &[body, error] :
         std::vector<std::pair<std::optional<QByteArray>, std::optional<HttpError>>> {
             {std::nullopt, HttpError {"The request timed out."}},
             {std::nullopt, std::nullopt},
             {empty, HttpError {"reset"}},
             {"", std::nullopt},
             {"\xff", std::nullopt},
             {"<html>404 Not Found</html>", std::nullopt},
             {fixture("closures-table-2021-01.html").toUtf8(), std::nullopt},
             {empty, HttpError {"status 503", 503}}}) {
        scraper->checkCameronCounty();
        ASSERT_TRUE(http.respond(link, body, error));
    }
    EXPECT_EQ(delegate.events(),
              (QStringList {"error", "error", "error", "cameronDetails", "cameronDetails"}));
    EXPECT_EQ(delegate.county()[0].size(), 6);
    scraper->checkCameronCounty();
    scraper->checkCameronCounty();
    scraper.reset();
    ASSERT_TRUE(http.respond(link, "<tbody><tr><td>a</td><td>b</td><td>c</td><td>d</td></tbody>"));
    ASSERT_TRUE(http.respond(link, empty));
    ASSERT_EQ(delegate.county().size(), 4u);
    EXPECT_EQ(delegate.county()[2].size(), 1);
    EXPECT_TRUE(delegate.county()[3].isEmpty());
}

// ---- the city's beach and road access page (reconstructed from public descriptions) -----------

// Each row as "left | right"; a page with neither block is unreadable.
TEST_F(CountyTest, CityPageQuirks)
{
    const std::tuple<const char *, const char *, QStringList, bool> cases[] = {
        {"beach lines in the three spellings of a break",
         R"(<DIV ID='beach-closure' class="w-dyn-list"><div class="w-dyn-items">
            <div role="listitem" class="w-dyn-item">
            <div class="cms-big-text">Beach &amp; Boca Chica Blvd Closure</div>
            <div class="w-richtext"><p>Primary: Dec. 30 from 1:00 PM to 11:00 PM CT<br>
            Backup: Dec. 31 from 1:00 PM to 11:00 PM CT<br/>Alternate: Jan. 2 from
            8:00 AM to 5:00 PM<BR />Extra: none</p></div></div></div></DIV>)",
         {"Beach Primary | Dec. 30 from 1:00 PM to 11:00 PM CT",
          "Beach Backup | Dec. 31 from 1:00 PM to 11:00 PM CT",
          "Beach Alternate | Jan. 2 from 8:00 AM to 5:00 PM", "Beach Extra | none"},
         true},
        {"several pairs in one item, references decoded, a hidden placeholder beside",
         R"(<div id="road-closure"><div class="w-dyn-items"><div class="w-dyn-item cms-item-2">
            <div class="cms-big-text">Road Delay</div><div class="rich-text w-richtext">
            <p>Description: Production to Pad<br/>Date: December 30 11:59 PM to December 31
            4:00 AM<br/><br/>Description: Pad &#8211; Production &amp; back<br/>Date: 12/31/20
            from 6:00 AM to 6:00 PM</p></div></div></div><div class="cms-big-text empty-state
            w-condition-invisible">No road delays.</div></div>)",
         {"Road Delay: Production to Pad | December 30 11:59 PM to December 31 4:00 AM",
          "Road Delay: Pad \u2013 Production & back | 12/31/20 from 6:00 AM to 6:00 PM"},
         true},
        {"a visible placeholder is no row",
         R"(<div id="road-closure"><div class="w-dyn-item"><div class="cms-big-text">No road
            delays.</div><div class="w-richtext">Date: December 30</div></div></div>
            <div id="beach-closure"><div class="w-dyn-item"><div class="w-richtext">No beach
            closures</div></div></div>)",
         {},
         true},
        {"an item without rich text, and a hidden item",
         R"(<div id="beach-closure"><div class="w-dyn-item"><div class="cms-big-text">Beach
            Closure</div></div><div class="w-dyn-item w-condition-invisible"><div
            class="w-richtext">Primary: December 30</div></div></div>)",
         {},
         true},
        {"a row over by more than a day",
         R"(<div id="beach-closure"><div class="w-dyn-item"><div class="w-richtext">Primary:
            Dec. 27 from 1:00 PM to 11:00 PM CT<br>Backup: Dec. 28 from 1:00 PM to 11:00 PM
            CT</div></div></div>)",
         {"Beach Backup | Dec. 28 from 1:00 PM to 11:00 PM CT"},
         true},
        {"a page with neither block", "<div id=\"beach\">Primary: Dec. 30</div>", {}, false},
    };
    for (const auto &[name, blocks, expected, readable] : cases) {
        const auto rows = StarbaseClosures::parse(
            "<html><body><div id=\"rich-bar-message\">Beach closed | Road delay</div>"
                + QString::fromUtf8(blocks) + "</body></html>",
            clock);
        ASSERT_EQ(bool(rows), readable) << name;
        QStringList found;
        for (const RowRecord &row : rows.value_or(QList<RowRecord>()))
            found << row.left + " | " + row.right;
        EXPECT_EQ(found, expected) << name;
    }
}

} // namespace
