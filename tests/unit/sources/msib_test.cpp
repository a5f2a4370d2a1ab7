#include "menu/noticerows.h"
#include "sources/msib/msib.h"
#include "sources/navwarn/navigationalwarnings.h"

#include "testing.h"
#include "world.h"

namespace {

class MSIBTest : public ::testing::Test, protected World
{
protected:
    MSIBTest() : World(1'700'000'000.0) // 2023-11-14 16:13 in Chicago
    {
        scraper = std::make_shared<MSIB>(environment());
        scraper->setDelegate(&delegate);
    }
    // The entry the messages give: "     None" without a launch notice.
    QString entry(const QList<MSIB::Message> &messages)
    {
        const std::optional<Notice> notice = scraper->newestLaunchNotice(messages, {});
        return NoticeRows(clock, "America/Chicago")
            .entriesOf(Source::bulletin, notice ? QList {*notice} : QList<Notice> {}, nullptr)[0]
            ->title();
    }

    IcuScope scope {"America/Chicago"};
    std::shared_ptr<MSIB> scraper;
};

const QString header = "Date_Time_Published_GMT,Message_ID,Originator,Criticality,"
                       "Geographic_Area,Message_Body\r\n";

// The list page (reconstructed from public descriptions): the ids of its notices, or none when
// it is not the list.
TEST_F(MSIBTest, TheListPage)
{
    for (const QString &row : cases("bnm-list")) {
        const QStringList f = row.split(" ~ ");
        const auto listed = MSIB::parseList(f[1]);
        ASSERT_EQ(bool(listed), f[2] != "unreadable") << row;
        QStringList guids;
        for (const MSIB::Listed &notice : listed.value_or(QList<MSIB::Listed>()))
            guids << notice.guid;
        EXPECT_EQ(guids.join(' '), listed ? f[2] : "") << row;
    }
}

// The export (reconstructed from public descriptions): its messages, or none without the columns
// that are read.
TEST_F(MSIBTest, TheExport)
{
    for (const QString &row : cases("bnm-export")) {
        const QStringList f = row.split(" ~ ");
        const auto messages = MSIB::parseExport(QString(f[1]).replace("@header", header));
        ASSERT_EQ(bool(messages), f[2] != "unreadable") << row;
        QStringList found;
        for (const MSIB::Message &m : messages.value_or(QList<MSIB::Message>()))
            found << QStringList {m.id, m.originator, m.published, m.body}.join('|');
        EXPECT_EQ(found.join(" ; "), messages ? f[2] : "") << row;
    }
}

// Which notice the section shows: the newest launch notice near the pad, as "CCGD8 BNM 0456-26: "
// and the first sentence of its text.
TEST_F(MSIBTest, TheNewestLaunchNotice)
{
    for (const QString &row : cases("bnm-choice")) {
        const QStringList f = row.split(" ~ ");
        QList<MSIB::Message> messages;
        for (const QString &message : f[1].split(" ;; ")) {
            const QStringList m = message.split('|');
            messages << MSIB::Message {m[0], "CCGD8", m[1], m[2], m[3]};
        }
        EXPECT_EQ(entry(messages), f[2]) << row;
    }
}

// A check reads the list of the last 14 days, then the export of its notices; the notice opens its
// own page. Answers that are not the list or not the export are failures, never "None".
TEST_F(MSIBTest, EachCheckReadsTheListThenTheExport)
{
    const QUrl list("https://www.navcen.uscg.gov/broadcast-notice-to-mariners-search-results?"
                    "district=8&sector=0&items_per_page=50&date-range=2023-10-31--2023-11-14");
    EXPECT_EQ(scraper->listAddress(), list);
    const QUrl exported("https://www.navcen.uscg.gov/"
                        "broadcast-notice-to-mariners-message-export-csv?guid=7+9&format=csv");
    const QByteArray page = "<div class=bnm_message id=7>BNM 0450-26</div><div "
                            "class=bnm_message id=9>BNM 0456-26</div>";
    http.serve(list, page);
    http.serve(exported,
               (header
                + "2023-11-13 10:00:00,0456-26,CCGD8,,Gulf,Starbase rocket launch "
                  "hazard area. Keep clear.\n")
                   .toUtf8());
    scraper->check();
    settle();
    ASSERT_EQ(delegate.read(Source::bulletin).size(), 1u);
    const Notice notice = delegate.read(Source::bulletin)[0].value(0);
    EXPECT_EQ(notice.page,
              QUrl("https://www.navcen.uscg.gov/"
                   "broadcast-notice-to-mariners-message?guid=9"));
    EXPECT_EQ(notice.key, "bulletin-ccgd8-bnm-0456-26");
    for (const auto &[body, error] :
         {answer("<html><form action=login><input name=user></form></html>"), answer(""),
          answer("{\"error\": \"unavailable\"}"), answer(page, 503), answer(std::nullopt, -1)}) {
        http.serve(list, body, error);
        scraper->check();
        settle();
    }
    http.serve(list, page);
    http.serve(exported, "Message_ID,Originator,Message_Body\n0456-26,CCGD8,x\n");
    scraper->check();
    settle();
    EXPECT_EQ(delegate.events(),
              (QStringList {"msib", "error", "error", "error", "error", "notReached", "error"}));
    EXPECT_EQ(delegate.reasons().front(), "the page was not the notices list");
    EXPECT_EQ(delegate.reasons().back(), "the export was not recognised");
}

// ---- the navigational warnings ------------------------------------------------------------------

TEST(NavigationalWarnings, TheRealFeedKeepsTheOneLaunchFromBocaChica)
{
    QFile file(PLUMETRACK_FIXTURES "/navwarn/broadcast-warn-2023-04.json");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto rows = NavigationalWarnings::parse(file.readAll(), at("2023-04-15T12:00:00"));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1);
    const QString right
        = "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 1025Z TO 1610Z DAILY 17 THRU 21 APR";
    const FakeClock clock;
    EXPECT_EQ(NoticeRows(clock, "America/Chicago").titleOf(rows->at(0)),
              QString("NAVAREA IV 387/23").leftJustified(40) + " " + right);
}

// The feed's warnings near the pad that announce a launch, newest first.
TEST(NavigationalWarnings, LaunchWarningsNearThePadNewestFirst)
{
    const QString pad
        = R"("GULF OF AMERICA.\n1. HAZARDOUS OPERATIONS, ROCKET LAUNCHING\n   232245Z )"
          R"(TO 240056Z JUL\n   A. 25-58.00N 097-13.00W, 26-02.00N 097-13.00W.\n")";
    const QString launch = "HAZARDOUS OPERATIONS, ROCKET LAUNCHING 232245Z TO 240056Z JUL";
    for (const QString &row : cases("navwarn-warnings")) {
        const QStringList parts = row.split(" ~ ");
        QStringList elements;
        for (const QString &w : parts[1].split(" ; ")) {
            const QStringList f = w.split(' ');
            elements << (f.size() < 4
                             ? w
                             : QString(R"({"msgYear": %1, "msgNumber": %2, "navArea": %3, )"
                                       R"("text": %4})")
                                   .arg(f[2], f[1], f[0], f.mid(3).join(' '))
                                   .replace("@pad", pad));
        }
        const QString json = parts[1].startsWith('<') || parts[1].startsWith('{')
            ? parts[1]
            : "{\"broadcast-warn\": [" + elements.join(", ") + "]}";
        const auto rows = NavigationalWarnings::parse(json.toUtf8(), 1.8e9);
        ASSERT_EQ(bool(rows), parts[2] != "unreadable") << row;
        QStringList found;
        for (const Notice &r : rows.value_or(QList<Notice>()))
            found << r.label + " | " + r.text;
        EXPECT_EQ(found.join(" ; "), rows ? QString(parts[2]).replace("@launch", launch) : "")
            << row;
    }
}

} // namespace
