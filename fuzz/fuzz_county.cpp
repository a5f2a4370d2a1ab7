// Arbitrary text into the county page parser.
#include "nullservices.h"
#include "sources/county/cameroncountyparse.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    static const auto scraper = std::make_shared<CameronCountyParse>(
        ScraperEnvironment {stubs, stubs, stubs, stubs, nullptr, SourceAddresses::defaults(), {}});
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    scraper->parseCC(text, [](QList<CameronCountyRecord> records) {
        for (const CameronCountyRecord &record : records)
            (void)record.menuItems(nullptr, QStringLiteral("openCameronCountyAction:"));
    });
    return 0;
}
