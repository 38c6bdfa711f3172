#include "platform/rtf/RtfReader.h"
#include "RtfTestSupport.h"
#include "platform/rtf/FontMap.h"
#include "platform/ui/PageLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

using lumo::rtf::ReadRtf;
using lumo::test::Paragraphs;
using lumo::test::ProgramRtfHeader;

namespace {

QString read(const QString& rtf, lumo::rtf::ReadResult* result = nullptr) {
    QTextDocument doc;
    const auto r = ReadRtf(rtf, doc);
    if (result)
        *result = r;
    return Paragraphs(doc);
}

QTextCharFormat formatAt(const QTextDocument& doc, int position) {
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(position + 1); // the format of the character before the cursor
    return c.charFormat();
}

QString family(const QTextCharFormat& f) {
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

struct TextCase {
    const char* name;
    QString rtf;
    QString expected;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfText, ReadsExpectedParagraphs) {
    lumo::rtf::ReadResult r;
    EXPECT_EQ(read(GetParam().rtf, &r), GetParam().expected);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
}

const QString kSymbolTable =
    QStringLiteral("{\\fonttbl{\\f0\\fcharset238 Arial CE;}{\\f1\\fcharset2 Symbol;}}");

INSTANTIATE_TEST_SUITE_P(
    Snippets, RtfText,
    ::testing::Values(
        TextCase{"plain", QStringLiteral("{\\rtf1 Hello}"), QStringLiteral("Hello")},
        TextCase{"escapes", QStringLiteral("{\\rtf1 a\\\\b\\{c\\}}"), QStringLiteral("a\\b{c}")},
        TextCase{"literalAccents", QStringLiteral("{\\rtf1 Máta peprná}"), QStringLiteral("Máta peprná")},
        TextCase{"hexByAnsiCodePage", QStringLiteral("{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'ed\\'9a}"),
                 QStringLiteral("číš")},
        TextCase{"hexWithoutCodePageIsCzech", QStringLiteral("{\\rtf1\\ansi \\'9e\\'e1}"),
                 QStringLiteral("žá")},
        TextCase{"hexByCyrillicFont",
                 QStringLiteral("{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset204 Arial Cyr;}}\\f0 "
                                "\\'cc\\'e0\\'f2\\'e0}"),
                 QStringLiteral("Мата")},
        TextCase{"hexByWesternFont",
                 QStringLiteral("{\\rtf1\\ansicpg1250{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset238 "
                                "Arial CE;}}\\f0\\'e8\\f1\\'e8}"),
                 QStringLiteral("èč")},
        TextCase{"fontWithoutCharsetUsesCodePage",
                 QStringLiteral("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0 \\'c0}"),
                 QStringLiteral("А")},
        TextCase{"symbolFont", QStringLiteral("{\\rtf1") + kSymbolTable + QStringLiteral("{\\f1 a\\'b7b}x}"),
                 QStringLiteral("α•βx")},
        TextCase{"unicodeSkipsFallback", QStringLiteral("{\\rtf1 \\u269\\'e8eská \\u1052?ята}"),
                 QStringLiteral("česká Мята")},
        TextCase{"unicodeSkipTwo", QStringLiteral("{\\rtf1\\uc2 \\u269??x}"), QStringLiteral("čx")},
        TextCase{"unicodeSkipNone", QStringLiteral("{\\rtf1\\uc0\\u269 x}"), QStringLiteral("čx")},
        TextCase{"unicodeSurrogates", QStringLiteral("{\\rtf1 \\u-10179?\\u-8704?}"),
                 QString::fromUcs4(U"\U0001F600")},
        TextCase{"unicodeSkipIsPerGroup", QStringLiteral("{\\rtf1 {\\uc2 \\u269??}\\u345?x}"),
                 QStringLiteral("čřx")},
        TextCase{"fallbackEndsAtGroup", QStringLiteral("{\\rtf1\\uc3 \\u269?{b}}"), QStringLiteral("čb")},
        TextCase{"skippedDestinations",
                 QStringLiteral(
                     "{\\rtf1{\\*\\generator Foo;}{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
                     "{\\pict\\pngblip 89504e47}{\\*\\unknown xx{\\b yy}}{\\header H}A}"),
                 QStringLiteral("A")},
        TextCase{"binaryData", QStringLiteral("{\\rtf1 {\\pict\\bin3 a}b}x}"), QStringLiteral("x")},
        TextCase{"specialCharacters",
                 QStringLiteral(
                     "{\\rtf1 a\\~b\\-c\\_d\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}"),
                 QStringLiteral("a\u00A0b\u00ADc\u2011d\u2014\u2013\u2022\u2018\u2019\u201C\u201D")},
        TextCase{"breaks", QStringLiteral("{\\rtf1 a\\par b\\line c\\tab d}"),
                 QStringLiteral("a\nb\u2028c\td")},
        TextCase{"backslashNewlineIsPar", QStringLiteral("{\\rtf1 a\\\r\nb}"), QStringLiteral("a\nb")},
        TextCase{"lineEndsIgnored", QStringLiteral("{\\rtf1 a\r\nb\nc}"), QStringLiteral("abc")},
        TextCase{"trailingParKeepsEmptyBlock", QStringLiteral("{\\rtf1 a\\par }"), QStringLiteral("a\n")},
        TextCase{"fieldResult",
                 QStringLiteral("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}"),
                 QStringLiteral("link")},
        TextCase{"tableAsTabs", QStringLiteral("{\\rtf1 \\trowd a\\cell b\\cell\\row c}"),
                 QStringLiteral("a\tb\nc")},
        TextCase{"bulletText",
                 QStringLiteral("{\\rtf1") + kSymbolTable +
                     QStringLiteral("{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}Item}"),
                 QStringLiteral("•\tItem")},
        TextCase{"pageBreakMidParagraph", QStringLiteral("{\\rtf1 a\\page b}"), QStringLiteral("a\nb")},
        TextCase{"pageBreakAfterPar", QStringLiteral("{\\rtf1 a\\par\\page b}"), QStringLiteral("a\nb")},
        TextCase{"controlCharactersDropped",
                 QStringLiteral("{\\rtf1 a") + QChar(1) + QChar(0xFFFC) + QStringLiteral("b\\u8233?c}"),
                 QStringLiteral("ab\u2028c")},
        TextCase{"empty", QString(), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfReader, ProgramHeaderIsTheRecordHeader) {
    // Guards the hand-built header the other tests rely on.
    EXPECT_EQ(ProgramRtfHeader().size(), 814);
    EXPECT_TRUE(ProgramRtfHeader().endsWith(QStringLiteral("\\red255\\green255\\blue255;}")));
}

TEST(RtfReader, RecordRunKeepsItsFormats) {
    QTextDocument doc;
    const auto r = ReadRtf(
        ProgramRtfHeader() + QStringLiteral("\\cf4\\b\\i0\\f5\\fs24 Máta \\par ") + QStringLiteral("}"), doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(doc.begin().text().trimmed(), QStringLiteral("Máta"));
    const QTextCharFormat f = formatAt(doc, 0);
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_FALSE(f.fontItalic());
    EXPECT_DOUBLE_EQ(f.fontPointSize(), 12.0);
    EXPECT_EQ(f.foreground().color(), QColor(0, 128, 128));
    EXPECT_EQ(family(f), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(lumo::rtf::FaceName(f), QStringLiteral("Arial CE"));
    EXPECT_EQ(f.stringProperty(lumo::rtf::FaceAltNameProperty), QStringLiteral("Arial"));
    EXPECT_EQ(f.intProperty(lumo::rtf::FaceCharsetProperty), 238);
}

TEST(RtfReader, HeaderFontsMapToInstalledFaces) {
    const char* expected[] = {"DejaVu Sans",      "DejaVu Sans",     "DejaVu Sans",     "DejaVu Sans",
                              "Liberation Serif", "Liberation Sans", "Liberation Mono", "DejaVu Sans"};
    const char* faces[] = {"MS Sans Serif",      "Symbol",   "MS Shell Dlg",   "Tahoma",
                           "Times New Roman CE", "Arial CE", "Courier New CE", "Verdana"};
    QString rtf = ProgramRtfHeader();
    for (int i = 0; i < 8; ++i)
        rtf += QStringLiteral("\\f%1 x").arg(i);
    QTextDocument doc;
    ReadRtf(rtf + u'}', doc);
    for (int i = 0; i < 8; ++i) {
        const QTextCharFormat f = formatAt(doc, i);
        EXPECT_EQ(family(f), QString::fromLatin1(expected[i])) << i;
        EXPECT_EQ(lumo::rtf::FaceName(f), QString::fromLatin1(faces[i])) << i;
    }
}

TEST(RtfReader, CharacterStateFollowsGroupsTogglesAndPlain) {
    QTextDocument doc;
    ReadRtf(QStringLiteral("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}"
                           "a{\\b\\i\\ul\\strike\\cf1\\highlight1\\fs40 b\\b0\\i0\\ulnone\\strike0 c}d"
                           "\\b\\ul e\\ul0\\plain f\\cf7 g\\cf0 h\\super i\\nosupersub\\sub j}"),
            doc);
    ASSERT_EQ(doc.begin().text(), QStringLiteral("abcdefghij"));
    const QTextCharFormat a = formatAt(doc, 0), b = formatAt(doc, 1), c = formatAt(doc, 2),
                          d = formatAt(doc, 3), e = formatAt(doc, 4), f = formatAt(doc, 5),
                          g = formatAt(doc, 6), h = formatAt(doc, 7);
    EXPECT_EQ(a.fontWeight(), QFont::Normal);
    EXPECT_EQ(b.fontWeight(), QFont::Bold);
    EXPECT_TRUE(b.fontItalic() && b.fontUnderline() && b.fontStrikeOut());
    EXPECT_EQ(b.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(b.background().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(b.fontPointSize(), 20.0);
    EXPECT_FALSE(c.fontWeight() == QFont::Bold || c.fontItalic() || c.fontUnderline() || c.fontStrikeOut());
    EXPECT_EQ(c.foreground().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(d.fontPointSize(), 12.0);
    EXPECT_FALSE(d.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_TRUE(e.fontWeight() == QFont::Bold && e.fontUnderline());
    EXPECT_FALSE(f.fontWeight() == QFont::Bold);
    EXPECT_FALSE(g.hasProperty(QTextFormat::ForegroundBrush)) << "an index past the table is automatic";
    EXPECT_FALSE(h.hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatAt(doc, 8).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatAt(doc, 9).verticalAlignment(), QTextCharFormat::AlignSubScript);
}

// Indents and spacing in 96-DPI screen pixels: 15 twips each.
TEST(RtfReader, ParagraphFormatsInScreenPixels) {
    QTextDocument doc;
    ReadRtf(QStringLiteral("{\\rtf1\\pard\\qc\\li720\\ri360\\fi-360\\sb120\\sa240 x\\par "
                           "\\qr y\\par\\pard z\\par\\qj w}"),
            doc);
    QTextBlock b = doc.begin();
    QTextBlockFormat f = b.blockFormat();
    EXPECT_EQ(f.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(f.leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(f.rightMargin(), 24.0);
    EXPECT_DOUBLE_EQ(f.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(f.topMargin(), 8.0);
    EXPECT_DOUBLE_EQ(f.bottomMargin(), 16.0);
    b = b.next();
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_DOUBLE_EQ(b.blockFormat().leftMargin(), 48.0) << "paragraph state lasts until \\pard";
    b = b.next();
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(b.blockFormat().leftMargin(), 0.0);
    EXPECT_EQ(b.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
}

TEST(RtfReader, PageBreakGoesOnTheNextBlock) {
    for (const QString& rtf :
         {QStringLiteral("{\\rtf1 a\\page b}"), QStringLiteral("{\\rtf1 a\\par\\page b}"),
          QStringLiteral("{\\rtf1 a\\par \\page\\pard b}")}) {
        QTextDocument doc;
        ReadRtf(rtf, doc);
        ASSERT_EQ(doc.blockCount(), 2) << rtf.toStdString();
        EXPECT_FALSE(doc.begin().blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
        EXPECT_TRUE(doc.begin().next().blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            << rtf.toStdString();
    }
}

TEST(RtfReader, FontTableForms) {
    QTextDocument doc;
    ReadRtf(QStringLiteral("{\\rtf1\\deff1{\\fonttbl\\f0\\fswiss Arial;\\f1\\froman Times New Roman;"
                           "{\\f2\\fcharset238{\\*\\panose 0}P\\'edsmo{\\*\\falt Courier New};}}"
                           "x\\f0 y\\f2 z\\f9 w}"),
            doc);
    EXPECT_EQ(family(formatAt(doc, 0)), QStringLiteral("Liberation Serif")) << "\\deff";
    EXPECT_EQ(family(formatAt(doc, 1)), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(lumo::rtf::FaceName(formatAt(doc, 2)), QStringLiteral("Písmo"));
    EXPECT_EQ(family(formatAt(doc, 2)), QStringLiteral("Liberation Mono"))
        << "unknown face, known alternative";
    EXPECT_TRUE(family(formatAt(doc, 3)).isEmpty()) << "a font missing from the table sets none";
}

TEST(RtfReader, LaterFontTableRedefinesNumbers) {
    QTextDocument doc;
    ReadRtf(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 a{\\fonttbl{\\f0\\fcharset2 Symbol;}}a}"),
            doc);
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("aα"));
    EXPECT_EQ(family(formatAt(doc, 0)), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(lumo::rtf::FaceName(formatAt(doc, 1)), QStringLiteral("Symbol"));
}

TEST(RtfReader, NotRtfIsPlainText) {
    QTextDocument doc;
    const auto r = ReadRtf(QStringLiteral("Ahoj\r\nsvěte {\\b}"), doc);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.plainText);
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("Ahoj\nsvěte {\\b}"));
}

TEST(RtfReader, ReadReplacesContentAndLeavesNoUndoStep) {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("old"));
    ReadRtf(QStringLiteral("{\\rtf1 new}"), doc);
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("new"));
    EXPECT_FALSE(doc.isUndoAvailable());
    EXPECT_TRUE(doc.isUndoRedoEnabled());
}

} // namespace

// A bulleted paragraph with a hanging indent: the text after the bullet's tab starts where the
// paragraph's wrapped lines start, on screen and on a printer of another resolution alike.
TEST(RtfReader, TabAfterAHangingIndentReachesTheLeftIndent) {
    QTextDocument doc;
    ASSERT_TRUE(ReadRtf(QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\li720\\fi-360 "
                                       "\\bullet\\tab Text of a bullet that is long enough to wrap onto a "
                                       "second line of the paragraph, and then some more words.\\par}"),
                        doc)
                    .ok);
    const auto textStartsAtTheIndent = [](const QTextDocument& laidOut) {
        const QTextBlock block = laidOut.firstBlock();
        const QTextLayout* layout = block.layout();
        ASSERT_GE(layout->lineCount(), 2);
        const qreal textX = layout->lineAt(0).cursorToX(block.text().indexOf(u'T'));
        EXPECT_NEAR(textX, layout->lineAt(1).x(), 1.0);
    };
    doc.setTextWidth(300);
    doc.documentLayout(); // lays the document out
    textStartsAtTheIndent(doc);

    QImage printer(100, 100, QImage::Format_RGB32);
    printer.setDotsPerMeterX(23622); // 600 dpi
    printer.setDotsPerMeterY(23622);
    lumo::ui::PageLayout printed(doc);
    printed.setTargetDevice(&printer, 4500);
    printed.lineCount(); // lays the document out for the device
    textStartsAtTheIndent(printed.document());
}
