#pragma once

#include <QImage>
#include <QString>

class QFont;
class QLabel;

namespace lumo::setup {

// Paints a logo panel: a colour gradient from StartColor at the bottom to EndColor at
// the top, with the caption written upwards at the lower left.
class cLogo {
public:
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    void setDrawingObject(QLabel* label) { m_drawingObject = label; }
    long StartColor() const { return m_start; }
    long EndColor() const { return m_end; }
    void setStartColor(long colour);
    void setEndColor(long colour);

    // Paints the drawing object's picture.
    void Draw();
    // The picture for a panel of size in pixels, with font for the caption; an empty
    // image when either side is not positive.
    QImage Paint(const QSize& size, const QFont& font) const;

private:
    QString m_caption;
    QLabel* m_drawingObject = nullptr;
    long m_start = 0;
    long m_end = static_cast<long>(0x8000000FUL);
};

} // namespace lumo::setup
