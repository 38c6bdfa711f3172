#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace lumo::data {

// Checks a built herb database: it must refuse to open without the key, and
// with it every table must be filled, every link must point at existing rows,
// every herb must carry its names and every rich text must be well formed.
class DbChecker {
public:
    DbChecker(const QString& path, const QByteArray& key);
    ~DbChecker();
    DbChecker(const DbChecker&) = delete;
    DbChecker& operator=(const DbChecker&) = delete;

    // Runs every check; returns the problems found (empty when sound).
    QStringList run(int minHerbs);
    // Row counts of the 22 tables, one "Table: n" line each.
    QStringList counts();

private:
    bool openWithoutKeyFails();
    void checkTables();
    void checkLinks();
    void checkNames();
    void checkTexts();
    void checkPictures();
    void checkLangRes();
    void checkStamp();
    // Problem when the query's single number is not 0.
    void expectNone(const QString& sql, const QString& problem);
    qint64 scalar(const QString& sql);

    QString m_path;
    QByteArray m_key;
    sqlite3* m_db = nullptr;
    QStringList m_problems;
};

} // namespace lumo::data
