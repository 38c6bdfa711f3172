#include "platform/ui/PositionMap.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using lumo::ui::PositionMap;

namespace {

// Builds a document: '\n' starts a paragraph, '|' is a line break inside one.
void fill(QTextDocument& doc, const QString& spec) {
    QString text = spec;
    text.replace(u'|', QChar::LineSeparator);
    QTextCursor(&doc).insertText(text);
}

struct MapCase {
    const char* name;
    const char* spec;
    const char* text;
};

void PrintTo(const MapCase& c, std::ostream* os) {
    *os << c.name;
}

class PositionMapCases : public ::testing::TestWithParam<MapCase> {};

TEST_P(PositionMapCases, TextPositionsLandOnTheSameCharacters) {
    QTextDocument doc;
    fill(doc, QString::fromUtf8(GetParam().spec));
    PositionMap map(&doc);
    const QString text = map.text();
    EXPECT_EQ(text, QString::fromUtf8(GetParam().text));
    for (int i = 0; i < text.size(); ++i) {
        const QChar docChar = doc.characterAt(map.toDoc(i));
        if (text.at(i) == u'\r') {
            EXPECT_TRUE(docChar == QChar::ParagraphSeparator || docChar == QChar::LineSeparator) << i;
        } else if (text.at(i) == u'\n') {
            // The LF half stands for the caret after the break.
            EXPECT_EQ(map.toDoc(i), map.toDoc(i - 1) + 1) << i;
        } else {
            EXPECT_EQ(docChar, text.at(i)) << i;
        }
    }
    // Every document position maps back to itself.
    for (int d = 0; d < doc.characterCount(); ++d)
        EXPECT_EQ(map.toDoc(map.toBox(d)), d) << d;
    EXPECT_EQ(map.toBox(doc.characterCount() - 1), text.size());
}

INSTANTIATE_TEST_SUITE_P(Documents, PositionMapCases,
                         ::testing::Values(MapCase{"Empty", "", ""}, MapCase{"OneWord", "Máta", "Máta"},
                                           MapCase{"TwoParagraphs", "a\nb", "a\r\nb"},
                                           MapCase{"EmptyParagraphs", "Seznam\n\nŠalvěj\n",
                                                   "Seznam\r\n\r\nŠalvěj\r\n"},
                                           MapCase{"OnlyBreaks", "\n\n", "\r\n\r\n"},
                                           MapCase{"LineBreak", "a|b\nc", "a\r\nb\r\nc"}));

TEST(PositionMap, FollowsEditsAfterInvalidate) {
    QTextDocument doc;
    fill(doc, QStringLiteral("ab\ncd"));
    PositionMap map(&doc);
    EXPECT_EQ(map.length(), 6);
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("\nef"));
    map.invalidate();
    EXPECT_EQ(map.text(), QStringLiteral("ab\r\ncd\r\nef"));
    EXPECT_EQ(map.toDoc(8), 6); // "e"
    EXPECT_EQ(map.toBox(6), 8);
}

TEST(PositionMap, ClampsOutOfRangePositions) {
    QTextDocument doc;
    fill(doc, QStringLiteral("ab\ncd"));
    PositionMap map(&doc);
    EXPECT_EQ(map.toDoc(-5), 0);
    EXPECT_EQ(map.toDoc(100), 5);
    EXPECT_EQ(map.toBox(100), 6);
}

} // namespace

namespace {

// The box keeps the map across restyling but must notice any change of characters.
TEST(PositionMap, FollowsContentsChangesButSurvivesRestyling) {
    QTextDocument doc;
    fill(doc, QStringLiteral("ab\ncd|ef"));
    PositionMap map(&doc);
    doc.documentLayout(); // a document without a layout reports no changes
    QObject::connect(&doc, &QTextDocument::contentsChange,
                     [&map](int pos, int removed, int added) { map.contentsChange(pos, removed, added); });
    EXPECT_EQ(map.text(), QStringLiteral("ab\r\ncd\r\nef"));
    QTextCursor c(&doc);
    c.setPosition(1);
    c.setPosition(6, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.mergeCharFormat(bold);
    EXPECT_EQ(map.text(), QStringLiteral("ab\r\ncd\r\nef"));
    // Same length, other characters.
    c.setPosition(0);
    c.setPosition(2, QTextCursor::KeepAnchor);
    c.insertText(QStringLiteral("xy"));
    EXPECT_EQ(map.text(), QStringLiteral("xy\r\ncd\r\nef"));
    c.setPosition(3);
    c.setPosition(5, QTextCursor::KeepAnchor);
    c.insertText(QStringLiteral("c\nd"));
    EXPECT_EQ(map.text(), QStringLiteral("xy\r\nc\r\nd\r\nef"));
}

} // namespace
