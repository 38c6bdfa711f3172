#include "print/PrintRegistration.h"

#include "core/PrinterSeam.h"
#include "print/CKelPrinter.h"

namespace lumo {

void RegisterPrint() {
    PrinterFactory factory;
    factory.create = [] { return MakeServiceSlot(std::make_unique<CKelPrinter>()); };
    factory.setMargins = [](CKelPrinter& printer, float left, float right, float top, float bottom) {
        printer.LeftMargin(left);
        printer.RightMargin(right);
        printer.TopMargin(top);
        printer.BottomMargin(bottom);
    };
    RegisterPrinterFactory(std::move(factory));
}

} // namespace lumo
