#pragma once

#include "platform/ui/PositionMap.h"

#include <QRect>
#include <QTextOption>

#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;
class QTextDocument;

namespace lumo::ui {

// How a document's lines wrap: at word boundaries, a word longer than the line anywhere, as
// the rich-edit control does. A damaged document holding a run of thousands of characters
// without a break wraps anywhere: Qt's layout of such a run takes time in the square of its
// length (seconds for a record of a few hundred thousand characters).
QTextOption::WrapMode WrapModeFor(QStringView text);

// Lays a rich-text document out for a target device and cuts it into pages, the way the
// print engine asks the rich-edit control to (target device + format range). Positions are
// box positions (CR LF counts two), the same as the box the document came from.
//
// The layout works on its own copy of the document, so the box on screen keeps its wrapping.
class PageLayout {
public:
    explicit PageLayout(const QTextDocument& source);
    // Lays out this document itself (its block margins are rescaled for the target device).
    explicit PageLayout(std::unique_ptr<QTextDocument> document);
    ~PageLayout();
    PageLayout(const PageLayout&) = delete;
    PageLayout& operator=(const PageLayout&) = delete;

    // Wrap as on device (nullptr: the screen) at lineWidthTwips; 0 or less wraps at the width of
    // the rectangle given to formatRange. The device must outlive its use here.
    void setTargetDevice(QPaintDevice* device, int lineWidthTwips);

    // Fits whole lines from the line holding fromChar into rectTwips (twips, relative to the
    // device's origin) and returns the first position that did not fit, or length() when the
    // rest fits. Always advances: a line taller than the rectangle still counts as fitting.
    // With a painter (on the target device) the fitting lines are drawn into the rectangle.
    int formatRange(int fromChar, const QRect& rectTwips, QPainter* painter = nullptr);

    // Length of the text in box positions.
    int length() const;
    // Display lines in the target wrapping (laid out for the last rectangle or line width).
    int lineCount();
    int lineFromChar(int pos);
    // Box position where a display line starts (length() past the last line).
    int lineStart(int line);
    // Top of a display line in twips from the top of the first (line == lineCount(): the
    // bottom of the last), in the target wrapping.
    int lineTopTwips(int line);

    const QTextDocument& document() const { return *m_doc; }
    // The text in box positions.
    const PositionMap& positions() const { return m_map; }
    // Dots per inch of the target device.
    double dpiX() const;
    double dpiY() const;

private:
    struct Line {
        int docStart;
        double top;
        double bottom;
    };
    void ensureLayout(double widthPx);
    void scaleBlockMargins(double factor);
    void boundBlockGeometry(double widthPx);
    int lineIndexOf(int docPos) const;
    void render(QPainter& painter, const QRectF& rectPx, std::size_t first, std::size_t end) const;

    std::unique_ptr<QTextDocument> m_doc;
    PositionMap m_map;
    QPaintDevice* m_device = nullptr;
    int m_lineWidthTwips = 0;
    double m_laidOutWidth = -1;
    double m_marginScale = 1;
    std::vector<Line> m_lines;
};

} // namespace lumo::ui
