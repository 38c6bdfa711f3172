#include "platform/ui/PageLayout.h"

#include "platform/rtf/RtfUnits.h"
#include "platform/ui/Units.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace lumo::ui {

QTextOption::WrapMode WrapModeFor(QStringView text) {
    constexpr int kLongestRun = 4000;
    int run = 0;
    for (const QChar c : text) {
        if (c.isSpace() || c == u'-' || c == QChar::ParagraphSeparator)
            run = 0;
        else if (++run > kLongestRun)
            return QTextOption::WrapAnywhere;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

PageLayout::PageLayout(const QTextDocument& source)
    : PageLayout(std::unique_ptr<QTextDocument>(source.clone())) {}

PageLayout::PageLayout(std::unique_ptr<QTextDocument> document)
    : m_doc(std::move(document)), m_map(m_doc.get()) {
    m_doc->setDocumentMargin(0);
    QTextOption opt = m_doc->defaultTextOption();
    // The rich-edit control broke over-long words; Qt would let them run off the page.
    opt.setWrapMode(WrapModeFor(m_doc->toRawText()));
    m_doc->setDefaultTextOption(opt);
}

PageLayout::~PageLayout() = default;

using rtf::kBlockUnitsPerInch;

void PageLayout::setTargetDevice(QPaintDevice* device, int lineWidthTwips) {
    m_device = device;
    m_lineWidthTwips = lineWidthTwips;
    m_doc->documentLayout()->setPaintDevice(device);
    scaleBlockMargins(device ? device->logicalDpiX() / kBlockUnitsPerInch : 1.0);
    m_laidOutWidth = -1;
    m_lines.clear();
}

void PageLayout::scaleBlockMargins(double factor) {
    const double k = factor / m_marginScale;
    if (k == 1.0)
        return;
    // Only the horizontal ones: Qt's layout scales the space above and below a paragraph to
    // the device itself, and takes indents as device pixels.
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        f.setLeftMargin(f.leftMargin() * k);
        f.setRightMargin(f.rightMargin() * k);
        f.setTextIndent(f.textIndent() * k);
        QTextCursor(b).setBlockFormat(f);
    }
    m_marginScale = factor;
}

// A damaged paragraph (indents or spacing of many inches) would be laid out off the paper and
// its text lost in print: indents keep a quarter of the line and start within it, spacing
// above and below is at most half the line's width. Sound paragraphs are left as they are.
void PageLayout::boundBlockGeometry(double widthPx) {
    const double maxIndent = widthPx * 0.75;
    // Spacing stays in block units; Qt's layout scales it to the device.
    const double maxSpace = widthPx * 0.5 / dpiX() * kBlockUnitsPerInch;
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        const double left = std::clamp(f.leftMargin(), 0.0, maxIndent);
        const double first = std::clamp(left + f.textIndent(), 0.0, maxIndent) - left;
        const double right = std::clamp(f.rightMargin(), 0.0, maxIndent - std::max(left, left + first));
        const double top = std::clamp(f.topMargin(), 0.0, maxSpace);
        const double bottom = std::clamp(f.bottomMargin(), 0.0, maxSpace);
        if (left == f.leftMargin() && first == f.textIndent() && right == f.rightMargin() &&
            top == f.topMargin() && bottom == f.bottomMargin())
            continue;
        QTextBlockFormat bounded = f;
        bounded.setLeftMargin(left);
        bounded.setTextIndent(first);
        bounded.setRightMargin(right);
        bounded.setTopMargin(top);
        bounded.setBottomMargin(bottom);
        QTextCursor(b).setBlockFormat(bounded);
    }
}

double PageLayout::dpiX() const {
    return m_device ? m_device->logicalDpiX() : LogicalDpi();
}

double PageLayout::dpiY() const {
    return m_device ? m_device->logicalDpiY() : LogicalDpi();
}

int PageLayout::length() const {
    return m_map.length();
}

void PageLayout::ensureLayout(double widthPx) {
    // A width of 0 or less lays out without wrapping.
    if (m_lineWidthTwips > 0)
        widthPx = m_lineWidthTwips * dpiX() / kTwipsPerInch;
    if (widthPx <= 0)
        widthPx = -1;
    if (widthPx == m_laidOutWidth && !m_lines.empty())
        return;
    if (widthPx > 0)
        boundBlockGeometry(widthPx);
    m_doc->setTextWidth(widthPx);
    QAbstractTextDocumentLayout* layout = m_doc->documentLayout();
    m_lines.clear();
    double lastTop = 0;
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        const QRectF br = layout->blockBoundingRect(b); // lays the block out
        const QTextLayout* tl = b.layout();
        if (!tl || tl->lineCount() == 0)
            continue;
        const double y0 = tl->lineAt(0).y();
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            // Keep the lines in reading order even if a frame places a block higher up.
            const double top = std::max(lastTop, br.top() + line.y() - y0);
            m_lines.push_back({b.position() + line.textStart(), top, top + line.height()});
            lastTop = top;
        }
    }
    m_laidOutWidth = widthPx;
}

int PageLayout::lineIndexOf(int docPos) const {
    auto it = std::upper_bound(m_lines.begin(), m_lines.end(), docPos,
                               [](int pos, const Line& l) { return pos < l.docStart; });
    return it == m_lines.begin() ? 0 : int(it - m_lines.begin()) - 1;
}

int PageLayout::formatRange(int fromChar, const QRect& rectTwips, QPainter* painter) {
    const double sx = dpiX() / kTwipsPerInch, sy = dpiY() / kTwipsPerInch;
    const QRectF rectPx(rectTwips.left() * sx, rectTwips.top() * sy, rectTwips.width() * sx,
                        rectTwips.height() * sy);
    ensureLayout(rectPx.width());
    const int len = length();
    if (fromChar >= len || m_lines.empty())
        return len;
    const std::size_t first = std::size_t(lineIndexOf(m_map.toDoc(std::max(0, fromChar))));
    const double top = m_lines[first].top;
    std::size_t end = first + 1; // the first line always goes on the page
    while (end < m_lines.size() && m_lines[end].bottom - top <= rectPx.height())
        ++end;
    if (painter)
        render(*painter, rectPx, first, end);
    return end < m_lines.size() ? m_map.toBox(m_lines[end].docStart) : len;
}

void PageLayout::render(QPainter& painter, const QRectF& rectPx, std::size_t first, std::size_t end) const {
    const double top = m_lines[first].top;
    const double bottom = end < m_lines.size() ? m_lines[end].top : m_lines.back().bottom;
    const double height = std::min(bottom - top, rectPx.height());
    painter.save();
    painter.setClipRect(QRectF(rectPx.left(), rectPx.top(), rectPx.width(), height), Qt::IntersectClip);
    painter.translate(rectPx.left(), rectPx.top() - top);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = QRectF(0, top, rectPx.width(), height);
    ctx.palette.setColor(QPalette::Text, Qt::black);
    m_doc->documentLayout()->draw(&painter, ctx);
    painter.restore();
}

int PageLayout::lineCount() {
    if (m_lines.empty())
        ensureLayout(m_laidOutWidth);
    return std::max<int>(1, int(m_lines.size()));
}

int PageLayout::lineFromChar(int pos) {
    if (m_lines.empty())
        ensureLayout(m_laidOutWidth);
    return m_lines.empty() ? 0 : lineIndexOf(m_map.toDoc(pos));
}

int PageLayout::lineStart(int line) {
    if (m_lines.empty())
        ensureLayout(m_laidOutWidth);
    if (line < 0 || std::size_t(line) >= m_lines.size())
        return line < 0 ? 0 : length();
    return m_map.toBox(m_lines[std::size_t(line)].docStart);
}

int PageLayout::lineTopTwips(int line) {
    if (m_lines.empty())
        ensureLayout(m_laidOutWidth);
    if (m_lines.empty() || line <= 0)
        return 0;
    const double top = m_lines.front().top;
    const double y =
        std::size_t(line) >= m_lines.size() ? m_lines.back().bottom : m_lines[std::size_t(line)].top;
    return int(std::lround((y - top) * kTwipsPerInch / dpiY()));
}

} // namespace lumo::ui
