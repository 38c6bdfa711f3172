#include "RtfTestSupport.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/fuzz/RtfWordOracle.h"
#include "platform/text/AnsiText.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

// Documents whose readable text was once lost or garbled without a word of warning.
namespace {

using lumo::rtf::ReadRtf;
using lumo::test::Paragraphs;

QString read(const QString& rtf, lumo::rtf::ReadResult* result = nullptr) {
    QTextDocument doc;
    const auto r = ReadRtf(rtf, doc);
    if (result)
        *result = r;
    return Paragraphs(doc);
}

QString nested(int depth, const QString& inner) {
    return QString(depth, u'{') + inner + QString(depth, u'}');
}

TEST(RtfNoLoss, OnlyAStarAfterTheBraceMakesADestinationOptional) {
    lumo::rtf::ReadResult r;
    EXPECT_EQ(read(QStringLiteral("{\\rtf1 {\\b0\\*\\cs7 The quick brown fox} jumps{\\*\\cs8 gone}}"), &r),
              QStringLiteral("The quick brown fox jumps"));
    EXPECT_TRUE(r.ok);
}

TEST(RtfNoLoss, GroupsPastTheDepthLimitEndWhereTheyEnd) {
    const QString prefix = QStringLiteral("{\\rtf1 start ");
    lumo::rtf::ReadResult r;
    // Skipped destinations deep down skip only themselves.
    EXPECT_EQ(read(prefix + nested(205, QStringLiteral("{\\*\\x hidden}kept{\\pict 0a0b} too")) +
                       QStringLiteral(" after}"),
                   &r),
              QStringLiteral("start kept too after"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("hluboko"))) << r.error.toStdString();

    // A format deep down never reaches the text after its group.
    QTextDocument doc;
    ReadRtf(prefix + nested(205, QStringLiteral("{\\b bold} plain\\i")) + QStringLiteral(" end}"), doc);
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("start bold plain end"));
    for (const QString& word : {QStringLiteral("plain"), QStringLiteral("end")}) {
        QTextCursor c(&doc);
        c.setPosition(int(Paragraphs(doc).indexOf(word)) + 2);
        EXPECT_NE(c.charFormat().fontWeight(), QFont::Bold) << word.toStdString();
        EXPECT_FALSE(c.charFormat().fontItalic()) << word.toStdString();
    }
}

TEST(RtfNoLoss, NothingAfterTheLastBraceIsText) {
    const struct {
        QString rtf;
        const char* named;
    } cases[] = {
        {QStringLiteral("{\\rtf1 abc}ďż˝8$DM"), "text"},
        {QStringLiteral("{\\rtf1 abc}\r\n{\\rtf1 def}"), "další dokument"},
        {QStringLiteral("{\\rtf1 abc}} def"), "závorku"},
    };
    for (const auto& c : cases) {
        lumo::rtf::ReadResult r;
        EXPECT_EQ(read(c.rtf, &r), QStringLiteral("abc")) << c.named;
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.named))) << r.error.toStdString();
    }
}

// Literal bytes reach the reader decoded as Windows-1250, the way every file is read.
QString fromBytes(const char* bytes) {
    return lumo::text::decodeAnsi(QByteArray(bytes));
}

TEST(RtfNoLoss, CodePagesAsTheDocumentDeclaresThem) {
    const struct {
        const char* name;
        QString rtf;
        QString text;
    } cases[] = {
        {"Mac Roman", QStringLiteral("{\\rtf1\\mac cr\\'8fme br\\'9el\\'8ee}"),
         QStringLiteral("crème brûlée")},
        {"Mac Roman by number", QStringLiteral("{\\rtf1\\ansi\\ansicpg10000 \\'8e}"), QStringLiteral("é")},
        {"Shift-JIS, a trail byte that is a brace",
         QStringLiteral("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 "
                        "\\'93\\'fa\\'96\\'7b\\'8c\\'ea}"),
         QStringLiteral("日本語")},
        {"GBK by font, literal bytes",
         fromBytes(
             "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial CE;}{\\f1\\fcharset134 SimSun;}}"
             "\\f1 \xd6\xd0\xce\xc4\\f0  \xe8}"),
         QStringLiteral("中文 č")},
        {"Big5", QStringLiteral("{\\rtf1\\ansi\\ansicpg950 \\'a4\\'a4}"), QStringLiteral("中")},
        {"Thai", QStringLiteral("{\\rtf1\\ansi\\ansicpg874 \\'e4\\'b7\\'c2}"), QStringLiteral("ไทย")},
        {"OEM 437 and 850", QStringLiteral("{\\rtf1\\pc \\'82{\\fonttbl{\\f0\\cpg850 Terminal;}}\\f0\\'d2}"),
         QStringLiteral("éÊ")},
        {"literal 1252",
         fromBytes("{\\rtf1\\ansi\\ansicpg1252 cr\xe8me br\xfbl\xe9"
                   "e}"),
         QStringLiteral("crème brûlée")},
        {"literal 1251", fromBytes("{\\rtf1\\ansi\\ansicpg1251 \xcc\xe0\xf2\xe0}"), QStringLiteral("Мата")},
        {"nothing declared stays Czech", fromBytes("{\\rtf1 m\xe1ta \\'e8}"), QStringLiteral("máta č")},
    };
    for (const auto& c : cases) {
        lumo::rtf::ReadResult r;
        EXPECT_EQ(read(c.rtf, &r), c.text) << c.name;
        EXPECT_TRUE(r.ok) << c.name << ": " << r.error.toStdString();
    }
}

// The fuzzer's oracle on a fixed set of generated documents.
TEST(RtfNoLoss, GeneratedDocumentsGiveBackEveryWord) {
    int deep = 0;
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        lumo::rtf::fuzz::ChoiceSource choices(seed);
        const auto generated = lumo::rtf::fuzz::GenerateOracleDocument(choices);
        deep += generated.rtf.count(u'{') > 200 ? 1 : 0;
        QTextDocument doc;
        ReadRtf(generated.rtf, doc);
        const QString difference =
            lumo::rtf::fuzz::CompareWords(generated.words, lumo::rtf::fuzz::WordsOf(doc));
        ASSERT_TRUE(difference.isEmpty()) << "seed " << seed << ": " << difference.toStdString() << "\n"
                                          << generated.rtf.left(2000).toStdString();
    }
    EXPECT_GT(deep, 20);
}

} // namespace
