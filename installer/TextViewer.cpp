#include "installer/TextViewer.h"

#include "installer/UpgradeScript.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/ui/DialogPresenter.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumo::setup {

void ShowTextFile(const QString& path) {
    QFile f(paths::Resolve(path));
    if (!f.open(QIODevice::ReadOnly)) {
        // Said as the text editor it stands for says it, not shown as an empty page.
        ui::DialogPresenter::msgBox(QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path, f.errorString()),
                                    path.section(u'/', -1), QMessageBox::Warning);
        return;
    }
    const QString text = DecodeScript(f.readAll());
    QDialog dialog;
    dialog.setWindowTitle(path.section(u'/', -1));
    auto* view = new QPlainTextEdit(&dialog);
    view->setReadOnly(true);
    // Script authors line their texts up in a fixed-width font, as Notepad shows them.
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setPlainText(text);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* close = buttons->addButton(QStringLiteral("Zavřít"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    layout->addWidget(buttons);
    dialog.resize(640, 480);
    ui::DialogPresenter::exec(dialog);
}

} // namespace lumo::setup
