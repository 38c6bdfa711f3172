#define SQLITE_HAS_CODEC 1
#include "platform/DbFixture.h"
#include "platform/db/CipherFormat.h"

#include "platform/db/SqlFunctions.h"

#include <QFile>

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

namespace lumo::test {

void WriteDatabase(const QString& path, const QString& key, const QStringList& statements,
                   const QByteArray& cipherPragmas) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
              SQLITE_OK);
    if (!key.isEmpty()) {
        const QByteArray k = key.toUtf8();
        ASSERT_EQ(sqlite3_key(db, k.constData(), static_cast<int>(k.size())), SQLITE_OK);
        const QByteArray pragmas = cipherPragmas.isEmpty() ? db::CipherPragmas() : cipherPragmas;
        ASSERT_EQ(sqlite3_exec(db, pragmas.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    // The schema's name indexes are sorted with the Czech collation.
    ASSERT_EQ(db::RegisterSqlFunctions(db), SQLITE_OK);
    for (const QString& s : statements) {
        char* message = nullptr;
        const int rc = sqlite3_exec(db, s.toUtf8().constData(), nullptr, nullptr, &message);
        EXPECT_EQ(rc, SQLITE_OK) << qPrintable(s) << ": " << (message ? message : "");
        sqlite3_free(message);
    }
    sqlite3_close(db);
}

QStringList HerbFixture() {
    return {
        QStringLiteral(
            "CREATE TABLE Byliny (Idx INTEGER PRIMARY KEY, Nazev TEXT, KratkyNaz TEXT, IdxCeled INTEGER)"),
        QStringLiteral(
            "CREATE TABLE Nazvy (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, IdxJazyk INTEGER, Nazev TEXT)"),
        QStringLiteral(
            "CREATE TABLE Indikace (Idx INTEGER PRIMARY KEY, Nazev TEXT, Popis TEXT, IdxIndikace INTEGER)"),
        QStringLiteral("CREATE TABLE IndikaceByliny (IdxByliny INTEGER, IdxIndikace INTEGER)"),
        QStringLiteral("CREATE TABLE UcinneLatky (Idx INTEGER PRIMARY KEY, Nazev TEXT, Popis TEXT)"),
        QStringLiteral("CREATE TABLE UcLatkyByliny (IdxByliny INTEGER, IdxUcLatky INTEGER)"),
        QStringLiteral(
            "CREATE TABLE Obrazky (Idx INTEGER PRIMARY KEY, IdxByliny INTEGER, Nazev TEXT, DataObr BLOB)"),
        QStringLiteral("CREATE TABLE Verze (Idx INTEGER, FromDate TEXT, Verze INTEGER, Edice TEXT)"),
        QStringLiteral("INSERT INTO Byliny VALUES (1,'Heřmánek','Heř',1),(2,'Chmel','Chm',2),"
                       "(3,'Cibule','Cib',NULL),(4,'Černucha','Čer',1),(5,'čertkus','čer',1),"
                       "(6,'Cermák','Cer',2),(7,'Šalvěj','Šal',3),(8,'Zázvor','Záz',3)"),
        QStringLiteral(
            "INSERT INTO Nazvy VALUES (1,1,2,'Harmanček'),(2,2,2,'   '),(3,3,2,'Cibuľa'),"
            "(4,4,2,'Čiernucha'),(5,4,2,'Ajvas'),(6,7,3,'Salbei'),(7,8,2,NULL),(8,5,2,'O''Brien')"),
        QStringLiteral("INSERT INTO Indikace VALUES (5,'Trávení','',0),(12,'Nadýmání',NULL,5),"
                       "(40,'Kašel','',0),(41,'Suchý kašel','',40)"),
        QStringLiteral("INSERT INTO IndikaceByliny VALUES (1,5),(1,12),(1,40),(2,5),(2,12),(3,5),(3,40),"
                       "(7,5),(7,12),(7,40),(7,41)"),
        QStringLiteral("INSERT INTO UcinneLatky VALUES (1,'Silice','vonné'),(2,'Hořčiny',NULL)"),
        QStringLiteral("INSERT INTO UcLatkyByliny VALUES (1,1),(7,1),(7,2),(2,2)"),
        QStringLiteral("INSERT INTO Obrazky VALUES (1,7,'Šalvěj',X'FFD8FF00E0')"),
        QStringLiteral("INSERT INTO Verze VALUES (1,'2001-03-01',4,'První'),(3,'2005-10-31',6,'Třetí   '),"
                       "(2,'2003-06-15',5,'Druhá')"),
    };
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace lumo::test
