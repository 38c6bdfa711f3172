#pragma once

#include <QByteArray>
#include <QString>

// Text at the file boundary: Windows-1250 bytes with CR LF line ends outside,
// QString inside. Every text file the programs read or write goes through here.
namespace lumo::text {

// Windows-1250 bytes to text; all 256 byte values round-trip.
QString decodeAnsi(const QByteArray& bytes);
// Text to Windows-1250; characters outside the code page become '?'.
QByteArray encodeAnsi(const QString& text);
// True when every character of text has a Windows-1250 byte.
bool isAnsiRepresentable(const QString& text);

// Trailing blanks (U+0020) removed, as RTrim does; tabs, line breaks and non-breaking
// spaces stay.
QString rightTrimBlanks(const QString& text);

// Line ends: any of CR LF, lone LF or lone CR to CR LF.
QString toCrLf(const QString& text);
// Line ends: CR LF and lone CR to LF (for Qt widgets).
QString toLf(const QString& text);

// Reads a whole Windows-1250 text file. Returns false (and leaves text empty) when it cannot be read.
bool readAnsiFile(const QString& path, QString& text, QString* error = nullptr);
// Writes the bytes atomically (temporary file and rename); where the folder takes no
// temporary file or the rename fails, rewrites the file in place instead.
bool writeFileBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// Writes text as Windows-1250 with CR LF line ends, as writeFileBytes does.
bool writeAnsiFile(const QString& path, const QString& text, QString* error = nullptr);

// Tests: while one lives, the temporary file of every atomic write fails, as in a folder
// where only the existing files are writable (which root's tests cannot make).
class ScopedTemporaryFileFailure {
public:
    ScopedTemporaryFileFailure();
    ~ScopedTemporaryFileFailure();
    ScopedTemporaryFileFailure(const ScopedTemporaryFileFailure&) = delete;
    ScopedTemporaryFileFailure& operator=(const ScopedTemporaryFileFailure&) = delete;
};
// Appends text as Windows-1250 with CR LF line ends, creating the file when missing.
bool appendAnsiFile(const QString& path, const QString& text, QString* error = nullptr);

} // namespace lumo::text
