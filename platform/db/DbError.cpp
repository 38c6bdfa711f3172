#include "platform/db/DbError.h"

#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"

#include <sqlcipher/sqlite3.h>

namespace lumo::db {

QString DbErrorSource() {
    return QStringLiteral("LumoDb");
}

long ErrorNumberFor(int resultCode) {
    switch (resultCode & 0xFF) {
    case SQLITE_NOMEM:
        return err::errOutOfMemory;
    case SQLITE_IOERR:
        return err::errDeviceIo;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return err::errPermissionDenied;
    case SQLITE_CANTOPEN:
        return dbFileNotFound;
    case SQLITE_READONLY:
        return dbReadOnly;
    case SQLITE_NOTADB:
        return dbNotDatabase;
    case SQLITE_CORRUPT:
        return dbCorrupt;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return dbLocked;
    case SQLITE_ERROR:
    case SQLITE_RANGE:
    case SQLITE_MISMATCH:
    case SQLITE_CONSTRAINT:
        return dbCommandError;
    default:
        return dbUnspecified;
    }
}

namespace {

QString standardText(DbError number) {
    switch (number) {
    case dbNoCurrentRecord:
        return QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                              "Requested operation requires a current record.");
    case dbFileNotFound:
        return QStringLiteral("Could not find file '%1'.");
    case dbReadOnly:
        return QStringLiteral("Cannot update. Database or object is read-only.");
    case dbNotDatabase:
        return QStringLiteral("Not a valid password, or '%1' is not a database.");
    case dbCorrupt:
        return QStringLiteral("Cannot open database '%1'. The file may be corrupt.");
    case dbLocked:
        return QStringLiteral("Could not lock file.");
    case dbItemNotFound:
        return QStringLiteral("Item '%1' cannot be found in the collection corresponding to the "
                              "requested name or ordinal.");
    case dbObjectClosed:
        return QStringLiteral("Operation is not allowed when the object is closed.");
    case dbCommandError:
        return QStringLiteral("Error in the statement: %1");
    case dbUnspecified:
        return QStringLiteral("Unspecified error: %1");
    }
    return {};
}

} // namespace

void RaiseEngineError(int resultCode, const QString& detail) {
    const long number = ErrorNumberFor(resultCode);
    QString text;
    switch (number) {
    case dbCommandError:
    case dbUnspecified:
        text = standardText(static_cast<DbError>(number)).arg(detail);
        break;
    case dbLocked:
    case dbReadOnly:
        text = standardText(static_cast<DbError>(number));
        break;
    default:
        text = detail;
        break;
    }
    err::Raise(number, DbErrorSource(), text);
}

void RaiseDbError(DbError number, const QString& arg) {
    QString text = standardText(number);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(arg);
    err::Raise(number, DbErrorSource(), text);
}

} // namespace lumo::db
