#pragma once

#include <QByteArray>

// How the program's database files are encrypted: the builder writes them so and the
// connection reads them so.
namespace lumo::db {

// The password of the program's herb database.
inline constexpr const char* kDatabasePassword = "Qm48tHwwZpk7sLp3vGd";

// Pages of 4096 bytes: reading every text of the database takes a third less time than with
// the engine's default of 1024.
inline constexpr int kCipherPageSize = 4096;

// Rounds of the key derivation from the database password. The password ships inside the
// program, so the engine's default of 64,000 rounds protects nothing and costs every start
// about 35 ms; files written with the default still open (the connection tries it next).
inline constexpr int kKdfIterations = 1000;

// The statements that follow the key on a new connection: the page size and the rounds
// (0: the engine's default).
inline QByteArray CipherPragmas(int pageSize = kCipherPageSize, int kdfIterations = kKdfIterations) {
    QByteArray pragmas = "PRAGMA cipher_page_size = " + QByteArray::number(pageSize) + ';';
    if (kdfIterations > 0)
        pragmas += "PRAGMA kdf_iter = " + QByteArray::number(kdfIterations) + ';';
    return pragmas;
}

} // namespace lumo::db
