#pragma once

namespace lumo {

class FrmMain;

// The main window's print commands on what it shows: the record in list mode 1, else the
// description box. Both put the herb's name as a right-aligned header (from page 2) with no
// empty lines before the text.

// Preview, opening in whole-document view.
void PreviewShown(FrmMain& form);
// The print dialog, then printing without a preview; with DisableColors the text prints
// black (the record on the screen keeps its colours).
void PrintShown(FrmMain& form);

} // namespace lumo
