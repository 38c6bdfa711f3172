#include "core/HerbDb.h"
#include "mainwindow/FullTextSearch.h"
#include "platform/db/Connection.h"

#include <benchmark/benchmark.h>

namespace {

// One connection to the synthetic database (2,000 herbs, 44,000 section texts) for both.
lumo::db::Connection& connection() {
    static lumo::db::Connection c;
    if (!c.isOpen())
        c.open(QStringLiteral(LUMO_SYNTHETIC_DB), lumo::DatabasePassword());
    return c;
}

// What the engine alone takes: every row of Texty stepped, every column read.
void BM_BareScanTexty(benchmark::State& state) {
    lumo::db::Connection& c = connection();
    for (auto _ : state) {
        qint64 bytes = 0;
        c.forEachRow(QStringLiteral("SELECT * FROM Texty"), {}, [&](const lumo::db::Connection::Row& r) {
            for (int i = 0, n = r.columnCount(); i < n; ++i)
                bytes += r.bytes(i).size();
            return true;
        });
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_BareScanTexty)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7)->UseRealTime();

// The full-text search over all sections, as the user runs it.
void BM_FullTextSearchAll(benchmark::State& state) {
    lumo::db::Connection& c = connection();
    std::size_t found = 0;
    for (auto _ : state)
        found = lumo::FullTextSearch::Run(c, QStringLiteral("heřmánek"), 0).size();
    state.counters["herbs_found"] = double(found);
}
BENCHMARK(BM_FullTextSearchAll)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7)->UseRealTime();

} // namespace
