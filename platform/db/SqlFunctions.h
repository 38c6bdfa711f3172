#pragma once

#include <QChar>
#include <QStringView>

struct sqlite3;

namespace lumo::db {

class CzechCollation;

// Jet's LIKE as the readers use it: % any run, _ one character, case folded
// for every letter ("čer%" matches "Černucha") but accents kept ('c' is not
// 'č'). A character after the escape character is taken literally.
bool LikeMatch(QStringView pattern, QStringView text, QChar escape = QChar());

// Registers on a connection: the collation "CS" (the collation must outlive
// the connection; without one, the process's own serves), Len(x), and
// like(pattern, text[, escape]) in place of SQLite's ASCII-only one. Returns
// an SQLite result code.
int RegisterSqlFunctions(sqlite3* db, const CzechCollation* collation = nullptr);

} // namespace lumo::db
