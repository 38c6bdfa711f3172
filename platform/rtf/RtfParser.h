#pragma once

#include "platform/rtf/RtfKeywords.h"
#include "platform/rtf/RtfSink.h"
#include "platform/rtf/RtfState.h"
#include "platform/rtf/RtfTokenizer.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextCharFormat>

#include <vector>

// The RTF reader proper: groups, destinations, tables and formatting state; the text goes
// to a sink (a document builder or the text-only sink).
namespace lumo::rtf {

class RtfParser {
public:
    RtfParser(QStringView rtf, RtfSink& builder);

    // Reads everything; false when the input was malformed (see error()).
    bool parse();
    QString error() const { return m_error; }

private:
    void onGroupOpen();
    void onGroupClose();
    void onControlWord(const RtfToken& t);
    void onControlSymbol(const RtfToken& t);
    void onHexByte(int byte);
    void onText(QStringView text);
    bool onFormatWord(int kind, const RtfToken& t);
    bool onParagraphWord(int kind, const RtfToken& t);
    bool onDocumentWord(int kind, const RtfToken& t);
    void onTableWord(int kind, const RtfToken& t);
    void onFontTableWord(int kind, const RtfToken& t);
    void onColorTableWord(int kind, const RtfToken& t);
    void beginDestination(int kind);
    void emitRaw(QChar c);
    void emitText(QStringView text);
    void syncFormat();
    void onUnicode(int value);
    bool outsideDocument(const RtfToken& t);
    bool keepDeepWord(const KeywordInfo* info, bool starred);
    void queueByte(int codePage, int byte);
    void flushBytes();
    void routeDecoded(QChar c);
    bool literalBytesRecoded() const;
    void emitLiteralBytes(QStringView text);
    bool skipFallback();

    void commitFontName();
    void commitAltName();
    int codePage() const;
    int codePageOfFont(int font) const;
    const QTextCharFormat& charFormat();
    QTextBlockFormat blockFormat(const ParState& par) const;
    // The current paragraph's format, or an empty one for a sink that ignores formats.
    QTextBlockFormat parFormat(const ParState& par) const;
    void fail(const QString& message);

    GroupState& state() { return m_stack.back(); }

    RtfTokenizer m_tokens;
    RtfSink& m_builder;
    const bool m_formats; // the sink wants formats
    std::vector<GroupState> m_stack;
    GroupState m_rootAfterEnd;
    bool m_ended = false;
    int m_overflow = 0;        // groups opened beyond the depth limit
    int m_overflowSkip = 0;    // the deep group whose destination is skipped (1 = first past the limit)
    bool m_groupStart = false; // the last token opened a group
    bool m_afterOpen = false;  // the current token directly follows a group's opening brace
    QByteArray m_pendingBytes; // bytes of a multi-byte code page not yet decoded
    int m_pendingCodePage = 0;
    int m_skipFallback = 0; // fallback characters still to skip after \uN

    int m_ansiCodePage;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_tables = 0; // counts changes of the font table, \ansicpg and \deff
    mutable int m_codePageFont = -2;
    mutable int m_codePageTables = -1;
    mutable int m_codePage = 0;
    int m_fontNumber = -1; // the font-table entry being read
    QString m_nameBuffer;
    QString m_altBuffer;
    bool m_starPending = false;
    bool m_cellPending = false;
    QList<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    CharState m_formatState;
    QTextCharFormat m_format;
    bool m_formatValid = false;
    CharState m_builderState;
    bool m_builderHasFormat = false;

    QString m_error;
};

} // namespace lumo::rtf
