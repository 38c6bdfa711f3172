#define SQLITE_HAS_CODEC 1
#include "platform/db/Connection.h"

#include "platform/db/CipherFormat.h"
#include "platform/db/CzechCollation.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/SqlFunctions.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <sqlcipher/sqlite3.h>

namespace lumo::db {

namespace {

// A page size and key derivation rounds to open a file with (0: the engine's default).
struct CipherAttempt {
    int pageSize;
    int kdfIterations;
};

// Statements prepared once per distinct text; the cache is dropped whole when full.
constexpr int kStatementCacheSize = 64;

struct Prepared {
    sqlite3_stmt* statement = nullptr;
    QStringList names;
};

QString engineMessage(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// Jet names a column that two joined tables share alias.column ("b.Idx");
// SQLite gives the bare name twice.
QStringList resultNames(sqlite3_stmt* statement, const QString& jetSql) {
    const int count = sqlite3_column_count(statement);
    QStringList names;
    QHash<QString, int> seen;
    for (int i = 0; i < count; ++i) {
        names.append(QString::fromUtf8(sqlite3_column_name(statement, i)));
        seen[names.last().toLower()] += 1;
    }
    QHash<QString, QString> aliases;
    bool aliasesRead = false;
    for (int i = 0; i < count; ++i) {
        const char* table = sqlite3_column_table_name(statement, i);
        if (seen.value(names[i].toLower()) < 2 || !table)
            continue;
        if (!aliasesRead) {
            aliases = FromAliases(jetSql);
            aliasesRead = true;
        }
        const QString tableName = QString::fromUtf8(table);
        names[i] = aliases.value(tableName.toLower(), tableName) + u'.' + names[i];
    }
    return names;
}

QVariant cellValue(sqlite3_stmt* statement, int i) {
    switch (sqlite3_column_type(statement, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qint64>(sqlite3_column_int64(statement, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)),
                                          sqlite3_column_bytes(statement, i)));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, i));
        return QVariant(QByteArray(data, sqlite3_column_bytes(statement, i)));
    }
    default:
        return QVariant();
    }
}

int bindValue(sqlite3_stmt* statement, int i, const QVariant& v) {
    if (v.isNull())
        return sqlite3_bind_null(statement, i);
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return sqlite3_bind_int64(statement, i, v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, i, v.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return sqlite3_bind_blob(statement, i, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QDate:
        return bindValue(statement, i, v.toDate().toString(Qt::ISODate));
    case QMetaType::QDateTime:
        return bindValue(statement, i, v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    default: {
        const QByteArray t = v.toString().toUtf8();
        return sqlite3_bind_text(statement, i, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
    }
    }
}

// Resets a statement however its run ends, so a cached one is ready again.
struct ResetGuard {
    sqlite3_stmt* statement;
    ~ResetGuard() {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    }
};

} // namespace

struct Connection::Impl {
    sqlite3* db = nullptr;
    QString path;
    CzechCollation collation;
    QHash<QString, Prepared> cache;

    ~Impl() { closeDb(); }

    void closeDb() {
        for (const Prepared& p : std::as_const(cache))
            sqlite3_finalize(p.statement);
        cache.clear();
        if (db)
            sqlite3_close(db);
        db = nullptr;
        path.clear();
    }

    [[noreturn]] void failOpen(sqlite3* handle, int rc, const QString& file) {
        const QString message = handle ? engineMessage(handle) : QString();
        if (handle)
            sqlite3_close(handle);
        if ((rc & 0xFF) == SQLITE_NOTADB)
            RaiseDbError(dbNotDatabase, file);
        if ((rc & 0xFF) == SQLITE_CANTOPEN)
            RaiseDbError(dbFileNotFound, file);
        RaiseEngineError(rc, message);
    }

    void bind(sqlite3_stmt* statement, const QString& sql, const QVariantList& params);
    int tryOpen(const QString& path, const QString& key, CipherAttempt cipher, sqlite3** handle);

    sqlite3_stmt* compile(const QString& jetSql) {
        const QByteArray sql = TranslateJetSql(jetSql).toUtf8();
        sqlite3_stmt* statement = nullptr;
        const int rc =
            sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &statement, nullptr);
        if (rc != SQLITE_OK) {
            const QString message = engineMessage(db);
            sqlite3_finalize(statement);
            RaiseEngineError(rc, message + QStringLiteral(" in \"") + jetSql + u'"');
        }
        if (!statement) // only blanks or a comment
            RaiseEngineError(SQLITE_ERROR, QStringLiteral("empty statement"));
        return statement;
    }

    const Prepared& prepare(const QString& jetSql) {
        auto it = cache.constFind(jetSql);
        if (it != cache.constEnd())
            return *it;
        if (cache.size() >= kStatementCacheSize) {
            for (const Prepared& p : std::as_const(cache))
                sqlite3_finalize(p.statement);
            cache.clear();
        }
        Prepared p;
        p.statement = compile(jetSql);
        p.names = resultNames(p.statement, jetSql);
        return *cache.insert(jetSql, p);
    }
};

Connection::Connection() : m_impl(std::make_unique<Impl>()) {}

Connection::~Connection() = default;

void Connection::open(const QString& path, const QString& key) {
    close();
    const QFileInfo info(path);
    // Checked first: the engine gives no reason of its own for these.
    if (!info.exists() || info.isDir())
        RaiseDbError(dbFileNotFound, path);
    if (info.size() == 0) // the engine takes an empty file for an empty database
        RaiseDbError(dbNotDatabase, path);

    // The program's own format first; then files written with the engine's default key
    // derivation, with 4096-byte pages or the engine's former default of 1024.
    const CipherAttempt attempts[] = {{kCipherPageSize, kKdfIterations}, {kCipherPageSize, 0}, {1024, 0}};
    sqlite3* handle = nullptr;
    int rc = SQLITE_NOTADB;
    for (const CipherAttempt& attempt : attempts) {
        if (handle)
            sqlite3_close(handle);
        handle = nullptr;
        rc = m_impl->tryOpen(path, key, attempt, &handle);
        if (rc != SQLITE_NOTADB || key.isEmpty())
            break;
    }
    if (rc != SQLITE_OK)
        m_impl->failOpen(handle, rc, path);
    sqlite3_exec(handle, "PRAGMA query_only = 1", nullptr, nullptr, nullptr);
    // Pages are decrypted once and kept: the name lists and records of a large database read
    // the same pages again and again. The cache grows only as far as pages are read.
    sqlite3_exec(handle, "PRAGMA cache_size = -16384", nullptr, nullptr, nullptr);

    m_impl->db = handle;
    m_impl->path = path;
}

// Opens the file with the key and cipher format and reads its schema, the first read of the
// file: a wrong key or a file that is not a database fails here.
int Connection::Impl::tryOpen(const QString& file, const QString& key, CipherAttempt cipher, sqlite3** out) {
    // One thread at a time uses a connection: the engine's own locking of every call is spared.
    int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), out,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3* handle = *out;
    if (rc != SQLITE_OK)
        return rc;
    sqlite3_busy_timeout(handle, 2000);
    if (!key.isEmpty()) {
        const QByteArray k = key.toUtf8();
        rc = sqlite3_key(handle, k.constData(), static_cast<int>(k.size()));
        if (rc != SQLITE_OK)
            return rc;
        sqlite3_exec(handle, CipherPragmas(cipher.pageSize, cipher.kdfIterations).constData(), nullptr,
                     nullptr, nullptr);
    }
    rc = RegisterSqlFunctions(handle, &collation);
    if (rc != SQLITE_OK)
        return rc;
    sqlite3_stmt* probe = nullptr;
    rc = sqlite3_prepare_v2(handle, "SELECT count(*) FROM sqlite_master", -1, &probe, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(probe);
    const qint64 tables = rc == SQLITE_ROW ? sqlite3_column_int64(probe, 0) : 0;
    sqlite3_finalize(probe);
    if (rc != SQLITE_ROW)
        return rc;
    return tables == 0 ? SQLITE_NOTADB : SQLITE_OK;
}

void Connection::close() {
    m_impl->closeDb();
}

bool Connection::isOpen() const {
    return m_impl->db != nullptr;
}

QString Connection::path() const {
    return m_impl->path;
}

void Connection::Impl::bind(sqlite3_stmt* statement, const QString& sql, const QVariantList& params) {
    if (params.size() != sqlite3_bind_parameter_count(statement))
        RaiseEngineError(SQLITE_RANGE, QStringLiteral("%1 parameters given, %2 expected in \"%3\"")
                                           .arg(params.size())
                                           .arg(sqlite3_bind_parameter_count(statement))
                                           .arg(sql));
    for (int i = 0; i < params.size(); ++i) {
        const int rc = bindValue(statement, i + 1, params[i]);
        if (rc != SQLITE_OK)
            RaiseEngineError(rc, engineMessage(db));
    }
}

Recordset Connection::execute(const QString& sql, const QVariantList& params) {
    if (!m_impl->db)
        RaiseDbError(dbObjectClosed);
    const Prepared& p = m_impl->prepare(sql);
    sqlite3_stmt* statement = p.statement;
    const QStringList names = p.names;
    ResetGuard guard{statement};
    m_impl->bind(statement, sql, params);

    const int columns = static_cast<int>(names.size());
    QVariantList cells;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i)
            cells.append(cellValue(statement, i));
    }
    if (rc != SQLITE_DONE)
        RaiseEngineError(rc, engineMessage(m_impl->db) + QStringLiteral(" in \"") + sql + u'"');

    Recordset result;
    result.assign(names, std::move(cells));
    return result;
}

void Connection::forEachRow(const QString& sql, const QVariantList& params,
                            const std::function<bool(const Row&)>& callback) {
    if (!m_impl->db)
        RaiseDbError(dbObjectClosed);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(m_impl->compile(sql), sqlite3_finalize);
    m_impl->bind(statement.get(), sql, params);
    const Row row(statement.get(), resultNames(statement.get(), sql));
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        if (!callback(row))
            return;
    }
    if (rc != SQLITE_DONE)
        RaiseEngineError(rc, engineMessage(m_impl->db) + QStringLiteral(" in \"") + sql + u'"');
}

int Connection::Row::columnCount() const {
    return sqlite3_column_count(m_statement);
}

int Connection::Row::columnIndex(const QString& name) const {
    for (int i = 0; i < m_names.size(); ++i) {
        if (name.compare(m_names[i], Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Field Connection::Row::field(int column) const {
    return Field(m_names.value(column), cellValue(m_statement, column));
}

int Connection::Row::requireColumn(const QString& name) const {
    const int column = columnIndex(name);
    if (column < 0)
        RaiseDbError(dbItemNotFound, name);
    return column;
}

qint64 Connection::Row::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

QString Connection::Row::text(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView Connection::Row::bytes(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    return QByteArrayView(data, sqlite3_column_bytes(m_statement, column));
}

void WarmUpEngine() {
    // The same calls the cipher makes on a file's first page: key derivation with HMAC-SHA1,
    // then AES-256-CBC; the library keeps what it fetched for them.
    OPENSSL_init_crypto(OPENSSL_INIT_LOAD_CONFIG, nullptr);
    const unsigned char salt[16] = {};
    unsigned char key[32];
    PKCS5_PBKDF2_HMAC_SHA1("", 0, salt, sizeof salt, 1, sizeof key, key);
    if (EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new()) {
        const unsigned char iv[16] = {};
        EVP_CipherInit_ex(context, EVP_get_cipherbyname("aes-256-cbc"), nullptr, key, iv, 0);
        EVP_CIPHER_CTX_free(context);
    }
    // Opening a collator loads the root and Czech tables into the collation library's cache.
    const CzechCollation collation;
}

} // namespace lumo::db
