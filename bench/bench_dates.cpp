// The date finder over the description cells of the real FAA list rows, in rows per second.
#include "nullservices.h"
#include "text/dateextractor.h"

#include <QFile>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

QStringList descriptions()
{
    QFile file(QStringLiteral(PLUMETRACK_FIXTURES "/faa/list-rows-2021-08.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList rows;
    for (const QString &row : QString::fromUtf8(file.readAll()).split('\n').mid(1)) {
        if (!row.isEmpty())
            rows << row.section('\t', 3);
    }
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
            benchmark::DoNotOptimize(DateExtractor::dates(row, clock));
    }
    state.SetItemsProcessed(state.iterations() * rows.size());
    state.counters["chars/row"] = double(characters) / double(rows.size());
}
BENCHMARK(DatesOverRealFaaRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
