#include "print/PrintCommands.h"

#include "core/AppContext.h"
#include "mainwindow/FrmMain.h"
#include "platform/ui/RichTextBox.h"
#include "print/CKelPrinter.h"

#include <QCoreApplication>
#include <QTreeWidget>

namespace lumo {

namespace {

const ui::RichTextBox* shownBox(const FrmMain& form) {
    return form.ListMode == 1 ? form.RtfByl : form.RtfTemp;
}

// The name of what is printed: the herb of the record, else the list item whose description
// is shown (the last herb's name would head a category's pages).
QString shownName(const FrmMain& form) {
    if (form.ListMode == 1)
        return form.CurrentHerbName;
    const QTreeWidgetItem* item = form.selectedListItem();
    return item ? item->text(0) : QString();
}

void setHeader(CKelPrinter& printer, const FrmMain& form) {
    printer.FirstPageOfset(0);
    printer.HeaderAlign(2);
    printer.PageHeader(shownName(form));
}

} // namespace

void PreviewShown(FrmMain& form) {
    CKelPrinter* printer = App().PrinterObj.get();
    const ui::RichTextBox* box = shownBox(form);
    if (!printer || !box)
        return;
    setHeader(*printer, form);
    printer->PageGroup(true);
    printer->PrintPreview(box->TextRTF(), false, false, QStringLiteral("Courier New"), 10);
}

void PrintShown(FrmMain& form) {
    CKelPrinter* printer = App().PrinterObj.get();
    const ui::RichTextBox* box = shownBox(form);
    if (!printer || !box)
        return;
    setHeader(*printer, form);
    if (!ShowPrintDialog(&form))
        return;
    FrmMain::BusyScope busy(form); // a close meanwhile waits: the printer object is in use
    QCoreApplication::processEvents();
    QString rtf = box->TextRTF();
    if (App().Settings.DisableColors) {
        // Blacked out on a copy: the record on the screen keeps its colours.
        ui::RichTextBox copy;
        copy.setTextRTF(rtf);
        copy.select(0, copy.TextLength());
        copy.setSelColor(0);
        rtf = copy.TextRTF();
    }
    printer->PrintDoc(rtf, false, QStringLiteral("Courier New"), 10);
}

} // namespace lumo
