#include "sources/faa/faadetail.h"

#include "qtprinters.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

QString detailPage()
{
    QFile file(PLUMETRACK_FIXTURES "/faa/detail-page-text-2024-03.txt");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

// The real page, written back into markup with CRLF line ends: every block is collected, each
// "Altitude:" line with the four lines after it.
TEST(FAADetail, TheRealPageYieldsEveryAltitudeBlockInPageOrder)
{
    const QStringList lines = detailPage().split('\n');
    QString expected;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith("Altitude:"))
            expected += (lines.mid(i, 5)).join("");
    }
    QStringList marked;
    for (const QString &line : lines)
        marked << "<tr><td class=\"text\">" + line + "</td></tr>\r";
    const auto result = FAADetail::parse(marked.join('\n'));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->altitudeLine, expected);
    EXPECT_EQ(result->altitudeDisplay(), "17999 feet");
}

struct Block
{
    const char *name;
    const char *page;
    const char *altitudeLine; // nullptr: no block
    const char *display;
};

class AltitudeBlocks : public ::testing::TestWithParam<Block>
{
};

TEST_P(AltitudeBlocks, Read)
{
    const Block &block = GetParam();
    const auto result = FAADetail::parse(QString::fromUtf8(block.page));
    if (!block.altitudeLine) {
        EXPECT_FALSE(result);
        return;
    }
    ASSERT_TRUE(result);
    EXPECT_EQ(result->altitudeLine, QString::fromUtf8(block.altitudeLine));
    EXPECT_EQ(result->altitudeDisplay(), QString::fromUtf8(block.display));
}

INSTANTIATE_TEST_SUITE_P(
    Quirks, AltitudeBlocks,
    ::testing::Values(
        Block {
            "FiveLinesJoinedWithoutBlanks",
            "x\n<b>Altitude:</b> From the surface\nup to and including 18000 feet MSL\n\nA\nB\nC",
            "Altitude: From the surfaceup to and including 18000 feet MSLABC", "18000 feet"},
        Block {"NumberAtALineStartRunsIntoThePreviousLine",
               "Altitude:\nFrom the surface up to and including\n18000 feet MSL\nA\nB",
               "Altitude:From the surface up to and including18000 feet MSLAB", ""},
        Block {"NumberAtALineEndRunsIntoTheNextLine", "Altitude: up to 18000\nfeet MSL\nx\ny\nz",
               "Altitude: up to 18000feet MSLxyz", ""},
        Block {"UnlimitedInAnyCaseWinsOverEarlierNumbers",
               "Altitude: From 500 feet up to UNLIMITED\na\nb\nc\nd",
               "Altitude: From 500 feet up to UNLIMITEDabcd", "Unlimited"},
        Block {"FlightLevelAndGroupedNumbersAreNoNumbers",
               "Altitude: From the surface up to FL180 or 18,000\na\nb\nc\nd",
               "Altitude: From the surface up to FL180 or 18,000abcd", ""},
        Block {"PlusSign", "Altitude: +5000 then -200", "Altitude: +5000 then -200", "5000 feet"},
        Block {"NegativeNumber", "Altitude: -200 feet", "Altitude: -200 feet", "-200 feet"},
        Block {"LeadingZeros", "Altitude: 007 feet", "Altitude: 007 feet", "7 feet"},
        Block {"NumberTooBigForSixtyFourBits", "Altitude: 99999999999999999999 then 12",
               "Altitude: 99999999999999999999 then 12", "12 feet"},
        Block {"TabsDoNotSplit", "Altitude:\t500\tfeet 12", "Altitude:\t500\tfeet 12", "12 feet"},
        Block {"WordWithoutColonOpensNoWindow", "Altitude 18000 feet\naltitude: 5\n", nullptr,
               nullptr},
        Block {"FewerLinesThanFourCollectWhatThereIs", "a\nAltitude: 100 feet\nlast",
               "Altitude: 100 feetlast", "100 feet"},
        Block {"ASecondAltitudeLineStartsAFreshWindow",
               "Altitude: 1\na\nAltitude: 2\nb\nc\nd\ne\nf", "Altitude: 1aAltitude: 2bcde", ""},
        Block {"TagSplitOverTwoLinesLeavesItsPieces", "Altitude: <span\nclass=x>300 feet</span>\n",
               "Altitude:class=x>300 feet", ""},
        Block {"EmptyPage", "", nullptr, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
