// Arbitrary text into the city's beach and road access page parser.
#include "menu/noticerows.h"
#include "nullservices.h"
#include "sources/starbase/starbaseclosures.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString zone = QStringLiteral("America/Chicago");
    if (const auto notices = StarbaseClosures::parse(text, stubs, zone))
        (void)NoticeRows(stubs, zone).entriesOf(Source::starbase, *notices, nullptr);
    return 0;
}
