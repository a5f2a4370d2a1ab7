#include "menu/noticerows.h"
#include "sources/msib/msib.h"
#include "sources/navwarn/navigationalwarnings.h"

#include "testing.h"
#include "world.h"

namespace {

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
    // The bulletin's entry after the last read.
    MenuItem::Ptr entry() const
    {
        return NoticeRows(clock, "America/Chicago")
            .entriesOf(Source::bulletin, delegate.read(Source::bulletin).back(), nullptr)[0];
    }

    std::shared_ptr<MSIB> watcher;
};

// A finished load is read at 15, 30, 45 and 60 seconds and then no more; a result that is no text
// is no read; a second load takes the first one's polling; a watcher that goes away stops its
// polling; a failed load (an error page too) is a failure that keeps the last find and does not
// poll. Read once, the page is read as soon as the load finishes; a load that never arrived is a
// source not reached.
TEST_F(MSIBTest, Polling)
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
            webView().answerScripts(second == 15 ? QVariant(42) : QVariant(page));
        }
    }
    EXPECT_EQ(reads, (std::vector<double> {15, 30, 45, 60}));
    EXPECT_EQ(webView().scripts().first(), "document.documentElement.outerHTML.toString()");
    EXPECT_EQ(loop.activeTimers(), 0u);
    EXPECT_EQ(delegate.count("msib"), 3) << "each read reports";
    watcher->check();
    webView().fail();
    loop.advance(100);
    EXPECT_EQ(webView().pendingScripts(), 0u) << "no polling after a failed load";
    EXPECT_EQ(delegate.events().back(), "error");
    EXPECT_EQ(entry()->title(), "     Bulletin: SpaceX Hazard Area");
    for (int load = 0; load < 2; ++load) {
        watcher->check();
        webView().finish();
    }
    EXPECT_EQ(loop.activeTimers(), 1u);
    watcher.reset();
    EXPECT_EQ(loop.activeTimers(), 0u);

    make(true);
    watcher->check();
    webView().finish();
    EXPECT_EQ(webView().pendingScripts(), 1u);
    EXPECT_EQ(loop.activeTimers(), 0u);
    webView().answerScripts(QVariant(page));
    watcher->check();
    webView().failBeforeContent();
    EXPECT_EQ(delegate.count("msib"), 4);
    EXPECT_EQ(delegate.events().back(), "notReached");
    EXPECT_EQ(delegate.reasons().back(), "no answer (timed out)");
    EXPECT_EQ(answers.back(), false);
}

// Each read reports the line that names the marker as the bulletin's notice, or none; the entry
// shows the line without markup, after five blanks, or "     None".
TEST_F(MSIBTest, WhatOneReadFinds)
{
    for (const QString &row : cases("msib-reads")) {
        const QStringList parts = row.split(" ~ ");
        watcher->parse(page); // an earlier find is forgotten
        watcher->parse(parts[0]);
        EXPECT_EQ(delegate.read(Source::bulletin).back().size(), parts[1].isEmpty() ? 0 : 1) << row;
        EXPECT_EQ(watcher->spaceXHazardAreaMentioned(), !parts[1].isEmpty());
        EXPECT_EQ(watcher->documentTitle(), parts[1]);
        EXPECT_EQ(entry()->title(), parts[2]);
        EXPECT_EQ(entry()->isEnabled(), !parts[1].isEmpty());
    }
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
