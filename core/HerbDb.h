#pragma once

#include <QDate>
#include <QString>

namespace lumo {

// The version row of the herb database, shown by the splash and the About box.
struct DbVersionRecord {
    QDate FromDate;
    qint16 Verze = 0;
    QString Edice;
};

// The password the herb database file is keyed with.
QString DatabasePassword();

// Opens the program-wide connection App().DbConnection (created when missing)
// on the setting DatabaseLocation, right-trimmed, strictly read-only. On any
// failure reports error 1 through App().ErrObj and returns false.
bool OpenDatabase();
// The same on a given location (start-up passes the setting).
bool OpenDatabase(const QString& databaseLocation);

// Reads the newest version row (highest Idx) into App().DbVersion. False, with
// App().DbVersion unchanged and nothing reported, when there is no row or the
// table cannot be read.
bool ReadDbVersion();

} // namespace lumo
