#pragma once

#include "platform/rtf/RtfReader.h"
#include "platform/ui/PositionMap.h"

#include <QTextCharFormat>
#include <QTextEdit>

#include <functional>
#include <optional>
#include <vector>

namespace lumo::ui {

// A formatting attribute over a selection: all on, all off, or both.
enum class TriState { Off, On, Mixed };

// Paragraph alignment as the rich-edit box numbers it.
enum SelAlignmentValue { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

// Options of Find; combine with |.
enum FindOption { FindWholeWord = 2, FindMatchCase = 4, FindNoHighlight = 8 };

// The rich-text box: a QTextEdit with the rich-edit control's properties.
//
// Positions (SelStart, SelLength, Find, the line queries, charFromPos) are box positions:
// Text joins paragraphs with CR LF, and CR LF counts as two positions, so a position found
// in Text selects the same characters (see PositionMap for the LF half).
//
// setText hides QTextEdit::setText: call it on a RichTextBox, not through a QTextEdit pointer.
class RichTextBox : public QTextEdit {
    Q_OBJECT
    // By name, for services that take any control with these properties.
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(QString SelText READ SelText WRITE setSelText)
    Q_PROPERTY(int SelStart READ SelStart WRITE setSelStart)
    Q_PROPERTY(int SelLength READ SelLength WRITE setSelLength)
    Q_PROPERTY(long BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(long ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Whole document as RTF; setting parses it (non-RTF goes in as plain text) and puts the
    // caret at 0.
    QString TextRTF() const;
    rtf::ReadResult setTextRTF(const QString& rtf);
    // The selection as RTF; setting replaces the selection with the parsed RTF and leaves the
    // caret after it. The paragraph the caret stands in keeps its format where it has text of
    // its own; an inserted document's closing \par stays a paragraph break.
    QString SelRTF() const;
    rtf::ReadResult setSelRTF(const QString& rtf);

    // Plain text, paragraphs joined by CR LF. Setting replaces everything (CR LF, LF or CR
    // start a paragraph) and puts the caret at 0.
    QString Text() const;
    void setText(const QString& text);
    int TextLength() const;
    // The selected text (CR LF between paragraphs); setting replaces the selection with text
    // in the insertion format and leaves the caret after it.
    QString SelText() const;
    void setSelText(const QString& text);

    int SelStart() const;
    // Moves the caret; the selection becomes empty.
    void setSelStart(int start);
    int SelLength() const;
    // Selects length positions from SelStart (clamped to the text).
    void setSelLength(int length);
    void select(int start, int length);

    // Selection formats. On an empty selection the getters read and the setters set the
    // insertion format, which the next inserted text takes.
    TriState SelBold() const;
    void setSelBold(bool on);
    TriState SelItalic() const;
    void setSelItalic(bool on);
    TriState SelUnderline() const;
    void setSelUnderline(bool on);
    TriState SelStrikeThru() const;
    void setSelStrikeThru(bool on);
    // Colour as 0x00BBGGRR; empty when mixed.
    std::optional<long> SelColor() const;
    void setSelColor(long oleColor);
    // Windows face name ("Arial CE"); empty when mixed.
    std::optional<QString> SelFontName() const;
    void setSelFontName(const QString& name);
    // Points; empty when mixed.
    std::optional<double> SelFontSize() const;
    void setSelFontSize(double points);
    // Left indent of the selected paragraphs in twips; empty when mixed.
    std::optional<int> SelIndent() const;
    void setSelIndent(int twips);
    // SelAlignmentValue of the selected paragraphs; empty when mixed.
    std::optional<int> SelAlignment() const;
    void setSelAlignment(int alignment);
    // Changes the case of the selected characters, keeping their formats.
    void changeSelCase(bool upper);

    // The format of the character at a box position (the last character's at the end),
    // read without touching the selection.
    QTextCharFormat charFormatAt(int pos) const;

    // Finds what in Text from start up to end (-1: the end), without regard to case unless
    // FindMatchCase. Returns the position or -1; selects the match unless FindNoHighlight.
    int Find(const QString& what, int start = 0, int end = -1, int options = 0);

    // Display lines of the current wrapping.
    int lineCount() const;
    // Line holding a position (-1: the caret).
    int lineFromChar(int pos) const;
    // Position where a line starts (-1: the caret's line); -1 past the last line.
    int lineIndex(int line) const;
    // Length of the line holding a position, without its line break.
    int lineLength(int pos) const;
    QString lineText(int line) const;
    int firstVisibleLine() const;
    // The character whose cell holds a point of the viewport (pixels); past a line's last
    // character, the line's end.
    int charFromPos(const QPoint& point) const;

    // Read-only while the text can still be selected and copied.
    bool Locked() const { return isReadOnly(); }
    void setLocked(bool locked);
    long BackColor() const;
    void setBackColor(long oleColor);
    // Colour of text that has none of its own.
    long ForeColor() const;
    void setForeColor(long oleColor);
    // Wrap width in twips; 0 wraps at the window.
    int RightMargin() const { return m_rightMargin; }
    void setRightMargin(int twips);
    // Wraps as for a device line of lineWidthTwips (0: at the window again).
    void setTargetDevice(int lineWidthTwips);
    void scrollToCaret();

    int toDocumentPosition(int boxPos) const { return m_map.toDoc(boxPos); }
    int toBoxPosition(int docPos) const { return m_map.toBox(docPos); }
    const PositionMap& positions() const { return m_map; }

private:
    struct DisplayLine {
        int docStart;
        int docLength; // without a line separator that ends it
        double bottom;
    };
    std::vector<DisplayLine> displayLines() const;
    void mergeSelFormat(const QTextCharFormat& format);
    void mergeSelBlockFormat(const std::function<void(QTextBlockFormat&)>& change);
    QTextCharFormat insertionFormat() const;
    TriState selTriState(const std::function<bool(const QTextCharFormat&)>& test) const;
    template <class T> std::optional<T> selCommon(const std::function<T(const QTextCharFormat&)>& get) const;
    template <class T>
    std::optional<T> selBlockCommon(const std::function<T(const QTextBlockFormat&)>& get) const;
    void applyWrap();
    void setWrapModeFor(QStringView text);

    PositionMap m_map;
    int m_rightMargin = 0;
    int m_targetWidth = 0;
};

} // namespace lumo::ui
