#include "platform/process/Process.h"

#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>

#include <csignal>

#include <sys/types.h>

namespace lumo::process {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

qsizetype skipBlanks(const QString& s, qsizetype i) {
    while (i < s.size() && isBlank(s.at(i)))
        ++i;
    return i;
}

// The arguments after the program, from position i.
QStringList splitArguments(const QString& s, qsizetype i) {
    QStringList out;
    for (i = skipBlanks(s, i); i < s.size(); i = skipBlanks(s, i)) {
        QString arg;
        bool quoted = false;
        while (i < s.size() && (quoted || !isBlank(s.at(i)))) {
            const QChar c = s.at(i);
            if (c == u'\\') {
                qsizetype k = 0;
                while (i + k < s.size() && s.at(i + k) == u'\\')
                    ++k;
                const bool beforeQuote = i + k < s.size() && s.at(i + k) == u'"';
                arg += QString(beforeQuote ? k / 2 : k, u'\\');
                i += k;
                if (beforeQuote && k % 2 == 1) {
                    arg += u'"';
                    ++i;
                }
            } else if (c == u'"') {
                if (quoted && i + 1 < s.size() && s.at(i + 1) == u'"') {
                    arg += u'"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                arg += c;
                ++i;
            }
        }
        out.append(arg);
    }
    return out;
}

// The first word of an unquoted command line ends at a blank; a quoted one at its closing quote.
// Returns the position after the program and sets program.
qsizetype splitProgram(const QString& s, qsizetype i, QString& program) {
    if (i < s.size() && s.at(i) == u'"') {
        const qsizetype close = s.indexOf(u'"', i + 1);
        const qsizetype end = close < 0 ? s.size() : close;
        program = s.mid(i + 1, end - i - 1);
        return close < 0 ? s.size() : close + 1;
    }
    qsizetype end = i;
    while (end < s.size() && !isBlank(s.at(end)))
        ++end;
    program = s.mid(i, end - i);
    return end;
}

bool isFile(const QString& path) {
    return QFileInfo(paths::Resolve(path)).isFile();
}

QString locateProgram(const QString& program) {
    if (program.contains(u'/') || program.contains(u'\\'))
        return paths::Resolve(program);
    // A bare name: the program's own folder first, as Windows does, then PATH.
    const QString local = paths::InProgramDir(program);
    if (QFileInfo(local).isFile())
        return local;
    const QString found = QStandardPaths::findExecutable(program);
    return found.isEmpty() ? program : found;
}

// Start time of a process in clock ticks since boot; 0 when it cannot be read.
// Together with the id it tells a process we started from a later one with the same id.
quint64 startTimeOf(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray stat = f.readAll();
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return 0;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    // Fields after the name start at the state (3rd); the start time is the 22nd.
    if (fields.size() < 20 || fields.at(0) == "Z" || fields.at(0) == "X")
        return 0;
    return fields.at(19).toULongLong();
}

QMutex& startedMutex() {
    static QMutex m;
    return m;
}

QHash<qint64, quint64>& started() {
    static QHash<qint64, quint64> pids;
    return pids;
}

void remember(qint64 pid) {
    const QMutexLocker lock(&startedMutex());
    started().insert(pid, startTimeOf(pid));
}

void forget(qint64 pid) {
    const QMutexLocker lock(&startedMutex());
    started().remove(pid);
}

bool stillOurs(qint64 pid) {
    const QMutexLocker lock(&startedMutex());
    const auto it = started().constFind(pid);
    if (it == started().cend())
        return false;
    const quint64 now = startTimeOf(pid);
    if (now == 0 || (it.value() != 0 && now != it.value())) {
        started().remove(pid);
        return false;
    }
    return true;
}

void waitInEventLoop(QProcess& process) {
    if (!QCoreApplication::instance()) {
        process.waitForFinished(-1);
        return;
    }
    // Keep windows painted while the program runs, but let no user action in.
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &process](QProcess::ProcessError e) {
        if (e == QProcess::Crashed || process.state() == QProcess::NotRunning)
            loop.quit();
    });
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (process.state() != QProcess::NotRunning)
        process.waitForFinished(-1);
}

} // namespace

QStringList SplitCommandLine(const QString& cmdLine) {
    QString program;
    const qsizetype start = skipBlanks(cmdLine, 0);
    if (start >= cmdLine.size())
        return {};
    const qsizetype end = splitProgram(cmdLine, start, program);
    return QStringList{program} + splitArguments(cmdLine, end);
}

Command ParseCommand(const QString& cmdLine) {
    Command c;
    const qsizetype start = skipBlanks(cmdLine, 0);
    if (start >= cmdLine.size())
        return c;
    QString program;
    qsizetype end = splitProgram(cmdLine, start, program);
    if (cmdLine.at(start) != u'"' && !isFile(program)) {
        // An unquoted path with blanks: take more words while a longer name exists.
        for (qsizetype e = end; e < cmdLine.size();) {
            qsizetype next = skipBlanks(cmdLine, e);
            while (next < cmdLine.size() && !isBlank(cmdLine.at(next)))
                ++next;
            const QString longer = cmdLine.mid(start, next - start);
            if (isFile(longer)) {
                program = longer;
                end = next;
                break;
            }
            e = next;
        }
    }
    c.program = locateProgram(program);
    c.arguments = splitArguments(cmdLine, end);
    return c;
}

qint64 RunProgram(const QString& cmdLine, bool wait) {
    QString line = cmdLine;
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    const Command c = ParseCommand(line);
    if (c.program.isEmpty())
        err::Raise(err::errInvalidCall);
    const QFileInfo fi(c.program);
    if (!fi.exists())
        err::Raise(err::errFileNotFound);
    if (!fi.isFile() || !fi.isExecutable())
        err::Raise(err::errPermissionDenied);

    QProcess process;
    process.setProgram(c.program);
    process.setArguments(c.arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (!wait) {
        if (!process.startDetached(&pid))
            err::Raise(err::errInvalidCall);
        remember(pid);
        return pid;
    }
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted(-1))
        err::Raise(err::errInvalidCall);
    pid = process.processId();
    remember(pid);
    waitInEventLoop(process);
    forget(pid);
    return pid;
}

bool Terminate(qint64 pid) {
    if (pid <= 0 || !stillOurs(pid))
        return false;
    return ::kill(static_cast<pid_t>(pid), SIGTERM) == 0;
}

bool IsRunning(qint64 pid) {
    return pid > 0 && stillOurs(pid);
}

} // namespace lumo::process
