#pragma once

#include <QChar>

// Single-byte code pages of RTF text: \'xx bytes by the font's \fcharset or the
// document's \ansicpg, and Windows-1250 for the writer.
namespace lumo::rtf {

// The code page Windows uses for symbol fonts (\fcharset2).
constexpr int kSymbolCodePage = 42;
// The Windows ANSI code page of the Czech and Slovak systems the documents come from.
constexpr int kDefaultCodePage = 1250;

// The code page of an \fcharset value; ansiCodePage for "default" and unknown charsets.
int CodePageOfCharset(int charset, int ansiCodePage);
// The code page to use for an \ansicpg value (unsupported ones fall back to the default).
int SupportedCodePage(int codePage);
// One byte of a single-byte code page (1250 to 1258, or the symbol code page) as text.
QChar DecodeByte(int codePage, unsigned char byte);
// A symbol-font character, as an ASCII byte or in the private-use form U+F0xx, as the
// Unicode character it shows; other characters come back unchanged.
QChar SymbolToUnicode(QChar c);
// The Windows-1250 byte of a character, or -1 when it has none.
int EncodeCp1250(QChar c);

// Characters a document does not hold as text: control codes (tabs and line ends are
// handled before this) and the marks Qt uses for objects and frames.
inline bool IsControlCharacter(char16_t u) {
    return u < 0x20 || u == 0x7F || u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFC;
}

} // namespace lumo::rtf
