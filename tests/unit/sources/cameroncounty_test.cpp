#include "sources/county/cameroncountyparse.h"
#include "sources/starbase/starbaseclosures.h"

#include "menu/noticerows.h"
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
    const FakeClock clock;
    for (const QString &row : cases("county-entries")) {
        const QStringList cells = row.section(" -> ", 0, 0).split('|');
        const QString left = row.section(" -> ", 1).section('|', 0, 0);
        const QString right = row.section(" -> ", 1).section('|', 1);
        const auto item
            = NoticeRows(clock, "America/Chicago")
                  .entriesOf(Source::county,
                             {CameronCountyRecord {cells[0], cells[1], cells[2], cells[3]}.notice(
                                 QUrl("https://county/"))},
                             nullptr)[0];
        EXPECT_EQ(item->title(), left.leftJustified(40) + " " + right) << row;
        EXPECT_EQ(item->view()->leftText(), left.leftJustified(40));
        EXPECT_EQ(item->view()->rightText(), right);
        EXPECT_EQ(item->action(), Action::openPage);
        EXPECT_EQ(std::any_cast<QUrl>(item->representedObject()), QUrl("https://county/"));
    }
    // A page's whole paragraph is no menu entry: the entry stops at 200 units.
    const QString title
        = NoticeRows(clock, "America/Chicago")
              .titleOf(CameronCountyRecord {"T", "x", QString(300, 'h'), ""}.notice({}));
    EXPECT_EQ(title, QString("T: x").leftJustified(41) + QString(158, 'h') + "…");
    const CameronCountyRecord a {"Primary Date", "Monday", "8 am", "Scheduled"};
    EXPECT_EQ(a, (CameronCountyRecord {"Primary Date", "Monday", "8 am", "Scheduled"}));
    EXPECT_NE(a, (CameronCountyRecord {"Primary Date", "Monday", "8 am", "Canceled"}));
}

// ---- the page parser and the fetch ----------------------------------------------------------

// A table whose headings name the closure table's columns.
const QString table = "<table><thead><tr><th>Closure Date</th><th>Time</th><th>Status</th></tr>"
                      "</thead><tbody>";

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
        const auto records = parse(table + rows + "</tbody></table>");
        ASSERT_TRUE(records) << quirk;
        EXPECT_EQ(fields(*records).join(" ; "), parts[2]) << quirk;
    }
    // Without its exact table body; a layout table of four cells without the closure columns; the
    // closure columns over rows of three cells.
    for (const QString &page : QStringList {
             "<html>no table</html>", "<table><tbody><tr><td>a</td></tr>",
             "<table><tbody class=\"x\"><tr></tr></tbody></table>",
             "<TABLE><TBODY></TBODY></TABLE>", "</tbody><tbody>",
             "<form><table><tbody><tr><td>User</td><td><input></td><td>Password</td><td><input>"
             "</td></tr></tbody></table></form>",
             table + "<tr><td>Primary Date</td><td>Monday</td><td>8 am</td></tr></tbody></table>"})
        EXPECT_FALSE(parse(page)) << page;
    EXPECT_EQ(delegate.events(), QStringList(7, "error"));
}

// No answer is a source not reached; a body that is no text or has no table body, and an error
// status, are failures; a table is read. Overlapping downloads report in the order they finish,
// also from a scraper its owner dropped.
TEST_F(CountyTest, EachDownloadReportsExactlyWhatItFound)
{
    const QUrl link = scraper->cameronCountyLink();
    EXPECT_EQ(link, QUrl("https://www.cameroncountytx.gov/spacex/"));
    const QByteArray empty((table + "</tbody></table>").toUtf8());
    for (const auto &[body, error] :
         {answer(std::nullopt, -1), answer(std::nullopt), answer(empty, -1), answer(""),
          answer("\xff"), answer("<html>404 Not Found</html>"),
          answer(fixture("county/closures-table-2021-01.html").toUtf8()), answer(empty, 503)}) {
        scraper->checkCameronCounty();
        ASSERT_TRUE(http.respond(link, body, error));
    }
    EXPECT_EQ(delegate.events(),
              (QStringList {"notReached", "notReached", "notReached", "error", "error", "error",
                            "cameronDetails", "error"}));
    EXPECT_EQ(delegate.reasons().back(), "the server answered 503");
    EXPECT_EQ(delegate.read(Source::county)[0].size(), 6);
    // A page of another encoding: the one its markup declares, else Windows-1252.
    for (const QByteArray &meta : {QByteArray(), QByteArray("<meta charset=\"iso-8859-15\">")}) {
        scraper->checkCameronCounty();
        ASSERT_TRUE(http.respond(link,
                                 meta
                                     + (table
                                        + "<tr><td>Primary Date</td><td>x</td>"
                                          "<td>8 a.m. &#8211; 5 p.m.</td><td>Ca")
                                           .toLatin1()
                                     + (meta.isEmpty() ? "\x93" : "\xa4")
                                     + "ncel\xe9\x94</td></tr></tbody>"));
        EXPECT_EQ(delegate.read(Source::county).back().value(0).statusText,
                  QString(meta.isEmpty() ? "Ca“ncelé”" : "Ca€ncelé"));
    }
    scraper->checkCameronCounty();
    scraper->checkCameronCounty();
    scraper.reset();
    ASSERT_TRUE(http.respond(
        link, (table + "<tr><td>a</td><td>b</td><td>c</td><td>d</td></tbody>").toUtf8()));
    ASSERT_TRUE(http.respond(link, empty));
    ASSERT_EQ(delegate.read(Source::county).size(), 5u);
    EXPECT_EQ(delegate.read(Source::county)[3].size(), 1);
    EXPECT_TRUE(delegate.read(Source::county)[4].isEmpty());
}

// ---- the city's beach and road access page (reconstructed from public descriptions) -----------

TEST_F(CountyTest, CityPageQuirks)
{
    for (const QString &row : cases("starbase-page")) {
        const QStringList parts = row.split(" ~ ");
        QStringList unread;
        const auto rows = StarbaseClosures::parse(
            "<html><body><div id=\"rich-bar-message\">Beach closed | Road delay</div>" + parts[1]
                + "</body></html>",
            clock, "America/Chicago", &unread);
        ASSERT_EQ(bool(rows), parts[2] != "unreadable") << row;
        QStringList found;
        for (const Notice &r : rows.value_or(QList<Notice>()))
            found << r.label + " | " + r.text
                    + (r.status == Notice::Status::canceled ? " (canceled)" : "");
        EXPECT_EQ(found.join(" ; "), rows ? parts[2] : "") << row;
        EXPECT_EQ(unread.join(", "), parts.value(3)) << row;
    }
    // A megabyte of blocks inside 250 nested elements with long class values: every block read
    // (bench_starbase measures how the time grows with the size).
    const QString classes = QString("column ").repeated(40);
    const QString block = "<div class=\"" + classes
        + "\"><div id=beach-closure><p>Primary: Dec. 30 6:30 AM to 9:00 PM</p></div></div>";
    const QString deep = QString("<div class=\"" + classes + "\">").repeated(250)
        + block.repeated(1024 * 1024 / block.size()) + QString("</div>").repeated(250);
    const auto rows = StarbaseClosures::parse(deep, clock, "America/Chicago");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), 1024 * 1024 / block.size());
}

} // namespace
