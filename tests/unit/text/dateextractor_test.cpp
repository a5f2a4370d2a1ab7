#include "text/dateextractor.h"
#include "text/daterecognizer.h"

#include "fakeclock.h"
#include "testing.h"

#include <unicode/timezone.h>

namespace {

const QTimeZone chicago("America/Chicago");

QString local(double instant, const QTimeZone &zone = chicago)
{
    return QDateTime::fromSecsSinceEpoch(qint64(instant), zone).toString("yyyy-MM-ddTHH:mm:ss");
}

class DateExtractorTest : public ::testing::Test
{
protected:
    IcuScope scope {"America/Chicago"};
    // Sunday, 2021-08-15 10:00 in Chicago.
    FakeClock clock {at("2021-08-15T10:00:00")};

    QList<double> dates(const QString &text) { return DateExtractor::dates(text, clock); }
    std::vector<DateMatch> matches(const QString &text)
    {
        const std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
        return DateRecognizer::matches(text, clock.now(), *zone);
    }
};

// Every description of the real FAA list rows yields the dates written in it: a date alone at
// noon, a span "X through Y" as its start and, when it lasts more than a day, its end.
TEST_F(DateExtractorTest, RealFaaRowsYieldTheDatesWrittenInThem)
{
    const QRegularExpression written(
        R"((Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Sunday), ([A-Z][a-z]+) (\d\d), (\d{4}))");
    const QStringList rows = fixture("faa/list-rows-2021-08.tsv").split('\n').mid(1);
    int withDates = 0;
    for (const QString &row : rows) {
        const QString description = row.section('\t', 3);
        if (description.isEmpty())
            continue;
        const QTimeZone zone = description.contains(" UTC") ? QTimeZone::utc() : chicago;
        QList<double> expected;
        for (const auto &m : written.globalMatch(description)) {
            const QDate day
                = QDate::fromString(m.captured(2) + m.captured(3) + m.captured(4), "MMMMddyyyy");
            expected.append(double(QDateTime(day, QTime(12, 0), zone).toSecsSinceEpoch()));
        }
        if (expected.size() == 2 && expected[1] - expected[0] <= 86400)
            expected.removeLast(); // a span of one day or less gives its start only
        // As vectors: QList<double>'s == hands memcmp a null pointer for two empty lists.
        const QList<double> found = dates(description);
        EXPECT_EQ(std::vector<double>(found.begin(), found.end()),
                  std::vector<double>(expected.begin(), expected.end()))
            << description.toStdString();
        withDates += !expected.isEmpty();
    }
    EXPECT_GT(withDates, 140);
}

// The written forms the sources use, and how their missing parts are completed, relative to
// Sunday 2021-08-15 10:00 in Chicago. Each row: the text with its one match in brackets (the whole
// text when it has none), its start in Chicago and its duration in hours or days.
TEST_F(DateExtractorTest, WrittenFormsAndTheirCompletion)
{
    for (const char *row :
         {"Monday, August 02, 2021 -> 2021-08-02T12:00",
          "[Tuesday, Dec 29, 2020] open -> 2020-12-29T12:00", "Feb. 08, 2025 -> 2025-02-08T12:00",
          "on [March 8th] -> 2021-03-08T12:00", "8 March 2021 -> 2021-03-08T12:00",
          "12/05/2021 -> 2021-12-05T12:00", "2021-12-05 -> 2021-12-05T12:00",
          "launch [1300 UTC] -> 2021-08-15T08:00", "13:00 -> 2021-08-15T13:00",
          "8:00 a.m. -> 2021-08-15T08:00", "12 a.m. -> 2021-08-15T00:00",
          "noon -> 2021-08-15T12:00", "April 20, 2023 at 1:00 pm -> 2023-04-20T13:00",
          "1:00 pm, April 20, 2023 -> 2023-04-20T13:00",
          "August 16, 2021 1300Z -> 2021-08-16T08:00",
          // Spans are one match; an end at or before a bare start time is on the next day.
          "Primary Date [April 20, 2023 12:00 am to 2:00 pm] Closure Scheduled -> 2023-04-20T00:00 "
          "+14h",
          "Primary Date [May 17, 2023 11:00 pm to 3:00 am] -> 2023-05-17T23:00 +4h",
          "8:00 am to 7:00 pm -> 2021-08-15T08:00 +11h",
          "Wednesday, March 8th thru 9th, 2023 -> 2023-03-08T12:00 +1d",
          "from March 2 to March 4 -> 2021-03-02T12:00 +2d",
          "between March 2 and March 4 -> 2021-03-02T12:00 +2d",
          "March 2 – March 4, 2022 -> 2022-03-02T12:00 +2d",
          "Aug 20 until Aug 22 -> 2021-08-20T12:00 +2d",
          // A year at the end applies to the start, which moves back when it would pass the end.
          "December 28 to January 3, 2021 -> 2020-12-28T12:00 +6d",
          // No year at all: the start closest to now, the end after it.
          "December 28 to January 3 -> 2021-12-28T12:00 +6d",
          // A year cut short counts as missing and stays out of the match.
          "[Monday, August 16], 202 -> 2021-08-16T12:00",
          // A weekday that disagrees with the date is ignored; one alone is today or next.
          "Tuesday, August 02, 2021 -> 2021-08-02T12:00", "Sunday -> 2021-08-15T12:00",
          "Monday -> 2021-08-16T12:00",
          // Written zones apply to the whole match.
          "August 20, 2021 through August 22, 2021 UTC -> 2021-08-20T07:00 +2d",
          "1:00 pm PDT -> 2021-08-15T15:00", "1:00 pm EST -> 2021-08-15T13:00",
          "August 13, 2021 through August 18, 2021 Local -> 2021-08-13T12:00 +5d",
          // A day with a range of times is one match, at the range's start.
          "Tuesday, March 9, 2021 from 8 p.m. to 2 a.m. CST -> 2021-03-09T20:00 +6h",
          "Sunday, March 14, 2021 from 1:00 a.m. to 4:00 a.m. -> 2021-03-14T01:00 +2h",
          "Primary: [Aug. 27 from 1:00 PM to 11:00 PM CT] -> 2021-08-27T13:00 +10h",
          "Date: [9/24/21 from 6:00 AM to 6:00 PM] -> 2021-09-24T06:00 +12h",
          // The city's forms: a day and time to a day and time; a month with a dot it does not
          // abbreviate; a day range glued by a hyphen.
          "Aug. 27 6:30 AM to Aug. 27 9:00 PM -> 2021-08-27T06:30 +14.5h",
          "May. 21 -> 2021-05-21T12:00", "Sept. 20 -> 2021-09-20T12:00",
          "Jul 17-19 -> 2021-07-17T12:00 +2d"}) {
        const QString form = QString::fromUtf8(row).section(" -> ", 0, 0);
        const QStringList expected = QString::fromUtf8(row).section(" -> ", 1).split(' ');
        const qsizetype open = form.indexOf('[');
        const QString text = QString(form).remove('[').remove(']');
        const QString matched = open < 0 ? text : form.mid(open + 1, form.indexOf(']') - open - 1);
        const auto found = matches(text);
        ASSERT_EQ(found.size(), 1u) << row;
        EXPECT_EQ(text.mid(found[0].position, found[0].length), matched) << row;
        EXPECT_EQ(local(found[0].start), QString(expected[0] + ":00")) << row;
        const QString span = expected.value(1, "+0h");
        EXPECT_EQ(found[0].duration,
                  span.mid(1, span.size() - 2).toDouble() * (span.endsWith('d') ? 86400 : 3600))
            << row;
    }
}

TEST_F(DateExtractorTest, NumbersThatAreNoDatesAreNeverMatched)
{
    for (const char *text :
         {"FDC 4/6540", "NOTAM 1/9853", "43º28'50\"N 097º09'16\"W", "352610N1083713W",
          "135 degree radial at 4.6 nautical miles", "FL180", "17999 feet MSL",
          "text BEACH to 866-513-3475", "Runway 12/30", "2021", "42", "Mar", "Sat",
          "80NM S OF KODIAK, AK", "SFC-FL180", "USA, 2021 UTC", "Special Notice, USA"}) {
        EXPECT_TRUE(matches(QString::fromUtf8(text)).empty()) << text;
    }
}

// A text's dates come in text order, one per match; a span of more than a day alone adds its end.
// Offsets count UTF-16 units.
TEST_F(DateExtractorTest, ATextsDates)
{
    EXPECT_TRUE(dates("").isEmpty());
    const double march[] = {0, at("2021-03-01T12:00:00"), at("2021-03-02T12:00:00"),
                            at("2021-03-03T12:00:00"), at("2021-03-04T12:00:00")};
    EXPECT_EQ(dates("March 3, 2021 or March 1, 2021 or March 3, 2021"),
              (QList<double> {march[3], march[1], march[3]}));
    EXPECT_EQ(dates("March 2 through March 4, 2021"), (QList<double> {march[2], march[4]}));
    EXPECT_EQ(dates("March 2 through March 3, 2021"), QList<double> {march[2]});
    EXPECT_EQ(dates("March 2 through March 9, 2021, then April 1, 2021"),
              (QList<double> {march[2], at("2021-04-01T12:00:00")}));
    EXPECT_EQ(dates(QString(5000, 'x') + " March 1, 2021"), QList<double> {march[1]});
    const auto found = matches(QString::fromUtf8("🚀🚗 Primary: April 20, 2023"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(std::pair(found[0].position, found[0].length),
              std::pair(qsizetype(14), qsizetype(14)));
    EXPECT_FALSE(found[0].hasTime || found[0].hasZone);
    EXPECT_FALSE(isOld(clock.now() - 86400.0, clock));
    EXPECT_TRUE(isOld(clock.now() - 86400.001, clock));
}

// Dates are understood in the user's zone unless one is written; a time alone is on the
// reference day there. A time in a daylight-saving gap takes the offset before it; one that
// happens twice, the first.
TEST(DateRecognizer, ZonesAndDaylightSaving)
{
    const FakeClock clock(at("2021-08-15T10:00:00"));
    for (const char *row : {"Asia/Tokyo ~ April 20, 2023 ~ 2023-04-20T12:00:00+09:00",
                            "Asia/Tokyo ~ April 20, 2023 UTC ~ 2023-04-20T12:00:00Z",
                            "Asia/Tokyo ~ April 20, 2023 1:00 PM CT ~ 2023-04-20T13:00:00-05:00",
                            "Asia/Tokyo ~ 8:00 am ~ 2021-08-16T08:00:00+09:00",
                            "America/Chicago ~ March 14, 2021 2:30 am ~ 2021-03-14T08:30:00Z",
                            "America/Chicago ~ November 7, 2021 1:30 am ~ 2021-11-07T06:30:00Z"}) {
        const QStringList f = QString(row).split(" ~ ");
        IcuScope scope(f[0].toLatin1().constData());
        EXPECT_EQ(DateExtractor::dates(f[1], clock), QList<double> {at(f[2])}) << row;
    }
}

} // namespace
