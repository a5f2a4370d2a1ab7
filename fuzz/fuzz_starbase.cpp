// Arbitrary text into the city's beach and road access page parser.
#include "nullservices.h"
#include "sources/starbase/starbaseclosures.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static NullServices stubs;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto rows = StarbaseClosures::parse(text, stubs, QStringLiteral("America/Chicago"))) {
        for (const RowRecord &row : *rows)
            (void)row.menuItems(nullptr, QStringLiteral("openStarbaseAction:"));
    }
    return 0;
}
