// The date finder over the description cells of the real FAA list rows, windows and all, in rows
// per second.
#include "faapages.h"
#include "nullservices.h"
#include "text/dateextractor.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

QStringList descriptions()
{
    QStringList rows;
    for (const FaaRow &row : realFaaRows())
        rows << row.description;
    return rows;
}

void DatesOverRealFaaRows(benchmark::State &state)
{
    const QStringList rows = descriptions();
    const NullServices clock;
    qint64 characters = 0;
    for (const QString &row : rows)
        characters += row.size();
    for (auto _ : state) {
        for (const QString &row : rows)
            benchmark::DoNotOptimize(
                DateExtractor::windows(row, clock, QStringLiteral("America/Chicago")));
    }
    state.SetItemsProcessed(state.iterations() * rows.size());
    state.counters["chars/row"] = double(characters) / double(rows.size());
}
BENCHMARK(DatesOverRealFaaRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
