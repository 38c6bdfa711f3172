#include "bench/SyntheticDatabase.h"
#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/HerbRecordComposer.h"
#include "platform/ui/RtfJoin.h"
#include "print/MPrint.h"
#include "print/PrintEngine.h"
#include "print/Printers.h"

#include <benchmark/benchmark.h>

namespace {

// A record of the synthetic database (all 22 sections and the article).
QString syntheticRecord() {
    using namespace lumo;
    bench::OpenSyntheticDatabase();
    HerbRecordComposer composer(*App().DbConnection, App().Settings, *App().SrvObj, App().ErrObj.get());
    RecordRequest r;
    r.Idx = 1;
    r.HerbName = QStringLiteral("Bylina 1");
    r.Languages = {{1, QStringLiteral("Česky")}, {2, QStringLiteral("Latinsky")}};
    r.Shown.fill(true);
    return composer.NactiBylinu(r).Rtf;
}

int paginate(const QString& rtf) {
    lumo::print::PrintEngine engine;
    engine.PrepareDocument(rtf, false, QString(), 0);
    engine.NastavOkraje({10, 10, 10, 10});
    engine.PripravNahled();
    return lumo::PrintSettings().PageCount;
}

// What the user waits for when the preview opens: the record prepared with the header and the
// footer and cut into 50 A4 pages for the PDF printer.
void BM_PripravNahled(benchmark::State& state) {
    using namespace lumo;
    print::SelectPrinter(print::PdfPrinterName());
    PrintSettings().PageHeader = FixedPageText(QStringLiteral("Bylina 1"));
    PrintSettings().HeaderAlign = 2;
    PrintSettings().PageFooter = FixedPageText(QStringLiteral("LUMO"));
    const QString one = syntheticRecord();
    QString document = one;
    while (paginate(document) < 50)
        document = ui::JoinRtf(document, one);
    int pages = 0;
    for (auto _ : state) {
        pages = paginate(document);
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PripravNahled)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
