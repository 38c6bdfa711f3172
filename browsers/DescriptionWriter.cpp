#include "browsers/DescriptionWriter.h"

#include "mainwindow/HerbRecordComposer.h"
#include "platform/rtf/FontMap.h"
#include "platform/rtf/RtfUnits.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/Units.h"

#include <QTextBlockFormat>

namespace lumo {

namespace {

constexpr long kTitleColor = 0x8000;  // green
constexpr long kLinkColor = 0xFF0000; // blue
constexpr double kTitleSize = 14;
constexpr int kNameIndentStep = 120; // twips

void setSize(QTextCharFormat& f, int points) {
    if (points > 0)
        f.setFontPointSize(points);
}

} // namespace

void SetParagraph(QTextCursor& c, Qt::Alignment alignment, int indentTwips) {
    QTextBlockFormat b = c.blockFormat();
    b.setAlignment(alignment);
    b.setLeftMargin(rtf::BlockUnitsFromTwips(indentTwips));
    c.setBlockFormat(b);
}

DescriptionWriter::DescriptionWriter(const ProgramSettings& settings)
    : m_settings(settings), m_cursor(&m_doc) {}

QTextCharFormat DescriptionWriter::baseFormat() const {
    QTextCharFormat f;
    if (!m_settings.FontName.trimmed().isEmpty())
        rtf::SetFaceName(f, m_settings.FontName);
    return f;
}

void DescriptionWriter::title(const QString& heading, const QString& text, bool leftAtEnd) {
    QTextCharFormat f = baseFormat();
    f.setFontPointSize(kTitleSize);
    f.setForeground(ui::OleToColor(kTitleColor));
    f.setFontWeight(QFont::Bold);
    m_cursor.movePosition(QTextCursor::End);
    SetParagraph(m_cursor, Qt::AlignHCenter, 0);
    m_cursor.insertText(heading, f);
    m_cursor.insertBlock(m_cursor.blockFormat(), f);
    // The text continues in the title's format; a text of several paragraphs stays centred
    // but for the one it ends in.
    m_cursor.insertText(text::toLf(text), f);
    if (leftAtEnd) {
        QTextBlockFormat b = m_cursor.blockFormat();
        b.setAlignment(Qt::AlignLeft);
        m_cursor.setBlockFormat(b);
    }
}

void DescriptionWriter::linkList(const QString& heading, const QStringList& names, bool closingBreak) {
    const SegmentSettings& seg = m_settings.Segments[1];
    m_cursor.movePosition(QTextCursor::End);
    // Headings are never underlined: an underlined run is a link.
    QTextCharFormat h = m_cursor.charFormat();
    setSize(h, seg.TitleSize);
    h.setForeground(ui::OleToColor(PaletteColor(seg.TitleColor)));
    h.setFontWeight(QFont::Bold);
    h.setFontUnderline(false);
    SetParagraph(m_cursor, Qt::AlignLeft, seg.LeftIndent);
    m_cursor.insertText(heading, h);
    m_cursor.insertBlock(m_cursor.blockFormat(), h);
    SetParagraph(m_cursor, Qt::AlignLeft, seg.LeftIndent + kNameIndentStep);
    QTextCharFormat link = h; // bold continues from the heading
    link.merge(baseFormat());
    setSize(link, seg.TextSize);
    link.setForeground(ui::OleToColor(kLinkColor));
    link.setFontUnderline(true);
    for (const QString& name : names) {
        m_cursor.insertText(text::rightTrimBlanks(name), link);
        m_cursor.insertBlock(m_cursor.blockFormat(), link);
    }
    QTextCharFormat plain = link;
    plain.setFontUnderline(false);
    m_cursor.setCharFormat(plain);
    if (closingBreak)
        m_cursor.insertBlock(m_cursor.blockFormat(), plain);
}

void DescriptionWriter::beginHerbLines() {
    m_cursor.movePosition(QTextCursor::End);
    SetParagraph(m_cursor, Qt::AlignLeft, m_settings.Segments[1].LeftIndent);
}

void DescriptionWriter::herbLine(const QString& name, const QString& after) {
    const SegmentSettings& seg = m_settings.Segments[1];
    m_cursor.movePosition(QTextCursor::End);
    QTextCharFormat f = baseFormat();
    setSize(f, seg.TextSize);
    f.setForeground(ui::OleToColor(PaletteColor(seg.TextColor)));
    f.setFontWeight(QFont::Bold);
    m_cursor.insertText(text::rightTrimBlanks(name), f);
    f.setFontWeight(QFont::Normal);
    m_cursor.insertText(after, f);
    m_cursor.insertBlock(m_cursor.blockFormat(), f);
}

void DescriptionWriter::applyFontName() {
    if (m_settings.FontName.trimmed().isEmpty())
        return;
    QTextCursor all(&m_doc);
    all.select(QTextCursor::Document);
    all.mergeCharFormat(baseFormat());
}

QString DescriptionWriter::rtf() const {
    return rtf::WriteRtf(m_doc);
}

} // namespace lumo
