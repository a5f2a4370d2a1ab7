#include "text/dateformathelper.h"

#include "fakes.h"

#include "testing.h"

namespace {

using Style = DateFormatHelper::Style;

// 2026-12-05 17:46:00 UTC
constexpr double decemberFifth = 1796492760.0;

// Each row: the user's zone and locale, the styles, the zone asked for, the text of an instant.
TEST(DateFormatHelper, StylesZonesAndLocales)
{
    const FakeClock clock(decemberFifth);
    // 2026-12-06 03:30 in Berlin is still 20:30 on the 5th in Chicago.
    const double lateNight = 1796524200.0;
    const std::tuple<const char *, const char *, Style, Style, const char *, double, const char *>
        rows[] = {
            {"Europe/Berlin", "en_US", Style::Medium, Style::None, "", lateNight, "Dec 6, 2026"},
            {"Europe/Berlin", "en_US", Style::Medium, Style::Short, "CST", lateNight,
             "Dec 5, 2026, 8:30\u202fPM"},
            {"Asia/Tokyo", "en_US", Style::Short, Style::Short, "Not/AZone", decemberFifth,
             "12/6/26, 2:46\u202fAM"},
            {"UTC", "en_GB", Style::Medium, Style::Short, "", decemberFifth, "5 Dec 2026, 17:46"},
            {"UTC", "en_GB", Style::None, Style::Short, "", decemberFifth, "17:46"},
        };
    for (const auto &[zone, locale, date, time, asked, instant, text] : rows) {
        IcuScope scope(zone, locale);
        EXPECT_EQ(DateFormatHelper(date, time, asked, clock).formatDate(instant),
                  QString::fromUtf8(text))
            << zone << " " << asked;
    }
    IcuScope scope("UTC", "en_GB");
    EXPECT_EQ(DateFormatHelper(Style::Full, Style::None, "", clock).formatTime(decemberFifth),
              "17:46")
        << "the time formatter is short time, no date";
}

TEST(DateFormatHelper, ThisYearIsFixedWhenTheHelperIsMadeInTheUsersZone)
{
    IcuScope scope("America/Chicago", "en_US");
    // 2027-01-01 03:00 UTC is still New Year's Eve 2026 in Chicago.
    FakeClock clock(1798772400.0);
    const DateFormatHelper helper(Style::Short, Style::None, "", clock);
    EXPECT_EQ(helper.thisYear(), 2026);
    clock.set(1798772400.0 + 86400);
    EXPECT_EQ(helper.thisYear(), 2026);
    EXPECT_EQ(helper.yearOf(clock.now()), 2027);
    // Only a year between blanks is cut.
    EXPECT_EQ(DateFormatHelper::removingYear("5 Dec 2026 11:46", 2026), "5 Dec 11:46");
    for (const char *kept : {"Dec 5, 2026", "5 Dec 2026, 11:46", "12/5/26, 11:46 AM"})
        EXPECT_EQ(DateFormatHelper::removingYear(kept, 2026), kept);
    EXPECT_EQ(DateFormatHelper::removingYear("5 Dec 2025 11:46", 2026), "5 Dec 2025 11:46");
}

// LC_ALL, then LC_TIME, then LANG name the locale of dates; C and POSIX name none.
TEST(DateFormatHelper, DatesAreWrittenInTheLocaleOfLcTime)
{
    const char *variables[] = {"LC_ALL", "LC_TIME", "LANG"};
    const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_TIME"), qgetenv("LANG")};
    for (const char *row :
         {"- de_DE.UTF-8 en_US.UTF-8 de_DE", "sk_SK.UTF-8@euro de_DE.UTF-8 - sk_SK",
          "- - en_GB.UTF-8 en_GB", "- C.UTF-8 de_DE.UTF-8 -"}) {
        const QStringList values = QString(row).split(' ');
        for (int i = 0; i < 3; ++i)
            values[i] == "-" ? qunsetenv(variables[i]) : qputenv(variables[i], values[i].toUtf8());
        EXPECT_EQ(DateFormatHelper::timeLocaleName(), values[3] == "-" ? "" : values[3]) << row;
    }
    for (int i = 0; i < 3; ++i)
        qputenv(variables[i], saved[i]);
}

} // namespace
