#include "platform/rtf/RtfReader.h"

#include "platform/rtf/Charsets.h"
#include "platform/rtf/RtfDocumentBuilder.h"
#include "platform/rtf/RtfParser.h"
#include "platform/rtf/RtfTextSink.h"

#include <QTextCursor>
#include <QTextDocument>

namespace lumo::rtf {

namespace {

bool isRtf(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text.at(i).isSpace() || text.at(i).isNull()))
        ++i;
    return QStringView(text).mid(i).startsWith(QLatin1StringView("{\\rtf"));
}

// The rich-edit box shows text that is not RTF as it is, line by line: LF ends a line.
QString plainLines(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == '\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            plain += u'\n';
        } else if (u == 0x2029) {
            plain += u'\n';
        } else if (u == '\t' || u == '\n' || !IsControlCharacter(u)) {
            plain += QChar(u);
        }
    }
    return plain;
}

ReadResult insertPlain(QTextCursor& cursor, const QString& text) {
    cursor.insertText(plainLines(text));
    ReadResult result;
    result.plainText = true;
    return result;
}

ReadResult insertAt(QTextCursor& cursor, const QString& rtf) {
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    if (!isRtf(rtf))
        return insertPlain(cursor, rtf);
    RtfDocumentBuilder builder(cursor);
    RtfParser parser(rtf, builder);
    ReadResult result;
    result.ok = parser.parse();
    result.error = parser.error();
    return result;
}

} // namespace

ReadResult ReadRtf(const QString& rtf, QTextDocument& doc) {
    // Loading is not an edit the user could undo, and the undo stack would only cost time.
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    QTextCursor cursor(&doc);
    // Inside an edit block the cursor does not lay the text out after every insertion.
    cursor.beginEditBlock();
    const ReadResult result = insertAt(cursor, rtf);
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(undo);
    return result;
}

ReadResult InsertRtf(QTextCursor& cursor, const QString& rtf) {
    cursor.beginEditBlock();
    const ReadResult result = insertAt(cursor, rtf);
    cursor.endEditBlock();
    return result;
}

QString ReadRtfText(const QString& rtf) {
    if (!isRtf(rtf)) {
        QString text = plainLines(rtf);
        text.replace(u'\n', QStringLiteral("\r\n"));
        text.replace(QChar(QChar::LineSeparator), QStringLiteral("\r\n"));
        return text;
    }
    RtfTextSink sink;
    RtfParser parser(rtf, sink);
    parser.parse();
    return sink.text();
}

} // namespace lumo::rtf
