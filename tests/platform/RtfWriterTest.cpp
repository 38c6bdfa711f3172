#include "platform/rtf/RtfWriter.h"
#include "RtfTestSupport.h"
#include "platform/rtf/FontMap.h"
#include "platform/rtf/RtfReader.h"
#include "platform/text/AnsiText.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using lumo::rtf::ReadRtf;
using lumo::rtf::WriteRtf;
using lumo::test::Paragraphs;

namespace {

// What a reader of the document sees of one character's format; a format without a font
// shows the document's default font.
QString signature(const QTextCharFormat& f, const QFont& base) {
    const auto color = [&](int property) {
        return f.hasProperty(property) ? f.brushProperty(property).color().name() : QStringLiteral("auto");
    };
    QString face = lumo::rtf::FaceName(f);
    QString family = f.fontFamilies().toStringList().join(u',');
    if (family.isEmpty())
        face = family = base.family();
    return QStringLiteral("%1/%2/%3/%4%5%6%7/%8/%9/%10")
        .arg(face, family)
        .arg(f.fontPointSize() > 0 ? f.fontPointSize() : base.pointSizeF())
        .arg(f.fontWeight() > QFont::Medium)
        .arg(f.fontItalic())
        .arg(f.fontUnderline())
        .arg(f.fontStrikeOut())
        .arg(color(QTextFormat::ForegroundBrush), color(QTextFormat::BackgroundBrush))
        .arg(int(f.verticalAlignment()));
}

QString signature(const QTextBlockFormat& f) {
    return QStringLiteral("%1/%2/%3/%4/%5/%6/%7")
        .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
        .arg(f.leftMargin())
        .arg(f.rightMargin())
        .arg(f.textIndent())
        .arg(f.topMargin())
        .arg(f.bottomMargin())
        .arg(bool(f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore));
}

void expectSameDocument(const QTextDocument& a, const QTextDocument& b) {
    ASSERT_EQ(Paragraphs(a).toStdString(), Paragraphs(b).toStdString());
    for (QTextBlock x = a.begin(), y = b.begin(); x.isValid() && y.isValid(); x = x.next(), y = y.next()) {
        EXPECT_EQ(signature(x.blockFormat()), signature(y.blockFormat())) << x.text().toStdString();
        for (int i = 1; i <= x.length() - 1; ++i) {
            QTextCursor cx(x), cy(y);
            cx.setPosition(x.position() + i);
            cy.setPosition(y.position() + i);
            EXPECT_EQ(signature(cx.charFormat(), a.defaultFont()).toStdString(),
                      signature(cy.charFormat(), b.defaultFont()).toStdString())
                << "block \"" << x.text().toStdString() << "\" character " << i - 1;
        }
    }
}

void expectRoundTrip(const QTextDocument& doc) {
    const QString rtf = WriteRtf(doc);
    for (QChar c : rtf)
        ASSERT_LT(c.unicode(), 0x80) << "written RTF must be 7-bit";
    QTextDocument again;
    const auto r = ReadRtf(rtf, again);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    expectSameDocument(doc, again);
}

QString body(const QString& rtf) {
    return rtf.mid(rtf.indexOf(QStringLiteral("\\uc1")));
}

// A document made in the editor, not read from RTF: Qt font families, no face names.
void buildEdited(QTextDocument& doc) {
    QTextCursor c(&doc);
    QTextCharFormat f;
    f.setFontFamilies(QStringList{QStringLiteral("Liberation Serif")});
    f.setFontPointSize(14);
    c.insertText(QStringLiteral("Heřmánek "), f);
    f.setFontWeight(QFont::Bold);
    f.setForeground(QColor(200, 10, 20));
    c.insertText(QStringLiteral("pravý\t{x}\\"), f);
    QTextBlockFormat b;
    b.setAlignment(Qt::AlignHCenter);
    b.setLeftMargin(36);
    b.setTextIndent(-18);
    b.setTopMargin(6);
    b.setBottomMargin(3);
    c.insertBlock(b);
    f = QTextCharFormat();
    f.setFontItalic(true);
    f.setFontUnderline(true);
    f.setBackground(QColor(255, 255, 0));
    c.insertText(QStringLiteral("Ромашка аптечная \U0001F33C") + QChar(QChar::LineSeparator) +
                     QStringLiteral("řádek"),
                 f);
    b = QTextBlockFormat();
    b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    b.setAlignment(Qt::AlignJustify);
    c.insertBlock(b);
    f = QTextCharFormat();
    f.setFontStrikeOut(true);
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    c.insertText(QStringLiteral("x\u00A0y\u00ADz\u2011"), f);
    c.insertBlock(QTextBlockFormat());
}

TEST(RtfWriter, EditedDocumentRoundTrips) {
    QTextDocument doc;
    buildEdited(doc);
    expectRoundTrip(doc);
}

TEST(RtfWriter, FixturesRoundTrip) {
    for (const char* name :
         {"richedit-cs.rtf", "wordpad-ru.rtf", "libreoffice-cs.rtf", "libreoffice-real.rtf"}) {
        QString rtf;
        ASSERT_TRUE(
            lumo::text::readAnsiFile(lumo::test::RtfDataDir() + u'/' + QString::fromLatin1(name), rtf));
        QTextDocument doc;
        ReadRtf(rtf, doc);
        SCOPED_TRACE(name);
        expectRoundTrip(doc);
    }
}

TEST(RtfWriter, RecordRoundTripsWithItsFaceNames) {
    QTextDocument doc;
    ReadRtf(lumo::test::ProgramRtfHeader() +
                QStringLiteral("\\cf4\\b\\i0\\f5\\fs24 Máta \\par \\cf1\\b0\\f1 a\\f4 b}"),
            doc);
    expectRoundTrip(doc);
    const QString rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.startsWith(QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\fcharset238{\\*\\fname Arial;}Arial CE;}")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\fcharset2 Symbol;}")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("{\\*\\fname Times New Roman;}Times New Roman CE;}")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\red0\\green128\\blue128;")));
    EXPECT_TRUE(rtf.endsWith(u'}'));
}

TEST(RtfWriter, SymbolRunsRoundTripTheirCharacters) {
    QTextDocument doc;
    ReadRtf(QStringLiteral(
                "{\\rtf1{\\fonttbl{\\f0\\fcharset238 Arial CE;}{\\f1\\fcharset2 Symbol;}}\\f1 a\\'b7 1}"),
            doc);
    ASSERT_EQ(Paragraphs(doc), QStringLiteral("α• 1"));
    // Text typed into the symbol run holds letters the font would show as Greek.
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("ab\\{~}č"));
    expectRoundTrip(doc);
}

TEST(RtfWriter, FontChosenLaterReplacesTheFaceName) {
    QTextDocument doc;
    ReadRtf(lumo::test::ProgramRtfHeader() + QStringLiteral("\\f5 Máta}"), doc);
    QTextCursor c(&doc);
    c.select(QTextCursor::Document);
    QTextCharFormat f;
    f.setFontFamilies(QStringList{QStringLiteral("Liberation Mono")});
    c.mergeCharFormat(f);
    const QString rtf = WriteRtf(doc);
    EXPECT_FALSE(rtf.contains(QStringLiteral("Arial CE")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("Liberation Mono;}")));
}

struct EscapeCase {
    const char* name;
    QString text;
    QString written;
};

void PrintTo(const EscapeCase& c, std::ostream* os) {
    *os << c.name;
}

class RtfEscape : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(RtfEscape, WritesSevenBitText) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(GetParam().text);
    const QString rtf = body(WriteRtf(doc));
    EXPECT_TRUE(rtf.contains(GetParam().written)) << rtf.toStdString();
    QTextDocument again;
    ReadRtf(WriteRtf(doc), again);
    EXPECT_EQ(Paragraphs(again), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, RtfEscape,
    ::testing::Values(
        EscapeCase{"specials", QStringLiteral("a\\b{c}"), QStringLiteral(" a\\\\b\\{c\\}}")},
        EscapeCase{"czech", QStringLiteral("čaj Šípek"), QStringLiteral("\\'e8aj \\'8a\\'edpek")},
        EscapeCase{"cyrillic", QStringLiteral("Мята"), QStringLiteral("\\u1052?\\u1103?\\u1090?\\u1072?")},
        EscapeCase{"surrogates", QString::fromUcs4(U"\U0001F33C"), QStringLiteral("\\u-10180?\\u-8388?")},
        EscapeCase{"breaks", QStringLiteral("a\tb\u2028c\u00A0d"), QStringLiteral("a\\tab b\\line c\\~d")},
        EscapeCase{"paragraphs", QStringLiteral("a\n\nb"),
                   QStringLiteral("a\\par\r\n\\pard \\par\r\n\\pard b}")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfWriter, RangeWritesOnlyItsCharacters) {
    QTextDocument doc;
    ReadRtf(QStringLiteral("{\\rtf1 M\\'e1ta {\\b peprn\\'e1}\\par\\qc \\'8aalv\\'ecj\\par x}"), doc);
    struct {
        int from, to;
        QString expected;
    } cases[] = {{5, 14, QStringLiteral("peprná\nŠa")},
                 {0, 12, QStringLiteral("Máta peprná\n")},
                 {12, 18, QStringLiteral("Šalvěj")},
                 {3, 3, QString()},
                 {-5, 999, QStringLiteral("Máta peprná\nŠalvěj\nx")}};
    for (const auto& c : cases) {
        QTextDocument part;
        ReadRtf(WriteRtf(doc, c.from, c.to), part);
        EXPECT_EQ(Paragraphs(part), c.expected) << c.from << ".." << c.to;
    }
    QTextDocument part;
    ReadRtf(WriteRtf(doc, 5, 14), part);
    QTextCursor probe(&part);
    probe.setPosition(1);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(part.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

TEST(RtfWriter, EmptyDocumentStaysEmpty) {
    QTextDocument doc;
    QTextDocument again;
    EXPECT_TRUE(ReadRtf(WriteRtf(doc), again).ok);
    EXPECT_EQ(again.blockCount(), 1);
    EXPECT_TRUE(Paragraphs(again).isEmpty());
}

// LibreOffice must open what we write; it is only checked where it is installed.
TEST(RtfWriter, LibreOfficeReadsTheText) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is not installed";
    QTextDocument doc;
    buildEdited(doc);
    QTemporaryDir dir;
    ASSERT_TRUE(lumo::text::writeAnsiFile(dir.filePath(QStringLiteral("doc.rtf")), WriteRtf(doc)));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.path()); // never the real profile
    p.setProcessEnvironment(env);
    p.start(soffice,
            {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
             QStringLiteral("--headless"), QStringLiteral("--convert-to"),
             QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("--outdir"), dir.path(),
             dir.filePath(QStringLiteral("doc.rtf"))});
    ASSERT_TRUE(p.waitForFinished(120000));
    QFile txt(dir.filePath(QStringLiteral("doc.txt")));
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(txt.readAll());
    for (const QString& word :
         {QStringLiteral("Heřmánek"), QStringLiteral("pravý"), QStringLiteral("Ромашка"),
          QStringLiteral("аптечная"), QStringLiteral("řádek")})
        EXPECT_TRUE(text.contains(word)) << word.toStdString() << " in " << text.toStdString();
}

} // namespace
