#pragma once

#include <QString>

// The installer's error report: a modal window with the text and the buttons the flags
// ask for. Nothing is logged.
namespace lumo::setup {

// Flags: 4 disables the end button, 1 enables the help button, 2 closes the window
// after timeout milliseconds. colour is a 0xBBGGRR value.
void ReportError(int code, const QString& message, const QString& title, const QString& source, int flags = 8,
                 long colour = 0xFF, int timeout = 500);

// The window's text: "Chyba číslo …", CR LF, "Popis chyby: …", and when an error is
// active its "System: " line.
QString ReportText(int code, const QString& message, const QString& source);

} // namespace lumo::setup
