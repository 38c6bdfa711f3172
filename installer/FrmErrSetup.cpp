#include "installer/FrmErrSetup.h"

#include "installer/VbColour.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>

namespace lumo::setup {

FrmErrSetup::FrmErrSetup(const QString& text, const QString& title, int flags, long colour, int timeout,
                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    lblERR = new QLabel(text, Frame1);
    lblERR->setObjectName(QStringLiteral("lblERR"));
    lblERR->setTextFormat(Qt::PlainText);
    lblERR->setWordWrap(true);
    lblERR->setMinimumWidth(420);
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(lblERR);

    static const char* const captions[] = {"&Zpět do programu [Esc]", "&Ukončit program [Ctrl-C]",
                                           "&Nápověda [F1]"};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        cmdErr[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        cmdErr[i]->setObjectName(QStringLiteral("cmdErr%1").arg(i));
        cmdErr[i]->setAutoDefault(false);
        connect(cmdErr[i], &QPushButton::clicked, this, [this, i] { cmdErr_Click(i); });
        cmdErr[i]->installEventFilter(this);
        buttons->addWidget(cmdErr[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    cmdErr[1]->setEnabled((flags & 4) == 0);
    // Help needs a help context, which the installer never has.
    cmdErr[2]->setEnabled(false);
    m_timerOn = (flags & 2) != 0;
    tmrErr = new QTimer(this);
    tmrErr->setObjectName(QStringLiteral("tmrErr"));
    tmrErr->setSingleShot(true);
    tmrErr->setInterval(timeout > 0 ? timeout : 0);
    connect(tmrErr, &QTimer::timeout, this, &QDialog::accept);

    setAutoFillBackground(true);
    Frame1->setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, VbColour(colour));
    setPalette(pal);
    Frame1->setPalette(pal);
    for (int i = 0; i < 3; ++i)
        QApplication::beep();
}

void FrmErrSetup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_timerOn)
        tmrErr->start();
}

void FrmErrSetup::keyPressEvent(QKeyEvent* event) {
    // Any key closes the window; "[Ctrl-C]" on the end button is only its label.
    event->accept();
    accept();
}

bool FrmErrSetup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    accept();
    return true;
}

void FrmErrSetup::cmdErr_Click(int index) {
    switch (index) {
    case 0:
        accept();
        break;
    case 1:
        std::_Exit(1);
    default:
        QApplication::beep();
        break;
    }
}

} // namespace lumo::setup
