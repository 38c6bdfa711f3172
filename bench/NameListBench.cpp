#include "bench/SyntheticDatabase.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "data/builder/DbWriter.h"
#include "data/builder/HerbDbBuilder.h"
#include "mainwindow/FrmMain.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int kHerbs = 20000;
const char* const kLanguages[] = {"Česky",       "Latinsky",  "Slovensky", "Německy", "Anglicky",
                                  "Francouzsky", "Španělsky", "Rusky",     "Lidově"};

QString randomName(QRandomGenerator& rng, const QStringList& syllables) {
    QString name;
    for (int s = rng.bounded(3, 7); s > 0; --s)
        name += syllables.at(rng.bounded(static_cast<int>(syllables.size())));
    name[0] = name[0].toUpper();
    return name;
}

// 20,000 herbs, each with a name in every language 2..8 and two folk names: the list and the
// alternative names as a database ten times the bundled synthetic one holds them. The real
// schema and key, only the tables the list and the search box read; built once per run in a
// temporary folder by the database builder's writer.
QString scaleDatabase() {
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    path = dir.filePath(QStringLiteral("Lumo.mdb"));
    static const QStringList czech{"he", "řm",  "án", "ek", "ch", "me", "lo", "há", "ta", "če",
                                   "ka", "šal", "vě", "ži", "vo", "to", "pr", "av", "ní", "ro"};
    static const QStringList latin{"men", "tha", "ma",  "tri", "ca",  "ria", "sal", "vi", "a",  "hu",
                                   "mu",  "lus", "cra", "tae", "gus", "pi",  "pe",  "ri", "ta", "um"};
    QRandomGenerator rng(11);
    lumo::data::DbWriter db(path, lumo::db::kDatabasePassword);
    lumo::data::HerbDbBuilder::createSchema(db, QStringLiteral(LUMO_SCHEMA_FILE));
    db.begin();
    for (int l = 1; l <= 9; ++l)
        db.insert(QStringLiteral("Jazyk"), {l, QString::fromUtf8(kLanguages[l - 1])});
    long nameIdx = 0;
    for (int i = 1; i <= kHerbs; ++i) {
        const QString name = randomName(rng, czech);
        db.insert(QStringLiteral("Byliny"), {i, name + u' ' + QString::number(i), name, 0});
        for (int l = 2; l <= 10; ++l) {
            const QString other = randomName(rng, l == 2 ? latin : l >= 9 ? czech : latin + czech);
            db.insert(QStringLiteral("Nazvy"), {static_cast<qlonglong>(++nameIdx), i, std::min(l, 9), other});
        }
    }
    db.commit();
    return path;
}

// The main window with its names languages, as start-up leaves it.
lumo::FrmMain& window() {
    static lumo::FrmMain* form = [] {
        lumo::bench::OpenDatabase(scaleDatabase());
        auto* f = new lumo::FrmMain();
        f->NactiJazyky();
        f->resize(1000, 700);
        f->show();
        return f;
    }();
    return *form;
}

// The whole list filled in a names language (1 Czech, 2 Latin, 9 folk names) again: the herbs
// view command, the end of every category search.
void BM_NameList20k(benchmark::State& state) {
    lumo::FrmMain& form = window();
    lumo::App().Settings.NamesLang = static_cast<qint16>(state.range(0));
    form.NactiSeznamBylin();
    for (auto _ : state)
        form.NactiSeznamBylin();
    state.counters["items"] = form.Lv->topLevelItemCount();
}
BENCHMARK(BM_NameList20k)->Arg(1)->Arg(2)->Arg(9)->Unit(benchmark::kMillisecond);

// The first fill of a names language in a window: the list's query, read and sorted.
void BM_FirstNameList20k(benchmark::State& state) {
    lumo::bench::OpenDatabase(scaleDatabase());
    lumo::App().Settings.NamesLang = static_cast<qint16>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<lumo::FrmMain>();
        form->NactiJazyky();
        state.ResumeTiming();
        form->NactiSeznamBylin();
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstNameList20k)->Arg(1)->Arg(2)->Arg(9)->Unit(benchmark::kMillisecond);

// A typed name that no list item begins with: the alternative names are looked up.
void BM_ForeignName20k(benchmark::State& state) {
    lumo::FrmMain& form = window();
    lumo::App().Settings.NamesLang = 1;
    form.NactiSeznamBylin();
    form.PrepareSearch(); // what the window prepares once it is idle after its first activation
    const QStringList typed{"Mentha", "Salvia", "Hu", "Matri", "Crat", "Tha", "Pipe", "Umri"};
    qsizetype i = 0;
    for (auto _ : state)
        form.TxtByl->setText(typed[i++ % typed.size()]);
    state.counters["found"] =
        form.panelText(QStringLiteral("Popis")) == QStringLiteral("Název nenalezen") ? 0 : 1;
}
BENCHMARK(BM_ForeignName20k)->Unit(benchmark::kMillisecond);

} // namespace
