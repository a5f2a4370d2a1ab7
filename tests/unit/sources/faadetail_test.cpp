#include "sources/faa/faadetail.h"

#include "testing.h"

namespace {

// The real page, written back into markup with CRLF line ends: every block is collected, each
// "Altitude:" line with the four lines after it.
TEST(FAADetail, TheRealPageYieldsEveryAltitudeBlockInPageOrder)
{
    const QStringList lines = fixture("faa/detail-page-text-2024-03.txt").split('\n');
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

// An XML detail document (reconstructed from public descriptions) with the given areas, each
// "code value unit" of its upper limit, the lower limit 0 ALT FT unless a second triple follows.
std::string xnotam(const QString &areas, bool whole = true)
{
    std::string document
        = "<XNOTAM-Update xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" version=\"1.0\">"
          "<Group><Add><Not><TfrNot><codeType>91.143</codeType><TFRAreaGroup>";
    for (const QString &area : areas.split(';', Qt::SkipEmptyParts)) {
        const QStringList v = (area.trimmed() + " ALT 0 FT").split(' ');
        document += "<aseTFRArea><AseUid><codeType>RAS</codeType></AseUid>";
        for (const auto &[i, which] : {std::pair {0, "Upper"}, std::pair {3, "Lower"}})
            document += QString("<codeDistVer%4>%1</codeDistVer%4><valDistVer%4>%2</valDistVer%4>"
                                "<uomDistVer%4>%3</uomDistVer%4>")
                            .arg(v[i], v[i + 1], v[i + 2], which)
                            .toStdString();
        document
            += "<ScheduleGroup><valDistVerUpper>1</valDistVerUpper></ScheduleGroup></aseTFRArea>";
    }
    return whole ? document + "</TFRAreaGroup></TfrNot></Not></Add></Group></XNOTAM-Update>"
                 : document;
}

// The altitude block of a detail page or document and what the entry shows of it. Each row: what
// it catches, the page, the block (none: no block), the shown altitude.
TEST(FAADetail, AltitudeBlocks)
{
    const std::tuple<const char *, std::string, const char *, const char *> rows[] = {
        {"five lines joined by one blank",
         "x\n<b>Altitude:</b> From the surface\nup to and including 18000 feet MSL\n\nA\nB\nC",
         "Altitude: From the surface up to and including 18000 feet MSL A B C", "18000 feet"},
        {"a number at a line start is a word of its own",
         "Altitude:\nFrom the surface up to and including\n18000 feet MSL\nA\nB",
         "Altitude: From the surface up to and including 18000 feet MSL A B", "18000 feet"},
        {"unlimited in any case wins over earlier numbers",
         "Altitude: From 500 feet up to UNLIMITED\na\nb\nc\nd",
         "Altitude: From 500 feet up to UNLIMITED a b c d", "Unlimited"},
        {"flight levels and grouped numbers are no numbers",
         "Altitude: From the surface up to FL180 or 18,000\na\nb\nc\nd",
         "Altitude: From the surface up to FL180 or 18,000 a b c d", ""},
        {"signs, leading zeros, a number too big for 64 bits, tabs", "Altitude: +5000 then -200",
         "Altitude: +5000 then -200", "5000 feet"},
        {"", "Altitude: -200 feet", "Altitude: -200 feet", "-200 feet"},
        {"", "Altitude: 007 feet", "Altitude: 007 feet", "7 feet"},
        {"", "Altitude: 99999999999999999999 then 12", "Altitude: 99999999999999999999 then 12",
         "12 feet"},
        {"", "Altitude:\t500\tfeet 12", "Altitude:\t500\tfeet 12", "12 feet"},
        {"the word without a colon opens no window", "Altitude 18000 feet\naltitude: 5\n", nullptr,
         nullptr},
        {"fewer lines than four collect what there is", "a\nAltitude: 100 feet\nlast",
         "Altitude: 100 feet last", "100 feet"},
        {"a second altitude line starts a fresh window",
         "Altitude: 1\na\nAltitude: 2\nb\nc\nd\ne\nf", "Altitude: 1 a Altitude: 2 b c d e",
         "1 feet"},
        {"a tag split over two lines leaves its pieces",
         "Altitude: <span\nclass=x>300 feet</span>\n", "Altitude: class=x>300 feet", ""},
        {"an empty page", "", nullptr, nullptr},
        {"XML: a flight level is hundreds of feet", xnotam("ALT 180 FL"),
         "Altitude: From the surface up to and including 18000 feet MSL", "18000 feet"},
        {"XML: unlimited in any case", xnotam("ALT unl FT"),
         "Altitude: From the surface up to and including UNLIMITED", "Unlimited"},
        {"XML: a height is above ground", xnotam("HEI 400 FT"),
         "Altitude: From the surface up to and including 400 feet AGL", "400 feet"},
        {"XML: a lower limit above the surface", xnotam("STD 18000 FT HEI 500 FT"),
         "Altitude: From 500 feet AGL up to and including 18000 feet MSL", "500 feet"},
        {"XML: areas without an upper value are passed over",
         xnotam("ALT  FT; ALT ABC FT; XYZ 3000 FT"),
         "Altitude: From the surface up to and including 3000 feet", "3000 feet"},
        {"XML: a doctype and leading blanks",
         " \r\n<?xml version=\"1.0\"?><!DOCTYPE XNOTAM-Update>" + xnotam("ALT UNL FT"),
         "Altitude: From the surface up to and including UNLIMITED", "Unlimited"},
        {"XML: cut after a whole area, not half read", xnotam("ALT 180 FL", false), nullptr,
         nullptr},
        {"XML: without any area", xnotam(""), nullptr, nullptr},
    };
    for (const auto &[name, page, block, display] : rows) {
        const auto result = FAADetail::parse(QString::fromStdString(page));
        ASSERT_EQ(bool(result), block != nullptr) << page;
        if (result) {
            EXPECT_EQ(result->altitudeLine, QString::fromUtf8(block)) << page;
            EXPECT_EQ(result->altitudeDisplay(), QString::fromUtf8(display)) << page;
        }
    }
}

} // namespace
