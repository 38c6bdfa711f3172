#include "RtfTestSupport.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/text/AnsiText.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using lumo::rtf::ReadRtf;
using lumo::test::Paragraphs;

namespace {

struct BadCase {
    const char* name;
    QString rtf;
    QString expected; // the readable text that must survive
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfMalformed : public ::testing::TestWithParam<BadCase> {};

TEST_P(RtfMalformed, KeepsTextAndReportsTheFault) {
    QTextDocument doc;
    const auto r = ReadRtf(GetParam().rtf, doc);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(Paragraphs(doc), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RtfMalformed,
    ::testing::Values(
        BadCase{"missingClose", QStringLiteral("{\\rtf1 abc\\par {\\b def"), QStringLiteral("abc\ndef")},
        BadCase{"strayClose", QStringLiteral("{\\rtf1 abc}} def}"), QStringLiteral("abc")},
        BadCase{"textAfterEnd", QStringLiteral("{\\rtf1 abc} def"), QStringLiteral("abc")},
        BadCase{"truncatedHex", QStringLiteral("{\\rtf1 ab\\'4"), QStringLiteral("ab4")},
        BadCase{"badHex", QStringLiteral("{\\rtf1 ab\\'zzc}"), QStringLiteral("abzzc")},
        BadCase{"trailingBackslash", QStringLiteral("{\\rtf1 ab\\"), QStringLiteral("ab")},
        BadCase{"hugeBinary", QStringLiteral("{\\rtf1 ab\\bin999999999999 cd}"), QStringLiteral("ab")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfMalformed, TrailingBlanksAfterTheEndAreFine) {
    QTextDocument doc;
    const auto r = ReadRtf(QStringLiteral("{\\rtf1 abc}  \r\n") + QChar(0), doc);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("abc"));
}

TEST(RtfMalformed, DeepNestingIsCappedWithoutLosingText) {
    const int depth = 200000;
    const QString rtf = QStringLiteral("{\\rtf1 a") + QString(depth, u'{') + QStringLiteral("\\b deep") +
                        QString(depth, u'}') + QStringLiteral(" z}");
    QTextDocument doc;
    const auto r = ReadRtf(rtf, doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("adeep z"));
}

TEST(RtfMalformed, HugeNumbersAreClamped) {
    QTextDocument doc;
    const auto r =
        ReadRtf(QStringLiteral("{\\rtf1\\uc99999999\\fs99999999999999999999\\li-99999999999\\sa99999999 "
                               "\\cf2147483647\\f-2147483648\\u99999999 abc{x}\\uc1\\u-99999999?y}"),
                doc);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Paragraphs(doc), QStringLiteral("\uFFFDx\uFFFDy"));
    QTextCursor c(&doc);
    c.setPosition(1);
    EXPECT_GT(c.charFormat().fontPointSize(), 1000.0);
    EXPECT_LT(c.charFormat().fontPointSize(), 2000.0);
    EXPECT_GE(doc.begin().blockFormat().leftMargin(), -31680 / 15.0);
}

TEST(RtfMalformed, RandomBytesNeverCrash) {
    QRandomGenerator rng(1029);
    const char* pieces[] = {"{",         "}",          "\\",  "\\'",   "\\u",  "\\b", "\\par",
                            "\\fonttbl", "\\colortbl", "\\*", "\\bin", "\\uc", "-",   "9",
                            ";",         " ",          "\\f", "\\'e8", "x"};
    for (int round = 0; round < 300; ++round) {
        QString rtf = QStringLiteral("{\\rtf1 ");
        const int n = int(rng.bounded(400));
        for (int i = 0; i < n; ++i) {
            if (rng.bounded(3) == 0)
                rtf += QChar(char16_t(rng.bounded(0x10000)));
            else
                rtf += QString::fromLatin1(pieces[rng.bounded(int(std::size(pieces)))]);
        }
        QTextDocument doc;
        ReadRtf(rtf, doc);
        // What was read must also write and read again.
        QTextDocument again;
        EXPECT_TRUE(ReadRtf(lumo::rtf::WriteRtf(doc), again).ok);
        EXPECT_EQ(Paragraphs(again), Paragraphs(doc)) << round;
    }
}

// Every fuzzing seed and every input that once crashed the reader.
TEST(RtfMalformed, CorpusAndCrashFilesReadWithoutCrashing) {
    int files = 0;
    for (const char* folder : {"corpus", "crashes"}) {
        const QDir dir(lumo::test::RtfDataDir() + u'/' + QString::fromLatin1(folder));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            const QString rtf = lumo::text::decodeAnsi(f.readAll());
            QTextDocument doc;
            ReadRtf(rtf, doc);
            QTextDocument again;
            ReadRtf(lumo::rtf::WriteRtf(doc), again);
            EXPECT_EQ(Paragraphs(again), Paragraphs(doc)) << name.toStdString();
            ++files;
        }
    }
    EXPECT_GT(files, 5);
}

} // namespace
