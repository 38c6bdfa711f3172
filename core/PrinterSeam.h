#pragma once

#include "core/AppContext.h"

#include <functional>

namespace lumo {

// The printer object's class lives in the print library, above this one: the print library
// registers how to make one and how to hand it the page margins (the executable calls its
// registration before Main).
struct PrinterFactory {
    std::function<ServiceSlot<CKelPrinter>()> create;
    std::function<void(CKelPrinter& printer, float Left, float Right, float Top, float Bottom)> setMargins;
};

void RegisterPrinterFactory(PrinterFactory factory);

// Start-up step 70: creates App().PrinterObj and hands it the margins of the settings.
// Without a registered factory the slot stays empty.
void CreatePrinterObject();

// Hands the settings' four page margins to the printer object, when there is one
// (start-up, and the settings dialog on OK).
void HandMarginsToPrinter();

} // namespace lumo
