#pragma once

#include <QString>

class QWidget;

namespace lumo::print {

// The save dialog: title, filters ("Soubor rtf (*.rtf)", ...), the suffix added to a name
// without one, starting in folder. Confirms before overwriting and refuses the program's
// database file (with a message). Returns the chosen path, or "" when cancelled.
QString AskSaveFileName(QWidget* owner, const QString& title, const QStringList& filters,
                        const QString& defaultSuffix, const QString& folder);

// The file the PDF printer writes a job to, asked each time (the last one offered again).
QString AskPdfFileName(QWidget* owner);

// The file a PDF job writes: the set output file, else one named in the print dialog, else
// asked. "" when the user cancelled.
QString PdfJobFile(QWidget* owner);

// True for the files the program must never write over (the herb database).
bool IsProtectedFile(const QString& path);

} // namespace lumo::print
