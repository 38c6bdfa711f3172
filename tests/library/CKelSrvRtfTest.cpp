#include "library/CKelSrv.h"
#include "library/FrmRTF.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QFontInfo>
#include <QMimeData>

#include <gtest/gtest.h>

using lumo::CKelSrv;
using lumo::ui::RichTextBox;
using lumo::ui::TriState;

namespace {

class SrvRtf : public ::testing::Test {
protected:
    CKelSrv srv;
};

TEST_F(SrvRtf, HeaderIsTheRecordHeaderWithBlueAppended) {
    const QString header = srv.rtfHeader();
    EXPECT_EQ(header.size(), 835);
    EXPECT_TRUE(
        header.startsWith(QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl {\\f0")));
    EXPECT_TRUE(header.endsWith(QStringLiteral("\\red255\\green255\\blue255;\\red0\\green0\\blue255;}")));
    EXPECT_EQ(header.count(QStringLiteral("}\r\n{\\colortbl ;")), 1);
    // Without entry 16 it is byte for byte the header the stored records were made with.
    QString original = header;
    original.remove(QStringLiteral("\\red0\\green0\\blue255;"));
    EXPECT_EQ(original.size(), 814);
    EXPECT_EQ(QCryptographicHash::hash(original.toLatin1(), QCryptographicHash::Sha256).toHex(),
              QByteArray("ae9ca10063d0f9b8cbc1ce722d5c41bf838c31b648f24c8e7a3d5b33ee203afc"));
}

struct RunCase {
    const char* name;
    const char* text;
    bool bold, italic;
    int font, size, color;
    bool newPar;
    const char* expected;
};

void PrintTo(const RunCase& c, std::ostream* os) {
    *os << c.name;
}

class RunCases : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunCases, BuildsTheRun) {
    const RunCase c = GetParam();
    CKelSrv srv;
    EXPECT_EQ(srv.RTFKod(QString::fromUtf8(c.text), c.bold, c.italic, c.font, c.size, c.color, c.newPar),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RunCases,
    ::testing::Values(
        RunCase{"Mata", "Máta", true, false, 5, 24, 3, true, "\\cf4\\b\\i0\\f5\\fs24 Máta \\par "},
        RunCase{"Empty", "", false, false, 0, 20, 0, false, "\\cf1\\b0\\i0\\f0\\fs20 "},
        RunCase{"Escapes", "a\\b{c}", false, true, 2, 20, 8, false, "\\cf9\\b0\\i\\f2\\fs20 a\\\\b\\{c\\}"},
        // Palette numbers: 9 is blue (entry 16), 10 to 15 keep their entries.
        RunCase{"Blue", "x", false, false, 2, 20, 9, false, "\\cf16\\b0\\i0\\f2\\fs20 x"},
        RunCase{"Lime", "x", false, false, 2, 20, 10, false, "\\cf10\\b0\\i0\\f2\\fs20 x"},
        RunCase{"Yellow", "x", false, false, 2, 20, 14, false, "\\cf14\\b0\\i0\\f2\\fs20 x"},
        RunCase{"White", "x", false, false, 2, 20, 15, false, "\\cf15\\b0\\i0\\f2\\fs20 x"},
        // Outside Windows-1250: \uN? with N signed 16-bit.
        RunCase{"Cyrillic", "Жук Šťovík", false, false, 4, 20, 0, false,
                "\\cf1\\b0\\i0\\f4\\fs20 \\u1046?\\u1091?\\u1082? Šťovík"},
        RunCase{"Fullwidth", "\xef\xbc\x81", false, false, 4, 20, 0, false,
                "\\cf1\\b0\\i0\\f4\\fs20 \\u-255?"}));

TEST_F(SrvRtf, LongTextsHaveNoLimit) {
    const QString text(40000, u'a');
    const QString run = srv.RTFKod(text, false, false, 2, 20, 0, true);
    EXPECT_EQ(run.size(), QStringLiteral("\\cf1\\b0\\i0\\f2\\fs20 ").size() + 40000 + 6);
}

TEST_F(SrvRtf, RunLoadsWithItsFormatsAndSurvivesARoundTrip) {
    RichTextBox box;
    box.setTextRTF(srv.rtfHeader() + srv.RTFKod(QStringLiteral("Máta"), true, false, 5, 24, 3, true) +
                   QStringLiteral("}"));
    EXPECT_TRUE(box.Text().startsWith(QStringLiteral("Máta")));
    auto check = [](const RichTextBox& b) {
        const QTextCharFormat f = b.charFormatAt(0);
        EXPECT_GE(f.fontWeight(), QFont::Bold);
        EXPECT_FALSE(f.fontItalic());
        EXPECT_EQ(f.fontPointSize(), 12);
        EXPECT_EQ(f.foreground().color(), QColor(0, 128, 128));
        EXPECT_EQ(QFontInfo(f.font()).family(), QStringLiteral("Liberation Sans"));
    };
    check(box);
    box.select(0, 4);
    EXPECT_EQ(box.SelFontName(), std::optional<QString>(QStringLiteral("Arial CE")));
    RichTextBox again;
    again.setTextRTF(box.TextRTF());
    EXPECT_EQ(again.Text(), box.Text());
    check(again);
}

TEST_F(SrvRtf, EveryPaletteNumberShowsItsColour) {
    const QColor palette[16] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                                {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                                {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                                {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    QString rtf = srv.rtfHeader();
    for (int c = 0; c < 16; ++c)
        rtf += srv.RTFKod(QStringLiteral("x"), false, false, 2, 20, c);
    RichTextBox box;
    box.setTextRTF(rtf + u'}');
    ASSERT_EQ(box.TextLength(), 16);
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ(box.charFormatAt(c).foreground().color(), palette[c]) << c;
}

// "Seznam bylin", then two underlined links, each on its own line.
void fillLinks(RichTextBox& box) {
    box.setText(QStringLiteral("Seznam bylin\r\n"));
    box.setSelStart(box.TextLength());
    box.setSelUnderline(true);
    box.setSelText(QStringLiteral("Máta peprná\r\nŠalvěj\r\n"));
}

TEST_F(SrvRtf, TextOverGivesTheLinkUnderTheCaret) {
    RichTextBox box;
    fillLinks(box);
    struct {
        int caret;
        const char* expected;
    } cases[] = {{19, "Máta peprná"},
                 {14, "Máta peprná"},
                 {24, "Máta peprná"},
                 {27, "Šalvěj"},
                 {3, ""},
                 {0, ""},
                 {25, ""}};
    for (const auto& c : cases) {
        box.select(c.caret, 0);
        EXPECT_EQ(srv.TextOver(box), QString::fromUtf8(c.expected)) << c.caret;
        EXPECT_EQ(box.SelStart(), c.caret);
    }
    box.select(16, 3);
    srv.TextOver(box);
    EXPECT_EQ(box.SelStart(), 16);
    EXPECT_EQ(box.SelLength(), 3);
}

TEST_F(SrvRtf, MarkTextCollectsStruckRunsAndCanRemoveThem) {
    RichTextBox box;
    box.setText(QStringLiteral("abc def\r\nghi"));
    for (auto [s, l] : {std::pair{0, 2}, std::pair{4, 3}, std::pair{9, 3}}) {
        box.select(s, l);
        box.setSelStrikeThru(true);
    }
    box.select(5, 1);
    EXPECT_EQ(srv.GetRTFMarkText(box, false), QStringLiteral("ab def ghi"));
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(srv.GetRTFMarkText(box, true), QStringLiteral("ab def ghi"));
    EXPECT_EQ(srv.GetRTFMarkText(box, false), QString());
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(box.SelLength(), 1);
}

TEST_F(SrvRtf, MarkSelTogglesAndRestyles) {
    RichTextBox box;
    box.setText(QStringLiteral("máta peprná"));
    box.select(0, 2);
    box.setSelBold(true);
    box.select(0, 4);
    srv.MarkRTFSel(box, 1 | 4); // bold is mixed: it becomes on
    EXPECT_EQ(box.SelBold(), TriState::On);
    EXPECT_EQ(box.SelUnderline(), TriState::On);
    srv.MarkRTFSel(box, 1, 0xFF);
    EXPECT_EQ(box.SelBold(), TriState::Off);
    EXPECT_EQ(box.SelColor(), std::optional<long>(0xFF));
    srv.MarkRTFSel(box, 16 | 8);
    EXPECT_EQ(box.Text(), QStringLiteral("MÁTA peprná"));
    EXPECT_EQ(box.SelUnderline(), TriState::On);
    EXPECT_EQ(box.SelStrikeThru(), TriState::On);
    // Flags 0 ignores a colour: the text goes back to the window-text colour.
    srv.MarkRTFSel(box, 0, 0xFF);
    EXPECT_EQ(box.SelUnderline(), TriState::Off);
    EXPECT_EQ(box.SelStrikeThru(), TriState::Off);
    EXPECT_EQ(box.SelColor(), std::optional<long>(lumo::ui::ColorToOle(box.palette().color(QPalette::Text))));
    box.select(5, 6);
    srv.MarkRTFSel(box, 32);
    EXPECT_EQ(box.Text(), QStringLiteral("MÁTA peprná"));
}

TEST_F(SrvRtf, WordAtAPointStopsAtBlanksPunctuationAndLineEnds) {
    RichTextBox box;
    box.resize(600, 200);
    box.setText(QStringLiteral("Máta, peprná\r\nšalvěj"));
    box.show();
    auto twipsAt = [&box](int pos) {
        QTextCursor c = box.textCursor();
        c.setPosition(box.toDocumentPosition(pos));
        const QPoint p = box.cursorRect(c).center() + QPoint(2, 0);
        const double tpp = 1440.0 / lumo::ui::LogicalDpi();
        return std::pair{float(p.x() * tpp), float(p.y() * tpp)};
    };
    struct {
        int pos;
        const char* word;
    } cases[] = {{0, "Máta"}, {2, "Máta"}, {8, "peprná"}, {15, "šalvěj"}};
    for (const auto& c : cases) {
        auto [x, y] = twipsAt(c.pos);
        EXPECT_EQ(srv.GetRTFWord(box, x, y, false), QString::fromUtf8(c.word)) << c.pos;
    }
    // The right half of the text's last letter still lies on the word.
    {
        QTextCursor c = box.textCursor();
        c.setPosition(box.toDocumentPosition(box.TextLength()));
        const QPoint p = box.cursorRect(c).center() - QPoint(2, 0);
        const double tpp = 1440.0 / lumo::ui::LogicalDpi();
        float x = float(p.x() * tpp), y = float(p.y() * tpp);
        EXPECT_EQ(srv.GetRTFWord(box, x, y, false), QStringLiteral("šalvěj"));
        EXPECT_EQ(x, float(p.x()));
        // Twips are rounded to whole numbers before the division.
        x = float(p.x() * tpp + tpp - 0.4);
        y = float(p.y() * tpp);
        srv.GetRTFWord(box, x, y, false);
        EXPECT_EQ(x, float(p.x() + 1));
    }
    box.select(1, 1);
    auto [x, y] = twipsAt(9);
    EXPECT_EQ(srv.GetRTFWord(box, x, y, true), QStringLiteral("peprná"));
    EXPECT_EQ(srv.GetRTFMarkText(box, false), QStringLiteral("peprná "));
    EXPECT_EQ(box.SelStart(), 1);
    EXPECT_EQ(box.SelLength(), 1);
}

TEST_F(SrvRtf, LineMembersFollowTheBoxLines) {
    RichTextBox box;
    box.setRightMargin(14400); // no wrapping
    box.setText(QStringLiteral("první\r\ndruhý řádek\r\ntřetí"));
    box.setSelStart(10);
    EXPECT_EQ(srv.GetRTFLines(box), 4);
    EXPECT_EQ(srv.GetRTFLineNumber(box), 2);
    EXPECT_EQ(srv.GetRTFColNumber(box), 4);
    EXPECT_EQ(srv.GetRTFColumns(box), 12);
    EXPECT_EQ(srv.GetRTFLineText(box, 2), QStringLiteral("třetí"));
    EXPECT_EQ(srv.GetRTFLineVisible(box), 1);
}

TEST_F(SrvRtf, JoinLeavesTheClipboardAlone) {
    QApplication::clipboard()->setText(QStringLiteral("uživatelův text"));
    const QString head = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}");
    const QString joined = srv.JoinRTF(head + QStringLiteral("A}"), head + QStringLiteral("\\b B\\b0}"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("uživatelův text"));
    RichTextBox box;
    box.setTextRTF(joined);
    EXPECT_EQ(box.Text(), QStringLiteral("AB"));
    box.select(1, 1);
    EXPECT_EQ(box.SelBold(), TriState::On);
    box.select(0, 1);
    EXPECT_EQ(box.SelBold(), TriState::Off);
}

TEST_F(SrvRtf, TextFromRtfPlainOrRestyled) {
    const QString rtf = srv.rtfHeader() + srv.RTFKod(QStringLiteral("Máta"), true, false, 5, 24, 3, true) +
                        srv.RTFKod(QStringLiteral("peprná"), false, true, 4, 20, 0, false) + u'}';
    EXPECT_EQ(srv.GetTextFromRTF(rtf, false), QStringLiteral("Máta \r\npeprná"));
    RichTextBox box;
    box.setTextRTF(srv.GetTextFromRTF(rtf, true, QStringLiteral(" Courier New "), 9, 0xFF));
    box.select(0, box.TextLength());
    EXPECT_EQ(box.SelFontName(), std::optional<QString>(QStringLiteral("Courier New")));
    EXPECT_EQ(box.SelFontSize(), std::optional<double>(9));
    EXPECT_EQ(box.SelColor(), std::optional<long>(0xFF));
    EXPECT_EQ(box.SelBold(), TriState::Mixed);
    // Blank name, no size and a negative colour leave those formats alone.
    box.setTextRTF(srv.GetTextFromRTF(rtf, true, QStringLiteral("  "), 0, -1));
    box.select(0, box.TextLength());
    EXPECT_EQ(box.SelFontName(), std::nullopt);
    EXPECT_EQ(box.SelColor(), std::nullopt);
}

TEST_F(SrvRtf, WorkFormTradesWithTheClipboardOnlyWhenActivated) {
    lumo::FrmRTF& form = srv.frmRTF();
    EXPECT_EQ(&form, &srv.frmRTF());
    EXPECT_FALSE(form.isVisible());
    form.rtfBox()->setText(QStringLiteral("obsah"));
    form.setTag(QStringLiteral("COPY"));
    form.Form_Activate();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data && data->hasFormat(QStringLiteral("text/rtf")));
    form.rtfBox()->setText(QString());
    form.setTag(QString());
    form.Form_Activate();
    EXPECT_EQ(form.rtfBox()->Text(), QStringLiteral("obsah"));
}

} // namespace

namespace {

// The record's names block: a centred title, then left-aligned indented lines.
TEST_F(SrvRtf, NamesBlockLoadsCentredTitleThenIndentedLines) {
    const QString rtf = srv.rtfHeader() + QStringLiteral("\\qc ") +
                        srv.RTFKod(QStringLiteral("Máta {peprná}"), true, false, 2, 28, 1, true) +
                        QStringLiteral("\\li720\\ql\\par ") +
                        srv.RTFKod(QStringLiteral("Český název: "), true, false, 2, 20, 2) +
                        srv.RTFKod(QStringLiteral("Máta"), false, false, 2, 20, 0, true) +
                        QStringLiteral("\\par} ");
    RichTextBox box;
    const auto result = box.setTextRTF(rtf);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(box.Text(), QStringLiteral("Máta {peprná} \r\n\r\nČeský název: Máta \r\n\r\n"));
    RichTextBox other;
    other.setTextRTF(srv.rtfHeader() + srv.RTFKod(QStringLiteral("Жук\\Šťovík"), false, false, 4, 20, 0) +
                     u'}');
    EXPECT_EQ(other.Text(), QStringLiteral("Жук\\Šťovík"));
    box.setSelStart(0);
    EXPECT_EQ(box.SelAlignment(), std::optional<int>(lumo::ui::AlignCenter));
    EXPECT_EQ(box.SelIndent(), std::optional<int>(0));
    box.setSelStart(18);
    EXPECT_EQ(box.SelAlignment(), std::optional<int>(lumo::ui::AlignLeft));
    EXPECT_EQ(box.SelIndent(), std::optional<int>(720));
    box.select(18, 13);
    EXPECT_EQ(box.SelBold(), TriState::On);
    EXPECT_EQ(box.SelColor(), std::optional<long>(0x008000));
    EXPECT_EQ(box.SelFontSize(), std::optional<double>(10));
    box.select(31, 4);
    EXPECT_EQ(box.SelBold(), TriState::Off);
    EXPECT_EQ(box.SelColor(), std::optional<long>(0));
}

} // namespace
