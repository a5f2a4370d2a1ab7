#include "text/dateextractor.h"
#include "text/daterecognizer.h"

#include "fakes.h"
#include "testing.h"

#include <unicode/timezone.h>

namespace {

const QTimeZone chicago("America/Chicago");

QString local(double instant, const QTimeZone &zone = chicago)
{
    return QDateTime::fromSecsSinceEpoch(qint64(instant), zone).toString("yyyy-MM-ddTHH:mm:ss");
}

// The texts speak of Brownsville; the user is far from it, so a time read in the user's zone
// fails a row.
class DateExtractorTest : public ::testing::Test
{
protected:
    IcuScope scope {"Asia/Tokyo"};
    // Sunday, 2021-08-15 10:00 in Chicago.
    FakeClock clock {at("2021-08-15T10:00:00")};

    QList<double> dates(const QString &text)
    {
        return DateExtractor::dates(text, clock, "America/Chicago");
    }
    std::vector<DateMatch> matches(const QString &text)
    {
        const std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone("America/Chicago"));
        return DateRecognizer::matches(text, clock.now(), *zone);
    }
};

// Every description of the real FAA list rows yields the dates written in it: a date alone at
// noon, a span "X through Y" as its start and, when it ends on another day, its end.
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
        if (expected.size() == 2 && expected[1] == expected[0])
            expected.removeLast(); // a span within one day gives its start only
        // As vectors: QList<double>'s == hands memcmp a null pointer for two empty lists.
        const QList<double> found = dates(description);
        EXPECT_EQ(std::vector<double>(found.begin(), found.end()),
                  std::vector<double>(expected.begin(), expected.end()))
            << description;
        withDates += !expected.isEmpty();
    }
    EXPECT_GT(withDates, 140);
}

// The written forms the sources use, and how their missing parts are completed: the same for a
// user far away and one in Brownsville.
TEST_F(DateExtractorTest, WrittenFormsAndTheirCompletion)
{
    for (const char *user : {"Asia/Tokyo", "America/Chicago"})
        for (const QString &row : cases("dates-written-forms")) {
            const IcuScope users {user};
            const QString form = row.section(" -> ", 0, 0);
            const qsizetype open = form.indexOf('[');
            const QString text = QString(form).remove('[').remove(']');
            const QString matched
                = open < 0 ? text : form.mid(open + 1, form.indexOf(']') - open - 1);
            const auto found = matches(text);
            ASSERT_FALSE(found.empty()) << row;
            EXPECT_EQ(text.mid(found[0].position, found[0].length), matched) << row;
            QStringList windows;
            for (const DateMatch &match : found) {
                const double length = match.duration / (match.hasTime ? 3600 : 86400);
                windows << local(match.start).chopped(3)
                        + (match.duration > 0
                               ? QString(" +%1%2").arg(length).arg(match.hasTime ? 'h' : 'd')
                               : QString());
            }
            EXPECT_EQ(windows.join(" ; "), row.section(" -> ", 1)) << user << ": " << row;
        }
}

TEST_F(DateExtractorTest, NumbersThatAreNoDatesAreNeverMatched)
{
    for (const QString &text : cases("dates-no-dates")) {
        EXPECT_TRUE(matches(text).empty()) << text;
    }
}

// A text's dates come in text order, one per match; a span alone that ends on another day adds its
// end (D through D+1 too). Offsets count UTF-16 units.
TEST_F(DateExtractorTest, ATextsDates)
{
    EXPECT_TRUE(dates("").isEmpty());
    const double march[] = {0, at("2021-03-01T12:00:00"), at("2021-03-02T12:00:00"),
                            at("2021-03-03T12:00:00"), at("2021-03-04T12:00:00")};
    EXPECT_EQ(dates("March 3, 2021 or March 1, 2021 or March 3, 2021"),
              (QList<double> {march[3], march[1], march[3]}));
    EXPECT_EQ(dates("March 2 through March 4, 2021"), (QList<double> {march[2], march[4]}));
    EXPECT_EQ(dates("March 2 through March 3, 2021"), (QList<double> {march[2], march[3]}));
    EXPECT_EQ(dates("March 2, 2021 8:00 am to 5:00 pm"), QList<double> {march[2] - 4 * 3600});
    EXPECT_EQ(dates("March 2 through March 9, 2021, then April 1, 2021"),
              (QList<double> {march[2], at("2021-04-01T12:00:00")}));
    EXPECT_EQ(dates(QString(5000, 'x') + " March 1, 2021"), QList<double> {march[1]});
    const auto found = matches(QString::fromUtf8("🚀🚗 Primary: April 20, 2023"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(std::pair(found[0].position, found[0].length),
              std::pair(qsizetype(14), qsizetype(14)));
    EXPECT_FALSE(found[0].hasTime || found[0].hasZone);
    EXPECT_FALSE(areOver({Window {clock.now() - 86400.0, {}, true}}, clock.now()));
    EXPECT_TRUE(areOver({Window {clock.now() - 86400.001, {}, true}}, clock.now()));
    clock.set(at("2022-01-02T10:00:00"));
    EXPECT_EQ(dates("December 28"), QList<double> {at("2021-12-28T12:00:00")})
        << "the closest year";
}

// Dates are understood in Brownsville's zone unless one is written, whatever the user's; a time
// alone is on the reference day there. A time in a daylight-saving gap takes the offset before it;
// one that happens twice, the first.
TEST(DateRecognizer, ZonesAndDaylightSaving)
{
    const FakeClock clock(at("2021-08-15T10:00:00"));
    for (const QString &row : cases("dates-zones")) {
        const QStringList f = row.split(" ~ ");
        IcuScope scope(f[0].toLatin1().constData());
        EXPECT_EQ(DateExtractor::dates(f[1], clock, "America/Chicago").value(0), at(f[2])) << row;
    }
}

} // namespace
