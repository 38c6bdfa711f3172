#include "print/PrinterDialogs.h"

#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/ui/DialogPresenter.h"
#include "print/CKelPrinter.h"
#include "print/MPrint.h"
#include "print/Printers.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include <cmath>

namespace lumo::print {

bool ShowPrinterSetup(QWidget* owner) {
    QPrinter& printer = CurrentPrinter();
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    const bool ok = ui::DialogPresenter::exec(dialog) == QDialog::Accepted;
    // The dialog may change the printer's layout mode; the engine works on the whole paper.
    printer.setFullPage(true);
    printer.setPrintRange(QPrinter::AllPages);
    if (ok && printer.outputFormat() == QPrinter::PdfFormat)
        SetNextPdfFile(printer.outputFileName());
    return ok;
}

} // namespace lumo::print

namespace lumo {

namespace {

float hundredths(double mm) {
    return float(std::round(mm * 100) / 100);
}

} // namespace

bool ShowPrintDialog(QWidget* Owner) {
    return print::ShowPrinterSetup(Owner);
}

int ShowPageSetupDialog() {
    PrintSettingsRecord& s = PrintSettings();
    QPrinter copy(QPrinter::HighResolution);
    const QPageLayout layout(
        QPageSize(QSizeF(s.PageWidth, s.PageHeight), QPageSize::Millimeter), QPageLayout::Portrait,
        QMarginsF(s.LeftMargin, s.TopMargin, s.RightMargin, s.BottomMargin), QPageLayout::Millimeter);
    copy.setPageLayout(layout);
    QPageSetupDialog dialog(&copy, s.UsedForm);
    const bool ok = ui::DialogPresenter::exec(dialog) == QDialog::Accepted;
    const QPageLayout result = ok ? copy.pageLayout() : layout;
    const QSizeF paper = result.pageSize().size(QPageSize::Millimeter);
    const QMarginsF m = result.margins(QPageLayout::Millimeter);
    s.PageWidth = hundredths(result.orientation() == QPageLayout::Landscape ? paper.height() : paper.width());
    s.PageHeight =
        hundredths(result.orientation() == QPageLayout::Landscape ? paper.width() : paper.height());
    s.LeftMargin = hundredths(m.left());
    s.RightMargin = hundredths(m.right());
    s.TopMargin = hundredths(m.top());
    s.BottomMargin = hundredths(m.bottom());
    return ok ? 1 : 0;
}

int ShowPrinterProperties(const std::optional<QString>& name) {
    if (name && !SetPrinterByName(*name))
        err::Raise(err::errDeviceUnavailable, QStringLiteral("KelVBLib-MPrint-ShowPrinterProperties"),
                   QStringLiteral("Tiskárna ") + *name + QStringLiteral(" není nainstalována"));
    return print::ShowPrinterSetup(PrintSettings().UsedForm) ? 1 : 0;
}

} // namespace lumo
