#pragma once

#include "core/Settings.h"

#include <QString>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>

namespace lumo {

// Builds an item's description as rich text in a document of its own, started afresh for
// every description: a title block, link lists of names (blue and underlined: a click on
// one leads to it) and the calendar's herb lines, in the styles of the profile's first
// section. No widgets: the description view takes the finished RTF.
class DescriptionWriter {
public:
    explicit DescriptionWriter(const ProgramSettings& settings);

    // The title line (14 points, green, bold, centred) and the text after it in the same
    // character format; with leftAtEnd the paragraph the text ends in is left-aligned.
    void title(const QString& heading, const QString& text, bool leftAtEnd = true);
    // A heading in the first section's title style followed by the names as links, one a
    // line, indented a little deeper than the heading. With closingBreak one empty line
    // follows the names (sections that another one follows).
    void linkList(const QString& heading, const QStringList& names, bool closingBreak = false);
    // Starts the herb lines of a month: left-aligned at the first section's indent.
    void beginHerbLines();
    // A herb in bold in the first section's text style, then what follows it, not bold.
    void herbLine(const QString& name, const QString& after);
    // Sets the profile's font on the whole text.
    void applyFontName();

    const QTextDocument& document() const { return m_doc; }
    QString rtf() const;

private:
    QTextCharFormat baseFormat() const;

    const ProgramSettings& m_settings;
    QTextDocument m_doc;
    QTextCursor m_cursor;
};

// Aligns the paragraph at the cursor and sets its left indent in twips.
void SetParagraph(QTextCursor& cursor, Qt::Alignment alignment, int indentTwips);

} // namespace lumo
