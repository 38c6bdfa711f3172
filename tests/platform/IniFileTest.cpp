#include "platform/ini/IniFile.h"

#include "common/FileSizeLimit.h"
#include "common/TempProgramDir.h"
#include "platform/text/AnsiText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lumo::ini;
using lumo::test::FileSizeLimit;
using lumo::test::TempProgramDir;

namespace {

const QByteArray kSettings = "; user settings\r\n"
                             "[Main]\r\n"
                             "DatabaseLocation = \"/srv/lumo/Lumo.mdb\" \r\n"
                             "Count=12abc\r\n"
                             "Empty=\r\n"
                             "\r\n"
                             "; about box\r\n"
                             "[About]\r\n"
                             "Zvuk=True\r\n"
                             "Unknown=kept\r\n";

struct ReadCase {
    const char* section;
    const char* key;
    std::optional<QString> expected;
};

} // namespace

TEST(IniFile, ReadsNamesCaseInsensitivelyAndTrimsValues) {
    TempProgramDir dir;
    dir.write("Lumo.ini", kSettings);
    const QString path = dir.path() + QStringLiteral("\\LUMO.INI"); // backslash and other case
    const ReadCase cases[] = {
        {"main", "DATABASELOCATION", QStringLiteral("/srv/lumo/Lumo.mdb")},
        {" About ", "zvuk", QStringLiteral("True")},
        {"About", "Unknown", QStringLiteral("kept")},
        {"Main", "Empty", QString()},
        {"Main", "Missing", std::nullopt},
        {"Missing", "Zvuk", std::nullopt},
        {"About", "Count", std::nullopt}, // keys belong to their own section only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ReadValue(path, QString::fromLatin1(c.section), QString::fromLatin1(c.key)), c.expected);
    }
    EXPECT_EQ(ReadValue(dir.file("none.ini"), QStringLiteral("Main"), QStringLiteral("Count")), std::nullopt);
}

TEST(IniFile, IntegerReader) {
    TempProgramDir dir;
    dir.write("a.ini", kSettings);
    EXPECT_EQ(ReadInt(dir.file("a.ini"), QStringLiteral("Main"), QStringLiteral("Count"), 7), 12);
    EXPECT_EQ(ReadInt(dir.file("a.ini"), QStringLiteral("Main"), QStringLiteral("Missing"), 7), 7);
    EXPECT_EQ(ReadInt(dir.file("a.ini"), QStringLiteral("Main"), QStringLiteral("Empty"), 7), 7);
    EXPECT_EQ(ReadInt(dir.file("a.ini"), QStringLiteral("About"), QStringLiteral("Zvuk"), 7), 0);
    const std::pair<const char*, long> table[] = {
        {"-15", -15},
        {"+3x", 3},
        {"  42  ", 42},
        {"-", 0},
        {"99999999999", 2147483647L},
        {"-2147483648", -2147483648L},
    };
    for (const auto& [text, n] : table)
        EXPECT_EQ(ParseInt(QString::fromLatin1(text), 7), n) << text;
}

TEST(IniFile, NewFileHasExactAnsiCrLfBytes) {
    TempProgramDir dir;
    ASSERT_TRUE(WriteValue(dir.file("p.ini"), QStringLiteral("Profiles"), QStringLiteral("Name1"),
                           QStringLiteral("Žluťák")));
    EXPECT_EQ(dir.read("p.ini"), QByteArray("[Profiles]\r\nName1=\x8e\x6c\x75\x9d\xe1\x6b\r\n"));
    EXPECT_EQ(ReadValue(dir.file("p.ini"), QStringLiteral("profiles"), QStringLiteral("name1")),
              QStringLiteral("Žluťák"));
}

TEST(IniFile, WritesKeepEveryOtherLine) {
    TempProgramDir dir;
    dir.write("Lumo.ini", kSettings);
    const QString path = dir.file("LUMO.ini");
    ASSERT_TRUE(WriteValue(path, QStringLiteral("MAIN"), QStringLiteral("count"), QStringLiteral("5")));
    ASSERT_TRUE(WriteValue(path, QStringLiteral("Main"), QStringLiteral("NewKey"), QStringLiteral("Nový")));
    ASSERT_TRUE(WriteValue(path, QStringLiteral("Page"), QStringLiteral("Top"), QStringLiteral("1,5")));
    EXPECT_FALSE(QFileInfo::exists(dir.file("LUMO.ini"))) << "the existing file is updated, no new one made";
    EXPECT_EQ(dir.read("Lumo.ini"), QByteArray("; user settings\r\n"
                                               "[Main]\r\n"
                                               "DatabaseLocation = \"/srv/lumo/Lumo.mdb\" \r\n"
                                               "Count=5\r\n"
                                               "Empty=\r\n"
                                               "NewKey=Nov\xfd\r\n"
                                               "\r\n"
                                               "; about box\r\n"
                                               "[About]\r\n"
                                               "Zvuk=True\r\n"
                                               "Unknown=kept\r\n"
                                               "\r\n"
                                               "[Page]\r\n"
                                               "Top=1,5\r\n"));
}

TEST(IniFile, LongValuesRoundTripWhole) {
    TempProgramDir dir;
    const QString longValue =
        QStringLiteral("/home/user/Documents/") + QString(150, u'ř') + QStringLiteral("/Lumo.mdb");
    ASSERT_TRUE(
        WriteValue(dir.file("a.ini"), QStringLiteral("Main"), QStringLiteral("DatabaseLocation"), longValue));
    EXPECT_EQ(ReadValue(dir.file("a.ini"), QStringLiteral("Main"), QStringLiteral("DatabaseLocation")),
              longValue);
}

TEST(IniFile, LoneLfAndMissingFinalNewlineAreTolerated) {
    TempProgramDir dir;
    dir.write("a.ini", "[Main]\nA=1\rB=2");
    ASSERT_TRUE(
        WriteValue(dir.file("a.ini"), QStringLiteral("Main"), QStringLiteral("C"), QStringLiteral("3")));
    EXPECT_EQ(dir.read("a.ini"), QByteArray("[Main]\r\nA=1\r\nB=2\r\nC=3\r\n"));
}

TEST(IniFile, Utf8FileWithByteOrderMarkKeepsItsFirstSection) {
    TempProgramDir dir;
    dir.write("a.ini", "\xEF\xBB\xBF[Main]\r\nName=\xC5\xBD\r\n");
    EXPECT_EQ(ReadValue(dir.file("a.ini"), QStringLiteral("Main"), QStringLiteral("Name")),
              QStringLiteral("Ž"));
    // A write keeps the file's encoding: the Cyrillic name in the other line survives.
    dir.write("b.ini", "\xEF\xBB\xBF[Names]\r\nName8=\xD0\x9C\xD1\x8F\xD1\x82\xD0\xB0\r\n");
    ASSERT_TRUE(WriteValue(dir.file("b.ini"), QStringLiteral("Names"), QStringLiteral("Name1"),
                           QStringLiteral("Máta")));
    EXPECT_EQ(dir.read("b.ini"),
              QByteArray("\xEF\xBB\xBF[Names]\r\nName8=\xD0\x9C\xD1\x8F\xD1\x82\xD0\xB0\r\n"
                         "Name1=M\xC3\xA1ta\r\n"));
    // A value Windows-1250 cannot hold turns an ANSI file into UTF-8, not into question marks.
    dir.write("c.ini", "[Main]\r\nName=\x8e\r\n");
    ASSERT_TRUE(WriteValue(dir.file("c.ini"), QStringLiteral("Main"), QStringLiteral("DatabaseLocation"),
                           QStringLiteral("/home/Иван/Lumo.mdb")));
    EXPECT_EQ(dir.read("c.ini"),
              QByteArray("\xEF\xBB\xBF[Main]\r\nName=\xC5\xBD\r\n"
                         "DatabaseLocation=/home/\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD/Lumo.mdb\r\n"));
    EXPECT_EQ(ReadValue(dir.file("c.ini"), QStringLiteral("Main"), QStringLiteral("DatabaseLocation")),
              QStringLiteral("/home/Иван/Lumo.mdb"));
}

// A settings file saved by a UTF-8 editor without a byte-order mark, or as "Unicode" (UTF-16) by a
// Windows editor: its Czech path is read as written, and a write keeps the file's encoding
// (Windows-1250 text stays Windows-1250).
TEST(IniFile, Utf8WithoutAMarkAndUtf16FilesAreReadAndWrittenInTheirEncoding) {
    TempProgramDir dir;
    dir.write("a.ini",
              "[Main]\nDatabaseLocation=/home/jana/Bylinky \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD/Lumo.mdb\n");
    EXPECT_EQ(ReadValue(dir.file("a.ini"), QStringLiteral("Main"), QStringLiteral("DatabaseLocation")),
              QStringLiteral("/home/jana/Bylinky žluťoučký/Lumo.mdb"));
    ASSERT_TRUE(WriteValue(dir.file("a.ini"), QStringLiteral("Profiles"), QStringLiteral("Name1"),
                           QStringLiteral("Řepík")));
    EXPECT_EQ(
        dir.read("a.ini"),
        QByteArray("[Main]\r\nDatabaseLocation=/home/jana/Bylinky \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD/"
                   "Lumo.mdb\r\n\r\n[Profiles]\r\nName1=\xC5\x98"
                   "ep\xC3\xADk\r\n"));
    dir.write("b.ini", "[Main]\r\nName=\xC8\x8A\xE8\r\n"); // "ČŠč": not UTF-8 as a whole
    ASSERT_TRUE(
        WriteValue(dir.file("b.ini"), QStringLiteral("Main"), QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_EQ(dir.read("b.ini"), QByteArray("[Main]\r\nName=\xC8\x8A\xE8\r\nA=1\r\n"));
    EXPECT_EQ(ReadValue(dir.file("b.ini"), QStringLiteral("Main"), QStringLiteral("Name")),
              QStringLiteral("ČŠč"));

    const auto utf16 = [](const QString& text) {
        return QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    };
    dir.write("c.ini", utf16(QStringLiteral("[Main]\r\nName=Řepík\r\n")));
    EXPECT_EQ(ReadValue(dir.file("c.ini"), QStringLiteral("Main"), QStringLiteral("Name")),
              QStringLiteral("Řepík"));
    ASSERT_TRUE(
        WriteValue(dir.file("c.ini"), QStringLiteral("Main"), QStringLiteral("A"), QStringLiteral("č")));
    EXPECT_EQ(dir.read("c.ini"), utf16(QStringLiteral("[Main]\r\nName=Řepík\r\nA=č\r\n")));
    // One damaged unit (half a surrogate pair) leaves the other lines and keys as they were.
    const QString damaged =
        QStringLiteral("[Main]\r\nName=Řepík\r\nBad=") + QChar(0xD800) + QStringLiteral("\r\nLast=1\r\n");
    dir.write("d.ini", utf16(damaged));
    EXPECT_EQ(ReadValue(dir.file("d.ini"), QStringLiteral("Main"), QStringLiteral("Last")),
              QStringLiteral("1"));
    ASSERT_TRUE(
        WriteValue(dir.file("d.ini"), QStringLiteral("Main"), QStringLiteral("Last"), QStringLiteral("2")));
    EXPECT_EQ(dir.read("d.ini"),
              utf16(QString(damaged).replace(QStringLiteral("Last=1"), QStringLiteral("Last=2"))));
}

TEST(IniFile, RejectsWhatCannotBeOneLine) {
    TempProgramDir dir;
    dir.write("a.ini", kSettings);
    const std::tuple<const char*, const char*, QString> bad[] = {
        {"", "Key", QStringLiteral("v")},    {"Ma]in", "Key", QStringLiteral("v")},
        {"Main", "", QStringLiteral("v")},   {"Main", "a=b", QStringLiteral("v")},
        {"Main", "[x", QStringLiteral("v")}, {"Main", "Key", QStringLiteral("two\r\nlines")},
    };
    for (const auto& [section, key, value] : bad) {
        QString error;
        EXPECT_FALSE(WriteValue(dir.file("a.ini"), QString::fromLatin1(section), QString::fromLatin1(key),
                                value, &error))
            << section << "/" << key;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(dir.read("a.ini"), kSettings);
    EXPECT_FALSE(WriteValue(QString(), QStringLiteral("Main"), QStringLiteral("A"), QStringLiteral("1")));
}

TEST(IniFile, FailedWriteLeavesTheOldFileIntact) {
    TempProgramDir dir;
    // A folder where the file should be is neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Lumo.ini")));
    EXPECT_FALSE(
        WriteValue(dir.file("Lumo.ini"), QStringLiteral("Main"), QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_TRUE(QFileInfo(dir.file("Lumo.ini")).isDir());
}

// No user, root included, may create a file in /proc or write /proc/version.
TEST(IniFile, UnwritableFolderReturnsFalse) {
    QFile version(QStringLiteral("/proc/version"));
    ASSERT_TRUE(version.open(QIODevice::ReadOnly));
    const QByteArray before = version.readAll();
    version.close();
    QString error;
    EXPECT_FALSE(WriteValue(QStringLiteral("/proc/lumo-settings/Lumo.ini"), QStringLiteral("Main"),
                            QStringLiteral("Count"), QStringLiteral("1"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WriteValue(QStringLiteral("/proc/version"), QStringLiteral("Main"), QStringLiteral("Count"),
                            QStringLiteral("1")));
    ASSERT_TRUE(version.open(QIODevice::ReadOnly));
    EXPECT_EQ(version.readAll(), before);
}

// A program folder that takes no new file while its "Lumo.ini" is writable: the save
// cannot go through a temporary file, so the file is rewritten where it is.
TEST(IniFile, FolderWithoutRoomForATemporaryFileIsWrittenInPlace) {
    TempProgramDir dir;
    dir.write("Lumo.ini", kSettings);
    dir.write("utf8.ini", "\xEF\xBB\xBF[Main]\r\nName=Žluťoučký ∑\r\n");
    // A name so long that no temporary file can be made beside it, for root as well.
    const QString longName = QString(250, u'n') + QStringLiteral(".ini");
    dir.write(longName, kSettings);
    ASSERT_TRUE(
        WriteValue(dir.file(longName), QStringLiteral("Main"), QStringLiteral("Count"), QStringLiteral("1")));
    EXPECT_EQ(ReadValue(dir.file(longName), QStringLiteral("Main"), QStringLiteral("Count")), u"1");
    QFile::remove(dir.file(longName));

    const lumo::text::ScopedTemporaryFileFailure noTemporaryFiles;
    ASSERT_TRUE(WriteValue(dir.file("Lumo.ini"), QStringLiteral("Main"), QStringLiteral("Count"),
                           QStringLiteral("7")));
    EXPECT_EQ(ReadValue(dir.file("Lumo.ini"), QStringLiteral("Main"), QStringLiteral("Count")), u"7");
    EXPECT_EQ(ReadValue(dir.file("Lumo.ini"), QStringLiteral("About"), QStringLiteral("Unknown")), u"kept");
    ASSERT_TRUE(WriteValue(dir.file("utf8.ini"), QStringLiteral("Main"), QStringLiteral("Count"),
                           QStringLiteral("1")));
    EXPECT_EQ(dir.read("utf8.ini"), "\xEF\xBB\xBF[Main]\r\nName=Žluťoučký ∑\r\nCount=1\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file left";

    // The disk fills up before the grown file fits: the save fails and the file keeps every byte.
    const QByteArray before = dir.read("Lumo.ini");
    {
        const FileSizeLimit full(before.size() + 10);
        EXPECT_FALSE(WriteValue(dir.file("Lumo.ini"), QStringLiteral("Main"), QStringLiteral("Path"),
                                QString(400, u'p')));
    }
    EXPECT_EQ(dir.read("Lumo.ini"), before);
}

TEST(IniFile, BatchEditSavesOnceAndKeepsPermissions) {
    TempProgramDir dir;
    dir.write("a.ini", kSettings);
    QFile::setPermissions(dir.file("a.ini"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    IniFile ini(dir.file("A.INI"));
    EXPECT_TRUE(ini.exists());
    EXPECT_EQ(ini.sections(), (QStringList{QStringLiteral("Main"), QStringLiteral("About")}));
    EXPECT_EQ(ini.keys(QStringLiteral("about")),
              (QStringList{QStringLiteral("Zvuk"), QStringLiteral("Unknown")}));
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(
            ini.setValue(QStringLiteral("Segment"), QStringLiteral("Index%1").arg(i), QString::number(i)));
    EXPECT_EQ(dir.read("a.ini"), kSettings) << "nothing is written before save";
    ASSERT_TRUE(ini.save());
    EXPECT_TRUE(dir.read("a.ini").endsWith("[Segment]\r\nIndex1=1\r\nIndex2=2\r\nIndex3=3\r\n"));
    EXPECT_EQ(QFile::permissions(dir.file("a.ini")) & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
