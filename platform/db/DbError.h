#pragma once

#include <QString>

// The database layer's run-time errors: numbers and texts in the manner of the
// data-access errors the readers report after "System: ".
namespace lumo::db {

// Source of every error the database layer raises.
QString DbErrorSource();

enum DbError : long {
    dbNoCurrentRecord = 3021,
    dbFileNotFound = 3024,
    dbReadOnly = 3027,
    dbNotDatabase = 3031,
    dbCorrupt = 3049,
    dbLocked = 3050,
    dbItemNotFound = 3265,
    dbObjectClosed = 3704,
    dbCommandError = -2147217900L,
    dbUnspecified = -2147467259L,
};

// The error number for an SQLite result code.
long ErrorNumberFor(int resultCode);

// Raises the error for an SQLite result code; detail is the engine's message.
[[noreturn]] void RaiseEngineError(int resultCode, const QString& detail);

// Raises one of the layer's own errors with its standard text; arg fills %1.
[[noreturn]] void RaiseDbError(DbError number, const QString& arg = {});

} // namespace lumo::db
