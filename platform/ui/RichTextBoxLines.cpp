#include "platform/ui/RichTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

// Display-line queries of RichTextBox over the current wrapping.
namespace lumo::ui {

std::vector<RichTextBox::DisplayLine> RichTextBox::displayLines() const {
    QTextDocument* doc = document();
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    std::vector<DisplayLine> lines;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const QRectF br = layout->blockBoundingRect(b); // lays the block out
        const QTextLayout* tl = b.layout();
        const QString text = b.text();
        if (!tl || tl->lineCount() == 0) {
            lines.push_back({b.position(), int(text.size()), br.bottom()});
            continue;
        }
        const double y0 = tl->lineAt(0).y();
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            int len = line.textLength();
            const int end = line.textStart() + len;
            if (len > 0 && end <= text.size() && text.at(end - 1) == QChar::LineSeparator)
                --len;
            len = std::clamp(len, 0, int(text.size()) - line.textStart());
            lines.push_back({b.position() + line.textStart(), len, br.top() + line.y() - y0 + line.height()});
        }
    }
    return lines;
}

namespace {

template <class Lines> int lineOf(const Lines& lines, int docPos) {
    auto it = std::upper_bound(lines.begin(), lines.end(), docPos,
                               [](int pos, const auto& l) { return pos < l.docStart; });
    return it == lines.begin() ? 0 : int(it - lines.begin()) - 1;
}

} // namespace

int RichTextBox::lineCount() const {
    return std::max(1, int(displayLines().size()));
}

int RichTextBox::lineFromChar(int pos) const {
    const int d = pos < 0 ? textCursor().selectionStart() : m_map.toDoc(pos);
    return lineOf(displayLines(), d);
}

int RichTextBox::lineIndex(int line) const {
    const auto lines = displayLines();
    if (line < 0)
        line = lineOf(lines, textCursor().selectionStart());
    if (line >= int(lines.size()))
        return -1;
    return m_map.toBox(lines[std::size_t(line)].docStart);
}

int RichTextBox::lineLength(int pos) const {
    const auto lines = displayLines();
    if (lines.empty())
        return 0;
    const int d = pos < 0 ? textCursor().selectionStart() : m_map.toDoc(pos);
    return lines[std::size_t(lineOf(lines, d))].docLength;
}

QString RichTextBox::lineText(int line) const {
    const auto lines = displayLines();
    if (line < 0 || line >= int(lines.size()))
        return QString();
    const DisplayLine& l = lines[std::size_t(line)];
    const QTextBlock b = document()->findBlock(l.docStart);
    return b.text().mid(l.docStart - b.position(), l.docLength);
}

int RichTextBox::firstVisibleLine() const {
    const auto lines = displayLines();
    const double top = verticalScrollBar()->value();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].bottom > top)
            return int(i);
    }
    return std::max(0, int(lines.size()) - 1);
}

int RichTextBox::charFromPos(const QPoint& point) const {
    // Qt gives the boundary nearest the point; the rich-edit box gives the character whose
    // cell holds it, which is the one before a boundary that lies right of the point.
    const QTextCursor at = cursorForPosition(point);
    int d = at.position();
    if (d > at.block().position()) {
        QTextCursor before(document());
        before.setPosition(d - 1);
        const QRect left = cursorRect(before), right = cursorRect(at);
        if (left.top() == right.top() && right.left() > point.x())
            --d;
    }
    return m_map.toBox(d);
}

} // namespace lumo::ui
