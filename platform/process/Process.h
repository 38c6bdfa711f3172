#pragma once

#include <QString>
#include <QStringList>

// Stand-in for starting a program and waiting for it; programs are started
// directly, never through a shell.
namespace lumo::process {

// A command line split the way Windows programs split theirs: blanks separate
// arguments, double quotes group them ("" inside quotes is one quote), and
// backslashes escape a quote only when they stand right before it. The program
// (first element) ends at a blank or, when quoted, at the closing quote.
QStringList SplitCommandLine(const QString& cmdLine);

// The program and its arguments for cmdLine: "\" in the program's path become "/",
// its name is resolved case-insensitively, and an unquoted program path with blanks
// ("/opt/my tools/run -x") takes further words while no file of the shorter name
// exists. A bare name is looked up in PATH. The program is empty for an empty line.
struct Command {
    QString program;
    QStringList arguments;
};
Command ParseCommand(const QString& cmdLine);

// Starts the command (trailing blanks removed). With wait, returns only after the
// program has ended; meanwhile windows are repainted but take no user input.
// Returns the process id. Raises err::VbError 53 when the program does not exist,
// 70 when it may not be run and 5 when it cannot be started otherwise.
qint64 RunProgram(const QString& cmdLine, bool wait);

// Ends a process that RunProgram started and that still runs. Other processes are left
// alone, also when their id was reused by an unrelated program. True when signalled.
bool Terminate(qint64 pid);

// Whether a process RunProgram started still runs.
bool IsRunning(qint64 pid);

} // namespace lumo::process
