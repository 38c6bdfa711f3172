#include "installer/CVerOS.h"
#include "installer/EnvironmentTest.h"
#include "installer/VersionCompare.h"
#include "platform/version/ProgramVersion.h"

#include "FakeProbe.h"
#include "common/TempProgramDir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lumo::setup;
using lumo::test::FakeProbe;
using lumo::test::TempProgramDir;

TEST(VersionTests, VersionNumbersAndProgramComparison) {
    EXPECT_EQ(VersionMajor("1.02.0009"), 1);
    EXPECT_EQ(VersionMinor("1.02.0009"), 2);
    EXPECT_EQ(VersionRevision("1.02.0009"), 9);
    EXPECT_EQ(VersionMajor("7"), 7);
    EXPECT_EQ(VersionMinor("7"), 0);
    EXPECT_EQ(VersionRevision("1.0.3.5"), 3);
    EXPECT_EQ(VersionMajor("x.1"), 0);

    TempProgramDir dir;
    const QString built = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/app/LUMO");
    const auto stamped = [&](const char* name, const char* version) {
        const QString path = dir.file(QString::fromLatin1(name));
        QFile::copy(built, path);
        EXPECT_TRUE(lumo::version::StampFileVersion(path, QString::fromLatin1(version)));
        return path;
    };
    const QString v2 = stamped("v2", "2.00");
    const QString v19 = stamped("v19", "1.9.9");
    const QString v2b = stamped("v2b", "2.0.0");
    dir.write("plain", "no version here");
    EXPECT_EQ(CompareAppVersion(v2, v19), 1);
    EXPECT_EQ(CompareAppVersion(v19, v2), 0);
    EXPECT_EQ(CompareAppVersion(v2, v2b), 2);
    EXPECT_EQ(CompareAppVersion(dir.file("plain"), v2), 0); // 0.0.0 against 2.0.0
    EXPECT_EQ(CompareAppVersion(dir.file("plain"), dir.file("missing")), 2);
}

TEST(VersionTests, DatabaseStampsAndTheirDisplay) {
    TempProgramDir dir;
    const QString folder = dir.path() + u'/';
    EXPECT_EQ(DBVersionAt(folder), 0); // no database
    dir.write("Lumo.mdb", "db");
    EXPECT_EQ(DBVersionAt(folder), -1); // no stamp
    dir.write("Lumo.INF", QByteArray("\x31\x01\x07", 3));
    EXPECT_EQ(DBVersionAt(folder), 305);
    dir.write("Lumo.INF", QByteArray("\xFF\xFF", 2));
    EXPECT_EQ(DBVersionAt(folder), -1);
    dir.write("Lumo.INF", QByteArray("\x31", 1));
    EXPECT_EQ(DBVersionAt(folder), -1);
    EXPECT_EQ(CompareDBVersion(305, -1), 1);
    EXPECT_EQ(CompareDBVersion(305, 305), 2);
    EXPECT_EQ(CompareDBVersion(305, 412), 0);

    EXPECT_EQ(StampDisplay(305).text, QStringLiteral("2007.5"));
    EXPECT_EQ(StampDisplay(412).text, QStringLiteral("2008.12"));
    EXPECT_EQ(StampDisplay(412).colour, 0x800000);
    EXPECT_EQ(StampDisplay(0).text, QStringLiteral("neznámá"));
    EXPECT_EQ(StampDisplay(-1).colour, 0xFF);
}

TEST(VersionTests, WindowsVersionsDecodeToTheirTableRows) {
    struct Case {
        std::uint32_t raw;
        long code;
        const char* text;
        long build;
    };
    const Case cases[] = {
        {0x0A280105, 8, "Windows XP", 2600},
        {0x08930005, 7, "Windows 2000", 2195},
        {0x05650004, 6, "Windows NT 4.0", 1381},
        {0xC0000A04, 3, "Windows 98", 0},
        {0xC0005A04, 4, "Windows ME", 0},
        {0x17700006, 10, "Windows Vista", 6000},
        {0x1DB10106, 11, "Windows 7", 7601},
        {0x23F00206, 12, "Windows 8", 9200},
        {0x80000A03, 0, "Windows 32s, Windows 3.1", 0},
        {0x00000306, 0, "unknown", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CVerOS os;
        os.Decode(c.raw);
        EXPECT_EQ(os.WinVersion(), c.code);
        EXPECT_EQ(os.TextVerze(), QString::fromLatin1(c.text));
        if (c.code != 0) {
            EXPECT_EQ(os.BuildNumber(), c.build);
        }
    }
    bool known = true;
    EXPECT_EQ(OsRowFor(6, &known).jetInstaller, QStringLiteral("JET\\Jet40SP8_9xNT.exe"));
    EXPECT_TRUE(known);
    EXPECT_EQ(OsRowFor(99, &known).caption, QStringLiteral("Neznámá verze OS"));
    EXPECT_FALSE(known);
}

TEST(VersionTests, ComponentTestFillsTheLabels) {
    for (const char* ready : {"2.5", "2.8", "6.0", "2.81", "2.8.1", "3.40.1"})
        EXPECT_TRUE(AdoVersionReady(QString::fromLatin1(ready))) << ready;
    for (const char* notReady : {"2.1", "2", "", "abc"})
        EXPECT_FALSE(AdoVersionReady(QString::fromLatin1(notReady))) << notReady;

    CVerOS os;
    FakeProbe xp(0x0A280105, true, QStringLiteral("2.8"), QStringLiteral("3.51"));
    EnvResult r = TestComponents(xp, os);
    EXPECT_EQ(r.LblOS, QStringLiteral("MS Windows XP, MDAC 2.8, JET není instalován"));
    EXPECT_EQ(r.LblOSVer, QStringLiteral("5.1.2600 - Windows XP"));
    EXPECT_FALSE(r.JetReady);
    EXPECT_EQ(r.JetInstaller, QStringLiteral("JET\\WindowsXP-KB829558-x86-CSY.exe"));
    EXPECT_EQ(r.EnvState, QStringLiteral("nepřipraveno"));
    EXPECT_EQ(r.LblOSColour, 0xFF);

    FakeProbe nt(0x05650004, false, QString(), QStringLiteral("4.0"));
    r = TestComponents(nt, os);
    EXPECT_EQ(r.LblOS,
              QStringLiteral(
                  "MS Windows NT 4.0, MDAC není instalováno, JET není instalován, DCOM není instalován"));
    EXPECT_FALSE(r.LblOSBold);
    EXPECT_EQ(r.MdacInstaller, QStringLiteral("MDAC\\MDAC25SP3\\mdac_typ.exe"));

    FakeProbe debian(std::nullopt, true, QStringLiteral("3.40.1"), QStringLiteral("4.0"));
    r = TestComponents(debian, os);
    EXPECT_TRUE(r.allReady());
    EXPECT_EQ(r.LblOS, QStringLiteral("Linux, MDAC 3.40.1, JET 4.0"));
    EXPECT_EQ(r.EnvState, QStringLiteral("OK"));
    EXPECT_EQ(r.LblOSColour, 0x8000);
}
