#include "installer/AskYesNo.h"

#include "platform/ui/DialogPresenter.h"

#include <QMessageBox>
#include <QPushButton>

namespace lumo::setup {

bool AskYesNo(const QString& text, const QString& title, bool defaultYes) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ano"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Ne"));
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    const int result = ui::DialogPresenter::exec(box);
    return result == QMessageBox::Yes || box.clickedButton() == box.button(QMessageBox::Yes);
}

} // namespace lumo::setup
