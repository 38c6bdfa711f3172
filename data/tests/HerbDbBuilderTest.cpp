#include "data/builder/HerbDbBuilder.h"
#include "data/builder/DbChecker.h"
#include "data/builder/DbWriter.h"
#include "data/builder/SyntheticDb.h"

#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumo::data;

namespace {

const QString kSource = QStringLiteral(LUMO_DATA_SOURCE_DIR);

QString schema() {
    return kSource + QStringLiteral("/schema.sql");
}
QString content() {
    return kSource + QStringLiteral("/content");
}

// All rows of the database in a fixed order, for comparing two builds.
QStringList dump(const QString& path, const char* sql) {
    sqlite3* db = OpenHerbDatabase(path, lumo::db::kDatabasePassword);
    if (!db)
        return {};
    QStringList rows;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            rows.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

void exec(const QString& path, const char* sql) {
    sqlite3* db = OpenHerbDatabase(path, lumo::db::kDatabasePassword, true);
    ASSERT_NE(db, nullptr);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

TEST(LangText, PiecesNeverEndInABlankAndJoinBack) {
    const char* texts[] = {"Nastavení tiskárny", "a               b", "&Licenční ujednání", "x",
                           "slovo slovo slovo slovo"};
    for (const char* t : texts) {
        const QString text = QString::fromUtf8(t);
        const QStringList pieces = HerbDbBuilder::splitLangText(text, 16);
        QString joined;
        for (const QString& p : pieces) {
            EXPECT_LE(p.size(), 16);
            EXPECT_FALSE(p.endsWith(u' ')) << t;
            joined += p;
        }
        EXPECT_EQ(joined, text);
    }
}

class BuiltDatabase : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        HerbDbBuilder(schema(), content()).build(s_dir->filePath(QStringLiteral("a")));
    }
    static void TearDownTestSuite() { delete s_dir; }
    static QString db() { return s_dir->filePath(QStringLiteral("a/Lumo.mdb")); }
    static QTemporaryDir* s_dir;
};
QTemporaryDir* BuiltDatabase::s_dir = nullptr;

TEST_F(BuiltDatabase, PassesTheCheckAndHoldsTheKnownHerbs) {
    EXPECT_EQ(DbChecker(db(), lumo::db::kDatabasePassword).run(40), QStringList());
    const QStringList names = dump(db(), "SELECT Nazev FROM Byliny ORDER BY Idx");
    EXPECT_TRUE(names.contains(QStringLiteral("Hloh obecný")));
    EXPECT_TRUE(names.contains(QStringLiteral("Chmel otáčivý")));
    EXPECT_EQ(dump(db(), "SELECT Edice FROM Verze ORDER BY Idx DESC"),
              (QStringList{QStringLiteral("Zima 2026"), QStringLiteral("Léto 2025"),
                           QStringLiteral("Jaro 2024"), QStringLiteral("Jaro 2023")}));
    QFile inf(s_dir->filePath(QStringLiteral("a/Lumo.INF")));
    ASSERT_TRUE(inf.open(QIODevice::ReadOnly));
    EXPECT_EQ(inf.readAll(), QByteArray("\x9c\x08", 2));
}

TEST_F(BuiltDatabase, SameSourcesGiveSameRows) {
    QTemporaryDir other;
    HerbDbBuilder(schema(), content()).build(other.path());
    const char* queries[] = {"SELECT Idx||Nazev||IdxCeled FROM Byliny ORDER BY Idx",
                             "SELECT Idx||IdxByliny||IdxJazyk||Nazev FROM Nazvy ORDER BY Idx",
                             "SELECT IdxByliny||IdxTyp||Clanek FROM Texty ORDER BY IdxByliny, IdxTyp",
                             "SELECT Idx||hex(DataObr) FROM Obrazky ORDER BY Idx"};
    for (const char* q : queries)
        EXPECT_EQ(dump(db(), q), dump(other.filePath(QStringLiteral("Lumo.mdb")), q)) << q;
}

TEST_F(BuiltDatabase, CheckerFindsBrokenData) {
    struct Case {
        const char* sql;
        const char* problem;
    };
    const Case cases[] = {
        {"INSERT INTO UcLatkyByliny VALUES (9999, 1)", "UcLatkyByliny rows point at missing herbs"},
        {"INSERT INTO IndikaceByliny VALUES (1, 9999)", "IndikaceByliny rows point at missing Indikace"},
        {"DELETE FROM Nazvy WHERE IdxByliny=3 AND IdxJazyk=5", "without exactly one name row"},
        {"UPDATE Texty SET Clanek=Clanek||'{' WHERE IdxByliny=2 AND IdxTyp=2", "malformed rich texts"},
        {"UPDATE Sber SET Mesic=13 WHERE rowid=1", "collection months outside 1..12"},
        {"DELETE FROM LangRes WHERE ID=212 AND IdxLang=2", "interface text 212 missing for language 2"},
        {"INSERT INTO Indikace VALUES (900, 'x', '', 2)", "sub-indications without a top-level parent"},
    };
    for (const Case& c : cases) {
        QTemporaryDir copy;
        const QString path = copy.filePath(QStringLiteral("Lumo.mdb"));
        ASSERT_TRUE(QFile::copy(db(), path));
        ASSERT_TRUE(QFile::copy(s_dir->filePath(QStringLiteral("a/Lumo.INF")),
                                copy.filePath(QStringLiteral("Lumo.INF"))));
        exec(path, c.sql);
        const QString problems = DbChecker(path, lumo::db::kDatabasePassword).run(40).join(u'\n');
        EXPECT_TRUE(problems.contains(QString::fromLatin1(c.problem))) << c.sql << "\n"
                                                                       << problems.toStdString();
    }
}

TEST_F(BuiltDatabase, WrongKeyAndMissingStampAreReported) {
    EXPECT_TRUE(
        DbChecker(db(), "wrong").run(1).join(u'\n').contains(QStringLiteral("does not open with its key")));
    QTemporaryDir copy;
    const QString path = copy.filePath(QStringLiteral("Lumo.mdb"));
    ASSERT_TRUE(QFile::copy(db(), path));
    EXPECT_TRUE(DbChecker(path, lumo::db::kDatabasePassword)
                    .run(1)
                    .join(u'\n')
                    .contains(QStringLiteral("no stamp file")));
}

TEST(HerbDbBuilder, BadSourceLeavesNoDatabase) {
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("content"));
    QDir().mkpath(src + QStringLiteral("/herbs"));
    for (const QString& f : QDir(content()).entryList(QDir::Files))
        QFile::copy(content() + u'/' + f, src + u'/' + f);
    QFile herb(src + QStringLiteral("/herbs/x.txt"));
    herb.open(QIODevice::WriteOnly);
    herb.write("Idx: 1\nNazev: A\nCeled: Asteraceae\nLatinsky: a\nLatky: zlato\n");
    herb.close();
    const QString out = dir.filePath(QStringLiteral("out"));
    try {
        HerbDbBuilder(schema(), src).build(out);
        ADD_FAILURE() << "accepted an unknown active substance";
    } catch (const ContentError& e) {
        EXPECT_NE(std::string(e.what()).find("unknown active substance 'zlato'"), std::string::npos)
            << e.what();
    }
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/Lumo.mdb")));
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/Lumo.mdb.part")));
}

TEST(SyntheticDb, SmallSyntheticDatabasePassesTheCheck) {
    QTemporaryDir dir;
    SyntheticDb(schema(), content(), 30).build(dir.path());
    DbChecker checker(dir.filePath(QStringLiteral("Lumo.mdb")), lumo::db::kDatabasePassword);
    EXPECT_EQ(checker.run(30), QStringList());
    EXPECT_EQ(dump(dir.filePath(QStringLiteral("Lumo.mdb")), "SELECT count(*) FROM Texty"),
              QStringList{QStringLiteral("660")});
    EXPECT_NE(SyntheticDb::herbName(1), SyntheticDb::herbName(129));
}

} // namespace
