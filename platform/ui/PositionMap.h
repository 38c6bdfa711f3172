#pragma once

#include <QString>

#include <vector>

class QTextDocument;

namespace lumo::ui {

// The rich-edit position model over a QTextDocument. The box's Text joins paragraphs with
// CR LF and writes a line break inside a paragraph as CR LF too, so each of these separators
// takes two box positions where the document has one. Box positions found in Text thus land
// on the same characters when used as SelStart.
//
// A box position on the LF half of a separator maps to the start of the next line (the caret
// cannot stand between CR and LF); the CR half maps to the separator itself.
class PositionMap {
public:
    explicit PositionMap(const QTextDocument* doc) : m_doc(doc) {}

    // Marks the map stale; the next query rebuilds it.
    void invalidate() { m_valid = false; }
    // Follows QTextDocument::contentsChange: a change that only restyles keeps the map.
    void contentsChange(int position, int charsRemoved, int charsAdded);

    // The whole text, CR LF between paragraphs.
    const QString& text() const;
    // Length of text().
    int length() const;
    // Document position to box position.
    int toBox(int docPos) const;
    // Box position to document position, clamped to the document.
    int toDoc(int boxPos) const;
    // Last valid document position (the end of the text).
    int docEnd() const;

private:
    void rebuild() const;

    const QTextDocument* m_doc;
    mutable bool m_valid = false;
    mutable QString m_text;
    // Document positions of the separators that expand to CR LF, ascending.
    mutable std::vector<int> m_seps;
};

} // namespace lumo::ui
