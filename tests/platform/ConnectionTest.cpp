#include "platform/db/Connection.h"
#include "platform/DbFixture.h"
#include "platform/db/CipherFormat.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lumo::db {
namespace {

const QString kKey = QStringLiteral("klíč-Qm48");

// Runs f and returns the number of the VbError it raises (0 when none).
template <typename F> long errorNumber(F&& f) {
    try {
        f();
    } catch (const err::VbError& e) {
        return e.Number();
    }
    return 0;
}

QStringList column(Recordset rs, const QString& name) {
    QStringList values;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        values << rs.field(name).str();
    return values;
}

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("Lumo.mdb"));
        test::WriteDatabase(m_path, kKey, test::HerbFixture());
        m_db.open(m_path, kKey);
    }
    QTemporaryDir m_dir;
    QString m_path;
    Connection m_db;
};

TEST_F(ConnectionTest, FailedOpensRaiseAtOpenAndCreateNothing) {
    const QString missing = m_dir.filePath(QStringLiteral("none/Lumo.mdb"));
    const QString missingHere = m_dir.filePath(QStringLiteral("Jiná.mdb"));
    const QString text = m_dir.filePath(QStringLiteral("text.mdb"));
    const QString empty = m_dir.filePath(QStringLiteral("empty.mdb"));
    const QString plain = m_dir.filePath(QStringLiteral("plain.mdb"));
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("Toto není databáze.\r\n").repeated(200));
    }
    {
        QFile f(empty);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    test::WriteDatabase(plain, QString(), {QStringLiteral("CREATE TABLE Verze (Idx INTEGER)")});

    const struct {
        QString path;
        QString key;
        long number;
    } cases[] = {
        {missing, kKey, dbFileNotFound},      {missingHere, kKey, dbFileNotFound},
        {m_dir.path(), kKey, dbFileNotFound}, {text, kKey, dbNotDatabase},
        {empty, kKey, dbNotDatabase},         {m_path, QStringLiteral("špatný"), dbNotDatabase},
        {m_path, QString(), dbNotDatabase},   {plain, kKey, dbNotDatabase},
    };
    const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const auto& c : cases) {
        Connection db;
        EXPECT_EQ(errorNumber([&] { db.open(c.path, c.key); }), c.number) << qPrintable(c.path);
        EXPECT_FALSE(db.isOpen());
        EXPECT_EQ(err::CurrentError().Source, DbErrorSource());
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_FALSE(QFileInfo::exists(missingHere));

    Connection plainDb;
    plainDb.open(plain, QString());
    EXPECT_TRUE(plainDb.isOpen());
}

// Files written with the engine's default key derivation (4096- or 1024-byte pages) still
// open; a wrong key fails on them as on the program's own format.
TEST_F(ConnectionTest, FilesOfTheEngineDefaultFormatsOpen) {
    for (const int pageSize : {4096, 1024}) {
        const QString path = m_dir.filePath(QStringLiteral("Lumo%1.mdb").arg(pageSize));
        test::WriteDatabase(path, kKey,
                            {QStringLiteral("CREATE TABLE Verze (Idx INTEGER, Edice TEXT)"),
                             QStringLiteral("INSERT INTO Verze VALUES (%1, 'Žluť')").arg(pageSize)},
                            CipherPragmas(pageSize, 0));
        Connection db;
        db.open(path, kKey);
        EXPECT_EQ(column(db.execute(QStringLiteral("SELECT * FROM Verze")), QStringLiteral("Edice")),
                  QStringList{QStringLiteral("Žluť")});
        EXPECT_EQ(column(db.execute(QStringLiteral("SELECT * FROM Verze")), QStringLiteral("Idx")),
                  QStringList{QString::number(pageSize)});
        Connection wrong;
        EXPECT_EQ(errorNumber([&] { wrong.open(path, QStringLiteral("špatný")); }), dbNotDatabase);
        EXPECT_FALSE(wrong.isOpen());
    }
}

TEST_F(ConnectionTest, FileKeepsItsBytes) {
    m_db.close();
    const QByteArray before = test::FileBytes(m_path);
    const QStringList files = QDir(m_dir.path()).entryList(QDir::Files);
    m_db.open(m_path, kKey);
    m_db.execute(QStringLiteral("SELECT * FROM Byliny ORDER BY Nazev"));
    m_db.execute(QStringLiteral("SELECT * FROM Obrazky WHERE Idx=1"));
    EXPECT_NE(errorNumber([&] { m_db.execute(QStringLiteral("DELETE FROM Byliny")); }), 0);
    EXPECT_NE(errorNumber([&] { m_db.execute(QStringLiteral("CREATE TABLE X (a)")); }), 0);
    m_db.close();
    EXPECT_EQ(test::FileBytes(m_path), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), files);
}

TEST_F(ConnectionTest, JoinedColumnsAreNamedByAlias) {
    Recordset rs = m_db.execute(QStringLiteral("SELECT * FROM Byliny AS b, Nazvy AS n WHERE IdxByliny=b.Idx "
                                               "AND IdxJazyk=2 AND Len(Trim(n.Nazev))>0 ORDER BY n.Nazev"));
    EXPECT_EQ(rs.fieldNames(), (QStringList{"b.Idx", "b.Nazev", "KratkyNaz", "IdxCeled", "n.Idx", "IdxByliny",
                                            "IdxJazyk", "n.Nazev"}));
    // Blank and Null names are left out; a herb with two names is listed twice.
    EXPECT_EQ(column(rs, QStringLiteral("n.Nazev")),
              (QStringList{"Ajvas", "Cibuľa", "Čiernucha", "Harmanček", "O'Brien"}));
    EXPECT_EQ(column(rs, QStringLiteral("B.IDX")), (QStringList{"4", "3", "4", "1", "5"}));
    EXPECT_EQ(errorNumber([&] { rs.field(QStringLiteral("Nazev")); }), dbItemNotFound);

    Recordset ind =
        m_db.execute(QStringLiteral("SELECT * FROM Indikace AS u, IndikaceByliny AS b WHERE IdxByliny=7 AND "
                                    "b.IdxIndikace=Idx AND u.IdxIndikace=0 ORDER BY Nazev"));
    EXPECT_TRUE(ind.hasField(QStringLiteral("u.IdxIndikace")));
    EXPECT_EQ(column(ind, QStringLiteral("Nazev")), (QStringList{"Kašel", "Trávení"}));
    EXPECT_EQ(column(ind, QStringLiteral("b.IdxIndikace")), (QStringList{"40", "5"}));

    // A column named in the select list is read by its own name.
    Recordset names = m_db.execute(QStringLiteral(
        "SELECT n.Nazev FROM Byliny AS b, Nazvy AS n WHERE IdxByliny = b.Idx AND IdxJazyk = 3 AND "
        "Len(Trim(n.Nazev)) > 0 "
        "AND b.Idx = ANY(SELECT IdxByliny FROM UcLatkyByliny WHERE IdxUcLatky=1) ORDER BY n.Nazev"));
    EXPECT_EQ(column(names, QStringLiteral("Nazev")), QStringList{"Salbei"});
}

TEST_F(ConnectionTest, TextSortsByCzechRules) {
    EXPECT_EQ(
        column(m_db.execute(QStringLiteral("SELECT * FROM Byliny ORDER BY Nazev")), QStringLiteral("Nazev")),
        (QStringList{"Cermák", "Cibule", "Černucha", "čertkus", "Heřmánek", "Chmel", "Šalvěj", "Zázvor"}));
    EXPECT_EQ(
        column(m_db.execute(QStringLiteral("SELECT * FROM Verze ORDER BY Idx DESC")), QStringLiteral("Idx")),
        (QStringList{"3", "2", "1"}));
}

TEST_F(ConnectionTest, JetQueriesOfTheReaders) {
    EXPECT_EQ(
        column(
            m_db.execute(QStringLiteral(
                "SELECT * FROM Byliny WHERE Idx=ANY (SELECT IdxByliny FROM IndikaceByliny WHERE "
                "IdxIndikace=5) "
                "AND Idx=ANY (SELECT IdxByliny FROM IndikaceByliny WHERE IdxIndikace=12)AND Idx=ANY (SELECT "
                "IdxByliny FROM IndikaceByliny WHERE IdxIndikace=40) ORDER BY Nazev")),
            QStringLiteral("Nazev")),
        (QStringList{"Heřmánek", "Šalvěj"}));
    Recordset herbs =
        m_db.execute(QStringLiteral("SELECT DISTINCT b.* FROM Byliny AS b, IndikaceByliny AS u WHERE "
                                    "Idx=IdxByliny AND IdxIndikace=5 ORDER BY Nazev"));
    EXPECT_EQ(herbs.fieldNames(), (QStringList{"Idx", "Nazev", "KratkyNaz", "IdxCeled"}));
    EXPECT_EQ(column(herbs, QStringLiteral("Nazev")), (QStringList{"Cibule", "Heřmánek", "Chmel", "Šalvěj"}));
    EXPECT_EQ(column(m_db.execute(QStringLiteral("SELECT TOP 1 Idx FROM Byliny ORDER BY Idx DESC")),
                     QStringLiteral("Idx")),
              QStringList{"8"});
    EXPECT_EQ(
        column(m_db.execute(QStringLiteral("SELECT * FROM Byliny WHERE Nazev LIKE 'čer%' ORDER BY Nazev")),
               QStringLiteral("Nazev")),
        (QStringList{"Černucha", "čertkus"}));
}

TEST_F(ConnectionTest, TypedTextNeverAltersTheStatement) {
    const QString byParameter =
        QStringLiteral("SELECT * FROM Nazvy WHERE Nazev LIKE ? ESCAPE '\\' ORDER BY Nazev");
    const auto find = [&](const QString& typed) {
        return column(m_db.execute(byParameter, {LikeEscape(typed) + u'%'}), QStringLiteral("Nazev"));
    };
    EXPECT_EQ(find(QStringLiteral("o'b")), QStringList{"O'Brien"});
    EXPECT_EQ(find(QStringLiteral("čIER")), QStringList{"Čiernucha"});
    EXPECT_TRUE(find(QStringLiteral("x' OR '1'='1")).isEmpty());
    EXPECT_TRUE(find(QStringLiteral("%")).isEmpty());
    EXPECT_TRUE(find(QStringLiteral("_jvas")).isEmpty());
    EXPECT_EQ(find(QString()).size(), 7); // all but the Null name

    const QString quoted = QStringLiteral("SELECT * FROM Nazvy WHERE Nazev LIKE ") +
                           QuoteText(QStringLiteral("O'Brien") + u'%') + QStringLiteral(" ORDER BY Nazev");
    EXPECT_EQ(column(m_db.execute(quoted), QStringLiteral("IdxByliny")), QStringList{"5"});
    // Pasted in raw, the quote breaks the statement: an error, never a crash.
    EXPECT_EQ(errorNumber([&] {
                  m_db.execute(
                      QStringLiteral("SELECT * FROM Nazvy WHERE Nazev LIKE 'O'Brien%' ORDER BY Nazev"));
              }),
              dbCommandError);
    EXPECT_EQ(m_db.execute(QStringLiteral("SELECT * FROM Byliny")).recordCount(), 8);
}

TEST_F(ConnectionTest, RecordsetNavigation) {
    Recordset empty = m_db.execute(QStringLiteral("SELECT * FROM Byliny WHERE Idx=99"));
    EXPECT_TRUE(empty.bof() && empty.eof());
    EXPECT_EQ(empty.recordCount(), 0);
    EXPECT_EQ(errorNumber([&] { empty.field(QStringLiteral("Nazev")); }), dbNoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { empty.moveNext(); }), dbNoCurrentRecord);

    Recordset rs = m_db.execute(QStringLiteral("SELECT Idx, Nazev FROM Byliny WHERE Idx<=3 ORDER BY Idx"));
    m_db.close(); // the result was read whole and outlives its connection
    ASSERT_EQ(rs.recordCount(), 3);
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.field(QStringLiteral("nAZEV")).str(), QStringLiteral("Heřmánek"));
    EXPECT_EQ(rs.field(0).toLong(), 1);
    EXPECT_EQ(errorNumber([&] { rs.field(2); }), dbItemNotFound);
    EXPECT_EQ(errorNumber([&] { rs.field(QStringLiteral("Popis")); }), dbItemNotFound);
    rs.moveLast();
    EXPECT_EQ(rs.field(QStringLiteral("Idx")).toLong(), 3);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_EQ(errorNumber([&] { rs.movePrevious(); }), dbNoCurrentRecord);
    rs.close();
    EXPECT_EQ(errorNumber([&] { rs.field(0); }), dbObjectClosed);
    EXPECT_EQ(errorNumber([&] { m_db.execute(QStringLiteral("SELECT 1")); }), dbObjectClosed);
}

TEST_F(ConnectionTest, FieldConversions) {
    Recordset rs = m_db.execute(QStringLiteral(
        "SELECT NULL AS n, ' 12 ' AS t, 'abc' AS bad, 3000000000 AS big, 40000 AS mid, 2.5 AS half, 3.5 AS "
        "half2, "
        "'2005-10-31' AS d, '2005-10-31 08:30:00' AS dt, 38656 AS serial, X'00FF' AS bin, '1,5' AS comma"));
    const auto f = [&](const char* name) { return rs.field(QString::fromLatin1(name)); };
    EXPECT_EQ(f("n").str(), QString());
    EXPECT_EQ(f("n").toLong(), 0);
    EXPECT_FALSE(f("n").toDate().isValid());
    EXPECT_TRUE(f("n").bytes().isEmpty());
    EXPECT_EQ(f("t").toLong(), 12);
    EXPECT_EQ(f("t").str(), QStringLiteral(" 12 "));
    EXPECT_EQ(errorNumber([&] { f("bad").toLong(); }), err::errTypeMismatch);
    EXPECT_EQ(errorNumber([&] { f("big").toLong(); }), err::errOverflow);
    EXPECT_EQ(f("big").toDouble(), 3000000000.0);
    EXPECT_EQ(f("mid").toLong(), 40000);
    EXPECT_EQ(errorNumber([&] { f("mid").toInt(); }), err::errOverflow);
    EXPECT_EQ(f("half").toLong(), 2); // halves round to even
    EXPECT_EQ(f("half2").toInt(), 4);
    EXPECT_EQ(f("half").str(), QStringLiteral("2.5"));
    EXPECT_EQ(f("comma").toDouble(), 1.5);
    EXPECT_EQ(f("d").toDate(), QDate(2005, 10, 31));
    EXPECT_EQ(f("dt").toDateTime(), QDateTime(QDate(2005, 10, 31), QTime(8, 30)));
    EXPECT_EQ(f("serial").toDate(), QDate(2005, 10, 31));
    EXPECT_EQ(errorNumber([&] { f("bad").toDate(); }), err::errTypeMismatch);
    EXPECT_EQ(f("bin").bytes(), QByteArray("\x00\xFF", 2));
    EXPECT_EQ(f("bin").actualSize(), 2);

    Recordset pic = m_db.execute(QStringLiteral("SELECT * FROM Obrazky WHERE IdxByliny=7 ORDER BY Nazev"));
    EXPECT_EQ(pic.field(QStringLiteral("DataObr")).bytes(), QByteArray::fromHex("FFD8FF00E0"));
}

TEST_F(ConnectionTest, StatementsRunAgainWithFreshValues) {
    const QString sql = QStringLiteral("SELECT Nazev FROM Byliny WHERE Idx=?");
    EXPECT_EQ(column(m_db.execute(sql, {1}), QStringLiteral("Nazev")), QStringList{"Heřmánek"});
    EXPECT_EQ(column(m_db.execute(sql, {2}), QStringLiteral("Nazev")), QStringList{"Chmel"});
    EXPECT_EQ(errorNumber([&] { m_db.execute(sql); }), dbCommandError);
    EXPECT_EQ(errorNumber([&] { m_db.execute(QStringLiteral("SELECT * FROM Nic")); }), dbCommandError);
    EXPECT_TRUE(err::CurrentError().Description.contains(QStringLiteral("no such table")));
    // More distinct statements than the cache holds.
    for (int i = 1; i <= 100; ++i) {
        Recordset rs =
            m_db.execute(QStringLiteral("SELECT Idx FROM Byliny WHERE Idx=") + QString::number(i % 9));
        EXPECT_EQ(rs.recordCount(), i % 9 == 0 ? 0 : 1);
    }
    EXPECT_EQ(column(m_db.execute(sql, {8}), QStringLiteral("Nazev")), QStringList{"Zázvor"});
}

} // namespace
} // namespace lumo::db
