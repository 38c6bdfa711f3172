#pragma once

class QLineEdit;

namespace lumo::ui {

// Makes a text box hold one line, as the single-line edit control does: text pasted or set
// with a line break keeps only what comes before the first CR, LF or NUL.
void KeepOneLine(QLineEdit& box);

} // namespace lumo::ui
