// Arbitrary text into the FAA list readers (the JSON feed and the old list page) and the detail
// readers (XML and HTML).
#include "nullservices.h"
#include "sources/faa/faadetail.h"
#include "sources/faa/faaparser.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    static const auto scraper = std::make_shared<FAAParser>(
        ScraperEnvironment {stubs, stubs, stubs, stubs, nullptr, SourceAddresses::defaults(), {}});
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const FAANotam &notam : scraper->parseNotices(QStringLiteral("https://x/tfr2/"), text))
        (void)notam.displayDay(stubs);
    if (const auto notams = scraper->parseFeed(text)) {
        for (const FAANotam &notam : *notams)
            (void)notam.displayDay(stubs);
    }
    // The same bytes as an HTML page and inside an XML detail document.
    for (const QString &detail : {text, QStringLiteral("<XNOTAM-Update>") + text}) {
        if (const auto result = FAADetail::parse(detail))
            (void)result->altitudeDisplay();
    }
    return 0;
}
