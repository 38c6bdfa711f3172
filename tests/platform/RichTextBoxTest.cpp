#include "platform/ui/RichTextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

using lumo::ui::RichTextBox;
using lumo::ui::TriState;

namespace {

const QString kLf = QStringLiteral("\r\n");

void keyClick(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// A box that wraps at a fixed width, as the tests need deterministic lines.
class Box : public ::testing::Test {
protected:
    Box() {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSize(10);
        box.document()->setDefaultFont(font);
        box.resize(400, 200);
    }
    RichTextBox box;
};

TEST_F(Box, PositionsFoundInTextSelectTheSameCharacters) {
    box.setText(QStringLiteral("Seznam bylin\r\nMáta peprná\r\n\r\nŠalvěj"));
    const QString text = box.Text();
    EXPECT_EQ(text, QStringLiteral("Seznam bylin\r\nMáta peprná\r\n\r\nŠalvěj"));
    EXPECT_EQ(box.TextLength(), text.size());
    for (const QString& word : {QStringLiteral("Máta"), QStringLiteral("peprná"), QStringLiteral("Šalvěj")}) {
        box.select(int(text.indexOf(word)), int(word.size()));
        EXPECT_EQ(box.SelText(), word);
        EXPECT_EQ(box.SelStart(), text.indexOf(word));
        EXPECT_EQ(box.SelLength(), word.size());
    }
    // A selection over a line break reads it back as CR LF.
    box.select(12, 6);
    EXPECT_EQ(box.SelText(), QStringLiteral("\r\nMáta"));
    // The LF half puts the caret at the start of the next line.
    box.setSelStart(13);
    EXPECT_EQ(box.SelStart(), 14);
}

TEST_F(Box, SelStartClampsAndCollapsesTheSelection) {
    box.setText(QStringLiteral("abc"));
    box.select(1, 2);
    box.setSelStart(10);
    EXPECT_EQ(box.SelStart(), 3);
    EXPECT_EQ(box.SelLength(), 0);
    box.setSelStart(1);
    box.setSelLength(50);
    EXPECT_EQ(box.SelLength(), 2);
    box.setSelLength(-1);
    EXPECT_EQ(box.SelLength(), 0);
}

TEST_F(Box, InsertedTextTakesTheInsertionFormat) {
    box.setText(QStringLiteral("Nadpis\r\n"));
    box.setSelStart(box.TextLength());
    box.setSelFontName(QStringLiteral("Arial CE"));
    box.setSelFontSize(12);
    box.setSelColor(0xFF0000);
    box.setSelUnderline(true);
    EXPECT_EQ(box.SelUnderline(), TriState::On);
    box.setSelText(QStringLiteral("Máta peprná\r\n"));
    EXPECT_EQ(box.Text(), QStringLiteral("Nadpis\r\nMáta peprná\r\n"));
    EXPECT_EQ(box.SelStart(), box.TextLength());
    box.select(8, 11);
    EXPECT_EQ(box.SelUnderline(), TriState::On);
    EXPECT_EQ(box.SelColor(), std::optional<long>(0xFF0000));
    EXPECT_EQ(box.SelFontName(), std::optional<QString>(QStringLiteral("Arial CE")));
    EXPECT_EQ(box.SelFontSize(), std::optional<double>(12));
    box.select(0, 6);
    EXPECT_EQ(box.SelUnderline(), TriState::Off);
}

TEST_F(Box, SelectionFormatsAreTriState) {
    box.setText(QStringLiteral("tučně a normálně"));
    box.select(0, 5);
    box.setSelBold(true);
    box.setSelColor(0x8000);
    box.setSelFontSize(14);
    EXPECT_EQ(box.SelBold(), TriState::On);
    box.select(0, 8);
    EXPECT_EQ(box.SelBold(), TriState::Mixed);
    EXPECT_EQ(box.SelItalic(), TriState::Off);
    EXPECT_EQ(box.SelColor(), std::nullopt);
    EXPECT_EQ(box.SelFontSize(), std::nullopt);
    box.select(6, 3);
    EXPECT_EQ(box.SelBold(), TriState::Off);
    // An empty selection reads the format at the caret.
    box.setSelStart(3);
    EXPECT_EQ(box.SelBold(), TriState::On);
    EXPECT_EQ(box.SelColor(), std::optional<long>(0x8000));
}

TEST_F(Box, ParagraphFormatsCoverTheSelectedParagraphs) {
    box.setText(QStringLiteral("jedna\r\ndva\r\ntři"));
    box.select(7, 1);
    box.setSelIndent(720);
    box.setSelAlignment(lumo::ui::AlignCenter);
    EXPECT_EQ(box.SelIndent(), std::optional<int>(720));
    EXPECT_EQ(box.SelAlignment(), std::optional<int>(lumo::ui::AlignCenter));
    box.select(0, 9);
    EXPECT_EQ(box.SelIndent(), std::nullopt);
    EXPECT_EQ(box.SelAlignment(), std::nullopt);
    box.setSelStart(12);
    EXPECT_EQ(box.SelIndent(), std::optional<int>(0));
    EXPECT_EQ(box.SelAlignment(), std::optional<int>(lumo::ui::AlignLeft));
}

TEST_F(Box, IndentIsWhereTheFirstLineStarts) {
    box.setTextRTF(QStringLiteral("{\\rtf1\\pard\\li720\\fi-360 odr\\u225?\\'9ekov\\u253? bod\\par}"));
    box.setSelStart(2);
    EXPECT_EQ(box.SelIndent(), std::optional<int>(360));
    box.setSelIndent(1080);
    EXPECT_EQ(box.SelIndent(), std::optional<int>(1080));
    // The hanging offset stays: the lines below start 360 twips further right.
    const QString rtf = box.TextRTF();
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\li1440"))) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\fi-360"))) << rtf.toStdString();
}

TEST_F(Box, FormatAtAPositionLeavesTheSelection) {
    box.setText(QStringLiteral("ab\r\ncd"));
    box.select(4, 1);
    box.setSelStrikeThru(true);
    box.select(1, 1);
    EXPECT_TRUE(box.charFormatAt(4).fontStrikeOut());
    EXPECT_FALSE(box.charFormatAt(5).fontStrikeOut());
    EXPECT_FALSE(box.charFormatAt(0).fontStrikeOut());
    EXPECT_EQ(box.SelStart(), 1);
    EXPECT_EQ(box.SelLength(), 1);
    // A selection cannot end between CR and LF.
    box.select(1, 2);
    EXPECT_EQ(box.SelLength(), 3);
}

TEST_F(Box, ChangingCaseKeepsFormats) {
    box.setText(QStringLiteral("máta straße"));
    box.select(0, 2);
    box.setSelBold(true);
    box.select(0, 11);
    box.changeSelCase(true);
    EXPECT_EQ(box.Text(), QStringLiteral("MÁTA STRASSE"));
    EXPECT_EQ(box.SelLength(), 12);
    EXPECT_TRUE(box.charFormatAt(1).fontWeight() >= QFont::Bold);
    EXPECT_FALSE(box.charFormatAt(2).fontWeight() >= QFont::Bold);
    box.select(0, 4);
    box.changeSelCase(false);
    EXPECT_EQ(box.Text(), QStringLiteral("máta STRASSE"));
}

struct FindCase {
    const char* name;
    const char* what;
    int start;
    int end;
    int options;
    int expected;
};

void PrintTo(const FindCase& c, std::ostream* os) {
    *os << c.name;
}

class FindCases : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindCases, FindsLikeTheRichEditBox) {
    RichTextBox box;
    box.setText(QStringLiteral("Šalvěj lékařská\r\nšalvějový čaj, ŠALVĚJ"));
    const FindCase c = GetParam();
    box.select(1, 1);
    EXPECT_EQ(box.Find(QString::fromUtf8(c.what), c.start, c.end, c.options), c.expected);
    if (c.expected >= 0 && !(c.options & lumo::ui::FindNoHighlight)) {
        EXPECT_EQ(box.SelStart(), c.expected);
        EXPECT_EQ(box.SelText().toLower(), QString::fromUtf8(c.what).toLower());
    } else {
        EXPECT_EQ(box.SelStart(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, FindCases,
    ::testing::Values(FindCase{"IgnoresCase", "šalvěj", 0, -1, 0, 0},
                      FindCase{"FromStart", "ŠALVĚJ", 1, -1, 0, 17},
                      FindCase{"MatchCase", "šalvěj", 1, -1, lumo::ui::FindMatchCase, 17},
                      FindCase{"WholeWord", "šalvěj", 1, -1, lumo::ui::FindWholeWord, 32},
                      FindCase{"NoHighlight", "čaj", 0, -1, lumo::ui::FindNoHighlight, 27},
                      FindCase{"PastEnd", "čaj", 0, 29, 0, -1}, FindCase{"Missing", "heřmánek", 0, -1, 0, -1},
                      FindCase{"Empty", "", 0, -1, 0, -1},
                      FindCase{"OverLineBreak", "lékařská\r\nšal", 0, -1, 0, 7}));

TEST_F(Box, DisplayLinesCoverTheText) {
    box.setRightMargin(2880); // two inches
    QString text;
    for (int i = 0; i < 6; ++i)
        text += QStringLiteral("Odstavec %1 s několika slovy, která se zalomí do více řádků.\r\n").arg(i);
    box.setText(text);
    const int lines = box.lineCount();
    EXPECT_GT(lines, 12);
    QString rebuilt;
    for (int i = 0; i < lines; ++i) {
        const int start = box.lineIndex(i);
        ASSERT_GE(start, 0);
        EXPECT_EQ(box.lineFromChar(start), i);
        const QString line = box.lineText(i);
        EXPECT_EQ(line.size(), box.lineLength(start));
        EXPECT_EQ(box.Text().mid(start, line.size()), line);
        rebuilt += line;
        if (i + 1 < lines && box.lineIndex(i + 1) > start + line.size())
            rebuilt += kLf;
    }
    EXPECT_EQ(rebuilt, text);
    EXPECT_EQ(box.lineIndex(lines), -1);
    // Without the margin the lines follow the window.
    box.setRightMargin(0);
    box.resize(2000, 200);
    box.show();
    EXPECT_EQ(box.lineCount(), 7);
}

TEST_F(Box, FirstVisibleLineFollowsTheScrolling) {
    QString text;
    for (int i = 0; i < 60; ++i)
        text += QStringLiteral("řádek %1\r\n").arg(i);
    box.setText(text);
    box.show();
    EXPECT_EQ(box.firstVisibleLine(), 0);
    box.setSelStart(box.TextLength());
    box.scrollToCaret();
    EXPECT_GT(box.verticalScrollBar()->value(), 0);
    const int first = box.firstVisibleLine();
    EXPECT_GT(first, 30);
    EXPECT_EQ(box.lineText(first + 1).left(6), QStringLiteral("řádek "));
    const QPoint topLeft(2, 0);
    EXPECT_EQ(box.lineFromChar(box.charFromPos(topLeft)), first);
}

TEST_F(Box, CharFromPosFindsTheCharacterUnderAPoint) {
    box.setText(QStringLiteral("první\r\ndruhý řádek"));
    box.show();
    QTextCursor c = box.textCursor();
    c.setPosition(box.toDocumentPosition(10));
    const QRect r = box.cursorRect(c);
    EXPECT_EQ(box.charFromPos(r.center() + QPoint(2, 0)), 10);
    EXPECT_EQ(box.charFromPos(QPoint(1, 1)), 0);
}

TEST_F(Box, LockedTextCanStillBeSelectedAndCopied) {
    box.setText(QStringLiteral("Máta peprná"));
    box.setLocked(true);
    EXPECT_TRUE(box.Locked());
    box.show();
    box.setFocus();
    box.setSelStart(0);
    keyClick(&box, Qt::Key_Right, Qt::ShiftModifier);
    keyClick(&box, Qt::Key_Right, Qt::ShiftModifier);
    keyClick(&box, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    EXPECT_EQ(box.SelLength(), 2);
    EXPECT_EQ(box.Text(), QStringLiteral("Máta peprná"));
    keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Má"));
    box.setLocked(false);
    EXPECT_FALSE(box.isReadOnly());
}

TEST_F(Box, ColoursAreOleColoursAndPropertiesWorkByName) {
    box.setBackColor(0xC0C0C0);
    EXPECT_EQ(box.BackColor(), 0xC0C0C0);
    box.setProperty("ForeColor", QVariant::fromValue(0xFFL));
    EXPECT_EQ(box.palette().color(QPalette::Text), QColor(255, 0, 0));
    box.setProperty("Text", QStringLiteral("ab\r\ncd"));
    box.setProperty("SelStart", 4);
    box.setProperty("SelLength", 2);
    EXPECT_EQ(box.property("SelText").toString(), QStringLiteral("cd"));
    box.setBackColor(0x80000005); // the window background
    EXPECT_EQ(box.palette().color(QPalette::Base), QGuiApplication::palette().color(QPalette::Base));
}

} // namespace

namespace {

// The description views: a title formatted as a whole, then its text typed on at the end.
TEST_F(Box, TextTypedAfterAFormattedTitleContinuesItsFormat) {
    box.setText(QStringLiteral("Bazalka\r\n"));
    box.select(0, box.TextLength());
    box.setSelFontName(QStringLiteral("Arial CE"));
    box.setSelFontSize(14);
    box.setSelColor(0x8000);
    box.setSelBold(true);
    box.setSelAlignment(lumo::ui::AlignCenter);
    box.setSelStart(box.TextLength());
    box.setSelText(QStringLiteral("Popis"));
    box.setSelAlignment(lumo::ui::AlignLeft);
    box.select(9, 5);
    EXPECT_EQ(box.SelText(), QStringLiteral("Popis"));
    EXPECT_EQ(box.SelBold(), TriState::On);
    EXPECT_EQ(box.SelColor(), std::optional<long>(0x8000));
    EXPECT_EQ(box.SelFontSize(), std::optional<double>(14));
    EXPECT_EQ(box.SelFontName(), std::optional<QString>(QStringLiteral("Arial CE")));
    EXPECT_EQ(box.SelAlignment(), std::optional<int>(lumo::ui::AlignLeft));
    box.select(0, 7);
    EXPECT_EQ(box.SelAlignment(), std::optional<int>(lumo::ui::AlignCenter));
}

// The section toolbar reads a heading's format with the caret at the heading's start.
TEST_F(Box, CaretAtAParagraphStartReadsTheFirstCharacter) {
    box.setText(QStringLiteral("konec\r\nNadpis: text"));
    box.select(7, 6);
    box.setSelColor(0x8000);
    box.setSelFontSize(16);
    box.setSelStart(7);
    EXPECT_EQ(box.SelColor(), std::optional<long>(0x8000));
    EXPECT_EQ(box.SelFontSize(), std::optional<double>(16));
    box.setSelStart(3);
    EXPECT_NE(box.SelColor(), std::optional<long>(0x8000));
}

TEST_F(Box, CharFromPosTakesTheCharacterWhoseCellHoldsThePoint) {
    box.setText(QStringLiteral("WWW\r\nMM"));
    box.show();
    auto cellOf = [this](int pos) {
        QTextCursor c = box.textCursor();
        c.setPosition(box.toDocumentPosition(pos));
        const QRect left = box.cursorRect(c);
        c.setPosition(box.toDocumentPosition(pos) + 1);
        return std::pair{left, box.cursorRect(c)};
    };
    for (int pos : {0, 1, 2, 5, 6}) {
        const auto [left, right] = cellOf(pos);
        const int y = left.center().y();
        EXPECT_EQ(box.charFromPos(QPoint(left.center().x() + 1, y)), pos) << pos;
        EXPECT_EQ(box.charFromPos(QPoint(right.center().x() - 2, y)), pos) << pos;
    }
}

} // namespace

namespace {

// The section toolbar scrolls a heading to the top: caret to the end, then to the heading.
TEST_F(Box, CaretToTheEndThenBackScrollsTheLineToTheTop) {
    QString text;
    for (int i = 0; i < 80; ++i)
        text += QStringLiteral("řádek %1\r\n").arg(i);
    box.setText(text);
    box.show();
    const int heading = int(text.indexOf(QStringLiteral("řádek 30")));
    box.setSelStart(box.TextLength());
    box.setSelStart(heading);
    EXPECT_EQ(box.firstVisibleLine(), box.lineFromChar(heading));
}

} // namespace

// A damaged record holding a run of 100,000 characters without a break wraps anywhere (Qt's
// word-boundary layout of such a run takes seconds); the next sound text in the same box
// wraps at word boundaries again.
TEST_F(Box, AnOverlongRunWrapsAnywhereAndTheNextTextAtWords) {
    box.show();
    const QString run(100000, u'}');
    box.setTextRTF(QStringLiteral("{\\rtf1 začátek ") + QString(run).replace(u'}', QStringLiteral("\\}")) +
                   QStringLiteral(" konec\\par}"));
    EXPECT_EQ(box.Text(), QStringLiteral("začátek ") + run + QStringLiteral(" konec\r\n"));
    EXPECT_EQ(box.lineFromChar(8), 0); // the run goes on after "začátek " on its line
    EXPECT_GT(box.lineFromChar(box.TextLength() - 1), 100);

    const QString words = QStringLiteral("slovo ").repeated(200).trimmed();
    box.setText(words);
    const int lines = box.lineFromChar(box.TextLength());
    ASSERT_GT(lines, 3);
    for (int pos = 1; pos < box.TextLength(); ++pos) {
        if (box.lineFromChar(pos) != box.lineFromChar(pos - 1)) {
            EXPECT_EQ(words.at(pos - 1), u' ') << pos;
        }
    }
}
