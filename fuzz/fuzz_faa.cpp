// Arbitrary text into the FAA list and detail parsers.
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
    if (const auto result = FAADetail::parse(text))
        (void)result->altitudeDisplay();
    return 0;
}
