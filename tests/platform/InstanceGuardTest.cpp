#include "platform/instance/InstanceGuard.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>

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

// An instance let run beside another (several instances allowed) is seen by a later start after
// the first one has ended.
TEST(InstanceGuard, AnInstanceRunningBesideAnotherIsSeenAfterTheFirstEnds) {
    const QString name = QStringLiteral("lumo-test-%1.lock").arg(QUuid::createUuid().toString(QUuid::Id128));
    auto first = std::make_unique<InstanceGuard>(name);
    EXPECT_FALSE(first->AnotherInstanceRunning());
    InstanceGuard second(name);
    EXPECT_TRUE(second.AnotherInstanceRunning());
    first.reset();
    InstanceGuard third(name);
    EXPECT_TRUE(third.AnotherInstanceRunning());
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

TEST(InstanceGuard, LockHeldByAnotherProcessIsSeenUntilItEnds) {
    const QString name = QStringLiteral("lumo-test-%1.lock").arg(QUuid::createUuid().toString(QUuid::Id128));
    InstanceGuard probe(name);
    QProcess holder;
    holder.start(QStringLiteral("flock"), {QStringLiteral("-n"), QStringLiteral("-o"), probe.lockPath(),
                                           QStringLiteral("sleep"), QStringLiteral("30")});
    if (!holder.waitForStarted(5000))
        GTEST_SKIP() << "flock(1) is not available";
    bool seen = false;
    QElapsedTimer wait;
    wait.start();
    while (!seen && wait.elapsed() < 5000) {
        InstanceGuard other(name);
        seen = other.AnotherInstanceRunning();
    }
    EXPECT_TRUE(seen);
    holder.kill();
    holder.waitForFinished(5000);
    // flock's command (-o: started without the lock) may still hold its copy of the locked
    // file for a moment after the fork; it lets go before it runs.
    wait.restart();
    bool held = true;
    while (held && wait.elapsed() < 5000) {
        InstanceGuard other(name);
        held = other.AnotherInstanceRunning();
    }
    EXPECT_FALSE(held) << "a killed holder leaves no lock behind";
}
