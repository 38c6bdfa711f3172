#pragma once

#include <QChar>
#include <QHash>
#include <QString>

namespace lumo::db {

// Rewrites a statement written in the Jet dialect into SQLite's:
//  - "x = ANY (subquery)" becomes "x IN (subquery)", "<> ALL (" becomes "NOT IN (";
//  - "SELECT TOP n" becomes a LIMIT n at the end of that SELECT;
//  - a chain "x=1 OR x=2 OR ..." of one column's values becomes "x IN (1,2,...)",
//    so a chain of any length stays within the engine's expression depth;
//  - any other chain of more than 200 operands of OR (or AND) is nested into balanced
//    parenthesised groups, for the same reason;
//  - DISTINCTROW becomes DISTINCT, "text" literals become 'text';
//  - every ORDER BY term gets COLLATE CS, so text sorts by Czech rules
//    (numbers are unaffected by a collation), except a bare key column
//    (Idx..., alias.Idx...), which is an integer read in its index's order.
// Text inside literals is never touched. A statement without these forms comes
// back unchanged.
QString TranslateJetSql(const QString& sql);

// The table -> alias pairs of the outermost FROM list, keys in lower case
// ("FROM Byliny AS b, Nazvy n" gives byliny -> b, nazvy -> n; a table
// without an alias maps to its own name).
QHash<QString, QString> FromAliases(const QString& sql);

// Typed text as an SQL string literal: in single quotes, quotes doubled.
QString QuoteText(const QString& text);

// Typed text as a LIKE pattern that matches it literally: %, _ and the escape
// character are escaped. Use with "LIKE ? ESCAPE '\'" (or the chosen escape).
QString LikeEscape(const QString& text, QChar escape = QLatin1Char('\\'));

} // namespace lumo::db
