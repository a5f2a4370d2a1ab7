// Arbitrary text into the Coast Guard readers: the list page, the CSV export, and the positions
// and launch test of every message it gives.
#include "menu/noticerows.h"
#include "nullservices.h"
#include "sources/msib/msib.h"
#include "sources/positions.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    static const MSIB scraper(
        ScraperEnvironment {stubs, stubs, stubs, stubs, SourceAddresses::defaults(), {}});
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<MSIB::Listed> listed = MSIB::parseList(text).value_or(QList<MSIB::Listed>());
    const QList<MSIB::Message> messages = MSIB::parseExport(text).value_or(QList<MSIB::Message>());
    for (const MSIB::Message &message : messages) {
        // Every position read is a place on the earth.
        for (const GeoPoint &point : positions::in(message.body))
            if (!(std::abs(point.latitude) <= 90 && std::abs(point.longitude) <= 180))
                std::abort();
        (void)MSIB::isLaunchNotice(message);
    }
    if (const auto notice = scraper.newestLaunchNotice(messages, listed))
        (void)NoticeRows(stubs, QStringLiteral("America/Chicago"))
            .entriesOf(Source::bulletin, {*notice}, nullptr);
    return 0;
}
