#include "platform/ui/RichTextBox.h"
#include "platform/ui/RtfJoin.h"

#include <QTextBlock>

#include <gtest/gtest.h>

using lumo::ui::RichTextBox;
using lumo::ui::TriState;

namespace {

const QString kHead = QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}");

QString doc(const QString& body) {
    return kHead + body + u'}';
}

// Where inserted rich text goes and what becomes of its paragraphs.
struct InsertCase {
    const char* name;
    const char* target;   // plain text of the box
    int caret;            // box position of the caret
    const char* inserted; // body of the inserted document
    const char* expected; // Text afterwards
    int caretAfter;
};

class SelRtfCases : public ::testing::TestWithParam<InsertCase> {};

TEST_P(SelRtfCases, InsertsAtTheCaret) {
    const InsertCase c = GetParam();
    RichTextBox box;
    box.setText(QString::fromUtf8(c.target));
    box.setSelStart(c.caret);
    EXPECT_TRUE(box.setSelRTF(doc(QString::fromUtf8(c.inserted))).ok);
    EXPECT_EQ(box.Text(), QString::fromUtf8(c.expected));
    EXPECT_EQ(box.SelStart(), c.caretAfter);
    EXPECT_EQ(box.SelLength(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Paragraphs, SelRtfCases,
    ::testing::Values(
        // A closing \par stays a paragraph break.
        InsertCase{"EndWithPar", "X", 1, "A\\par ", "XA\r\n", 4},
        InsertCase{"EndWithoutPar", "X", 1, "A", "XA", 2},
        // Into the middle of a paragraph: the text after the caret follows the last inserted one.
        InsertCase{"MiddleWithPar", "XY", 1, "A\\par B", "XA\r\nBY", 5},
        InsertCase{"MiddleWithClosingPar", "XY", 1, "A\\par ", "XA\r\nY", 4},
        InsertCase{"EmptyBox", "", 0, "A\\par B\\par ", "A\r\nB\r\n", 6},
        InsertCase{"AfterLineBreak", "X\r\n", 3, "A\\par ", "X\r\nA\r\n", 6},
        InsertCase{"AtStart", "X", 0, "A\\par ", "A\r\nX", 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RichTextBoxRtf, SelectionReplacedByRichText) {
    RichTextBox box;
    box.setText(QStringLiteral("před PRYČ po"));
    box.select(5, 4);
    box.setSelRTF(doc(QStringLiteral("\\b nové\\b0")));
    EXPECT_EQ(box.Text(), QStringLiteral("před nové po"));
    box.select(5, 4);
    EXPECT_EQ(box.SelBold(), TriState::On);
    box.select(0, 4);
    EXPECT_EQ(box.SelBold(), TriState::Off);
}

TEST(RichTextBoxRtf, InsertedParagraphFormatWhereTheTargetIsEmpty) {
    RichTextBox box;
    box.setText(QStringLiteral("Záhlaví\r\n"));
    box.select(0, 7);
    box.setSelAlignment(lumo::ui::AlignRight);
    // The empty last paragraph takes the inserted centred title's format...
    box.setSelStart(box.TextLength());
    box.setSelRTF(doc(QStringLiteral("\\qc Titul\\par\\pard\\li720 text")));
    box.setSelStart(9);
    EXPECT_EQ(box.SelAlignment(), std::optional<int>(lumo::ui::AlignCenter));
    box.setSelStart(box.TextLength());
    EXPECT_EQ(box.SelIndent(), std::optional<int>(720));
    // ...while a paragraph with text of its own keeps its format.
    box.setSelStart(3);
    box.setSelRTF(doc(QStringLiteral("\\qc vloženo")));
    box.setSelStart(0);
    EXPECT_EQ(box.SelAlignment(), std::optional<int>(lumo::ui::AlignRight));
    EXPECT_TRUE(box.Text().startsWith(QStringLiteral("Záhvloženolaví\r\n")));
}

TEST(RichTextBoxRtf, TextRtfRoundTripKeepsTextAndFormats) {
    RichTextBox box;
    box.setTextRTF(doc(QStringLiteral(
        "\\b tučně\\b0  \\i kurzíva\\i0\\par \\ul odkaz\\ulnone\\par Жук \\strike x\\strike0")));
    const QString text = box.Text();
    EXPECT_EQ(text, QStringLiteral("tučně kurzíva\r\nodkaz\r\nЖук x"));
    RichTextBox again;
    again.setTextRTF(box.TextRTF());
    EXPECT_EQ(again.Text(), text);
    for (int p = 0; p < text.size(); ++p) {
        const QTextCharFormat a = box.charFormatAt(p), b = again.charFormatAt(p);
        EXPECT_EQ(a.fontWeight() >= QFont::Bold, b.fontWeight() >= QFont::Bold) << p;
        EXPECT_EQ(a.fontItalic(), b.fontItalic()) << p;
        EXPECT_EQ(a.fontUnderline(), b.fontUnderline()) << p;
        EXPECT_EQ(a.fontStrikeOut(), b.fontStrikeOut()) << p;
    }
    EXPECT_EQ(box.SelStart(), 0);
}

TEST(RichTextBoxRtf, SelRtfGivesTheSelectedPartOnly) {
    RichTextBox box;
    box.setTextRTF(doc(QStringLiteral("jedna\\par \\b dva\\b0\\par tři")));
    box.select(7, 3);
    RichTextBox part;
    part.setTextRTF(box.SelRTF());
    EXPECT_EQ(part.Text(), QStringLiteral("dva"));
    part.select(0, 3);
    EXPECT_EQ(part.SelBold(), TriState::On);
}

TEST(RichTextBoxRtf, MalformedOrPlainInputNeverLosesTheBox) {
    RichTextBox box;
    EXPECT_TRUE(box.setTextRTF(QStringLiteral("obyčejný text")).plainText);
    EXPECT_EQ(box.Text(), QStringLiteral("obyčejný text"));
    const auto result = box.setTextRTF(QStringLiteral("{\\rtf1 neuzavřeno {\\b tučně"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(box.Text().startsWith(QStringLiteral("neuzavřeno")));
}

TEST(RtfJoin, SecondFollowsFirstWithFormats) {
    lumo::rtf::ReadResult result;
    const QString joined = lumo::ui::JoinRtf(doc(QStringLiteral("Záhlaví\\par\\par ")),
                                             doc(QStringLiteral("\\b strana\\b0\\par dál")), &result);
    EXPECT_TRUE(result.ok);
    RichTextBox box;
    box.setTextRTF(joined);
    EXPECT_EQ(box.Text(), QStringLiteral("Záhlaví\r\n\r\nstrana\r\ndál"));
    box.select(11, 6);
    EXPECT_EQ(box.SelBold(), TriState::On);
}

} // namespace
