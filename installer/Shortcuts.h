#pragma once

#include <QString>

// Shortcuts as freedesktop ".desktop" entries: on the desktop, in the applications menu
// or in the autostart folder.
namespace lumo::setup {

// "<desktop>/<linkName>.desktop" starting targetPath with arguments in workingFolder,
// replacing an entry of that name in one rename. False when there is no desktop folder,
// the name cannot be a file name or the entry cannot be written. The window style and
// icon index have no counterpart and are not used.
bool CreateDesktopShortcut(const QString& targetPath, const QString& linkName, const QString& workingFolder,
                           int windowStyle, long iconIndex, const QString& arguments);

// The same entry in a place: 16 the desktop (false when targetPath is no file or there is
// no desktop), 2 the applications menu, anything else the autostart folder (both made
// when missing).
bool CreateToolkitShortcut(const QString& linkName, const QString& targetPath, long place,
                           const QString& arguments);

// The entry's text. Exec quotes the program and each argument (Windows command-line
// rules split the arguments), so blanks, quotes, "$", "`", "\" and "%" reach the program
// as written.
QString DesktopEntryText(const QString& name, const QString& targetPath, const QString& arguments,
                         const QString& workingFolder);

// The file name of a link on a desktop ("" when linkName cannot be one).
QString ShortcutFileName(const QString& linkName);

} // namespace lumo::setup
