// Arbitrary bytes into the navigational warnings reader.
#include "menu/noticerows.h"
#include "nullservices.h"
#include "sources/navwarn/navigationalwarnings.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto notices = NavigationalWarnings::parse(json, stubs.now()))
        (void)NoticeRows(stubs, QStringLiteral("America/Chicago"))
            .entriesOf(Source::navwarn, *notices, nullptr);
    return 0;
}
