#include "bench/SyntheticDatabase.h"
#include "browsers/BrowsersRegistration.h"
#include "browsers/CalendarBrowser.h"
#include "browsers/PictureBrowser.h"
#include "browsers/PreparationBrowser.h"
#include "mainwindow/FrmMain.h"
#include "platform/ui/RichTextBox.h"

#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

// What a composed record adds for the category tabs: all seven per-herb lists (active
// substances, indication groups, preparations, the picture ids, indications in both levels,
// combinations and the collection calendar with the first part's months), refilled for a
// herb of the 2,000, with a few marks to show.
void BM_RefillHerbLists(benchmark::State& state) {
    lumo::bench::OpenSyntheticDatabase();
    lumo::FrmMain form;
    lumo::InstallBrowsers(form);
    lumo::PreparationBrowser::Install(form);
    lumo::PictureBrowser::Install(form);
    form.MarkedUL = {1, 2, 3};
    form.MarkedULCount = 3;
    form.resize(1000, 700);
    form.show();
    long herb = 1;
    int items = 0;
    for (auto _ : state) {
        form.RefillHerbLists(herb);
        items = form.LvUL->topLevelItemCount() + form.LvIndSk->topLevelItemCount() +
                form.LvInd->topLevelItemCount() + form.LvSub->topLevelItemCount() +
                form.LvKomb->topLevelItemCount() + form.LvCast->topLevelItemCount() +
                form.LvMesic->topLevelItemCount() + form.LvPrip->topLevelItemCount() + int(form.PictureCount);
        benchmark::DoNotOptimize(items);
        herb = (herb + 36) % 2000 + 1;
    }
    state.counters["items"] = items;
}
BENCHMARK(BM_RefillHerbLists)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A month chosen in the calendar's month view until its description is ready: every herb
// collected in that month with its parts collected then (May: about 900 of the 2,000 herbs).
void BM_MonthDescription(benchmark::State& state) {
    lumo::bench::OpenSyntheticDatabase();
    lumo::FrmMain form;
    lumo::CalendarBrowser calendar(form);
    form.resize(1000, 700);
    form.show();
    calendar.NactiNazvySber();
    form.selectListItem(form.Lv->topLevelItem(4));
    for (auto _ : state)
        calendar.NactiPopisSber();
    state.counters["rtf_bytes"] = double(form.RtfTemp->TextRTF().size());
}
BENCHMARK(BM_MonthDescription)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
