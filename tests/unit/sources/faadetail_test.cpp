#include "sources/faa/faadetail.h"

#include "testing.h"

namespace {

// What the altitude column says of a detail's limits.
QString shown(const ParseResults &results)
{
    return altitudeText(results.floor, results.ceiling,
                        [](const char *word) { return QString(word); });
}

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
    EXPECT_EQ(shown(*result), "17999 feet");
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

// The altitude block of a detail page or document and what the entry shows of it.
TEST(FAADetail, AltitudeBlocks)
{
    static const QRegularExpression document("@(xml|cut)\\(([^)]*)\\)");
    for (const QString &row : cases("faa-altitude-blocks")) {
        const QStringList f = row.split(" ~ ");
        QString page = f[1];
        if (const QRegularExpressionMatch m = document.match(page); m.hasMatch())
            page.replace(m.capturedStart(), m.capturedLength(),
                         QString::fromStdString(xnotam(m.captured(2), m.captured(1) == "xml")));
        // The shapes of the fifth column go into the document's area group.
        page.replace("</TFRAreaGroup>", f.value(4) + "</TFRAreaGroup>");
        const auto result = FAADetail::parse(page);
        ASSERT_EQ(bool(result), f[2] != "-") << row;
        if (result) {
            EXPECT_EQ(result->altitudeLine, f[2]) << row;
            EXPECT_EQ(shown(*result), f[3]) << row;
            // Each polygon: its number of points and its first, to five decimals.
            QStringList polygons;
            for (const QList<GeoPoint> &polygon : result->area.polygons)
                polygons << QString("%1 from %2 %3")
                                .arg(polygon.size())
                                .arg(polygon[0].latitude, 0, 'f', 5)
                                .arg(polygon[0].longitude, 0, 'f', 5);
            EXPECT_EQ(polygons.join(" ; "), f.value(5)) << row;
        }
    }
}

} // namespace
