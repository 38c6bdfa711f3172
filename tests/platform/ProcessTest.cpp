#include "platform/process/Process.h"

#include "common/TempProgramDir.h"
#include "platform/err/VbError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

using namespace lumo::process;
using lumo::test::TempProgramDir;

namespace {

struct SplitCase {
    const char* line;
    QStringList expected;
};

// Writes an executable shell script into dir.
QString script(const TempProgramDir& dir, const QString& name, const QByteArray& body) {
    dir.write(name, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(dir.file(name),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return dir.file(name);
}

long errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const lumo::err::VbError& e) {
        return e.Number();
    }
    return 0;
}

// Children of this process that ended but were never reaped.
int zombieChildren() {
    const QString self = QString::number(QCoreApplication::applicationPid());
    int zombies = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray stat = f.readAll();
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(0) == "Z" && fields.at(1) == self.toLatin1())
            ++zombies;
    }
    return zombies;
}

bool waitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(5000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace

TEST(Process, SplitsCommandLinesLikeWindowsPrograms) {
    const SplitCase cases[] = {
        {"prog a b", {"prog", "a", "b"}},
        {"  prog   a\t b  ", {"prog", "a", "b"}},
        {"\"C:\\Program Files\\x.exe\" /s \"C:\\a b\\m.dll\"",
         {"C:\\Program Files\\x.exe", "/s", "C:\\a b\\m.dll"}},
        {"MVAW.exe /pfa ,123", {"MVAW.exe", "/pfa", ",123"}},
        {"p \"a \"\"q\"\" b\"", {"p", "a \"q\" b"}},
        {"p a\\\\\\\"b c\\\\d", {"p", "a\\\"b", "c\\\\d"}},
        {"p \"a\\\\\" b", {"p", "a\\", "b"}},
        {"p ab\"c d\"e", {"p", "abc de"}},
        {"p \"\"", {"p", ""}},
        {"p ; touch x", {"p", ";", "touch", "x"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(QString::fromUtf8(c.line)), c.expected) << c.line;
}

TEST(Process, ProgramPathsWithBlanksBackslashesAndOtherCase) {
    TempProgramDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("My Tools"));
    const QString prog = script(dir, QStringLiteral("My Tools/Run.sh"), "exit 0");
    const QString base = dir.path();

    Command c = ParseCommand(base + QStringLiteral("/my tools/RUN.SH -x \"a b\""));
    EXPECT_EQ(c.program, prog);
    EXPECT_EQ(c.arguments, (QStringList{QStringLiteral("-x"), QStringLiteral("a b")}));

    c = ParseCommand(QStringLiteral("\"") + base + QStringLiteral("\\My Tools\\Run.sh\" /pfa ,12"));
    EXPECT_EQ(c.program, prog);
    EXPECT_EQ(c.arguments, (QStringList{QStringLiteral("/pfa"), QStringLiteral(",12")}));

    c = ParseCommand(QStringLiteral("sh -c true"));
    EXPECT_TRUE(QFileInfo(c.program).isAbsolute()) << c.program.toStdString();
}

TEST(Process, WaitingRunReturnsAfterTheProgramEnds) {
    TempProgramDir dir;
    const QString prog = script(dir, QStringLiteral("slow.sh"), "sleep 0.4\necho done > \"$1\"");
    // A timer still fires while we wait: windows keep being painted.
    bool timerFired = false;
    QTimer::singleShot(50, [&timerFired] { timerFired = true; });
    QElapsedTimer t;
    t.start();
    RunProgram(QStringLiteral("\"%1\" \"%2\"   ").arg(prog, dir.file("out file.txt")), true);
    EXPECT_GE(t.elapsed(), 350);
    EXPECT_EQ(dir.read("out file.txt"), QByteArray("done\n"));
    EXPECT_TRUE(timerFired);
}

TEST(Process, DetachedRunReturnsAtOnceAndCanBeEnded) {
    TempProgramDir dir;
    const QString prog = script(dir, QStringLiteral("long.sh"), "exec sleep 30");
    QElapsedTimer t;
    t.start();
    const qint64 pid = RunProgram(prog, false);
    EXPECT_LT(t.elapsed(), 2000);
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(waitFor([pid] { return IsRunning(pid); }));
    EXPECT_TRUE(Terminate(pid));
    EXPECT_TRUE(waitFor([pid] { return !IsRunning(pid); }));
    EXPECT_FALSE(Terminate(pid)) << "an ended process is not signalled again";
    // Our own process was not started by RunProgram, so it is never signalled.
    EXPECT_FALSE(Terminate(QCoreApplication::applicationPid()));
    EXPECT_FALSE(Terminate(0));
    // No child is left unreaped.
    EXPECT_EQ(zombieChildren(), 0);
}

TEST(Process, StartFailuresRaiseTheirErrors) {
    TempProgramDir dir;
    EXPECT_EQ(errorOf([] { RunProgram(QStringLiteral("/nonexistent/prog /pfa ,123"), false); }), 53);
    EXPECT_EQ(errorOf([] { RunProgram(QStringLiteral("no-such-program-anywhere"), true); }), 53);
    dir.write("plain.txt", "x");
    EXPECT_EQ(errorOf([&dir] { RunProgram(dir.file("plain.txt"), false); }), 70);
    EXPECT_EQ(errorOf([&dir] { RunProgram(dir.path(), false); }), 70);
    EXPECT_EQ(errorOf([] { RunProgram(QStringLiteral("   "), false); }), 5);
}

TEST(Process, NoShellInterpretsTheLine) {
    TempProgramDir dir;
    const QString marker = dir.file("pwned");
    RunProgram(QStringLiteral("/bin/echo x; touch %1 && touch %1 | touch %1 $(touch %1)").arg(marker), true);
    EXPECT_FALSE(QFileInfo::exists(marker));
}
