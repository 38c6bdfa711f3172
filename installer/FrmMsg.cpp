#include "installer/FrmMsg.h"

#include "installer/SetupState.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumo::setup {

FrmMsg::FrmMsg(QWidget* parent) : QDialog(parent) {
    State().ShortcutAnswer = 0;
    setWindowTitle(QStringLiteral("Zástupce na ploše"));
    auto* LblInf = new QLabel(QStringLiteral("Vytvořit zástupce na ploše?"), this);
    LblInf->setObjectName(QStringLiteral("LblInf"));
    auto* buttons = new QHBoxLayout;
    const QString captions[] = {QStringLiteral("&Ano"), QStringLiteral("&Ne")};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(captions[i], this);
        b->setObjectName(QStringLiteral("CmdMsg%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { CmdMsg_Click(i); });
        buttons->addWidget(b);
    }
    setMinimumWidth(280);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblInf);
    layout->addLayout(buttons);
}

void FrmMsg::CmdMsg_Click(int index) {
    State().ShortcutAnswer = index + 1;
    accept();
}

} // namespace lumo::setup
