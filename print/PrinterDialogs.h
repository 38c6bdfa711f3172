#pragma once

class QWidget;

namespace lumo::print {

// The system print dialog on the current printer, its page-range choices hidden (the preview
// has its own). The printer chosen becomes current; a PDF file named there is used by the next
// job. Returns false when cancelled. Titled "Nastavení tiskárny", it confirms with OK (the print
// dialog before printing is ShowPrintDialog).
bool ShowPrinterSetup(QWidget* owner);

} // namespace lumo::print
