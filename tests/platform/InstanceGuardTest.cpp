#include "platform/instance/InstanceGuard.h"

#include <QFile>
#include <QSysInfo>
#include <QUuid>

#include <gtest/gtest.h>

using lumo::instance::InstanceGuard;

TEST(InstanceGuard, SecondHolderSeesTheFirstUntilItEnds) {
    const QString name = QStringLiteral("lumo-test-%1.lock").arg(QUuid::createUuid().toString(QUuid::Id128));
    {
        InstanceGuard first(name);
        EXPECT_FALSE(first.AnotherInstanceRunning());
        EXPECT_FALSE(first.AnotherInstanceRunning()) << "asking again keeps the lock";
        InstanceGuard second(name);
        EXPECT_TRUE(second.AnotherInstanceRunning());
    }
    InstanceGuard third(name);
    EXPECT_FALSE(third.AnotherInstanceRunning());
}

TEST(InstanceGuard, StaleLockOfADeadProcessIsTakenOver) {
    const QString name = QStringLiteral("lumo-test-%1.lock").arg(QUuid::createUuid().toString(QUuid::Id128));
    InstanceGuard probe(name);
    // A lock file naming a process that does not exist.
    QFile f(probe.lockPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("999999\nLUMO\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
    EXPECT_FALSE(probe.AnotherInstanceRunning());
}
