// Start-up to the main window shown, on the sample and on the 2,000-herb database.
#include "core/AppContext.h"
#include "core/LumoMain.h"
#include "mainwindow/FrmMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void startUp(benchmark::State& state, const QString& database) {
    if (!QFile::exists(database)) {
        state.SkipWithError("database not built");
        return;
    }
    QTemporaryDir dir;
    QFile::copy(database, dir.filePath(QStringLiteral("Lumo.mdb")));
    qputenv("LUMO_PROGRAM_DIR", dir.path().toLocal8Bit());
    lumo::StartupHooks hooks;
    hooks.anotherInstanceRunning = [] { return false; };
    hooks.loadMainWindow = [] { lumo::LoadMainWindow(); };
    for (auto _ : state) {
        if (lumo::Main(hooks) != lumo::StartOutcome::Started) {
            state.SkipWithError("start-up failed");
            break;
        }
        QApplication::processEvents();
        state.PauseTiming();
        if (lumo::FrmMain* form = lumo::FrmMain::Instance())
            form->close();
        QApplication::processEvents();
        lumo::App().ReleaseObjects();
        QFile::remove(dir.filePath(QStringLiteral("Lumo.ini")));
        state.ResumeTiming();
    }
}

void BM_StartupSample(benchmark::State& state) {
    startUp(state, QStringLiteral(LUMO_BUILD_DIR_PATH "/data/Lumo.mdb"));
}
void BM_StartupSynthetic(benchmark::State& state) {
    startUp(state, QStringLiteral(LUMO_BUILD_DIR_PATH "/data/synthetic/Lumo.mdb"));
}

} // namespace

BENCHMARK(BM_StartupSample)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_StartupSynthetic)->Unit(benchmark::kMillisecond)->MinTime(2.0);
