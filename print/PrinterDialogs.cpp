#include "print/PrinterDialogs.h"

#include "platform/ui/DialogPresenter.h"
#include "print/CKelPrinter.h"
#include "print/MPrint.h"
#include "print/Printers.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <cmath>
#include <vector>

namespace lumo::print {

namespace {

// The system print dialog; as printer setup it is titled so and confirms with OK, since it
// prints nothing itself.
bool runPrintDialog(QWidget* owner, bool setup) {
    QPrinter& printer = CurrentPrinter();
    QPrintDialog dialog(&printer, owner);
    if (setup) {
        dialog.setWindowTitle(QStringLiteral("Nastavení tiskárny"));
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
    }
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

} // namespace

bool ShowPrinterSetup(QWidget* owner) {
    return runPrintDialog(owner, true);
}

} // namespace lumo::print

namespace lumo {

namespace {

float hundredths(double mm) {
    return float(std::round(mm * 100) / 100);
}

} // namespace

bool ShowPrintDialog(QWidget* Owner) {
    return print::runPrintDialog(Owner, false);
}

int ShowPageSetupDialog() {
    PrintSettingsRecord& s = PrintSettings();
    // Qt's page-setup dialog refuses printers that are not the system's (the PDF printer), so
    // the program has its own: the paper size and the four margins in millimetres.
    QDialog dialog(s.UsedForm.data());
    dialog.setWindowTitle(QStringLiteral("Vzhled stránky"));
    auto* form = new QFormLayout(&dialog);
    struct Field {
        const char* name;
        const char* label;
        float* value;
    } fields[] = {{"PageWidth", "Šířka papíru [mm]", &s.PageWidth},
                  {"PageHeight", "Výška papíru [mm]", &s.PageHeight},
                  {"LeftMargin", "&Levý okraj [mm]", &s.LeftMargin},
                  {"RightMargin", "&Pravý okraj [mm]", &s.RightMargin},
                  {"TopMargin", "&Horní okraj [mm]", &s.TopMargin},
                  {"BottomMargin", "&Spodní okraj [mm]", &s.BottomMargin}};
    std::vector<QDoubleSpinBox*> boxes;
    for (const Field& f : fields) {
        auto* box = new QDoubleSpinBox(&dialog);
        box->setObjectName(QString::fromLatin1(f.name));
        box->setDecimals(2);
        box->setRange(0, 2000);
        box->setValue(*f.value);
        form->addRow(QString::fromUtf8(f.label), box);
        boxes.push_back(box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    const bool ok = ui::DialogPresenter::exec(dialog) == QDialog::Accepted;
    // In hundredths of a millimetre both ways; a cancelled dialog gives back what it was given.
    for (std::size_t i = 0; i < boxes.size(); ++i)
        *fields[i].value = hundredths(ok ? boxes[i]->value() : *fields[i].value);
    return ok ? 1 : 0;
}

int ShowPrinterProperties(const std::optional<QString>& name) {
    // A printer that cannot be opened shows nothing and changes nothing.
    if (name && !SetPrinterByName(*name))
        return 0;
    return print::ShowPrinterSetup(PrintSettings().UsedForm.data()) ? 1 : 0;
}

} // namespace lumo
