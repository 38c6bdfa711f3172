#pragma once

#include "platform/db/CipherFormat.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace lumo::data {

class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Opens an existing herb database as the program reads it: keyed (unless key is empty), in
// the program's cipher format and with the Czech collation its name indexes are sorted with.
// nullptr when the file cannot be opened; the caller closes the handle.
sqlite3* OpenHerbDatabase(const QString& path, const QByteArray& key, bool writable = false);

// A new encrypted SQLCipher file, written in one transaction. Throws DbError.
class DbWriter {
public:
    // Creates path (which must not exist) encrypted with key.
    DbWriter(const QString& path, const QByteArray& key);
    ~DbWriter();
    DbWriter(const DbWriter&) = delete;
    DbWriter& operator=(const DbWriter&) = delete;

    void exec(const QString& sql);
    // INSERT INTO table VALUES (...): ints, strings, byte arrays or null.
    void insert(const QString& table, const QVariantList& values);
    void begin();
    void commit();

private:
    sqlite3_stmt* statement(const QString& table, int columns);
    [[noreturn]] void raise(const QString& what) const;

    sqlite3* m_db = nullptr;
    QHash<QString, sqlite3_stmt*> m_statements;
};

} // namespace lumo::data
