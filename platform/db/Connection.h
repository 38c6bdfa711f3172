#pragma once

#include "platform/db/Recordset.h"

#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>

struct sqlite3_stmt;

// ADO-like read-only connection and recordset over SQLCipher.
namespace lumo::db {

// One database file opened strictly read-only: it is never created, never
// written and keeps its bytes. Failures raise err::VbError (see DbError.h).
// Every connection knows the Czech collation "CS" (ORDER BY on text), Len,
// and a LIKE that folds Czech letters' case; statements are written in the Jet
// dialect and translated (JetSql.h).
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the file with its key (an empty key opens a plain file) and reads
    // the schema at once, so a missing file, a wrong key and a file that is
    // not a database all fail here rather than at the first query.
    void open(const QString& path, const QString& key);
    void close();
    bool isOpen() const;
    QString path() const;

    // Runs one statement and reads its whole result; each ? takes the next parameter.
    Recordset execute(const QString& sql, const QVariantList& params = {});

    // One row of a statement being stepped: valid only inside the callback.
    class Row {
    public:
        Row(sqlite3_stmt* statement, QStringList names) : m_statement(statement), m_names(std::move(names)) {}
        int columnCount() const;
        // The 0-based column of a result name (any case), named as Recordset names it
        // ("b.Idx" where joined tables share a column); -1 when there is none.
        int columnIndex(const QString& name) const;
        // The same; a missing column raises dbItemNotFound, as a recordset's field does.
        int requireColumn(const QString& name) const;
        // The value as a recordset's field holds it, with the same conversions.
        Field field(int column) const;
        qint64 integer(int column) const;
        // Text as stored; Null and numbers as their text.
        QString text(int column) const;
        // The stored bytes of a text or binary value, without conversion.
        QByteArrayView bytes(int column) const;

    private:
        sqlite3_stmt* m_statement;
        QStringList m_names;
    };
    // Runs one statement and hands each row to the callback as the engine steps to it, so
    // a long result is never held whole. The callback returns false to stop early. The
    // statement is prepared for this run alone: the callback may run other statements.
    void forEachRow(const QString& sql, const QVariantList& params,
                    const std::function<bool(const Row&)>& callback);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Loads what the first open of a database file spends most of its time on (the cipher
// library's set-up and algorithms, the Czech collation's tables) into their process-wide
// caches; safe on any thread, so start-up can run it beside other work.
void WarmUpEngine();

} // namespace lumo::db
