// Arbitrary bytes into the navigational warnings reader.
#include "sources/navwarn/navigationalwarnings.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto rows = NavigationalWarnings::parse(json)) {
        for (const RowRecord &row : *rows)
            (void)row.menuItems(nullptr, QStringLiteral("openNavigationalWarningsAction:"));
    }
    return 0;
}
