// Arbitrary text into the county page parser.
#include "platform/caches.h"
#include "platform/clock.h"
#include "platform/httpclient.h"
#include "platform/runloop.h"
#include "sources/county/cameroncountyparse.h"

#include <cstdint>

namespace {

struct Stubs final : HttpClient, RunLoop, Clock, Caches
{
    void get(const QUrl &, Completion) override { }
    Result getBlocking(const QUrl &) override { return {}; }
    void post(Task) override { }
    std::shared_ptr<Timer> scheduleRepeating(double, Task) override { return nullptr; }
    double now() const override { return 1629039600.0; }
    std::optional<QString> directory() const override { return std::nullopt; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Stubs stubs;
    static const auto scraper = std::make_shared<CameronCountyParse>(
        ScraperEnvironment {stubs, stubs, stubs, stubs, nullptr, SourceAddresses::defaults(), {}});
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    scraper->parseCC(text, [](QList<CameronCountyRecord> records) {
        for (const CameronCountyRecord &record : records)
            (void)record.menuItems(nullptr, QStringLiteral("openCameronCountyAction:"));
    });
    return 0;
}
