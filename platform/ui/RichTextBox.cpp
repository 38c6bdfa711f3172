#include "platform/ui/RichTextBox.h"

#include "platform/ui/PageLayout.h"

#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/Units.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace lumo::ui {

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent), m_map(document()) {
    document()->setUndoRedoEnabled(false);
    // The wrap width is the text width, as in the rich-edit control; no inner margin.
    document()->setDocumentMargin(0);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setAcceptRichText(true);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) { m_map.contentsChange(position, removed, added); });
}

QString RichTextBox::TextRTF() const {
    return rtf::WriteRtf(*document());
}

rtf::ReadResult RichTextBox::setTextRTF(const QString& rtf) {
    // Decided before the text is laid out: the text-only pass costs little next to a layout.
    setWrapModeFor(rtf::ReadRtfText(rtf));
    const rtf::ReadResult result = rtf::ReadRtf(rtf, *document());
    m_map.invalidate();
    setSelStart(0);
    return result;
}

QString RichTextBox::SelRTF() const {
    const QTextCursor c = textCursor();
    return rtf::WriteRtf(*document(), c.selectionStart(), c.selectionEnd());
}

rtf::ReadResult RichTextBox::setSelRTF(const QString& rtf) {
    QTextCursor c = textCursor();
    const rtf::ReadResult result = rtf::InsertRtf(c, rtf);
    c.clearSelection();
    setTextCursor(c);
    return result;
}

QString RichTextBox::Text() const {
    return m_map.text();
}

void RichTextBox::setText(const QString& text) {
    setWrapModeFor(text);
    setPlainText(lumo::text::toLf(text));
    setSelStart(0);
}

int RichTextBox::TextLength() const {
    return m_map.length();
}

QString RichTextBox::SelText() const {
    const int start = SelStart();
    return Text().mid(start, SelLength());
}

void RichTextBox::setSelText(const QString& text) {
    QTextCursor c = textCursor();
    const QTextCharFormat format = c.hasSelection() ? insertionFormat() : c.charFormat();
    c.insertText(lumo::text::toLf(text), format);
    setTextCursor(c);
}

int RichTextBox::SelStart() const {
    return m_map.toBox(textCursor().selectionStart());
}

int RichTextBox::SelLength() const {
    const QTextCursor c = textCursor();
    return m_map.toBox(c.selectionEnd()) - m_map.toBox(c.selectionStart());
}

void RichTextBox::setSelStart(int start) {
    QTextCursor c = textCursor();
    c.setPosition(m_map.toDoc(start));
    setTextCursor(c);
}

void RichTextBox::setSelLength(int length) {
    select(SelStart(), length);
}

void RichTextBox::select(int start, int length) {
    start = std::clamp(start, 0, TextLength());
    length = std::clamp(length, 0, TextLength() - start);
    QTextCursor c = textCursor();
    c.setPosition(m_map.toDoc(start));
    if (length > 0)
        c.setPosition(m_map.toDoc(start + length), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QTextCharFormat RichTextBox::insertionFormat() const {
    // Typing over a selection continues in the format of its first character.
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return c.charFormat();
    QTextCursor first(document());
    first.setPosition(c.selectionStart());
    if (first.position() < document()->characterCount() - 1)
        first.movePosition(QTextCursor::NextCharacter);
    return first.charFormat();
}

QTextCharFormat RichTextBox::charFormatAt(int pos) const {
    QTextCursor c(document());
    const int d = m_map.toDoc(pos);
    const QTextBlock block = document()->findBlock(d);
    const bool inText = d < block.position() + block.length() - 1;
    // A cursor reports the format of the character before it.
    c.setPosition(inText ? d + 1 : d);
    return c.charFormat();
}

int RichTextBox::Find(const QString& what, int start, int end, int options) {
    const QString& text = Text();
    if (what.isEmpty())
        return -1;
    start = std::max(0, start);
    const int limit = end < 0 ? int(text.size()) : std::min(end, int(text.size()));
    const Qt::CaseSensitivity cs = (options & FindMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    auto isWordChar = [&](int i) { return i >= 0 && i < text.size() && text.at(i).isLetterOrNumber(); };
    for (int at = int(text.indexOf(what, start, cs)); at >= 0 && at + what.size() <= limit;
         at = int(text.indexOf(what, at + 1, cs))) {
        if ((options & FindWholeWord) && (isWordChar(at - 1) || isWordChar(at + int(what.size()))))
            continue;
        if (!(options & FindNoHighlight))
            select(at, int(what.size()));
        return at;
    }
    return -1;
}

void RichTextBox::setLocked(bool locked) {
    setReadOnly(locked);
    // A locked rich-edit box still lets the user select and copy.
    if (locked)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

long RichTextBox::BackColor() const {
    return ColorToOle(palette().color(QPalette::Base));
}

void RichTextBox::setBackColor(long oleColor) {
    QPalette p = palette();
    p.setColor(QPalette::Base, OleToColor(oleColor));
    setPalette(p);
}

long RichTextBox::ForeColor() const {
    return ColorToOle(palette().color(QPalette::Text));
}

void RichTextBox::setForeColor(long oleColor) {
    QPalette p = palette();
    p.setColor(QPalette::Text, OleToColor(oleColor));
    setPalette(p);
}

void RichTextBox::setRightMargin(int twips) {
    m_rightMargin = std::max(0, twips);
    applyWrap();
}

void RichTextBox::setTargetDevice(int lineWidthTwips) {
    m_targetWidth = std::max(0, lineWidthTwips);
    applyWrap();
}

void RichTextBox::setWrapModeFor(QStringView text) {
    const QTextOption::WrapMode mode = WrapModeFor(text);
    if (mode == wordWrapMode())
        return;
    // The old text goes first, so that it is not laid out again in the new mode.
    document()->clear();
    setWordWrapMode(mode);
}

void RichTextBox::applyWrap() {
    const int twips = m_targetWidth > 0 ? m_targetWidth : m_rightMargin;
    if (twips > 0) {
        setLineWrapMode(QTextEdit::FixedPixelWidth);
        setLineWrapColumnOrWidth(std::max(1, TwipsToPixels(twips)));
    } else {
        setLineWrapMode(QTextEdit::WidgetWidth);
    }
}

void RichTextBox::scrollToCaret() {
    ensureCursorVisible();
}

} // namespace lumo::ui
