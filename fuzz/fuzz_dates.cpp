// Arbitrary UTF-16 text into the date recogniser: it must not crash, hang or read out of bounds,
// and its matches must lie inside the text, in order, without overlapping.
#include "text/daterecognizer.h"

#include <unicode/timezone.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::unique_ptr<icu::TimeZone> zone(
        icu::TimeZone::createTimeZone("America/Chicago"));
    const QString text(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    qsizetype end = 0;
    for (const DateMatch &match : DateRecognizer::matches(text, 1629039600.0, *zone)) {
        if (match.position < end || match.length <= 0
            || match.position + match.length > text.size())
            std::abort();
        end = match.position + match.length;
    }
    return 0;
}
