#include "print/PaperView.h"

#include "platform/ui/PageLayout.h"
#include "platform/ui/Units.h"
#include "print/PrintEngine.h"

#include <QPaintEvent>
#include <QPainter>

namespace lumo::print {

namespace {
constexpr int kFramePx = 8; // space around the paper
}

PaperView::PaperView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
}

PaperView::~PaperView() = default;

void PaperView::setPage(const QString& pageRtf, const QSize& paperTwips, const QRect& textRectTwips) {
    m_layout = PageOnPrinter(pageRtf);
    m_paper = paperTwips;
    m_textRect = textRectTwips;
    updateGeometry();
    resize(sizeHint());
    update();
}

void PaperView::setBorderStyle(int style) {
    m_style = style;
    update();
}

QString PaperView::pageText() const {
    return m_layout ? m_layout->positions().text() : QString();
}

QSize PaperView::sizeHint() const {
    return QSize(ui::TwipsToPixels(m_paper.width()) + 2 * kFramePx,
                 ui::TwipsToPixels(m_paper.height()) + 2 * kFramePx);
}

void PaperView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect paper(kFramePx, kFramePx, ui::TwipsToPixels(m_paper.width()),
                      ui::TwipsToPixels(m_paper.height()));
    const bool inRange = m_style != 5;
    painter.fillRect(paper, inRange ? QColor(Qt::white) : QColor(0xE4, 0xE4, 0xE4));
    QPen pen(Qt::black, 1, inRange ? Qt::SolidLine : Qt::DashLine);
    painter.setPen(pen);
    painter.drawRect(paper.adjusted(0, 0, -1, -1));
    if (!m_layout)
        return;
    // The page is laid out in printer pixels; scale them to the screen.
    painter.translate(paper.topLeft());
    painter.scale(ui::LogicalDpi() / m_layout->dpiX(), ui::LogicalDpi() / m_layout->dpiY());
    m_layout->formatRange(0, m_textRect, &painter);
}

} // namespace lumo::print
