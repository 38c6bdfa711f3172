#include "platform/instance/InstanceGuard.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>

using lumo::instance::InstanceGuard;

namespace {

QString uniqueLockName() {
    return QStringLiteral("lumo-test-%1.lock").arg(QUuid::createUuid().toString(QUuid::Id128));
}

// Asks fresh guards until their answer is expected or 5 s have passed; the last answer.
bool answerWithin5s(const QString& name, bool expected) {
    QElapsedTimer wait;
    wait.start();
    bool answer = !expected;
    while (answer != expected && wait.elapsed() < 5000) {
        InstanceGuard other(name);
        answer = other.AnotherInstanceRunning();
    }
    return answer;
}

} // namespace

TEST(InstanceGuard, SecondHolderSeesTheFirstUntilItEnds) {
    const QString name = uniqueLockName();
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
    const QString name = uniqueLockName();
    auto first = std::make_unique<InstanceGuard>(name);
    EXPECT_FALSE(first->AnotherInstanceRunning());
    InstanceGuard second(name);
    EXPECT_TRUE(second.AnotherInstanceRunning());
    first.reset();
    InstanceGuard third(name);
    EXPECT_TRUE(third.AnotherInstanceRunning());
}

TEST(InstanceGuard, StaleLockOfADeadProcessIsTakenOver) {
    const QString name = uniqueLockName();
    InstanceGuard probe(name);
    // A lock file naming a process that does not exist.
    QFile f(probe.lockPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("999999\nLUMO\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
    EXPECT_FALSE(probe.AnotherInstanceRunning());
}

TEST(InstanceGuard, LockHeldByAnotherProcessIsSeenUntilItEnds) {
    const QString name = uniqueLockName();
    InstanceGuard probe(name);
    QProcess holder;
    holder.start(QStringLiteral("flock"), {QStringLiteral("-n"), QStringLiteral("-o"), probe.lockPath(),
                                           QStringLiteral("sleep"), QStringLiteral("30")});
    if (!holder.waitForStarted(5000))
        GTEST_SKIP() << "flock(1) is not available";
    EXPECT_TRUE(answerWithin5s(name, true));
    holder.kill();
    holder.waitForFinished(5000);
    // flock's command (-o: started without the lock) may still hold its copy of the locked
    // file for a moment after the fork; it lets go before it runs.
    const bool held = answerWithin5s(name, false);
    EXPECT_FALSE(held) << "a killed holder leaves no lock behind";
}
