// Arbitrary bytes into the JSON readers: the navigational warnings and the launch schedule, and
// which warnings cover the launches.
#include "menu/launchcover.h"
#include "menu/noticerows.h"
#include "nullservices.h"
#include "sources/launches/launches.h"
#include "sources/navwarn/navigationalwarnings.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    const NoticeRows rows(stubs, QStringLiteral("America/Chicago"));
    const auto warnings = NavigationalWarnings::parse(json, stubs.now());
    if (warnings)
        (void)rows.entriesOf(Source::navwarn, *warnings, nullptr);
    if (const auto launches = Launches::parse(json, stubs.now())) {
        (void)rows.entriesOf(Source::launches, *launches, nullptr);
        (void)rows.toolTipOf(QStringLiteral("🚀"), {}, {}, *launches,
                             warnings.value_or(QList<Notice>()));
        const QList<Notice> notices = warnings.value_or(QList<Notice>());
        (void)launchcover::coveredLaunches(*launches, notices);
        (void)launchcover::possibleActivity(*launches, notices, stubs.now());
    }
    return 0;
}
