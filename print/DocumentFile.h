#pragma once

#include <QByteArray>
#include <QString>

namespace lumo::ui {
class RichTextBox;
}

namespace lumo::print {

// Plain text as saved: CR LF line ends, Windows-1250 when every character has a byte there,
// else UTF-8 with a byte-order mark (so Russian names are never turned into "?").
QByteArray PlainTextBytes(const QString& text);

// Writes the box's document to path (rich text, or plain text); raises on failure. Never
// writes over the herb database.
void WriteDocumentFile(const ui::RichTextBox& box, const QString& path, bool plainText);

// WriteDocumentFile, with a failure reported (605) instead of raised; false then.
bool SaveDocument(const ui::RichTextBox& box, const QString& path, bool plainText);

} // namespace lumo::print
