#include "platform/registry/Registry.h"

#include "common/ScopedEnv.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumo::registry;
using lumo::test::ScopedEnv;

TEST(Registry, ValuesLiveInOnePerUserFile) {
    QTemporaryDir config;
    ScopedEnv env("XDG_CONFIG_HOME", config.path().toUtf8());
    EXPECT_EQ(StoreFile(), config.path() + QStringLiteral("/zefirak/registry.ini"));
    EXPECT_FALSE(ReadValue(kAppPathKey).has_value());

    // A path with letters Windows-1250 lacks survives; keys are found in any case.
    const QString app = QStringLiteral("/home/Пётр/Zefirak/LUMO");
    ASSERT_TRUE(WriteValue(kAppPathKey, {}, app));
    const QString msinfo = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
    ASSERT_TRUE(WriteValue(msinfo, QStringLiteral("PATH"), QStringLiteral("/usr/bin/hardinfo")));
    EXPECT_EQ(ReadValue(kAppPathKey.toUpper()), app);
    EXPECT_EQ(ReadValue(msinfo, QStringLiteral("path")), QStringLiteral("/usr/bin/hardinfo"));
    EXPECT_FALSE(ReadValue(msinfo).has_value());

    ASSERT_TRUE(DeleteValue(kAppPathKey));
    EXPECT_FALSE(ReadValue(kAppPathKey).has_value());
    EXPECT_EQ(ReadValue(msinfo, QStringLiteral("PATH")), QStringLiteral("/usr/bin/hardinfo"));
    EXPECT_TRUE(DeleteValue(kAppPathKey)); // nothing left to delete is no failure

    QFile f(StoreFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("\xEF\xBB\xBF"));
    f.close();

    // A damaged mark: another write keeps the Czech path's bytes, so it reads again once mended.
    const QByteArray czech = QStringLiteral("/home/jana/Léčivé byliny/LUMO").toUtf8();
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray("\x00\xBB\xBF[", 4) + kAppPathKey.toUtf8() + "]\r\n@=" + czech + "\r\n");
    f.close();
    ASSERT_TRUE(WriteValue(msinfo, QStringLiteral("PATH"), QStringLiteral("/usr/bin/hardinfo")));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray kept = f.readAll();
    EXPECT_TRUE(kept.contains("@=" + czech + "\r\n"));
    f.seek(0);
    f.write("\xEF");
    f.close();
    EXPECT_EQ(ReadValue(kAppPathKey), QString::fromUtf8(czech));
}
