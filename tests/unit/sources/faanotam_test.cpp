#include "menu/noticerows.h"
#include "sources/faa/faanotam.h"

#include "fakes.h"
#include "testing.h"

#include "platform/rowview.h"

namespace {

FAANotam notam(const QString &line, QList<double> dates = {}, const QString &link = "a.html")
{
    return FAANotam {"ID", line, std::move(dates), "https://tfr.faa.gov/tfr2/" + link,
                     std::nullopt};
}

TEST(FAANotam, EqualityLooksAtTheLineAndTheDetailAddressOnly)
{
    FAANotam a = notam("BROWNSVILLE, TX, Monday", {1.0});
    FAANotam b = notam("BROWNSVILLE, TX, Monday", {2.0});
    b.id = "OTHER";
    b.details = ParseResults::of("Altitude: 5");
    EXPECT_EQ(a, b);
    EXPECT_NE(a, notam("BROWNSVILLE, TX, Monday", {}, "b.html"));
    // Canonically equivalent texts are equal: é precomposed and decomposed.
    EXPECT_EQ(notam(QString::fromUtf8("Caf\u00e9")), notam(QString::fromUtf8("Cafe\u0301")));
    EXPECT_NE(notam("brownsville"), notam("BROWNSVILLE"));
}

// The day an entry shows: two dates in the medium style in Chicago, the user's current year cut
// where a blank follows it; otherwise the line up to "through" without the place and the years of
// old lists.
TEST(FAANotam, TheDayAnEntryShows)
{
    for (const QString &row : cases("faa-days")) {
        const QStringList fields = row.split(" | ");
        const QStringList where = fields[0].split(' ');
        Notice notice;
        notice.text = fields[2];
        for (const QString &date : fields[1].split(' ', Qt::SkipEmptyParts))
            notice.windows << Window {at(date), {}, true};
        IcuScope scope(where[0].toLatin1().constData(), where[1].toLatin1().constData());
        const FakeClock clock(at(where[2]));
        EXPECT_EQ(NoticeRows(clock, "America/Chicago").dayOf(notice), fields[3]) << row;
    }
}

// The entry: the day in 40 UTF-16 units, then the altitude, which the row shows as its right
// column, or that it could not be read.
TEST(FAANotam, TheMenuEntry)
{
    IcuScope scope("America/Chicago");
    const FakeClock clock;
    for (const auto &[details, right] :
         {std::pair {"", " altitude not read"},
          {"Altitude: up to and including 18000 feet MSL", " 18000 feet"},
          {"Altitude: no number", " altitude not read"}}) {
        FAANotam n = notam("BROWNSVILLE, TX, Monday, August 02 through x");
        if (*details)
            n.details = ParseResults::of(details);
        const auto items = NoticeRows(clock, "America/Chicago")
                               .entriesOf(Source::faa, {n.notice(QUrl("https://x"))}, nullptr);
        ASSERT_EQ(items.size(), 1);
        EXPECT_EQ(items[0]->title(), QString("Monday, August 02 ").leftJustified(40) + right);
        EXPECT_EQ(items[0]->view()->leftText() + "|" + items[0]->view()->rightText(),
                  QString("Monday, August 02 |") + right);
    }
    // A detail still on its way leaves the column blank.
    Notice pending = notam(QString(45, 'x') + "🚀").notice({});
    pending.detail = Notice::Detail::pending;
    const auto longItem
        = NoticeRows(clock, "America/Chicago").entriesOf(Source::faa, {pending}, nullptr)[0];
    EXPECT_EQ(longItem->title(), QString(40, 'x'));
    EXPECT_EQ(longItem->view()->leftText(), QString(45, 'x') + "🚀");
}

// Reversed, the sort puts the latest first date first and the later of two equal dates first; a
// notice without dates keeps its place and splits the list into stretches sorted on their own.
TEST(FAANotam, DisplaySort)
{
    const auto lines = [](const QList<FAANotam> &notams) {
        QStringList result;
        for (const FAANotam &n : FAANotam::displaySort(notams))
            result << n.line;
        return result.join(' ');
    };
    EXPECT_EQ(lines({notam("a", {3}), notam("b", {1}), notam("c", {2})}), "b c a");
    EXPECT_EQ(lines({notam("first", {5, 9}), notam("second", {5})}), "second first");
    EXPECT_EQ(
        lines({notam("a", {4}), notam("b", {2}), notam("none"), notam("c", {9}), notam("d", {1})}),
        "b a none d c");
    EXPECT_EQ(lines({}), "");
}

} // namespace
