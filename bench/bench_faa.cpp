// The FAA parsers on large pages, in bytes per second: a 5 MiB list page with a few hundred
// Brownsville "SPACE OPERATIONS" rows among many others, and a 200 KiB detail page.
#include "faapages.h"
#include "nullservices.h"
#include "sources/faa/faadetail.h"
#include "sources/faa/faaparser.h"

#include <QFile>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

QString listPage(qsizetype bytes)
{
    const std::vector<FaaRow> rows = realFaaRows();
    QString page = QStringLiteral("<html><body><table>\r\n");
    for (int i = 0; page.size() < bytes; ++i) {
        const FaaRow &row = rows[size_t(i) % rows.size()];
        QString type = row.type;
        QString description = row.description;
        if (i % 60 == 0) {
            type = QStringLiteral("SPACE OPERATIONS");
            description = QStringLiteral("BROWNSVILLE, TX, Monday, August 16, 2021 through "
                                         "Tuesday, August 31, 2021 UTC");
        }
        const QString link = QStringLiteral("save_pages/detail_1_%1.html").arg(i);
        page += QStringLiteral("<tr valign=\"top\" height=\"30\" bgcolor=\"#FFFFFF\">\r\n"
                               "<td class=\"tfr\">\r\n<a href=\"%1\">%2</a>\r\n</td>\r\n"
                               "<td class=\"tfr\">\r\n<a href=\"%1\">%3</a>\r\n</td>\r\n</tr>\r\n")
                    .arg(link, type, description);
    }
    return page;
}

QString detailPage(qsizetype bytes)
{
    QFile file(QStringLiteral(PLUMETRACK_FIXTURES "/faa/detail-page-text-2024-03.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString page;
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    while (page.size() < bytes) {
        for (const QString &line : lines)
            page += QStringLiteral("<tr><td class=\"text\">%1</td></tr>\r\n").arg(line);
    }
    return page;
}

void ParseFaaListPage(benchmark::State &state)
{
    NullServices stubs;
    const auto scraper = std::make_shared<FAAParser>(
        ScraperEnvironment {stubs, stubs, stubs, stubs, SourceAddresses::defaults(), {}});
    const QString page = listPage(5 * 1024 * 1024);
    size_t notices = 0;
    for (auto _ : state)
        notices = size_t(
            scraper->parseNotices(QStringLiteral("https://tfr.faa.gov/tfr2/"), page)->size());
    state.SetBytesProcessed(state.iterations() * page.toUtf8().size());
    state.counters["notices"] = double(notices);
}
BENCHMARK(ParseFaaListPage)->Unit(benchmark::kMillisecond);

void ParseFaaDetailPage(benchmark::State &state)
{
    const QString page = detailPage(200 * 1024);
    for (auto _ : state)
        benchmark::DoNotOptimize(FAADetail::parse(page));
    state.SetBytesProcessed(state.iterations() * page.toUtf8().size());
}
BENCHMARK(ParseFaaDetailPage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
