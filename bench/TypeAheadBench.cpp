#include "core/AppContext.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/HerbNameSearch.h"
#include "platform/db/CzechCollation.h"

#include <QApplication>
#include <QLineEdit>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// 2,000 herbs with five names each, in Czech order as the list shows them.
QStringList herbNames() {
    static const QStringList syllables{"he", "řm",  "án", "ek", "ch", "me", "lo", "há", "ta", "če",
                                       "ka", "šal", "vě", "ži", "vo", "to", "pr", "av", "ý ", "ní"};
    QRandomGenerator rng(7);
    QStringList names;
    for (int i = 0; i < 10000; ++i) {
        QString name;
        for (int s = rng.bounded(2, 7); s > 0; --s)
            name += syllables.at(rng.bounded(static_cast<int>(syllables.size())));
        name[0] = name[0].toUpper();
        names << name;
    }
    const lumo::db::CzechCollation collation;
    std::sort(names.begin(), names.end(),
              [&](const QString& a, const QString& b) { return collation.compare(a, b) < 0; });
    return names;
}

const QStringList kTyped{"h", "he", "heř", "heřm", "ch", "cha", "č", "če", "šal", "x", "ží", "tapr"};

void BM_IndexLookup(benchmark::State& state) {
    lumo::HerbNameSearch search;
    const QStringList names = herbNames();
    search.setList(names, names);
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(search.findInList(kTyped[i++ % kTyped.size()]));
}
BENCHMARK(BM_IndexLookup);

void BM_IndexBuild(benchmark::State& state) {
    const QStringList names = herbNames();
    for (auto _ : state) {
        lumo::HerbNameSearch search;
        search.setList(names, names);
        benchmark::DoNotOptimize(search.listValid());
    }
}
BENCHMARK(BM_IndexBuild)->Unit(benchmark::kMillisecond);

// The whole keystroke: the search box's change, the selection and the scroll in the list.
void BM_Keystroke(benchmark::State& state) {
    lumo::FrmMain form;
    const QStringList names = herbNames();
    for (int i = 0; i < names.size(); ++i)
        form.addListItem(QStringLiteral("K%1").arg(i / 5 + 1), names[i]);
    form.resize(1000, 700);
    form.show();
    form.TxtByl->setText(QStringLiteral("a")); // the index is built on the first keystroke
    qsizetype i = 0;
    for (auto _ : state)
        form.TxtByl->setText(kTyped[i++ % kTyped.size()]);
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);

} // namespace
