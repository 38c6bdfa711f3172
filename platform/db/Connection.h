#pragma once

// ADO-like read-only connection and recordset over SQLCipher.
namespace lumo::db {
class Connection;
} // namespace lumo::db
