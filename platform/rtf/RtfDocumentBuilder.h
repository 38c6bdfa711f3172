#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

// Puts the reader's text and paragraphs into a document at a cursor, and decides which
// paragraph formats the blocks around the cursor keep.
namespace lumo::rtf {

class RtfDocumentBuilder {
public:
    explicit RtfDocumentBuilder(QTextCursor& cursor);

    // The format of the text appended from now on.
    void setCharFormat(const QTextCharFormat& format);
    void appendText(QStringView text);
    void appendChar(QChar c);
    // Ends the current paragraph with the given paragraph format.
    void endParagraph(const QTextBlockFormat& format);
    // Starts a new page: the current paragraph ends unless it is still empty, and the next
    // text begins on a new page.
    void pageBreak(const QTextBlockFormat& format);
    // Ends the last paragraph (not terminated by \par) with the given format.
    void finish(const QTextBlockFormat& format);

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
