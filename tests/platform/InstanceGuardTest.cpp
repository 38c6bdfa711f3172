#include "platform/instance/InstanceGuard.h"

#include <QFile>
#include <QSysInfo>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using lumo::instance::InstanceGuard;

namespace {

QString uniqueLockName() {
    return QStringLiteral("lumo-test-%1.lock").arg(QUuid::createUuid().toString(QUuid::Id128));
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

// Another process holding the lock as a running instance does (a shared lock): seen while it
// runs, gone once it is killed.
TEST(InstanceGuard, LockHeldByAnotherProcessIsSeenUntilItEnds) {
    const QString name = uniqueLockName();
    InstanceGuard probe(name);
    const QByteArray path = QFile::encodeName(probe.lockPath());
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        // Only async-signal-safe calls in the child.
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0600);
        const char ok = (fd >= 0 && ::flock(fd, LOCK_SH) == 0) ? '1' : '0';
        (void)::write(ready[1], &ok, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char ok = '0';
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(ok, '1') << "the holder took its lock";
    {
        InstanceGuard during(name);
        EXPECT_TRUE(during.AnotherInstanceRunning());
    }
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    InstanceGuard after(name);
    EXPECT_FALSE(after.AnotherInstanceRunning()) << "a killed holder leaves no lock behind";
}
