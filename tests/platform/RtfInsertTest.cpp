#include "RtfTestSupport.h"
#include "platform/rtf/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using lumo::rtf::InsertRtf;
using lumo::rtf::ReadRtf;
using lumo::test::Paragraphs;

namespace {

Qt::Alignment alignOf(const QTextBlock& b) {
    return b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

// A document of one right-aligned block with the given text.
void setRightAligned(QTextDocument& doc, const QString& text) {
    doc.setPlainText(text);
    QTextCursor c(&doc);
    QTextBlockFormat f;
    f.setAlignment(Qt::AlignRight);
    c.setBlockFormat(f);
}

struct InsertCase {
    const char* name;
    QString host;
    int position;
    QString rtf;
    QString expected;
    int cursorAfter;
};

void PrintTo(const InsertCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfInsert : public ::testing::TestWithParam<InsertCase> {};

TEST_P(RtfInsert, MergesWithTheBlocksAtTheCursor) {
    const InsertCase& p = GetParam();
    QTextDocument doc;
    doc.setPlainText(p.host);
    QTextCursor c(&doc);
    c.setPosition(p.position);
    const auto r = InsertRtf(c, p.rtf);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Paragraphs(doc), p.expected);
    EXPECT_EQ(c.position(), p.cursorAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfInsert,
    ::testing::Values(InsertCase{"inline", QStringLiteral("xy"), 1, QStringLiteral("{\\rtf1 AB}"),
                                 QStringLiteral("xABy"), 3},
                      InsertCase{"paragraphs", QStringLiteral("xy"), 1, QStringLiteral("{\\rtf1 A\\par B}"),
                                 QStringLiteral("xA\nBy"), 4},
                      InsertCase{"trailingPar", QStringLiteral("xy"), 2, QStringLiteral("{\\rtf1 A\\par}"),
                                 QStringLiteral("xyA\n"), 4},
                      InsertCase{"atStart", QStringLiteral("xy"), 0, QStringLiteral("{\\rtf1 A\\par }"),
                                 QStringLiteral("A\nxy"), 2},
                      InsertCase{"plainText", QStringLiteral("xy"), 1, QStringLiteral("A\r\nB"),
                                 QStringLiteral("xA\nBy"), 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfInsert, EmptyHostTakesFragmentParagraphFormats) {
    QTextDocument doc;
    QTextCursor c(&doc);
    InsertRtf(c, QStringLiteral("{\\rtf1\\pard\\qc A\\par\\pard\\qr B}"));
    ASSERT_EQ(doc.blockCount(), 2);
    EXPECT_EQ(alignOf(doc.begin()), Qt::AlignHCenter);
    EXPECT_EQ(alignOf(doc.begin().next()), Qt::AlignRight);
}

TEST(RtfInsert, HostTextKeepsItsParagraphFormat) {
    QTextDocument doc;
    setRightAligned(doc, QStringLiteral("xy"));
    QTextCursor c(&doc);
    c.setPosition(1);
    InsertRtf(c, QStringLiteral("{\\rtf1\\pard\\qc A\\par\\pard\\qj M\\par\\pard\\qc B}"));
    ASSERT_EQ(Paragraphs(doc), QStringLiteral("xA\nM\nBy"));
    EXPECT_EQ(alignOf(doc.begin()), Qt::AlignRight) << "host text before the cursor";
    EXPECT_EQ(alignOf(doc.begin().next()), Qt::AlignJustify) << "a paragraph of the fragment alone";
    EXPECT_EQ(alignOf(doc.lastBlock()), Qt::AlignRight) << "host text after the cursor";
}

TEST(RtfInsert, HostBlockStartTakesFirstFragmentFormat) {
    QTextDocument doc;
    setRightAligned(doc, QStringLiteral("y"));
    QTextCursor c(&doc);
    InsertRtf(c, QStringLiteral("{\\rtf1\\qc A\\par B}"));
    ASSERT_EQ(Paragraphs(doc), QStringLiteral("A\nBy"));
    EXPECT_EQ(alignOf(doc.begin()), Qt::AlignHCenter);
    EXPECT_EQ(alignOf(doc.lastBlock()), Qt::AlignRight);
}

TEST(RtfInsert, JoiningTwoDocumentsKeepsBothFormats) {
    QTextDocument doc;
    ReadRtf(QStringLiteral("{\\rtf1 {\\b A}}"), doc);
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    InsertRtf(c, QStringLiteral("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}{\\cf1 B}}"));
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("AB"));
    QTextCursor probe(&doc);
    probe.setPosition(1);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
    probe.setPosition(2);
    EXPECT_EQ(probe.charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_NE(probe.charFormat().fontWeight(), QFont::Bold);

    ReadRtf(QStringLiteral("{\\rtf1 {\\b A}\\par}"), doc);
    c = QTextCursor(&doc);
    c.movePosition(QTextCursor::End);
    InsertRtf(c, QStringLiteral("{\\rtf1 B}"));
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("A\nB"));
}

TEST(RtfInsert, ReplacesSelectionAsOneUndoStep) {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("hello"));
    QTextCursor c(&doc);
    c.setPosition(1);
    c.setPosition(4, QTextCursor::KeepAnchor);
    InsertRtf(c, QStringLiteral("{\\rtf1 X\\par Y}"));
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("hX\nYo"));
    doc.undo();
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("hello"));
}

} // namespace
