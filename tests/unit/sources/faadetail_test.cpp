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
            expected += (expected.isEmpty() ? "" : " ") + lines.mid(i, 5).join(" ").trimmed();
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
    std::string page;
    const char *altitudeLine; // nullptr: no block
    const char *display;
};

class AltitudeBlocks : public ::testing::TestWithParam<Block>
{
};

// An XML detail document (reconstructed from public descriptions) with the given areas.
std::string xnotam(const std::string &areas, bool whole = true)
{
    std::string document
        = "<XNOTAM-Update xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1.0\">"
          "<Group><Add><Not><TfrNot><codeType>91.143</codeType><TFRAreaGroup>"
        + areas;
    return whole ? document + "</TFRAreaGroup></TfrNot></Not></Add></Group></XNOTAM-Update>"
                 : document;
}

std::string area(const char *code, const char *value, const char *unit,
                 const char *lower = "<codeDistVerLower>ALT</codeDistVerLower>"
                                     "<valDistVerLower>0</valDistVerLower>"
                                     "<uomDistVerLower>FT</uomDistVerLower>")
{
    return std::string("<aseTFRArea><AseUid><codeType>RAS</codeType></AseUid><codeDistVerUpper>")
        + code + "</codeDistVerUpper><valDistVerUpper>" + value
        + "</valDistVerUpper><uomDistVerUpper>" + unit + "</uomDistVerUpper>" + lower
        + "<ScheduleGroup><valDistVerUpper>1</valDistVerUpper></ScheduleGroup></aseTFRArea>";
}

TEST_P(AltitudeBlocks, Read)
{
    const Block &block = GetParam();
    const auto result = FAADetail::parse(QString::fromStdString(block.page));
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
            "FiveLinesJoinedByOneBlank",
            "x\n<b>Altitude:</b> From the surface\nup to and including 18000 feet MSL\n\nA\nB\nC",
            "Altitude: From the surface up to and including 18000 feet MSL A B C", "18000 feet"},
        Block {"NumberAtALineStartIsAWordOfItsOwn",
               "Altitude:\nFrom the surface up to and including\n18000 feet MSL\nA\nB",
               "Altitude: From the surface up to and including 18000 feet MSL A B", "18000 feet"},
        Block {"UnlimitedInAnyCaseWinsOverEarlierNumbers",
               "Altitude: From 500 feet up to UNLIMITED\na\nb\nc\nd",
               "Altitude: From 500 feet up to UNLIMITED a b c d", "Unlimited"},
        Block {"FlightLevelAndGroupedNumbersAreNoNumbers",
               "Altitude: From the surface up to FL180 or 18,000\na\nb\nc\nd",
               "Altitude: From the surface up to FL180 or 18,000 a b c d", ""},
        Block {"PlusSign", "Altitude: +5000 then -200", "Altitude: +5000 then -200", "5000 feet"},
        Block {"NegativeNumber", "Altitude: -200 feet", "Altitude: -200 feet", "-200 feet"},
        Block {"LeadingZeros", "Altitude: 007 feet", "Altitude: 007 feet", "7 feet"},
        Block {"NumberTooBigForSixtyFourBits", "Altitude: 99999999999999999999 then 12",
               "Altitude: 99999999999999999999 then 12", "12 feet"},
        Block {"TabsDoNotSplit", "Altitude:\t500\tfeet 12", "Altitude:\t500\tfeet 12", "12 feet"},
        Block {"WordWithoutColonOpensNoWindow", "Altitude 18000 feet\naltitude: 5\n", nullptr,
               nullptr},
        Block {"FewerLinesThanFourCollectWhatThereIs", "a\nAltitude: 100 feet\nlast",
               "Altitude: 100 feet last", "100 feet"},
        Block {"ASecondAltitudeLineStartsAFreshWindow",
               "Altitude: 1\na\nAltitude: 2\nb\nc\nd\ne\nf", "Altitude: 1 a Altitude: 2 b c d e",
               "1 feet"},
        Block {"TagSplitOverTwoLinesLeavesItsPieces", "Altitude: <span\nclass=x>300 feet</span>\n",
               "Altitude: class=x>300 feet", ""},
        Block {"EmptyPage", "", nullptr, nullptr},
        // XML detail documents.
        Block {"XmlFlightLevelIsHundredsOfFeet", xnotam(area("ALT", "180", "FL")),
               "Altitude: From the surface up to and including 18000 feet MSL", "18000 feet"},
        Block {"XmlUnlimitedInAnyCase", xnotam(area("ALT", "unl", "FT")),
               "Altitude: From the surface up to and including UNLIMITED", "Unlimited"},
        Block {"XmlHeightIsAboveGround", xnotam(area("HEI", "400", "FT")),
               "Altitude: From the surface up to and including 400 feet AGL", "400 feet"},
        Block {"XmlLowerLimitAboveTheSurface",
               xnotam(area("STD", "18000", "FT",
                           "<codeDistVerLower>HEI</codeDistVerLower><valDistVerLower>500"
                           "</valDistVerLower><uomDistVerLower>FT</uomDistVerLower>")),
               "Altitude: From 500 feet AGL up to and including 18000 feet MSL", "500 feet"},
        Block {"XmlFirstAreaWithoutUpperValueIsPassedOver",
               xnotam(area("ALT", "", "FT") + area("ALT", "ABC", "FT") + area("XYZ", "3000", "FT")),
               "Altitude: From the surface up to and including 3000 feet", "3000 feet"},
        Block {"XmlDoctypeAndLeadingBlanks",
               " \r\n<?xml version=\"1.0\"?><!DOCTYPE XNOTAM-Update>"
                   + xnotam(area("ALT", "UNL", "FT")),
               "Altitude: From the surface up to and including UNLIMITED", "Unlimited"},
        Block {"XmlCutAfterAWholeAreaIsNotHalfRead", xnotam(area("ALT", "180", "FL"), false),
               nullptr, nullptr},
        Block {"XmlWithoutAnyArea", xnotam(""), nullptr, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
