#include "data/builder/DbWriter.h"
#include "data/builder/HerbDbBuilder.h"
#include "platform/db/Connection.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kHerbs = 2000;
constexpr int kLanguages = 9;
constexpr int kSections = 22;
const QString kKey = QString::fromLatin1(lumo::db::kDatabasePassword);

QString randomName(QRandomGenerator& r) {
    static const QStringList syllables = {"ch", "če", "ša", "ře", "ma", "lo", "ví",
                                          "ka", "zu", "Ná", "bo", "tý", "ž"};
    QString s;
    for (int i = 0, n = 2 + r.bounded(4); i < n; ++i)
        s += syllables[r.bounded(syllables.size())];
    s[0] = s[0].toUpper();
    return s;
}

// A synthetic herb database with the shipped schema, written once per run by the database
// builder's writer.
QString syntheticDatabase() {
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    path = dir.filePath(QStringLiteral("Lumo.mdb"));
    lumo::data::DbWriter db(path, lumo::db::kDatabasePassword);
    lumo::data::HerbDbBuilder::createSchema(db, QStringLiteral(LUMO_SCHEMA_FILE));
    db.begin();
    QRandomGenerator r(42);
    for (int i = 0; i < kHerbs; ++i) {
        const QString name = randomName(r);
        db.insert(QStringLiteral("Byliny"), {i + 1, name, randomName(r), 1 + i % 80});
    }
    for (int i = 0; i < kHerbs * (kLanguages - 1); ++i)
        db.insert(QStringLiteral("Nazvy"), {i + 1, 1 + i / (kLanguages - 1), 2 + i % (kLanguages - 1),
                                            i % 17 == 0 ? QStringLiteral("  ") : randomName(r)});
    const QString section = QStringLiteral("{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ") +
                            QStringLiteral("Nať se sbírá v době květu a suší se ve stínu. ").repeated(40) +
                            u'}';
    for (int i = 0; i < kHerbs * kSections; ++i)
        db.insert(QStringLiteral("Texty"), {1 + i / kSections, 1 + i % kSections, section});
    db.commit();
    return path;
}

void BM_Open(benchmark::State& state) {
    const QString path = syntheticDatabase();
    for (auto _ : state) {
        lumo::db::Connection c;
        c.open(path, kKey);
        benchmark::DoNotOptimize(c.isOpen());
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

// The main list: language 1 from Byliny, the others by the names join.
void BM_NameList(benchmark::State& state) {
    lumo::db::Connection c;
    c.open(syntheticDatabase(), kKey);
    const int language = static_cast<int>(state.range(0));
    const QString sql =
        language == 1 ? QStringLiteral("SELECT * FROM Byliny ORDER BY Nazev")
                      : QStringLiteral("SELECT * FROM Byliny AS b, Nazvy AS n WHERE IdxByliny=b.Idx AND "
                                       "IdxJazyk=%1 AND Len(Trim(n.Nazev))>0 ORDER BY n.Nazev")
                            .arg(language);
    for (auto _ : state) {
        lumo::db::Recordset rs = c.execute(sql);
        qint64 sum = 0;
        for (; !rs.eof(); rs.moveNext())
            sum += rs.field(language == 1 ? QStringLiteral("Idx") : QStringLiteral("b.Idx")).toLong();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_NameList)->Arg(1)->Arg(2)->Arg(9)->Unit(benchmark::kMillisecond);

// One herb record: its 22 section texts, each its own query.
void BM_RecordSections(benchmark::State& state) {
    lumo::db::Connection c;
    c.open(syntheticDatabase(), kKey);
    int herb = 1;
    for (auto _ : state) {
        qint64 bytes = 0;
        for (int typ = 1; typ <= kSections; ++typ) {
            lumo::db::Recordset rs = c.execute(
                QStringLiteral("SELECT * FROM Texty WHERE IdxByliny=%1 AND IdxTyp=%2").arg(herb).arg(typ));
            if (!rs.eof())
                bytes += rs.field(QStringLiteral("Clanek")).str().size();
        }
        benchmark::DoNotOptimize(bytes);
        herb = herb % kHerbs + 1;
    }
}
BENCHMARK(BM_RecordSections)->Unit(benchmark::kMillisecond);

} // namespace
