#include "platform/rtf/RtfParser.h"

#include "platform/rtf/Charsets.h"

// The parser's text: bytes in the document's code pages, literal text, and characters
// handed to the document builder.
namespace lumo::rtf {

namespace {

// Characters that QTextCursor::insertText would turn into structure, and control codes.
bool needsCare(char16_t u) {
    return u == 0x2029 || IsControlCharacter(u);
}

} // namespace

void RtfParser::onUnicode(int value) {
    if (value < 0)
        value += 65536;
    QChar c = value >= 0 && value <= 0xFFFF ? QChar(char16_t(value)) : QChar::ReplacementCharacter;
    if (codePage() == kSymbolCodePage && value >= 0xF020 && value <= 0xF0FF)
        c = SymbolToUnicode(c);
    const Destination dest = state().dest;
    if (dest == Destination::FontTable)
        m_nameBuffer.append(c);
    else if (dest == Destination::FontAltName)
        m_altBuffer.append(c);
    else
        emitRaw(c);
    m_skipFallback = state().uc;
}

void RtfParser::onText(QStringView text) {
    m_starPending = false;
    if (m_overflowSkip > 0)
        return;
    switch (state().dest) {
    case Destination::Text:
        if (literalBytesRecoded())
            emitLiteralBytes(text);
        else
            emitText(text);
        break;
    case Destination::FontTable: {
        for (QChar c : text) {
            if (c == u';')
                commitFontName();
            else
                m_nameBuffer.append(c);
        }
        break;
    }
    case Destination::FontAltName:
        m_altBuffer.append(text);
        break;
    case Destination::ColorTable:
        for (QChar c : text) {
            if (c != u';')
                continue;
            m_colors.append(m_red < 0 && m_green < 0 && m_blue < 0
                                ? QColor()
                                : QColor(qMax(0, m_red), qMax(0, m_green), qMax(0, m_blue)));
            m_red = m_green = m_blue = -1;
        }
        break;
    case Destination::Skip:
        break;
    }
}

void RtfParser::onHexByte(int byte) {
    m_starPending = false;
    const Destination dest = state().dest;
    if (m_overflowSkip > 0)
        return;
    if (dest == Destination::FontTable || dest == Destination::FontAltName) {
        queueByte(m_fonts.contains(m_fontNumber) ? codePageOfFont(m_fontNumber) : m_ansiCodePage, byte);
        return;
    }
    if (dest != Destination::Text || skipFallback())
        return;
    queueByte(codePage(), byte);
}

// One fallback character after \uN (a character, an escape or a control word) is skipped.
bool RtfParser::skipFallback() {
    if (m_skipFallback <= 0)
        return false;
    --m_skipFallback;
    return true;
}

// Bytes are decoded a run at a time: a character of a double-byte code page may be
// split over two \'xx escapes or two literal bytes.
void RtfParser::queueByte(int codePage, int byte) {
    if (!IsMultiByteCodePage(codePage)) {
        flushBytes();
        routeDecoded(DecodeByte(codePage, uchar(byte)));
        return;
    }
    if (!m_pendingBytes.isEmpty() && m_pendingCodePage != codePage)
        flushBytes();
    m_pendingCodePage = codePage;
    m_pendingBytes.append(char(byte));
}

void RtfParser::flushBytes() {
    if (m_pendingBytes.isEmpty())
        return;
    const QString text = DecodeBytes(m_pendingCodePage, m_pendingBytes);
    m_pendingBytes.clear();
    for (QChar c : text)
        routeDecoded(c);
}

void RtfParser::routeDecoded(QChar c) {
    switch (state().dest) {
    case Destination::FontTable:
        m_nameBuffer.append(c);
        break;
    case Destination::FontAltName:
        m_altBuffer.append(c);
        break;
    case Destination::Text:
        emitRaw(c);
        break;
    default:
        break;
    }
}

// The text a caller hands over holds the document's literal bytes decoded as Windows-1250;
// where the document declares another code page they are decoded again in that one.
bool RtfParser::literalBytesRecoded() const {
    const int cp = codePage();
    return cp != kDefaultCodePage && cp != kSymbolCodePage;
}

void RtfParser::emitLiteralBytes(QStringView text) {
    const int cp = codePage();
    if (!IsMultiByteCodePage(cp)) {
        QString recoded = text.toString();
        for (QChar& c : recoded) {
            const int byte = c.unicode() >= 0x80 ? EncodeCp1250(c) : -1;
            if (byte >= 0)
                c = DecodeByte(cp, uchar(byte));
        }
        emitText(recoded);
        return;
    }
    for (QChar c : text) {
        const int byte = c.unicode() < 0x80 ? int(c.unicode()) : EncodeCp1250(c);
        if (skipFallback())
            continue;
        if (byte < 0) {
            flushBytes();
            emitText(QStringView(&c, 1));
        } else {
            queueByte(cp, byte);
        }
    }
}

void RtfParser::emitText(QStringView text) {
    if (m_skipFallback > 0) {
        const qsizetype n = qMin(qsizetype(m_skipFallback), text.size());
        m_skipFallback -= int(n);
        text = text.mid(n);
    }
    if (text.isEmpty())
        return;
    syncFormat();
    if (m_cellPending) {
        m_cellPending = false;
        m_builder.appendChar(QChar(u'\t'));
    }
    // Symbol fonts show Greek and signs at ASCII codes; the document holds the real characters.
    const bool symbol = codePage() == kSymbolCodePage;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const bool mapSymbol = symbol && (u < 0x80 || (u >= 0xF020 && u <= 0xF0FF));
        if (!mapSymbol && (!needsCare(u) || u == '\t'))
            continue;
        m_builder.appendText(text.mid(start, i - start));
        start = i + 1;
        if (mapSymbol)
            emitRaw(SymbolToUnicode(text[i]));
        else
            emitRaw(text[i]);
    }
    m_builder.appendText(text.mid(start));
}

void RtfParser::emitRaw(QChar c) {
    char16_t u = c.unicode();
    if (needsCare(u) && u != '\t') {
        if (u != 0x2029 && u != 0x2028)
            return;
        u = 0x2028; // a paragraph separator inside text stays a line break
    }
    syncFormat();
    if (m_cellPending) {
        m_cellPending = false;
        m_builder.appendChar(QChar(u'\t'));
    }
    m_builder.appendChar(QChar(u));
}

int RtfParser::codePageOfFont(int font) const {
    const auto it = m_fonts.constFind(font >= 0 ? font : m_defaultFont);
    if (it == m_fonts.constEnd())
        return m_ansiCodePage;
    if (it->codePage > 0 && it->charset != 2)
        return SupportedCodePage(it->codePage);
    if (it->charset < 0)
        return m_ansiCodePage;
    return CodePageOfCharset(it->charset, m_ansiCodePage);
}

// Every hex byte asks for it: the answer is kept until the font or the tables change.
int RtfParser::codePage() const {
    const int font = m_stack.back().chr.font;
    if (m_codePageFont != font || m_codePageTables != m_tables) {
        m_codePageFont = font;
        m_codePageTables = m_tables;
        m_codePage = codePageOfFont(font);
    }
    return m_codePage;
}

} // namespace lumo::rtf
