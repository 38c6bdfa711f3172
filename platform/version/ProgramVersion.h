#pragma once

#include <QByteArray>
#include <QString>

// Stand-in for the version resource of an executable: every program of the project
// carries its version ("major.minor.revision") in an ELF section written by the build
// (lumo_stamp_version in CMake), readable from a file on disk and by the program itself.
namespace lumo::version {

// The raw version block of an executable: the bytes of its version section; empty
// when the file cannot be read, is not a 64-bit ELF file or carries no block.
QByteArray ReadVersionBlock(const QString& path);

// The version text of a block, read as a version resource is read: the block taken as
// UTF-16 text, the characters between the "FileVersion" key and the "ProductVersion"
// key (found without regard to case), of them only digits and "."; "" when a key is
// missing or the keys are out of order.
QString VersionFromBlock(const QByteArray& block);

// VersionFromBlock(ReadVersionBlock(path)).
QString FileVersionText(const QString& path);

// The running program's own version, read from its executable ("" when it carries none).
QString OwnVersion();

// Writes version into the version block of an existing executable in place (the block
// keeps its size; the text has room for 24 characters). For building media and tests.
bool StampFileVersion(const QString& path, const QString& version, QString* error = nullptr);

} // namespace lumo::version
