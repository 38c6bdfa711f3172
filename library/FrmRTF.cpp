#include "library/FrmRTF.h"

#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QVBoxLayout>

namespace lumo {

namespace {
const QString kRtfMime = QStringLiteral("text/rtf");
}

FrmRTF::FrmRTF(QWidget* parent) : QWidget(parent), m_rtfBox(new ui::RichTextBox(this)) {
    setObjectName(QStringLiteral("frmRTF"));
    m_rtfBox->setObjectName(QStringLiteral("rtfBox"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_rtfBox);
}

void FrmRTF::Form_Activate() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (m_tag == QStringLiteral("COPY")) {
        auto* data = new QMimeData;
        const QString rtf = m_rtfBox->TextRTF();
        data->setData(kRtfMime, text::encodeAnsi(rtf));
        data->setText(m_rtfBox->Text());
        clipboard->setMimeData(data);
        return;
    }
    const QMimeData* data = clipboard->mimeData();
    if (data && data->hasFormat(kRtfMime))
        m_rtfBox->setTextRTF(text::decodeAnsi(data->data(kRtfMime)));
}

void FrmRTF::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

} // namespace lumo
