#include "library/frmInfo.h"

#include "platform/ui/Units.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

namespace lumo {

frmInfo::frmInfo() : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmInfo"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    pgbInfo = new QProgressBar(this);
    pgbInfo->setObjectName(QStringLiteral("pgbInfo"));
    pgbInfo->setRange(0, 100);
    pgbInfo->setValue(0);
    resize(ui::TwipsToPixels(5400), ui::TwipsToPixels(1800));
}

// The bar sits below the text, however many lines it takes.
void frmInfo::Form_Activate() {
    const int margin = ui::TwipsToPixels(120);
    const int width = this->width() - 2 * margin;
    lblInfo->setGeometry(margin, margin, width, lblInfo->heightForWidth(width));
    pgbInfo->setGeometry(margin, lblInfo->height() + ui::TwipsToPixels(385), width, ui::TwipsToPixels(300));
    resize(this->width(), pgbInfo->y() + ui::TwipsToPixels(825));
}

void frmInfo::showEvent(QShowEvent* event) {
    Form_Activate();
    QWidget::showEvent(event);
}

void frmInfo::ShowProgress(const QString& Caption, const QString& Text) {
    setWindowTitle(Caption);
    lblInfo->setText(Text);
    show();
    Form_Activate();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmInfo::SetProgress(int Percent) {
    pgbInfo->setValue(qBound(0, Percent, 100));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmInfo::HideProgress() {
    hide();
}

} // namespace lumo
