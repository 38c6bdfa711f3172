#include "platform/paths/ProgramPaths.h"

#include "common/TempProgramDir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace lumo::paths;

TEST(ProgramPaths, OverrideAndNormalise) {
    lumo::test::TempProgramDir dir;
    EXPECT_EQ(ProgramDir(), dir.path());
    EXPECT_EQ(Normalize(QStringLiteral("C:\\AISLP\\MVAW.exe")), QStringLiteral("C:/AISLP/MVAW.exe"));
}

TEST(ProgramPaths, CaseInsensitiveLookup) {
    lumo::test::TempProgramDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Sub/Inner"));
    dir.write(QStringLiteral("Lumo.ini"), "x");
    dir.write(QStringLiteral("Sub/Inner/Lumo1.ini"), "y");
    EXPECT_EQ(InProgramDir(QStringLiteral("LUMO.ini")), dir.file(QStringLiteral("Lumo.ini")));
    EXPECT_EQ(Resolve(dir.path() + QStringLiteral("\\SUB\\inner\\LUMO1.INI")),
              dir.file(QStringLiteral("Sub/Inner/Lumo1.ini")));
    // A new file keeps its name but takes the existing folder's spelling.
    EXPECT_EQ(Resolve(dir.path() + QStringLiteral("/sub/New.txt")), dir.file(QStringLiteral("Sub/New.txt")));
    EXPECT_EQ(Resolve(dir.path() + QStringLiteral("/none/x/y")), dir.path() + QStringLiteral("/none/x/y"));
}
