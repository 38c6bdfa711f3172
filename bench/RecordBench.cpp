#include "bench/SyntheticDatabase.h"
#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/HerbRecord.h"
#include "mainwindow/HerbRecordComposer.h"

#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

lumo::RecordRequest request(long idx) {
    lumo::RecordRequest r;
    r.Idx = idx;
    r.HerbName = QStringLiteral("Bylina %1").arg(idx);
    const char* languages[] = {"Česky",       "Latinsky",  "Slovensky", "Německy", "Anglicky",
                               "Francouzsky", "Španělsky", "Rusky",     "Lidově"};
    for (long i = 0; i < 9; ++i)
        r.Languages.emplace_back(i + 1, QString::fromUtf8(languages[i]));
    r.Shown.fill(true);
    return r;
}

// The composition alone: names block, 22 sections, RTF out.
void BM_ComposeRecord(benchmark::State& state) {
    lumo::bench::OpenSyntheticDatabase();
    long idx = 1;
    qsizetype size = 0;
    for (auto _ : state) {
        lumo::HerbRecordComposer composer(*lumo::App().DbConnection, lumo::App().Settings,
                                          *lumo::App().SrvObj, lumo::App().ErrObj.get());
        size = composer.NactiBylinu(request(idx)).Rtf.size();
        benchmark::DoNotOptimize(size);
        idx = idx % 200 + 1;
    }
    state.counters["rtf_bytes"] = double(size);
}
BENCHMARK(BM_ComposeRecord)->Unit(benchmark::kMillisecond);

// What the user waits for: a herb chosen in the list until its record is on the screen.
void BM_ShowRecord(benchmark::State& state) {
    lumo::bench::OpenSyntheticDatabase();
    lumo::FrmMain form;
    form.setRecordView(std::make_unique<lumo::HerbRecord>(form));
    form.NactiJazyky();
    form.NactiSeznamBylin();
    form.resize(1000, 700);
    form.show();
    int row = 0;
    for (auto _ : state) {
        form.selectListItem(form.Lv->topLevelItem(row));
        form.UkazBylinu();
        row = (row + 37) % form.Lv->topLevelItemCount();
    }
}
BENCHMARK(BM_ShowRecord)->Unit(benchmark::kMillisecond);

} // namespace
