#include "platform/version/ProgramVersion.h"
#include "platform/version/VersionBlock.h"

#include "common/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lumo::version;
using lumo::test::TempProgramDir;

namespace {

QString projectVersion() {
    return QStringLiteral("%1.%2.%3").arg(LUMO_VERSION_MAJOR).arg(LUMO_VERSION_MINOR).arg(LUMO_VERSION_PATCH);
}

QByteArray utf16(const QString& s) {
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

} // namespace

TEST(ProgramVersion, BuiltProgramsCarryTheProjectVersion) {
    const QString lumo = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/app/LUMO");
    ASSERT_TRUE(QFile::exists(lumo));
    EXPECT_EQ(FileVersionText(lumo), projectVersion());
    EXPECT_EQ(OwnVersion(), projectVersion());
}

TEST(ProgramVersion, StampingACopyChangesOnlyItsVersion) {
    TempProgramDir dir;
    const QString copy = dir.file("LUMO");
    ASSERT_TRUE(QFile::copy(qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/app/LUMO"), copy));
    const QByteArray before = dir.read("LUMO");
    ASSERT_TRUE(StampFileVersion(copy, QStringLiteral("1.02.0009")));
    EXPECT_EQ(FileVersionText(copy), QStringLiteral("1.02.0009"));
    const QByteArray after = dir.read("LUMO");
    ASSERT_EQ(after.size(), before.size());
    qsizetype changed = 0;
    for (qsizetype i = 0; i < after.size(); ++i)
        changed += after[i] != before[i];
    EXPECT_LE(changed, static_cast<qsizetype>(2 * 2 * kValueRoom));

    QString why;
    EXPECT_FALSE(StampFileVersion(copy, QString(25, u'1'), &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST(ProgramVersion, FilesWithoutABlockHaveNoVersion) {
    TempProgramDir dir;
    dir.write("script.sh", "#!/bin/sh\necho FileVersion 1.2 ProductVersion\n");
    dir.write("short", "\x7f"
                       "ELF");
    EXPECT_EQ(FileVersionText(dir.file("script.sh")), QString());
    EXPECT_EQ(FileVersionText(dir.file("short")), QString());
    EXPECT_EQ(FileVersionText(dir.file("missing")), QString());
    EXPECT_FALSE(StampFileVersion(dir.file("script.sh"), QStringLiteral("1.0.0")));
}

TEST(ProgramVersion, BlockValueIsReadBetweenTheKeys) {
    const QString hdr(3, QChar(u'\x30')); // header words that read as digits stay outside the value
    // Keys in any case; only digits and dots of the value count.
    EXPECT_EQ(VersionFromBlock(utf16(hdr + QStringLiteral("fileversion") + QChar(0) + QChar(0) +
                                     QStringLiteral("v1.2.9 ") + QChar(0) + hdr +
                                     QStringLiteral("PRODUCTVERSION") + QChar(0) + QStringLiteral("9.9.9"))),
              QStringLiteral("1.2.9"));
    EXPECT_EQ(VersionFromBlock(utf16(hdr + QStringLiteral("ProductVersion") + QChar(0) + hdr +
                                     QStringLiteral("FileVersion") + QChar(0) + QStringLiteral("1.0"))),
              QString());
    EXPECT_EQ(VersionFromBlock(utf16(hdr + QStringLiteral("FileVersion") + QChar(0) + QStringLiteral("1.0"))),
              QString());
    EXPECT_EQ(VersionFromBlock(QByteArray("\x01")), QString());
}
