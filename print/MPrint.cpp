#include "print/MPrint.h"

#include "platform/text/AnsiText.h"
#include "print/Printers.h"

#include <QPrinter>

namespace lumo {

PrintSettingsRecord& PrintSettings() {
    static PrintSettingsRecord record;
    return record;
}

QString FixedPageText(const QString& text) {
    QString fixed = text.left(kPageTextWidth);
    return fixed.leftJustified(kPageTextWidth, u' ');
}

void StartPrintJob() {
    PrintSettingsRecord& s = PrintSettings();
    s.PrintResult = 0;
    if (s.ToPage < 1)
        s.ToPage = 999;
    if (!s.PrinterName.isEmpty())
        print::SelectPrinter(s.PrinterName);
}

namespace {

QString trimmedUpper(const QString& s) {
    return text::rightTrimBlanks(s).toUpper();
}

} // namespace

bool SetPrinterByName(const QString& name) {
    const QString wanted = trimmedUpper(name);
    for (const print::InstalledPrinter& p : print::InstalledPrinters()) {
        if (trimmedUpper(p.DeviceName) != wanted)
            continue;
        if (!print::SelectPrinter(p.DeviceName))
            return false;
        PrintSettingsRecord& s = PrintSettings();
        s.PrinterName = p.DeviceName;
        s.PrinterCopies = std::int16_t(print::CurrentPrinter().copyCount());
        s.PrinterDriverName = p.DriverName;
        // No device context on this platform; an opaque non-zero id tells that one was chosen.
        s.PrinterHDC = 1;
        return true;
    }
    return false;
}

} // namespace lumo
