#pragma once

#include <QString>

// Comparing the program and the herb database on the medium with the installed ones.
namespace lumo::setup {

// The numbers of a version text "major.minor.revision"; 0 for a part that is missing or
// not a number. A fourth part ("1.0.3.5") never changes the revision.
long VersionMajor(const QString& text);
long VersionMinor(const QString& text);
long VersionRevision(const QString& text);

// The program file source against target by their carried versions: 1 source newer,
// 2 equal (also both without a version), 0 source older.
long CompareAppVersion(const QString& source, const QString& target);

// The stamp of the database in folder (with "/"): 0 when "Lumo.mdb" is missing there,
// -1 when "Lumo.INF" cannot be read or holds fewer than two bytes.
int DBVersionAt(const QString& folder);

// The medium's stamp a against the installed b: 1 newer, 2 equal, 0 older.
long CompareDBVersion(int medium, int installed);

// How a stamp is shown: 305 as "2007.5" in dark blue; 0 or less as "neznámá" in red.
struct StampView {
    QString text;
    long colour = 0;
};
StampView StampDisplay(int stamp);

} // namespace lumo::setup
