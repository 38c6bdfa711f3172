#include "print/MPrint.h"

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

namespace {

QString trimmedUpper(const QString& s) {
    QString t = s;
    while (t.endsWith(u' '))
        t.chop(1);
    return t.toUpper();
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
