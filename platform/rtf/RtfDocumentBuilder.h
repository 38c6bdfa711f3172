#pragma once

#include "platform/rtf/RtfSink.h"

#include <QString>
#include <QTextCursor>

// Puts the reader's text and paragraphs into a document at a cursor, and decides which
// paragraph formats the blocks around the cursor keep.
namespace lumo::rtf {

class RtfDocumentBuilder : public RtfSink {
public:
    explicit RtfDocumentBuilder(QTextCursor& cursor);

    void setCharFormat(const QTextCharFormat& format) override;
    void appendText(QStringView text) override;
    void appendChar(QChar c) override;
    void endParagraph(const QTextBlockFormat& format) override;
    // The next text begins on a new page.
    void pageBreak(const QTextBlockFormat& format) override;
    void finish(const QTextBlockFormat& format) override;

private:
    void flush();
    void applyBlockFormat(QTextBlockFormat format, bool last);

    QTextCursor& m_cursor;
    QTextCharFormat m_format;
    QString m_pending;
    QTextBlockFormat m_hostFormat;
    bool m_hostTextBefore = false;
    bool m_hostTextAfter = false;
    bool m_inHostBlock = true;
    bool m_blockHasText = false;
    bool m_pageBreak = false;
};

} // namespace lumo::rtf
