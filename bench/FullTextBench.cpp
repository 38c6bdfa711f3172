#include "bench/SyntheticDatabase.h"
#include "core/AppContext.h"
#include "core/HerbDb.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/FullTextPanel.h"
#include "mainwindow/FullTextSearch.h"
#include "mainwindow/HerbRecord.h"
#include "platform/db/Connection.h"

#include <QTreeWidget>

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

// What the user waits for when a word stands in every herb ("silici"): the panel's scan with
// its progress shown, until the 2,000 herbs found are listed.
void BM_FullTextPanelEveryHerb(benchmark::State& state) {
    lumo::bench::OpenSyntheticDatabase();
    lumo::FrmMain form;
    form.setRecordView(std::make_unique<lumo::HerbRecord>(form));
    auto* panel = new lumo::FullTextPanel(form);
    form.NactiJazyky();
    form.NactiSeznamBylin();
    form.resize(1000, 700);
    form.show();
    for (auto _ : state) {
        panel->ZapniHledani();
        form.FindText = QStringLiteral("silici");
        form.FindPart = 0;
        panel->NactiBylinySTextem();
        panel->VypniHledani();
    }
    state.counters["herbs_listed"] = double(form.Lv->topLevelItemCount());
}
BENCHMARK(BM_FullTextPanelEveryHerb)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->UseRealTime();

} // namespace
