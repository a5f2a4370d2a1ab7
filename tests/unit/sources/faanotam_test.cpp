#include "sources/faa/faanotam.h"

#include "fakeclock.h"
#include "icuscope.h"
#include "qtprinters.h"

#include "platform/rowview.h"

#include <QDateTime>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

double at(const char *iso, const QTimeZone &zone = QTimeZone::utc())
{
    QDateTime time = QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
    time.setTimeZone(zone);
    return double(time.toSecsSinceEpoch());
}

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
    b.details = ParseResults {"Altitude: 5"};
    EXPECT_EQ(a, b);
    EXPECT_NE(a, notam("BROWNSVILLE, TX, Monday", {}, "b.html"));
    // Canonically equivalent texts are equal: é precomposed and decomposed.
    EXPECT_EQ(notam(QString::fromUtf8("Caf\u00e9")), notam(QString::fromUtf8("Cafe\u0301")));
    EXPECT_NE(notam("brownsville"), notam("BROWNSVILLE"));
}

class DisplayDay : public ::testing::Test
{
protected:
    IcuScope scope {"America/Chicago", "en_US"};
    FakeClock clock {at("2026-12-06T12:00:00")};
};

TEST_F(DisplayDay, TwoDatesInTheMediumStyleKeepAYearThatEndsTheText)
{
    // "Dec 1, 2026" ends with its year: nothing to cut, even in the current year.
    const FAANotam n = notam("x", {at("2026-12-01T12:00:00"), at("2027-01-03T12:00:00")});
    EXPECT_EQ(n.displayDay(clock), "Dec 1, 2026 to Jan 3, 2027");
}

TEST_F(DisplayDay, TheCurrentYearIsCutWhereABlankFollowsIt)
{
    // Armenian writes "01 դեկ, 2026 թ.": the current year stands between blanks and goes.
    IcuScope armenian("America/Chicago", "hy_AM");
    const FAANotam n = notam("x", {at("2026-12-01T12:00:00"), at("2027-01-03T12:00:00")});
    EXPECT_EQ(n.displayDay(clock), QString::fromUtf8("01 դեկ, թ. to 03 հնվ, 2027 թ."));
}

TEST_F(DisplayDay, TheYearIsTheUsersWhileTheDayIsChicagos)
{
    // At 23:00 on New Year's Eve in Yerevan the helper's year is 2026. 02:00 UTC on January 1st
    // is already 2027 in Yerevan, so its year stays, though Chicago still shows December 31st.
    IcuScope yerevan("Asia/Yerevan", "hy_AM");
    FakeClock newYearsEve(at("2026-12-31T19:00:00"));
    const FAANotam n = notam("x", {at("2027-01-01T02:00:00"), at("2026-12-30T12:00:00")});
    EXPECT_EQ(n.displayDay(newYearsEve), QString::fromUtf8("31 դեկ, 2026 թ. to 30 դեկ, թ."));
}

TEST_F(DisplayDay, OtherwiseTheLineUpToThrough)
{
    EXPECT_EQ(notam("Brownsville, TX, Monday, August 02, 2021 through Tuesday, August 31, 2021 UTC")
                  .displayDay(clock),
              "Monday, August 02 ");
    EXPECT_EQ(notam("BROWNSVILLE, TX, a through b through c").displayDay(clock), "a ");
    EXPECT_EQ(notam("BROWNSVILLE, TX, a Through b").displayDay(clock), "a Through b");
    EXPECT_EQ(notam("x, 2020 y, 2021 z, 2022 w, 2023 UTC</a>").displayDay(clock),
              "x y z w, 2023 </a>");
}

TEST_F(DisplayDay, MenuEntryHasA40UnitTitleTheAltitudeAndTheRow)
{
    FAANotam n = notam("BROWNSVILLE, TX, Monday, August 02 through x");
    auto items = n.menuItems(nullptr, "openFAAAction:", clock);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->title(), QString("Monday, August 02 ").leftJustified(40));
    EXPECT_EQ(items[0]->view()->leftText(), "Monday, August 02 ");
    EXPECT_EQ(items[0]->view()->rightText(), "");
    EXPECT_TRUE(items[0]->isEnabled());

    n.details = ParseResults {"Altitude: From the surface up to and including 18000 feet MSL"};
    items = n.menuItems(nullptr, "openFAAAction:", clock);
    EXPECT_EQ(items[0]->title(), QString("Monday, August 02 ").leftJustified(40) + " 18000 feet");
    EXPECT_EQ(items[0]->view()->rightText(), " 18000 feet");

    n.details = ParseResults {"Altitude: no number"};
    EXPECT_EQ(n.menuItems(nullptr, {}, clock)[0]->view()->rightText(), " ");
    EXPECT_FALSE(n.menuItems(nullptr, {}, clock)[0]->isEnabled());

    const FAANotam longLine = notam(QString(45, 'x') + QString::fromUtf8("🚀"));
    const auto longItem = longLine.menuItems(nullptr, {}, clock)[0];
    EXPECT_EQ(longItem->title(), QString(40, 'x'));
    EXPECT_EQ(longItem->view()->leftText(), QString(45, 'x') + QString::fromUtf8("🚀"));
}

QList<double> firstDates(const QList<FAANotam> &notams)
{
    QList<double> result;
    for (const FAANotam &n : notams)
        result << (n.dates.isEmpty() ? -1 : n.dates.first());
    return result;
}

TEST(FAANotamDisplaySort, ReversedItPutsTheLatestFirstAndKeepsEqualsInInputOrder)
{
    QList<FAANotam> list {notam("a", {3}), notam("b", {1}), notam("c", {2})};
    QList<FAANotam> sorted = FAANotam::displaySort(list);
    std::reverse(sorted.begin(), sorted.end());
    EXPECT_EQ(firstDates(sorted), (QList<double> {3, 2, 1}));

    QList<FAANotam> ties {notam("first", {5, 9}), notam("second", {5})};
    sorted = FAANotam::displaySort(ties);
    EXPECT_EQ(sorted[0].line, "second") << "the later of two equal dates comes first";
    std::reverse(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted[0].line, "first");

    EXPECT_TRUE(FAANotam::displaySort({}).isEmpty());
    EXPECT_EQ(FAANotam::displaySort({notam("only", {1})}).size(), 1);
}

TEST(FAANotamDisplaySort, ADatelessNoticeKeepsItsPlaceAndSplitsTheStretches)
{
    const QList<FAANotam> list {notam("a", {4}), notam("b", {2}), notam("none"), notam("c", {9}),
                                notam("d", {1})};
    EXPECT_EQ(firstDates(FAANotam::displaySort(list)), (QList<double> {2, 4, -1, 1, 9}));
}

} // namespace
