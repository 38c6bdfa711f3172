#include "installer/SetupRun.h"

#include "installer/ReportError.h"
#include "installer/TextViewer.h"
#include "platform/err/VbError.h"
#include "platform/process/Process.h"
#include "platform/text/AnsiText.h"

namespace lumo::setup {

namespace {

enum class Tool { Program, Register, Viewer };

Tool toolOf(const QStringList& words) {
    if (words.isEmpty())
        return Tool::Program;
    QString name = words.first().section(u'/', -1).section(u'\\', -1).toLower();
    if (name.endsWith(QStringLiteral(".exe")))
        name.chop(4);
    if (name == QStringLiteral("regsvr32"))
        return Tool::Register;
    if (name == QStringLiteral("notepad"))
        return Tool::Viewer;
    return Tool::Program;
}

bool start(const QString& command, bool wait) {
    const QString cmd = text::rightTrimBlanks(command);
    const QStringList words = process::SplitCommandLine(cmd);
    switch (toolOf(words)) {
    case Tool::Register:
        return true;
    case Tool::Viewer:
        ShowTextFile(words.value(1));
        return true;
    case Tool::Program:
        break;
    }
    try {
        process::RunProgram(cmd, wait);
        return true;
    } catch (const err::VbError& e) {
        ReportError(11,
                    err::SystemText(QStringLiteral("Nebylo možno spustit aplikaci ") + cmd, e.record(),
                                    QStringLiteral("-")),
                    QStringLiteral("Nelze spustit aplikaci"), QStringLiteral("ZefSetup - RunApl"));
        err::CurrentError().Clear();
        return false;
    }
}

} // namespace

bool RunApl(const QString& command) {
    return start(command, true);
}

bool StartApl(const QString& command) {
    return start(command, false);
}

} // namespace lumo::setup
