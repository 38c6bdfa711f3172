#pragma once

#include <QString>

class QTextCursor;
class QTextDocument;

// RTF into a QTextDocument.
//
// The rtf argument is a QString whose characters are the document's characters: 7-bit RTF
// plus any literal characters already decoded from Windows-1250 (as the record builders
// write "Máta"). Text that does not start with "{\rtf" is taken as plain text, as the
// Windows rich-edit box does.
namespace lumo::rtf {

struct ReadResult {
    // False when the input was malformed (unbalanced braces, nesting too deep, truncated
    // escapes); everything readable has been read all the same.
    bool ok = true;
    QString error;
    // True when the input was not RTF and went in as plain text.
    bool plainText = false;
};

// Replaces the document's content with the RTF.
ReadResult ReadRtf(const QString& rtf, QTextDocument& doc);

// Inserts the RTF at the cursor (replacing its selection), as one undo step.
// The block the cursor sits in keeps its paragraph format when it has text of its own on
// the side a fragment paragraph joins; otherwise it takes the fragment paragraph's format.
// The cursor ends after the inserted text.
ReadResult InsertRtf(QTextCursor& cursor, const QString& rtf);

// The text-only pass: exactly the Text a rich-text box shows after loading the RTF (CR LF
// between paragraphs and for line breaks), without building a document. Malformed input
// gives what is readable, as ReadRtf does.
QString ReadRtfText(const QString& rtf);

} // namespace lumo::rtf
