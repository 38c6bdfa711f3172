#include "platform/rtf/RtfTokenizer.h"

#include <limits>

namespace lumo::rtf {

namespace {

// Longer control words do not exist; the rest of the letters still belongs to the word.
constexpr qsizetype kMaxWordLetters = 32;

bool isAsciiLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

bool isDigit(QChar c) {
    const char16_t u = c.unicode();
    return u >= '0' && u <= '9';
}

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool endsText(QChar c) {
    const char16_t u = c.unicode();
    return u == '\\' || u == '{' || u == '}' || u == '\r' || u == '\n' || u == 0;
}

} // namespace

RtfToken RtfTokenizer::next() {
    RtfToken t;
    // CR, LF and NUL between tokens carry no meaning in RTF.
    while (m_pos < m_in.size()) {
        const char16_t u = m_in[m_pos].unicode();
        if (u != '\r' && u != '\n' && u != 0)
            break;
        ++m_pos;
    }
    if (m_pos >= m_in.size())
        return t;
    const QChar c = m_in[m_pos];
    if (c == u'{') {
        ++m_pos;
        t.type = RtfToken::GroupOpen;
        return t;
    }
    if (c == u'}') {
        ++m_pos;
        t.type = RtfToken::GroupClose;
        return t;
    }
    if (c == u'\\')
        return readBackslash();
    return readText();
}

RtfToken RtfTokenizer::readText() {
    RtfToken t;
    t.type = RtfToken::Text;
    const qsizetype start = m_pos;
    while (m_pos < m_in.size() && !endsText(m_in[m_pos]))
        ++m_pos;
    t.word = m_in.mid(start, m_pos - start);
    return t;
}

RtfToken RtfTokenizer::readBackslash() {
    RtfToken t;
    ++m_pos; // the backslash
    if (m_pos >= m_in.size()) {
        t.type = RtfToken::ControlSymbol;
        t.symbol = QChar(u'\\');
        t.malformed = true;
        return t;
    }
    const QChar c = m_in[m_pos];
    if (!isAsciiLetter(c)) {
        ++m_pos;
        if (c == u'\'') {
            const int hi = m_pos < m_in.size() ? hexValue(m_in[m_pos]) : -1;
            const int lo = m_pos + 1 < m_in.size() ? hexValue(m_in[m_pos + 1]) : -1;
            if (hi < 0 || lo < 0) {
                // A truncated escape: drop it and let the following characters be read as text.
                t.type = RtfToken::ControlSymbol;
                t.symbol = QChar(u'\'');
                t.malformed = true;
                return t;
            }
            m_pos += 2;
            t.type = RtfToken::HexByte;
            t.param = hi * 16 + lo;
            return t;
        }
        t.type = RtfToken::ControlSymbol;
        t.symbol = c;
        return t;
    }
    t.type = RtfToken::ControlWord;
    const qsizetype start = m_pos;
    while (m_pos < m_in.size() && isAsciiLetter(m_in[m_pos]))
        ++m_pos;
    t.word = m_in.mid(start, qMin(m_pos - start, kMaxWordLetters));
    bool negative = false;
    if (m_pos + 1 < m_in.size() && m_in[m_pos] == u'-' && isDigit(m_in[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
        t.hasParam = true;
        qint64 value = 0;
        constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) + 1;
        while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            value = qMin(kLimit, value * 10 + (m_in[m_pos].unicode() - '0'));
            ++m_pos;
        }
        if (negative)
            value = -value;
        t.param = int(
            qBound(qint64(std::numeric_limits<int>::min()), value, qint64(std::numeric_limits<int>::max())));
    }
    if (m_pos < m_in.size() && m_in[m_pos] == u' ')
        ++m_pos; // the delimiter belongs to the word
    return t;
}

qsizetype RtfTokenizer::skipRaw(qsizetype count) {
    const qsizetype n = qBound(qsizetype(0), count, m_in.size() - m_pos);
    m_pos += n;
    return n;
}

} // namespace lumo::rtf
