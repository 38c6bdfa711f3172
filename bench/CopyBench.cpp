// Copying the synthetic 2,000-herb database (about 150 MB) with the installer's copy
// window against "cp --reflink=never", side by side; read the medians.
#include "installer/CopyEngine.h"
#include "installer/FrmCopy.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

QString sourceDb() {
    return qEnvironmentVariable("LUMO_BUILD_DIR", QStringLiteral(LUMO_BUILD_DIR_PATH)) +
           QStringLiteral("/data/synthetic/Lumo.mdb");
}

// Times copy(source, target) into a fresh target beside the build, so every copy writes
// to the same disk. copy answers false when it failed.
void timeCopies(benchmark::State& state, const std::function<bool(const QString&, const QString&)>& copy) {
    QTemporaryDir dir(QStringLiteral(LUMO_BUILD_DIR_PATH "/bench-copy-XXXXXX"));
    const QString target = dir.path() + QStringLiteral("/Lumo.mdb");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
        if (!copy(sourceDb(), target))
            state.SkipWithError("copy failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(sourceDb()).size());
}

// The copy window as the installer shows it (offscreen), labels and bar updating.
void BM_CopyWindow(benchmark::State& state) {
    timeCopies(state, [](const QString& source, const QString& target) {
        lumo::setup::FrmCopy window(source, target);
        window.show();
        return window.CopyFile();
    });
}

// The engine alone, without a window.
void BM_CopyEngine(benchmark::State& state) {
    timeCopies(state, [](const QString& source, const QString& target) {
        lumo::setup::CopyFileWithProgress(source, target);
        return true;
    });
}

void BM_CpReflinkNever(benchmark::State& state) {
    timeCopies(state, [](const QString& source, const QString& target) {
        return QProcess::execute(QStringLiteral("cp"), {QStringLiteral("--reflink=never"), source, target}) ==
               0;
    });
}

// Each copy timed alone, five times over.
void fiveCopies(benchmark::internal::Benchmark* b) {
    b->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime()->Unit(
        benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_CopyWindow)->Apply(fiveCopies);
BENCHMARK(BM_CopyEngine)->Apply(fiveCopies);
BENCHMARK(BM_CpReflinkNever)->Apply(fiveCopies);
