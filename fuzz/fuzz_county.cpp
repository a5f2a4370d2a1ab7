// Arbitrary text into the county page parser.
#include "menu/noticerows.h"
#include "nullservices.h"
#include "sources/county/cameroncountyparse.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    static const auto scraper = std::make_shared<CameronCountyParse>(
        ScraperEnvironment {stubs, stubs, stubs, stubs, SourceAddresses::defaults(), {}});
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    scraper->parseCC(text, [](QList<CameronCountyRecord> records) {
        QList<Notice> notices;
        for (const CameronCountyRecord &record : records)
            notices << record.notice({});
        (void)NoticeRows(stubs, QStringLiteral("America/Chicago"))
            .entriesOf(Source::county, notices, nullptr);
    });
    return 0;
}
