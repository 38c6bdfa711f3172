#include "platform/rtf/RtfDocumentBuilder.h"

#include <QTextBlock>

namespace lumo::rtf {

RtfDocumentBuilder::RtfDocumentBuilder(QTextCursor& cursor)
    : m_cursor(cursor), m_hostFormat(cursor.blockFormat()) {
    m_hostTextBefore = !m_cursor.atBlockStart();
    m_hostTextAfter = !m_cursor.atBlockEnd();
    m_blockHasText = m_hostTextBefore;
    m_pending.reserve(256);
}

void RtfDocumentBuilder::setCharFormat(const QTextCharFormat& format) {
    flush();
    m_format = format;
}

void RtfDocumentBuilder::appendText(QStringView text) {
    if (text.isEmpty())
        return;
    m_pending.append(text);
    m_blockHasText = true;
}

void RtfDocumentBuilder::appendChar(QChar c) {
    m_pending.append(c);
    m_blockHasText = true;
}

void RtfDocumentBuilder::flush() {
    if (m_pending.isEmpty())
        return;
    m_cursor.insertText(m_pending, m_format);
    m_pending.resize(0);
}

void RtfDocumentBuilder::applyBlockFormat(QTextBlockFormat format, bool last) {
    // The block the cursor came in keeps its own format where host text shares it:
    // text before the cursor for the first fragment paragraph, after it for the last one.
    const bool keepHost = (m_inHostBlock && m_hostTextBefore) || (last && m_hostTextAfter);
    if (keepHost)
        format = m_inHostBlock && m_hostTextBefore ? m_cursor.blockFormat() : m_hostFormat;
    if (m_pageBreak)
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    m_cursor.setBlockFormat(format);
}

void RtfDocumentBuilder::endParagraph(const QTextBlockFormat& format) {
    flush();
    applyBlockFormat(format, false);
    // An empty paragraph is as high as its paragraph mark's character format.
    if (m_cursor.block().length() == 1)
        m_cursor.setBlockCharFormat(m_format);
    m_cursor.insertBlock(format, m_format);
    m_inHostBlock = false;
    m_blockHasText = false;
    m_pageBreak = false;
}

void RtfDocumentBuilder::pageBreak(const QTextBlockFormat& format) {
    if (m_blockHasText)
        endParagraph(format);
    m_pageBreak = true;
}

void RtfDocumentBuilder::finish(const QTextBlockFormat& format) {
    flush();
    applyBlockFormat(format, true);
    if (m_cursor.block().text().isEmpty())
        m_cursor.setBlockCharFormat(m_format);
}

} // namespace lumo::rtf
