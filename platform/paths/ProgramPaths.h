#pragma once

#include <QString>

// Paths as the callers write them (Windows style, any case) onto the Linux file system.
namespace lumo::paths {

// The program folder, without a trailing separator: LUMO_PROGRAM_DIR when set,
// otherwise the folder of the running executable.
QString ProgramDir();

// Backslashes to '/'; nothing else changes.
QString Normalize(const QString& path);

// The path as it exists on disk: "\" becomes "/", and every element that does not
// exist exactly is looked up case-insensitively in its folder. Elements that do
// not exist at all are kept as given, so a path for a new file resolves its folder.
QString Resolve(const QString& path);

// ProgramDir() joined with a relative name, resolved.
QString InProgramDir(const QString& name);

} // namespace lumo::paths
