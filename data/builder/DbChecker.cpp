#include "data/builder/DbChecker.h"

#include "data/builder/DbWriter.h"
#include "data/builder/RtfWriter.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>

namespace lumo::data {

namespace {

struct TableSpec {
    const char* name;
    const char* columns;
};

const TableSpec kTables[] = {
    {"Byliny", "Idx,Nazev,KratkyNaz,IdxCeled"},
    {"Nazvy", "Idx,IdxByliny,IdxJazyk,Nazev"},
    {"Jazyk", "Idx,Nazev"},
    {"Celedi", "Idx,Nazev,Latinsky,Popis"},
    {"Clanky", "IdxByliny,Clanek"},
    {"Texty", "IdxByliny,IdxTyp,Clanek"},
    {"UcinneLatky", "Idx,Nazev,Popis"},
    {"UcLatkyByliny", "IdxByliny,IdxUcLatky"},
    {"IndikacniSkupiny", "Idx,Nazev,Popis"},
    {"IndSkupByliny", "IdxByliny,IdxIndSkup"},
    {"Kombinace", "Idx,Nazev,Popis"},
    {"KombinaceByliny", "IdxByliny,IdxKombinace"},
    {"Pripravky", "Idx,Nazev,AislpID"},
    {"PripravkyByliny", "IdxByliny,IdxPripravku"},
    {"Indikace", "Idx,Nazev,Popis,IdxIndikace"},
    {"IndikaceByliny", "IdxByliny,IdxIndikace"},
    {"Casti", "Idx,Nazev"},
    {"Sber", "IdxByliny,IdxCast,Mesic"},
    {"Obrazky", "Idx,IdxByliny,Nazev,DataObr"},
    {"Literatura", "Idx,Autor,Nazev,Popis"},
    {"LangRes", "ID,IdxLang,Idx,Popis"},
    {"Verze", "Idx,FromDate,Verze,Edice"},
};

// Link table, its link column and the entity table that column points at.
const char* const kLinks[][3] = {
    {"UcLatkyByliny", "IdxUcLatky", "UcinneLatky"},   {"IndSkupByliny", "IdxIndSkup", "IndikacniSkupiny"},
    {"KombinaceByliny", "IdxKombinace", "Kombinace"}, {"PripravkyByliny", "IdxPripravku", "Pripravky"},
    {"IndikaceByliny", "IdxIndikace", "Indikace"},    {"Sber", "IdxCast", "Casti"},
};

// The menu texts the main window asks for in both interface languages.
const int kLangIds[] = {201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 213, 214,
                        215, 216, 217, 218, 219, 220, 221, 223, 224, 225, 227, 228, 229, 230};

} // namespace

DbChecker::DbChecker(const QString& path, const QByteArray& key) : m_path(path), m_key(key) {}

DbChecker::~DbChecker() {
    sqlite3_close(m_db);
}

bool DbChecker::openWithoutKeyFails() {
    sqlite3* db = OpenHerbDatabase(m_path, QByteArray());
    if (!db)
        return true;
    const int rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc != SQLITE_OK;
}

qint64 DbChecker::scalar(const QString& sql) {
    sqlite3_stmt* st = nullptr;
    qint64 value = -1;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        value = sqlite3_column_int64(st, 0);
    else
        m_problems.append(
            QStringLiteral("query failed (%1): %2").arg(QString::fromUtf8(sqlite3_errmsg(m_db)), sql));
    sqlite3_finalize(st);
    return value;
}

void DbChecker::expectNone(const QString& sql, const QString& problem) {
    const qint64 n = scalar(sql);
    if (n > 0)
        m_problems.append(QStringLiteral("%1 (%2)").arg(problem).arg(n));
}

QStringList DbChecker::counts() {
    QStringList out;
    for (const TableSpec& t : kTables)
        out.append(
            QStringLiteral("%1: %2")
                .arg(QString::fromLatin1(t.name))
                .arg(scalar(QStringLiteral("SELECT count(*) FROM %1").arg(QString::fromLatin1(t.name)))));
    return out;
}

void DbChecker::checkTables() {
    for (const TableSpec& t : kTables) {
        const QString name = QString::fromLatin1(t.name);
        QStringList columns;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, QStringLiteral("PRAGMA table_info(%1)").arg(name).toUtf8().constData(),
                               -1, &st, nullptr) == SQLITE_OK)
            while (sqlite3_step(st) == SQLITE_ROW)
                columns.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))));
        sqlite3_finalize(st);
        if (columns.join(u',') != QLatin1String(t.columns)) {
            m_problems.append(QStringLiteral("table %1 has columns '%2'").arg(name, columns.join(u',')));
            continue;
        }
        if (scalar(QStringLiteral("SELECT count(*) FROM %1").arg(name)) <= 0)
            m_problems.append(QStringLiteral("table %1 is empty").arg(name));
    }
}

void DbChecker::checkLinks() {
    const char* herbTables[] = {"Nazvy",         "Clanky",          "Texty",           "UcLatkyByliny",
                                "IndSkupByliny", "KombinaceByliny", "PripravkyByliny", "IndikaceByliny",
                                "Sber",          "Obrazky"};
    for (const char* t : herbTables)
        expectNone(QStringLiteral("SELECT count(*) FROM %1 WHERE IdxByliny NOT IN (SELECT Idx FROM Byliny)")
                       .arg(QString::fromLatin1(t)),
                   QStringLiteral("%1 rows point at missing herbs").arg(QString::fromLatin1(t)));
    for (const auto& l : kLinks)
        expectNone(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 NOT IN (SELECT Idx FROM %3)")
                       .arg(QString::fromLatin1(l[0]), QString::fromLatin1(l[1]), QString::fromLatin1(l[2])),
                   QStringLiteral("%1 rows point at missing %2")
                       .arg(QString::fromLatin1(l[0]), QString::fromLatin1(l[2])));
    expectNone(QStringLiteral("SELECT count(*) FROM Byliny WHERE IdxCeled NOT IN (SELECT Idx FROM Celedi)"),
               QStringLiteral("herbs without a family"));
    expectNone(QStringLiteral("SELECT count(*) FROM Nazvy WHERE IdxJazyk NOT IN (SELECT Idx FROM Jazyk)"),
               QStringLiteral("names in unknown languages"));
    expectNone(QStringLiteral("SELECT count(*) FROM Indikace WHERE IdxIndikace<>0 AND IdxIndikace NOT IN "
                              "(SELECT Idx FROM Indikace WHERE IdxIndikace=0)"),
               QStringLiteral("sub-indications without a top-level parent"));
    expectNone(QStringLiteral("SELECT count(*) FROM Sber WHERE Mesic NOT BETWEEN 1 AND 12"),
               QStringLiteral("collection months outside 1..12"));
    expectNone(QStringLiteral("SELECT count(*) FROM Texty WHERE IdxTyp NOT BETWEEN 1 AND 22"),
               QStringLiteral("sections outside 1..22"));
    expectNone(QStringLiteral(
                   "SELECT count(*) FROM (SELECT 1 FROM Texty GROUP BY IdxByliny, IdxTyp HAVING count(*)>1)"),
               QStringLiteral("sections stored twice for a herb"));
    if (scalar(QStringLiteral("SELECT count(*) FROM Jazyk")) != 9 ||
        scalar(QStringLiteral("SELECT max(Idx) - min(Idx) FROM Jazyk")) != 8)
        m_problems.append(QStringLiteral("Jazyk must hold the nine names languages 1..9"));
}

void DbChecker::checkNames() {
    expectNone(QStringLiteral("SELECT count(*) FROM Byliny WHERE length(trim(ifnull(Nazev,'')))=0"),
               QStringLiteral("herbs without a Czech name"));
    expectNone(
        QStringLiteral("SELECT count(*) FROM Byliny b, Jazyk j WHERE j.Idx BETWEEN 1 AND 8 AND "
                       "(SELECT count(*) FROM Nazvy n WHERE n.IdxByliny=b.Idx AND n.IdxJazyk=j.Idx)<>1"),
        QStringLiteral("herb and language 1..8 pairs without exactly one name row"));
    expectNone(QStringLiteral("SELECT count(*) FROM Byliny b, Nazvy n WHERE n.IdxByliny=b.Idx AND "
                              "n.IdxJazyk=1 AND n.Nazev<>b.Nazev"),
               QStringLiteral("Czech name rows that differ from the herb's name"));
    // Latin and Slovak names are never blank; the others may be.
    expectNone(QStringLiteral(
                   "SELECT count(*) FROM Nazvy WHERE IdxJazyk IN (2,3) AND length(trim(ifnull(Nazev,'')))=0"),
               QStringLiteral("blank Latin or Slovak names"));
    expectNone(
        QStringLiteral("SELECT count(*) FROM Nazvy WHERE IdxJazyk=9 AND length(trim(ifnull(Nazev,'')))=0"),
        QStringLiteral("blank folk names"));
    expectNone(QStringLiteral("SELECT count(*) FROM Byliny WHERE Idx NOT IN (SELECT IdxByliny FROM Clanky)"),
               QStringLiteral("herbs without an article"));
}

void DbChecker::checkTexts() {
    const char* queries[] = {"SELECT Clanek FROM Texty", "SELECT Clanek FROM Clanky"};
    for (const char* q : queries) {
        sqlite3_stmt* st = nullptr;
        int bad = 0;
        if (sqlite3_prepare_v2(m_db, q, -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
                if (!p || !isWellFormedRtf(QString::fromUtf8(p)))
                    ++bad;
            }
        }
        sqlite3_finalize(st);
        if (bad)
            m_problems.append(
                QStringLiteral("%1 malformed rich texts from: %2").arg(bad).arg(QString::fromLatin1(q)));
    }
    for (const char* table :
         {"Celedi", "UcinneLatky", "IndikacniSkupiny", "Indikace", "Kombinace", "Literatura"})
        expectNone(
            QStringLiteral("SELECT count(*) FROM %1 WHERE Popis NOT LIKE '%' || char(13,10)")
                .arg(QString::fromLatin1(table)),
            QStringLiteral("%1 descriptions without a closing line break").arg(QString::fromLatin1(table)));
}

void DbChecker::checkPictures() {
    expectNone(
        QStringLiteral(
            "SELECT count(*) FROM Obrazky WHERE length(DataObr)<100 OR hex(substr(DataObr,1,3))<>'FFD8FF'"),
        QStringLiteral("pictures that are not JPEG"));
}

void DbChecker::checkLangRes() {
    for (int id : kLangIds)
        for (int lang = 1; lang <= 2; ++lang)
            if (scalar(QStringLiteral("SELECT count(*) FROM LangRes WHERE ID=%1 AND IdxLang=%2")
                           .arg(id)
                           .arg(lang)) <= 0)
                m_problems.append(
                    QStringLiteral("interface text %1 missing for language %2").arg(id).arg(lang));
    // Each piece is right-trimmed when read, so a trailing blank would be lost.
    expectNone(QStringLiteral("SELECT count(*) FROM LangRes WHERE Popis LIKE '% '"),
               QStringLiteral("interface text pieces ending in a blank"));
    expectNone(QStringLiteral("SELECT count(*) FROM Verze WHERE date(FromDate) IS NULL"),
               QStringLiteral("version rows without a valid date"));
}

void DbChecker::checkStamp() {
    QString inf = m_path;
    inf.chop(3);
    inf += QStringLiteral("INF");
    QFile f(inf);
    if (!f.open(QIODevice::ReadOnly)) {
        m_problems.append(QStringLiteral("no stamp file %1").arg(inf));
        return;
    }
    const QByteArray b = f.read(2);
    const qint16 stamp = b.size() == 2 ? qint16(quint8(b[0]) | (quint8(b[1]) << 8)) : qint16(0);
    if (stamp <= 0)
        m_problems.append(QStringLiteral("stamp file %1 holds no positive stamp").arg(inf));
}

QStringList DbChecker::run(int minHerbs) {
    m_problems.clear();
    if (!QFile::exists(m_path))
        return {QStringLiteral("%1 does not exist").arg(m_path)};
    if (!openWithoutKeyFails())
        m_problems.append(QStringLiteral("the database opens without its key"));
    sqlite3_close(m_db);
    m_db = OpenHerbDatabase(m_path, m_key);
    if (!m_db ||
        sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        m_problems.append(QStringLiteral("the database does not open with its key"));
        return m_problems;
    }
    checkTables();
    if (!m_problems.isEmpty())
        return m_problems;
    if (scalar(QStringLiteral("SELECT count(*) FROM Byliny")) < minHerbs)
        m_problems.append(QStringLiteral("fewer than %1 herbs").arg(minHerbs));
    checkLinks();
    checkNames();
    checkTexts();
    checkPictures();
    checkLangRes();
    checkStamp();
    return m_problems;
}

} // namespace lumo::data
