#include "data/builder/DbWriter.h"

#include "platform/db/CipherFormat.h"
#include "platform/db/SqlFunctions.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>

namespace lumo::data {

sqlite3* OpenHerbDatabase(const QString& path, const QByteArray& key, bool writable) {
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &handle,
                        writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(handle);
        return nullptr;
    }
    db::RegisterSqlFunctions(handle);
    if (!key.isEmpty()) {
        sqlite3_exec(handle, QByteArray("PRAGMA key = '" + key + "'").constData(), nullptr, nullptr, nullptr);
        sqlite3_exec(handle, db::CipherPragmas().constData(), nullptr, nullptr, nullptr);
    }
    return handle;
}

DbWriter::DbWriter(const QString& path, const QByteArray& key) {
    if (QFile::exists(path))
        throw DbError(QStringLiteral("%1 already exists").arg(path).toStdString());
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : "out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DbError(QStringLiteral("cannot create %1: %2").arg(path, msg).toStdString());
    }
    try {
        // The key is a fixed ASCII value without quotes, so it can go into the pragma.
        exec(QStringLiteral("PRAGMA key = '%1'").arg(QString::fromLatin1(key)));
        exec(QString::fromLatin1(db::CipherPragmas()));
        // The program opens the file read-only, possibly from read-only media.
        exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
        // The name indexes are kept in the program's Czech order.
        if (db::RegisterSqlFunctions(m_db) != SQLITE_OK)
            raise(QStringLiteral("cannot register the Czech collation"));
    } catch (...) {
        sqlite3_close(m_db);
        throw;
    }
}

DbWriter::~DbWriter() {
    for (sqlite3_stmt* st : std::as_const(m_statements))
        sqlite3_finalize(st);
    sqlite3_close(m_db);
}

void DbWriter::raise(const QString& what) const {
    throw DbError(QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(m_db))).toStdString());
}

void DbWriter::exec(const QString& sql) {
    char* err = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "unknown error");
        sqlite3_free(err);
        throw DbError(QStringLiteral("%1: %2").arg(sql.left(80), msg).toStdString());
    }
}

void DbWriter::begin() {
    exec(QStringLiteral("BEGIN"));
}

void DbWriter::commit() {
    exec(QStringLiteral("COMMIT"));
}

sqlite3_stmt* DbWriter::statement(const QString& table, int columns) {
    const QString key = table + u'/' + QString::number(columns);
    if (sqlite3_stmt* st = m_statements.value(key))
        return st;
    QString sql = QStringLiteral("INSERT INTO %1 VALUES (").arg(table);
    for (int i = 0; i < columns; ++i)
        sql.append(i ? QStringLiteral(",?") : QStringLiteral("?"));
    sql.append(u')');
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        raise(sql);
    m_statements.insert(key, st);
    return st;
}

void DbWriter::insert(const QString& table, const QVariantList& values) {
    sqlite3_stmt* st = statement(table, static_cast<int>(values.size()));
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        int rc = SQLITE_OK;
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
            rc = sqlite3_bind_int64(st, i + 1, v.toLongLong());
            break;
        case QMetaType::QString: {
            const QByteArray utf8 = v.toString().toUtf8();
            rc = sqlite3_bind_text(st, i + 1, utf8.constData(), static_cast<int>(utf8.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            rc = sqlite3_bind_blob(st, i + 1, bytes.constData(), static_cast<int>(bytes.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        default:
            rc = sqlite3_bind_null(st, i + 1);
        }
        if (rc != SQLITE_OK)
            raise(QStringLiteral("bind %1").arg(table));
    }
    if (sqlite3_step(st) != SQLITE_DONE)
        raise(QStringLiteral("insert into %1").arg(table));
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
}

} // namespace lumo::data
