#include "print/FileDialogs.h"

#include "core/AppContext.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"
#include "print/Printers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace lumo::print {

namespace {

const QString kPdfTitle = QStringLiteral("Tisk do souboru PDF");

QString canonical(const QString& path) {
    const QFileInfo info(path);
    const QString c = info.canonicalFilePath();
    return c.isEmpty() ? info.absoluteFilePath() : c;
}

void refuseDatabase(QWidget* owner, const QString& title) {
    ui::DialogPresenter::msgBox(
        QStringLiteral("Do souboru databáze bylin nelze ukládat. Zvolte jiný soubor."), title,
        QMessageBox::Warning, QMessageBox::Ok, QMessageBox::NoButton, owner);
}

} // namespace

bool IsProtectedFile(const QString& path) {
    QString db = text::rightTrimBlanks(App().Settings.DatabaseLocation);
    if (db.isEmpty())
        db = paths::InProgramDir(QStringLiteral("Lumo.mdb"));
    return canonical(path) == canonical(paths::Resolve(db));
}

QString AskSaveFileName(QWidget* owner, const QString& title, const QStringList& filters,
                        const QString& defaultSuffix, const QString& folder) {
    for (;;) {
        QFileDialog dialog(owner, title, folder);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(defaultSuffix);
        if (ui::DialogPresenter::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        const QString name = dialog.selectedFiles().constFirst();
        if (!IsProtectedFile(name))
            return name;
        refuseDatabase(owner, title);
    }
}

QString AskPdfFileName(QWidget* owner) {
    // Over the window that asked to print (the preview is modal).
    if (!owner)
        owner = QApplication::activeModalWidget();
    static QString last;
    const QString folder = last.isEmpty() ? QDir::homePath() : QFileInfo(last).absolutePath();
    const QString name = AskSaveFileName(owner, kPdfTitle, {QStringLiteral("Soubor PDF (*.pdf)")},
                                         QStringLiteral("pdf"), folder);
    if (!name.isEmpty())
        last = name;
    return name;
}

QString PdfJobFile(QWidget* owner) {
    QString pdf = PdfOutputFile();
    if (pdf.isEmpty()) {
        pdf = TakeNextPdfFile();
        // The print dialog's output file may name the herb database as well.
        if (!pdf.isEmpty() && IsProtectedFile(pdf)) {
            refuseDatabase(owner ? owner : QApplication::activeModalWidget(), kPdfTitle);
            pdf.clear();
        }
    }
    if (pdf.isEmpty())
        pdf = AskPdfFileName(owner);
    return pdf;
}

} // namespace lumo::print
