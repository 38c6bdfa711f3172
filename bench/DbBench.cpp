#define SQLITE_HAS_CODEC 1
#include "platform/db/CipherFormat.h"
#include "platform/db/Connection.h"
#include "platform/db/SqlFunctions.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <cstdlib>
#include <functional>

namespace {

constexpr int kHerbs = 2000;
constexpr int kLanguages = 9;
constexpr int kSections = 22;
const QString kKey = QStringLiteral("Qm48tHwwZpk7sLp3vGd");

void must(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

QString randomName(QRandomGenerator& r) {
    static const QStringList syllables = {"ch", "če", "ša", "ře", "ma", "lo", "ví",
                                          "ka", "zu", "Ná", "bo", "tý", "ž"};
    QString s;
    for (int i = 0, n = 2 + r.bounded(4); i < n; ++i)
        s += syllables[r.bounded(syllables.size())];
    s[0] = s[0].toUpper();
    return s;
}

void insertRows(sqlite3* db, const char* sql, int rows, const std::function<void(sqlite3_stmt*, int)>& bind) {
    sqlite3_stmt* st = nullptr;
    must(db, sqlite3_prepare_v2(db, sql, -1, &st, nullptr));
    for (int i = 0; i < rows; ++i) {
        bind(st, i);
        must(db, sqlite3_step(st));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

void bindText(sqlite3_stmt* st, int column, const QString& text) {
    const QByteArray b = text.toUtf8();
    sqlite3_bind_text(st, column, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
}

// A synthetic herb database with the shipped schema, written once per run.
QString syntheticDatabase() {
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    path = dir.filePath(QStringLiteral("Lumo.mdb"));
    QFile schema(QStringLiteral(LUMO_SCHEMA_FILE));
    if (!schema.open(QIODevice::ReadOnly))
        std::abort();
    sqlite3* db = nullptr;
    must(db, sqlite3_open(QFile::encodeName(path).constData(), &db));
    const QByteArray key = kKey.toUtf8();
    must(db, sqlite3_key(db, key.constData(), static_cast<int>(key.size())));
    must(db, sqlite3_exec(db, lumo::db::CipherPragmas().constData(), nullptr, nullptr, nullptr));
    must(db, lumo::db::RegisterSqlFunctions(db)); // the schema's name indexes sort with it
    must(db, sqlite3_exec(db, schema.readAll().constData(), nullptr, nullptr, nullptr));
    must(db, sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr));
    QRandomGenerator r(42);
    insertRows(db, "INSERT INTO Byliny VALUES (?,?,?,?)", kHerbs, [&](sqlite3_stmt* st, int i) {
        sqlite3_bind_int(st, 1, i + 1);
        bindText(st, 2, randomName(r));
        bindText(st, 3, randomName(r));
        sqlite3_bind_int(st, 4, 1 + i % 80);
    });
    insertRows(db, "INSERT INTO Nazvy VALUES (?,?,?,?)", kHerbs * (kLanguages - 1),
               [&](sqlite3_stmt* st, int i) {
                   sqlite3_bind_int(st, 1, i + 1);
                   sqlite3_bind_int(st, 2, 1 + i / (kLanguages - 1));
                   sqlite3_bind_int(st, 3, 2 + i % (kLanguages - 1));
                   bindText(st, 4, i % 17 == 0 ? QStringLiteral("  ") : randomName(r));
               });
    const QString section = QStringLiteral("{\\rtf1\\ansi\\deff0 {\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ") +
                            QStringLiteral("Nať se sbírá v době květu a suší se ve stínu. ").repeated(40) +
                            u'}';
    insertRows(db, "INSERT INTO Texty VALUES (?,?,?)", kHerbs * kSections, [&](sqlite3_stmt* st, int i) {
        sqlite3_bind_int(st, 1, 1 + i / kSections);
        sqlite3_bind_int(st, 2, 1 + i % kSections);
        bindText(st, 3, section);
    });
    must(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr));
    sqlite3_close(db);
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
