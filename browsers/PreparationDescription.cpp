#include "browsers/PreparationDescription.h"

#include "browsers/DescriptionWriter.h"
#include "core/AislpArticle.h"
#include "mainwindow/HerbRecordComposer.h"
#include "platform/rtf/FontMap.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/Units.h"

#include <QTextCursor>
#include <QTextDocument>

namespace lumo {

namespace {

constexpr long kGreen = 0x8000;
constexpr long kLinkBlue = 0xFF0000;
constexpr int kNameIndentStep = 120; // twips deeper than the heading
constexpr int kSpacerPoints = 6;     // the small line under the title

QTextCharFormat runFormat(const QString& fontName, int points, bool bold, long oleColor) {
    QTextCharFormat f;
    rtf::SetFaceName(f, fontName);
    if (points > 0)
        f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setForeground(ui::OleToColor(oleColor));
    return f;
}

} // namespace

QString PreparationDescriptionRtf(const ProgramSettings& s, const PreparationContent& content) {
    QTextDocument doc;
    QTextCursor c(&doc);
    const SegmentSettings& seg = s.Segments[1];
    if (content.Name) {
        SetParagraph(c, Qt::AlignHCenter, 0);
        c.insertText(*content.Name, runFormat(s.FontName, s.Names.TitleSize, true, kGreen));
        const QTextCharFormat spacer = runFormat(s.FontName, kSpacerPoints, false, 0);
        c.insertBlock(c.blockFormat(), spacer);
        SetParagraph(c, Qt::AlignLeft, 0);
        c.insertText(QStringLiteral("\n"), spacer);
        if (content.Article) {
            ArticleStyle style{s.FontName, s.Names.SubTitleSize, seg.TextSize,
                               ui::OleToColor(PaletteColor(seg.TextColor)), seg.LeftIndent};
            AppendArticle(doc, *content.Article, style);
        }
    }
    if (!content.Herbs.isEmpty()) {
        c.movePosition(QTextCursor::End);
        SetParagraph(c, Qt::AlignLeft, seg.LeftIndent);
        QTextCharFormat heading = runFormat(s.FontName, s.Names.SubTitleSize, true, kGreen);
        heading.setFontUnderline(false); // an underlined run is a link
        c.insertText(QStringLiteral("Seznam bylin"), heading);
        c.insertBlock();
        SetParagraph(c, Qt::AlignLeft, seg.LeftIndent + kNameIndentStep);
        QTextCharFormat link = runFormat(s.FontName, seg.TextSize, false, kLinkBlue);
        link.setFontUnderline(true);
        for (const QString& name : content.Herbs) {
            c.insertText(text::rightTrimBlanks(name), link);
            c.insertBlock();
        }
    }
    return rtf::WriteRtf(doc);
}

} // namespace lumo
