#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>

// Code pages of RTF text: \'xx bytes and literal bytes by the font's \fcharset or
// the document's \ansicpg, decoded through the platform's converters; Windows-1250
// for the writer.
namespace lumo::rtf {

// The code page Windows uses for symbol fonts (\fcharset2).
constexpr int kSymbolCodePage = 42;
// The Windows ANSI code page of the Czech and Slovak systems the documents come from.
constexpr int kDefaultCodePage = 1250;

// The code page of an \fcharset value; ansiCodePage for "default" and unknown charsets.
int CodePageOfCharset(int charset, int ansiCodePage);
// The code page to use for an \ansicpg value: itself when a converter for it exists,
// otherwise the default.
int SupportedCodePage(int codePage);
// True for the code pages whose characters take one or two bytes (932, 936, 949, 950, ...).
bool IsMultiByteCodePage(int codePage);
// One byte of a single-byte code page (or the symbol code page) as text; a multi-byte
// code page gives only its ASCII bytes this way.
QChar DecodeByte(int codePage, unsigned char byte);
// A run of bytes in any code page; an incomplete last character becomes U+FFFD.
QString DecodeBytes(int codePage, QByteArrayView bytes);
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
