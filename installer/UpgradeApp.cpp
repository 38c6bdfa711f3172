#include "installer/UpgradeApp.h"

#include "installer/AskYesNo.h"
#include "installer/FrmCopy.h"
#include "installer/ReportError.h"
#include "installer/SetupPaths.h"
#include "installer/SetupRun.h"
#include "installer/SetupState.h"
#include "installer/Shortcuts.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <functional>

namespace lumo::setup {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The description names the file and what went wrong with it.
[[noreturn]] void raiseForFile(long number, const QString& path) {
    err::Raise(number, QStringLiteral("ZefSetup"),
               path + QStringLiteral(": ") + err::StandardErrorText(number));
}

QString inQuotes(const QString& s) {
    return u'"' + s + u'"';
}

// The entry's path on a desktop (all users' or the user's) when it lies there; "" otherwise.
QString entryOnDesktop(bool allUsers, const QString& file) {
    const QString desktop = DesktopFolder(allUsers);
    const QString path = desktop + u'/' + file;
    return !desktop.isEmpty() && FileExists(path) ? path : QString();
}

class Run {
public:
    explicit Run(ScriptView& view) : m_view(view) {}
    void script(const QString& path);

private:
    // One step of a record: a failure is reported and the run goes on.
    void step(const std::function<void()>& body);
    void record(const ScriptRecord& r);
    void deleteFile(const QString& name);
    void deleteShortcut(const QString& linkName);
    void createShortcut(const ScriptRecord& r);
    void askedCopy(const ScriptRecord& r, const QString& command);

    ScriptView& m_view;
    QString m_stage;
    int m_index = 0;
};

void Run::step(const std::function<void()>& body) {
    try {
        body();
    } catch (...) {
        const err::ErrorRecord& e = err::CaptureCurrentException(QStringLiteral("ZefSetup"));
        ReportError(94,
                    err::SystemText(QStringLiteral("Při aktualizaci došlo k následující systémové chybě") +
                                        kCrLf + m_stage + QStringLiteral("(%1)").arg(m_index),
                                    e, QStringLiteral("-")),
                    QStringLiteral("Nelze aktualizovat aplikaci"), QStringLiteral("ZefSetup - UpgradeApp"));
        err::CurrentError().Clear();
    }
}

void Run::script(const QString& scriptPath) {
    m_stage = QStringLiteral("Start");
    QString path = scriptPath.trimmed();
    if (path.isEmpty())
        path = State().SourceFolder + QStringLiteral("Upgrade.txt");
    QByteArray bytes;
    bool readable = false;
    step([&] {
        QFile f(paths::Resolve(path));
        if (!f.open(QIODevice::ReadOnly))
            raiseForFile(QFileInfo::exists(f.fileName()) ? err::errPermissionDenied : err::errFileNotFound,
                         path);
        bytes = f.readAll();
        readable = true;
    });
    if (!readable)
        return;
    m_stage = QStringLiteral("UpgradeScript");
    const ParsedScript parsed = ParseScript(DecodeScript(bytes));
    if (parsed.missingFields > 0)
        step([] { err::Raise(err::errInputPastEnd, QStringLiteral("ZefSetup")); });
    const ScriptFolders folders = CurrentScriptFolders();
    QList<ScriptRecord> records = parsed.records;
    for (ScriptRecord& r : records) {
        r.Source = ExpandSource(r.Source, folders);
        r.Target = ExpandTarget(r.Target, folders);
    }

    m_view.showBar(true);
    const int w = m_view.barFullWidth();
    m_view.setBarWidth(0);
    const int n = static_cast<int>(records.size());
    for (int i = 1; i <= n; ++i) {
        m_index = i;
        const ScriptRecord& r = records[i - 1];
        m_view.setCaption(QStringLiteral("Aktualizace - %1% hotovo").arg(i * 100 / n));
        m_view.setBarWidth(w * i / n);
        QCoreApplication::processEvents();
        m_stage = QStringLiteral("UpgradeScriptRun ") + r.Command + u'(' + r.FileName + u')';
        record(r);
    }
    m_view.showBar(false);
}

void Run::record(const ScriptRecord& r) {
    const QString command = r.Command.trimmed().toUpper();
    const QString source = r.Source + r.FileName;
    const QString target = r.Target + r.FileName;
    if (command == QStringLiteral("REGISTER")) {
        step([&] { RunApl(QStringLiteral("RegSvr32 /s ") + inQuotes(r.FileName)); });
    } else if (command == QStringLiteral("REGISTERCOPY")) {
        step([&] { CopyScriptFile(source, target, false); });
        step([&] { RunApl(QStringLiteral("RegSvr32 /s ") + inQuotes(target)); });
    } else if (command == QStringLiteral("UNREGISTER")) {
        step([&] { RunApl(QStringLiteral("RegSvr32 /s /u ") + inQuotes(r.FileName)); });
    } else if (command == QStringLiteral("DELETE")) {
        step([&] { deleteFile(r.FileName); });
    } else if (command == QStringLiteral("UNREGISTERDELETE")) {
        step([&] { RunApl(QStringLiteral("RegSvr32 /s /u ") + inQuotes(r.FileName)); });
        step([&] { deleteFile(r.FileName); });
    } else if (command == QStringLiteral("EXEC")) {
        step([&] { RunApl(inQuotes(source)); });
    } else if (command == QStringLiteral("VIEW")) {
        step([&] { RunApl(QStringLiteral("NotePad.exe ") + inQuotes(r.FileName)); });
    } else if (command == QStringLiteral("SHOWCOPY")) {
        step([&] { CopyScriptFile(source, target, true); });
    } else if (command == QStringLiteral("DELETESHORTCUT")) {
        step([&] { deleteShortcut(r.Source); });
    } else if (command == QStringLiteral("CREATESHORTCUT")) {
        step([&] { createShortcut(r); });
    } else if (command == QStringLiteral("USERCOPY") || command == QStringLiteral("SHOWUSERCOPY") ||
               command == QStringLiteral("NEWONLY")) {
        step([&] { askedCopy(r, command); });
    } else {
        step([&] { CopyScriptFile(source, target, false); });
    }
}

void Run::deleteFile(const QString& name) {
    const QString path = paths::Resolve(name);
    if (!QFileInfo(path).isFile())
        raiseForFile(err::errFileNotFound, name);
    QFile f(path);
    if (!f.remove())
        err::Raise(err::errPermissionDenied, QStringLiteral("ZefSetup"), f.errorString());
}

void Run::deleteShortcut(const QString& linkName) {
    const QString file = ShortcutFileName(linkName);
    if (file.isEmpty())
        return;
    for (const bool allUsers : {true, false}) {
        const QString entry = entryOnDesktop(allUsers, file);
        if (!entry.isEmpty())
            QFile::remove(entry);
    }
}

void Run::createShortcut(const ScriptRecord& r) {
    const QString target = r.Target + r.FileName;
    const QString file = ShortcutFileName(r.Source);
    const bool made = CreateDesktopShortcut(target, r.Source, r.Target, 0, 0, r.Arguments);
    if (!made || (entryOnDesktop(true, file).isEmpty() && entryOnDesktop(false, file).isEmpty()))
        CreateToolkitShortcut(r.Source, target, 16, r.Arguments);
}

void Run::askedCopy(const ScriptRecord& r, const QString& command) {
    const QString target = r.Target + r.FileName;
    bool yes = true;
    if (QFileInfo::exists(paths::Resolve(target))) {
        yes = command != QStringLiteral("NEWONLY") &&
              AskYesNo(QStringLiteral("Kopírovaný soubor ") + r.FileName + QStringLiteral(" již existuje, ") +
                           kCrLf + QStringLiteral("přapsat cílový soubor?"),
                       QStringLiteral("Cílový soubor existuje"));
    }
    if (yes)
        CopyScriptFile(r.Source + r.FileName, target, command != QStringLiteral("USERCOPY"));
}

} // namespace

ScriptFolders CurrentScriptFolders() {
    const SetupState& s = State();
    return {s.SourceFolder, s.AppFolder,   s.CommonFileSys, s.CommonFile,
            s.WinSysPath,   s.WindowsPath, s.TempPath};
}

void UpgradeApp(const QString& scriptPath, ScriptView& view) {
    Run(view).script(scriptPath);
}

bool CopyScriptFile(const QString& source, const QString& target, bool showProgress) {
    return showProgress ? CopyWithWindow(source, target) : ZkopirujSoubor(source, target);
}

} // namespace lumo::setup
