#pragma once

#include <QString>
#include <QStringList>

namespace lumo::data {

// Writes rich text the way the Windows rich-edit control saves it: an ANSI
// header for code page 1250, Arial CE, a two-entry colour table (green for
// section headings, blue for links) and every non-ASCII letter as \'xx.
// Paragraph bodies use a tiny markup: **bold**, //italic//, __link__.
class RtfWriter {
public:
    RtfWriter();

    // A centred title line (the herb's name at the head of an article).
    void title(const QString& text, int halfPoints = 32);
    // A green bold heading line such as "Účinné látky:".
    void heading(const QString& text);
    // One paragraph of marked-up text. Returns false (and writes nothing)
    // when the markup is unbalanced; error() then says why.
    bool paragraph(const QString& markup);
    // Closes the document and returns it; the writer is then empty again.
    QString finish();

    const QString& error() const { return m_error; }
    // Texts of the __link__ runs met so far, in order.
    const QStringList& links() const { return m_links; }

    // One character or a run of text in RTF notation (braces and backslash
    // escaped, Windows-1250 letters as \'xx, anything else as \uN?).
    static QString escape(const QString& text);
    // Checks that markup is balanced; fills error with the reason when not.
    static bool checkMarkup(const QString& markup, QString* error);

private:
    void control(const QString& word);
    void text(const QString& plain);
    void endParagraph();

    QString m_body;
    QString m_pending;
    QString m_error;
    QStringList m_links;
};

// True when every brace of an RTF text is matched (escaped braces excluded)
// and the text opens with "{\rtf1".
bool isWellFormedRtf(const QString& rtf);

} // namespace lumo::data
