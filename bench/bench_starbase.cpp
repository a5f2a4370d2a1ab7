// The city's page reader on a hostile page: blocks deep inside 250 nested elements whose class
// values are long, at 256 KiB and 1 MiB. The time per byte should stay the same at both sizes.
#include "nullservices.h"
#include "sources/starbase/starbaseclosures.h"

#include <benchmark/benchmark.h>

namespace {

QString deepPage(qsizetype bytes)
{
    const QString classes = QStringLiteral("column ").repeated(40) + QStringLiteral("visible");
    QString page = QStringLiteral("<html><body>");
    for (int i = 0; i < 250; ++i)
        page += QStringLiteral("<div class=\"%1\">").arg(classes);
    while (page.size() < bytes)
        page
            += QStringLiteral("<div class=\"%1\"><div id=\"beach-closure\"><p>Primary: Dec. 8 6:30 "
                              "AM to 9:00 PM</p></div></div>")
                   .arg(classes);
    return page + QStringLiteral("</div>").repeated(250) + QStringLiteral("</body></html>");
}

void ParseDeepCityPage(benchmark::State &state)
{
    NullServices stubs;
    const QString page = deepPage(state.range(0) * 1024);
    size_t rows = 0;
    for (auto _ : state)
        rows = size_t(
            StarbaseClosures::parse(page, stubs, QStringLiteral("America/Chicago"))->size());
    state.SetBytesProcessed(state.iterations() * page.toUtf8().size());
    state.counters["rows"] = double(rows);
}
BENCHMARK(ParseDeepCityPage)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
