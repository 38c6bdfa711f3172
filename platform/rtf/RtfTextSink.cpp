#include "platform/rtf/RtfTextSink.h"

namespace lumo::rtf {

RtfTextSink::RtfTextSink() {
    m_text.reserve(1024);
}

void RtfTextSink::appendText(QStringView text) {
    if (text.isEmpty())
        return;
    m_text.append(text);
    m_blockHasText = true;
}

void RtfTextSink::appendChar(QChar c) {
    if (c == QChar::LineSeparator)
        m_text.append(u"\r\n");
    else
        m_text.append(c);
    m_blockHasText = true;
}

void RtfTextSink::endParagraph(const QTextBlockFormat&) {
    m_text.append(u"\r\n");
    m_blockHasText = false;
}

void RtfTextSink::pageBreak(const QTextBlockFormat& format) {
    // As in the document: an empty paragraph before a page break is not ended.
    if (m_blockHasText)
        endParagraph(format);
}

} // namespace lumo::rtf
