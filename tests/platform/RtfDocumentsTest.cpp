#include "RtfTestSupport.h"
#include "platform/rtf/RtfReader.h"
#include "platform/text/AnsiText.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include <gtest/gtest.h>

using lumo::rtf::ReadRtf;
using lumo::test::Paragraphs;
using lumo::test::RtfDataDir;

namespace {

QString readRtfFixture(const QString& name) {
    QString text;
    EXPECT_TRUE(lumo::text::readAnsiFile(RtfDataDir() + u'/' + name, text)) << name.toStdString();
    return text;
}

QString readUtf8(const QString& name) {
    QFile f(RtfDataDir() + u'/' + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(f.readAll());
}

QStringList words(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("[\\s\\x{2028}\\x{00A0}]+"));
    return text.split(blanks, Qt::SkipEmptyParts);
}

class RtfFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(RtfFixture, ReadsEveryParagraph) {
    const QString name = QString::fromLatin1(GetParam());
    QTextDocument doc;
    const auto r = ReadRtf(readRtfFixture(name + QStringLiteral(".rtf")), doc);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(Paragraphs(doc), readUtf8(name + QStringLiteral(".txt")));
}

INSTANTIATE_TEST_SUITE_P(Documents, RtfFixture,
                         ::testing::Values("richedit-cs", "wordpad-ru", "libreoffice-cs", "libreoffice-real"),
                         [](const auto& info) {
                             return QString::fromLatin1(info.param).remove(u'-').toStdString();
                         });

// Text as LibreOffice escapes it: \uN with a Windows-1252 fallback byte.
QString libreOfficeEscaped(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            out += c;
        else
            out += QStringLiteral("\\u%1\\'%2")
                       .arg(c.unicode())
                       .arg(c.unicode() < 0x100 ? c.unicode() : 0x3f, 2, 16, QLatin1Char('0'));
    }
    return out;
}

const char* const kWords[] = {
    "Máta",      "peprná",   "heřmánek", "pravý",    "šalvěj",   "lékařská",       "třezalka",
    "tečkovaná", "řepík",    "lékařský", "jitrocel", "kopinatý", "kozlík",         "lékařský",
    "Мята",      "перечная", "ромашка",  "аптечная", "зверобой", "продырявленный", "листy",
    "květ",      "nať",      "kořen",    "čaj",      "odvar",    "nálev",          "Šípek",
    "Ďáblík",    "bahenní",  "Žindava",  "úžlabina", "ústí",     "Ťuhýk",          "(folium)",
};

// A LibreOffice document: the fixture's head and paragraphs, then generated paragraphs with
// the styles LibreOffice writes, up to the given size.
QString makeLibreOfficeDocument(int size, QStringList& expected) {
    QString rtf = readRtfFixture(QStringLiteral("libreoffice-cs.rtf")).trimmed();
    rtf.chop(1); // the closing brace
    expected = words(readUtf8(QStringLiteral("libreoffice-cs.txt")));
    const QString par = QStringLiteral(
        "\\par \\pard\\plain \\s16\\rtlch\\af6\\afs24\\alang1081\\ltrch\\hich\\af3\\loch\\sl276\\slmult1"
        "\\widctlpar\\sb0\\sa140\\hyphpar0\\ltrpar\\aspalpha\\cf0\\loch\\f3\\fs24\\lang1029\\kerning1\\dbch\\"
        "af8"
        "\\langfe2052\\ql\\ltrpar");
    const char* const runs[] = {
        "{\\rtlch \\ltrch\\loch\r\n", "{\\b\\rtlch\\ab \\ltrch\\loch\\loch\\f3\\hich\\af3\r\n",
        "{\\i\\cf6\\rtlch\\ai \\ltrch\\loch\r\n", "{\\ul\\ulc0\\rtlch \\ltrch\\loch\r\n"};
    int n = 0;
    while (rtf.size() < size) {
        rtf += par;
        for (int run = 0; run < 6; ++run) {
            rtf += QString::fromLatin1(runs[(n + run) % 4]);
            for (int w = 0; w < 5; ++w, ++n) {
                const QString word = QString::fromUtf8(kWords[n % std::size(kWords)]);
                expected << word;
                rtf += libreOfficeEscaped(word) + u' ';
            }
            rtf += QStringLiteral("}\r\n");
        }
    }
    return rtf + QStringLiteral("\\par }");
}

TEST(RtfDocuments, LargeLibreOfficeDocumentKeepsEveryWord) {
    QStringList expected;
    const QString rtf = makeLibreOfficeDocument(200 * 1024, expected);
    ASSERT_GE(rtf.size(), 200 * 1024);
    QTextDocument doc;
    const auto r = ReadRtf(rtf, doc);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(words(Paragraphs(doc)).join(u' ').toStdString(), expected.join(u' ').toStdString());
}

// The header's fonts except the symbol font.
const int kTextFonts[] = {0, 2, 3, 4, 5, 6, 7};

// The program composes records from runs and keeps the literal characters.
TEST(RtfDocuments, LargeRecordWithLiteralCharactersKeepsEveryWord) {
    QString rtf = lumo::test::ProgramRtfHeader();
    QStringList expected;
    for (int n = 0; rtf.size() < 100 * 1024; ++n) {
        const QString word = QString::fromUtf8(kWords[n % std::size(kWords)]);
        expected << word;
        // Cyrillic goes in as \uN, Czech as it is, like the record composition does.
        QString text = word;
        if (word.at(0).unicode() >= 0x400 && word.at(0).unicode() < 0x500) {
            text.clear();
            for (QChar c : word)
                text += QStringLiteral("\\u%1?").arg(c.unicode());
        }
        rtf += QStringLiteral("\\cf%1\\b%2\\i0\\f%3\\fs%4 %5 %6")
                   .arg(n % 16 + 1)
                   .arg(n % 2 ? QString() : QStringLiteral("0"))
                   .arg(kTextFonts[n % std::size(kTextFonts)])
                   .arg(16 + n % 10)
                   .arg(text, n % 7 == 6 ? QStringLiteral("\\par ") : QString());
    }
    QTextDocument doc;
    EXPECT_TRUE(ReadRtf(rtf + u'}', doc).ok);
    EXPECT_EQ(words(Paragraphs(doc)).join(u' ').toStdString(), expected.join(u' ').toStdString());
}

} // namespace
