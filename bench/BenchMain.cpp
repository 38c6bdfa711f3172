#include "platform/process/HeapPolicy.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// Fonts, text layout and widgets need an application object; benchmarks run offscreen.
int main(int argc, char** argv) {
    lumo::process::KeepFreedMemory(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
