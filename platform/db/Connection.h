#pragma once

#include "platform/db/Recordset.h"

#include <QString>
#include <QVariantList>

#include <memory>

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

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace lumo::db
