#include "installer/cLogo.h"

#include "installer/VbColour.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace lumo::setup {

void cLogo::setStartColor(long colour) {
    if (colour == m_start)
        return;
    m_start = colour;
    if (m_drawingObject)
        Draw();
}

void cLogo::setEndColor(long colour) {
    if (colour == m_end)
        return;
    m_end = colour;
    if (m_drawingObject)
        Draw();
}

QImage cLogo::Paint(const QSize& size, const QFont& font) const {
    const int h = size.height();
    const int w = size.width();
    // A panel without area has nothing to show (and a zero height would divide by zero).
    if (h <= 0 || w <= 0)
        return {};
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    const QColor start = VbColour(m_start);
    const QColor end = VbColour(m_end);
    const int step = std::max(1, h / 255);
    const double dr = end.red() - start.red();
    const double dg = end.green() - start.green();
    const double db = end.blue() - start.blue();
    QColor current = start;
    int top = h;
    for (int y = h; y >= 0; y -= step) {
        p.fillRect(QRect(QPoint(0, y - step), QPoint(w - 1, top - 1)), current);
        top = y - step;
        const double f = static_cast<double>(h - y) / h;
        current = QColor(static_cast<int>(std::lround(start.red() + f * dr)),
                         static_cast<int>(std::lround(start.green() + f * dg)),
                         static_cast<int>(std::lround(start.blue() + f * db)));
    }
    p.setFont(font);
    p.setPen(Qt::white);
    p.translate(0, h - 16);
    p.rotate(-90);
    p.drawText(QPoint(0, QFontMetrics(font).ascent()), m_caption);
    return image;
}

void cLogo::Draw() {
    if (!m_drawingObject)
        return;
    QFont font = m_drawingObject->font();
    font.setBold(true);
    const QImage image = Paint(m_drawingObject->size(), font);
    if (!image.isNull())
        m_drawingObject->setPixmap(QPixmap::fromImage(image));
}

} // namespace lumo::setup
