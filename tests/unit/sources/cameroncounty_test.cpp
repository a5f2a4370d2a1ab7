#include "sources/county/cameroncountyparse.h"
#include "sources/starbase/starbaseclosures.h"

#include "platform/rowview.h"

#include "testing.h"
#include "world.h"

namespace {

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
    for (const QString &row : cases("county-entries")) {
        const QStringList cells = row.section(" -> ", 0, 0).split('|');
        const QString left = row.section(" -> ", 1).section('|', 0, 0);
        const QString right = row.section(" -> ", 1).section('|', 1);
        const auto item = CameronCountyRecord {cells[0], cells[1], cells[2], cells[3]}.menuItems(
            nullptr, "openCameronCountyAction:")[0];
        EXPECT_EQ(item->title(), left.leftJustified(40) + " " + right) << row;
        EXPECT_EQ(item->view()->leftText(), left.leftJustified(40));
        EXPECT_EQ(item->view()->rightText(), right);
        EXPECT_EQ(item->action(), "openCameronCountyAction:");
    }
    const CameronCountyRecord a {"Primary Date", "Monday", "8 am", "Scheduled"};
    EXPECT_EQ(a, (CameronCountyRecord {"Primary Date", "Monday", "8 am", "Scheduled"}));
    EXPECT_NE(a, (CameronCountyRecord {"Primary Date", "Monday", "8 am", "Canceled"}));
}

// ---- the page parser and the fetch ----------------------------------------------------------

class CountyTest : public ::testing::Test, protected World
{
protected:
    CountyTest() : World(at("2020-12-29T10:00:00"))
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
    for (const char *row : {"table-2021-01 ~ Now Open ~ 6", "spans-2021-06 ~ Closure Canceled ~ 3",
                            "mixed-month-names-2021-01 ~ Closure Canceled ~ 3"}) {
        const QStringList f = QString(row).split(" ~ ");
        const auto records = parse(fixture("county/closures-" + f[0] + ".html"));
        ASSERT_EQ(records.value_or(QList<CameronCountyRecord>()).size(), f[2].toInt()) << row;
        EXPECT_EQ(fields(*records)[0],
                  "Primary Date|Monday, Dec 28, 2020|8:00 am to 7:00 pm|Closure Scheduled");
        EXPECT_EQ((*records)[1].status, f[1]) << row;
    }
    // At 10:00 on January 5th: Dec 28 to 30 are over, January 4th (noon) is 22 hours past.
    clock.set(at("2021-01-05T10:00:00"));
    QStringList days;
    const auto current = parse(fixture("county/closures-table-2021-01.html"));
    for (const auto &r : current.value())
        days << r.day;
    EXPECT_EQ(days.join('|'), "Monday, Jan 4, 2021|Tuesday, Jan 5, 2021|Wednesday, Jan 6, 2021");
}

// The table body's rows and cells; the later page's wording ("Primary Day", "Possible Closure")
// and its second table, which is not read, come from its text capture.
TEST_F(CountyTest, CellQuirks)
{
    for (const QString &quirk : cases("county-cells")) {
        const QStringList parts = quirk.split(" ~ ");
        // Cells written with "|" become <td> elements.
        QString rows = parts[1];
        for (const QString &cells : QString(rows).split("<tr>").mid(1)) {
            const QString inside = cells.section("</tr>", 0, 0);
            if (!inside.contains("<td>"))
                rows.replace("<tr>" + inside + "</tr>",
                             "<tr><td>" + inside.split('|').join("</td><td>") + "</td></tr>");
        }
        const auto records = parse("<table><tbody>" + rows + "</tbody></table>");
        ASSERT_TRUE(records) << quirk;
        EXPECT_EQ(fields(*records).join(" ; "), parts[2]) << quirk;
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
         {answer(std::nullopt, -1), answer(std::nullopt), answer(empty, -1), answer(""),
          answer("\xff"), answer("<html>404 Not Found</html>"),
          answer(fixture("county/closures-table-2021-01.html").toUtf8()), answer(empty, 503)}) {
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
