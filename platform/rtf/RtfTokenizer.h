#pragma once

#include <QStringView>

// Splits RTF text into groups, control words, control symbols, \'xx bytes and text runs.
// Every call consumes at least one character, so no input can make it loop.
namespace lumo::rtf {

struct RtfToken {
    enum Type { End, GroupOpen, GroupClose, ControlWord, ControlSymbol, HexByte, Text };
    Type type = End;
    QStringView word;       // ControlWord: the letters; Text: the run (no CR, LF or NUL)
    bool hasParam = false;  // ControlWord: a numeric parameter followed
    int param = 0;          // ControlWord: the parameter, saturated to the int range;
                            // HexByte: the byte
    QChar symbol;           // ControlSymbol: the character after the backslash
    bool malformed = false; // a truncated \'x or a backslash at the end of the input
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(QStringView input) : m_in(input) {}

    RtfToken next();
    // Skips up to count characters of raw data (\binN); returns how many were skipped.
    qsizetype skipRaw(qsizetype count);
    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_in.size(); }

private:
    RtfToken readBackslash();
    RtfToken readText();

    QStringView m_in;
    qsizetype m_pos = 0;
};

} // namespace lumo::rtf
