#pragma once

#include <QString>

class QTextDocument;

// QTextDocument to standard RTF 1.x.
//
// The result is 7-bit text: Windows-1250 characters as \'xx, all others as \uN?, so it can
// be saved byte for byte. Reading it back with ReadRtf gives the same text and formats.
namespace lumo::rtf {

// The whole document.
QString WriteRtf(const QTextDocument& doc);
// The characters from position from up to (not including) position to; a block separator
// inside the range becomes \par.
QString WriteRtf(const QTextDocument& doc, int from, int to);

} // namespace lumo::rtf
