#define SQLITE_HAS_CODEC 1
#include "core/AppContext.h"
#include "core/Settings.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMain.h"
#include "platform/db/Connection.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

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

void exec(sqlite3* db, const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK)
        qFatal("%s", message ? message : "sqlite error");
}

// 20,000 herbs, each with a name in every language 2..8 and two folk names: the list and the
// alternative names as a database ten times the bundled synthetic one holds them. Only the
// tables the list and the search box read; built once per run in a temporary folder.
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
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                    nullptr);
    exec(db, QStringLiteral("CREATE TABLE Byliny (Idx INTEGER PRIMARY KEY, Nazev TEXT, KratkyNaz TEXT, "
                            "IdxCeled INTEGER)"));
    exec(db, QStringLiteral("CREATE TABLE Nazvy (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, IdxJazyk "
                            "INTEGER, Nazev TEXT)"));
    exec(db, QStringLiteral("CREATE TABLE Jazyk (Idx INTEGER PRIMARY KEY, Nazev TEXT)"));
    exec(db, QStringLiteral("BEGIN"));
    for (int l = 1; l <= 9; ++l)
        exec(db, QStringLiteral("INSERT INTO Jazyk VALUES (%1,'%2')")
                     .arg(l)
                     .arg(QString::fromUtf8(kLanguages[l - 1])));
    long nameIdx = 0;
    for (int i = 1; i <= kHerbs; ++i) {
        const QString name = randomName(rng, czech);
        exec(db, QStringLiteral("INSERT INTO Byliny VALUES (%1,'%2 %3','%2',0)").arg(i).arg(name).arg(i));
        for (int l = 2; l <= 10; ++l) {
            const QString other = randomName(rng, l == 2 ? latin : l >= 9 ? czech : latin + czech);
            exec(db, QStringLiteral("INSERT INTO Nazvy VALUES (%1,%2,%3,'%4')")
                         .arg(++nameIdx)
                         .arg(i)
                         .arg(std::min(l, 9))
                         .arg(other));
        }
    }
    exec(db, QStringLiteral("COMMIT"));
    sqlite3_close(db);
    return path;
}

void openScaleDatabase() {
    using namespace lumo;
    if (App().DbConnection)
        return;
    App().ErrObj = std::make_unique<CKelErr>();
    App().SrvObj = std::make_unique<CKelSrv>();
    App().DbConnection = std::make_unique<db::Connection>();
    App().DbConnection->open(scaleDatabase(), QString());
}

// The main window with its names languages, as start-up leaves it.
lumo::FrmMain& window() {
    static lumo::FrmMain* form = [] {
        openScaleDatabase();
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
    openScaleDatabase();
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
