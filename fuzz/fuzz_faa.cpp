// Arbitrary text into the FAA list readers (the JSON feed and the old list page), the detail
// readers (XML and HTML), and the shapes' readers (the map service's GeoJSON, a detail's vertices).
#include "menu/noticerows.h"
#include "nullservices.h"
#include "sources/faa/faadetail.h"
#include "sources/faa/faaparser.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    static const auto scraper = std::make_shared<FAAParser>(
        ScraperEnvironment {stubs, stubs, stubs, stubs, SourceAddresses::defaults(), {}});
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const NoticeRows rows(stubs, QStringLiteral("America/Chicago"));
    // The same bytes as an HTML page and inside an XML detail document.
    std::optional<ParseResults> details;
    for (const QString &detail : {text, QStringLiteral("<XNOTAM-Update>") + text}) {
        details = details ? details : FAADetail::parse(detail);
        (void)FAADetail::areaOf(detail);
    }
    (void)FAAParser::parseAreas(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (const auto &notams : {scraper->parseNotices(QStringLiteral("https://x/tfr2/"), text),
                               scraper->parseFeed(text)}) {
        QList<Notice> notices;
        for (FAANotam notam : notams.value_or(QList<FAANotam>())) {
            notam.details = details;
            notices << notam.notice({});
        }
        (void)rows.entriesOf(Source::faa, notices, nullptr);
    }
    return 0;
}
