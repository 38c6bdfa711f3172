#include "print/PrintRegistration.h"

#include "core/PrinterSeam.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MainWindowRegistry.h"
#include "print/CKelPrinter.h"
#include "print/PrintCommands.h"

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
    RegisterMainWindowHook([](FrmMain& form) {
        FrmMain* f = &form;
        form.Hooks.PreviewShown = [f] { PreviewShown(*f); };
        form.Hooks.PrintShown = [f] { PrintShown(*f); };
    });
}

} // namespace lumo
