#include "core/PrinterSeam.h"

namespace lumo {

namespace {

PrinterFactory& factory() {
    static PrinterFactory f;
    return f;
}

} // namespace

void RegisterPrinterFactory(PrinterFactory f) {
    factory() = std::move(f);
}

void CreatePrinterObject() {
    if (!factory().create)
        return;
    App().PrinterObj = factory().create();
    HandMarginsToPrinter();
}

void HandMarginsToPrinter() {
    if (!App().PrinterObj || !factory().setMargins)
        return;
    const ProgramSettings& s = App().Settings;
    factory().setMargins(*App().PrinterObj, s.LeftMargin, s.RightMargin, s.TopMargin, s.BottomMargin);
}

} // namespace lumo
