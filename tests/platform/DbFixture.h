#pragma once

#include <QString>
#include <QStringList>

namespace lumo::test {

// Writes a new database file keyed with key (an empty key leaves it plain) in the program's
// cipher format, or the one cipherPragmas set, and runs the statements in it. Fails the
// current test on any error.
void WriteDatabase(const QString& path, const QString& key, const QStringList& statements,
                   const QByteArray& cipherPragmas = {});

// The herb tables with a few Czech rows: herbs, names in languages 1 to 3
// (with blank and duplicated names), indications on two levels with their
// links, active substances, one picture and three version rows.
QStringList HerbFixture();

// Bytes of a file ("" when missing).
QByteArray FileBytes(const QString& path);

} // namespace lumo::test
