#include "RtfTestSupport.h"
#include "platform/db/CipherFormat.h"
#include "platform/db/Connection.h"
#include "platform/rtf/RtfReader.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using lumo::rtf::ReadRtfText;

// What the rich-text box shows as Text after loading the document.
QString boxText(const QString& rtf) {
    lumo::ui::RichTextBox box;
    box.setTextRTF(rtf);
    return box.Text();
}

// The text-only pass gives the box's Text for every kind of input: paragraphs, line breaks,
// page breaks, tables, escapes, Unicode, skipped destinations, plain text and broken RTF,
// every fixture and fuzzing seed, and every section text of the sample database.
TEST(RtfText, GivesExactlyTheBoxTextOfEveryDocument) {
    const QString h = lumo::test::ProgramRtfHeader();
    QStringList inputs = {
        h + QStringLiteral("\\pard\\f5\\fs20 he\\'f8m\\'e1nek\\par Druh\\'fd\\line \\'f8\\'e1dek\\par}"),
        h + QStringLiteral("\\pard A\\page\\page B\\par\\par\\par}"),
        h + QStringLiteral("\\trowd\\cellx1000\\cellx2000 a\\cell b\\cell\\row c\\cell\\cell d\\row}"),
        h + QStringLiteral(
                "{\\*\\generator X;}{\\info{\\title T}}\\u382?lu\\'9d\\uc0\\u269 ou\\tab x\\~y\\-z}"),
        h + QStringLiteral("{\\f1 abc\\'b6}\\{\\}\\\\ \\emdash\\bullet\r\n\\par"),
        h + QStringLiteral("{text {nested}"),
        QStringLiteral("{\\rtf1 a}}b{c}"),
        QStringLiteral("plain\r\ntext\rwith\nbreaks\x01\t\u2029end"),
        QString(),
        QStringLiteral("{\\rtf1\\ansi\\'4"),
    };
    for (const char* folder : {"corpus", "crashes"}) {
        const QDir dir(lumo::test::RtfDataDir() + u'/' + QString::fromLatin1(folder));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            inputs.append(lumo::text::decodeAnsi(f.readAll()));
        }
    }
    QString build = qEnvironmentVariable("LUMO_BUILD_DIR");
    if (build.isEmpty())
        build = QCoreApplication::applicationDirPath() + QStringLiteral("/../..");
    const QString sample = QDir::cleanPath(build + QStringLiteral("/data/Lumo.mdb"));
    int sections = 0;
    if (QFile::exists(sample)) {
        lumo::db::Connection c;
        c.open(sample, QString::fromLatin1(lumo::db::kDatabasePassword));
        c.forEachRow(QStringLiteral("SELECT Clanek FROM Texty"), {}, [&](const lumo::db::Connection::Row& r) {
            inputs.append(r.text(0));
            ++sections;
            return true;
        });
        EXPECT_GT(sections, 300);
    }
    for (const QString& rtf : inputs)
        ASSERT_EQ(ReadRtfText(rtf), boxText(rtf)) << rtf.left(300).toStdString();
}

} // namespace
