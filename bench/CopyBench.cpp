// Copying the synthetic 2,000-herb database (about 150 MB) with the installer's copy
// window against "cp --reflink=never", side by side; read the medians.
#include "installer/CopyEngine.h"
#include "installer/FrmCopy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString sourceDb() {
    return qEnvironmentVariable("LUMO_BUILD_DIR", QStringLiteral(LUMO_BUILD_DIR_PATH)) +
           QStringLiteral("/data/synthetic/Lumo.mdb");
}

// The target folder beside the build, so both copies write to the same disk.
QString targetFile(const QTemporaryDir& dir) {
    return dir.path() + QStringLiteral("/Lumo.mdb");
}

void BM_CopyWindow(benchmark::State& state) {
    QTemporaryDir dir(QStringLiteral(LUMO_BUILD_DIR_PATH "/bench-copy-XXXXXX"));
    const QString target = targetFile(dir);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        lumo::setup::FrmCopy window(sourceDb(), target);
        window.show();
        state.ResumeTiming();
        if (!window.CopyFile())
            state.SkipWithError("copy failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(sourceDb()).size());
}

// The engine alone, without a window.
void BM_CopyEngine(benchmark::State& state) {
    QTemporaryDir dir(QStringLiteral(LUMO_BUILD_DIR_PATH "/bench-copy-XXXXXX"));
    const QString target = targetFile(dir);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
        lumo::setup::CopyFileWithProgress(sourceDb(), target);
    }
    state.SetBytesProcessed(state.iterations() * QFile(sourceDb()).size());
}

void BM_CpReflinkNever(benchmark::State& state) {
    QTemporaryDir dir(QStringLiteral(LUMO_BUILD_DIR_PATH "/bench-copy-XXXXXX"));
    const QString target = targetFile(dir);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
        const int rc =
            QProcess::execute(QStringLiteral("cp"), {QStringLiteral("--reflink=never"), sourceDb(), target});
        if (rc != 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(sourceDb()).size());
}

} // namespace

BENCHMARK(BM_CopyWindow)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyEngine)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CpReflinkNever)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
