// The uninstaller: "ST6UNST.EXE -n <log>" removes what the setup program logged (files in
// the logged program folder, menu entries, the program's registered path), then the log
// and the folder when nothing else is left in it. Exit code 0 when removed, 1 when the
// user said no, 2 on failure (nothing removed when the registration cannot be or the
// program folder cannot be written to; files that would not go are named).
// ZEF_UNINSTALL_ANSWER=yes or no answers the question (tests).
#include "installer/AskYesNo.h"
#include "installer/InstallLog.h"
#include "platform/registry/Registry.h"
#include "platform/ui/DialogPresenter.h"
#include "platform/ui/QtTranslations.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using lumo::setup::InstallLog;
using lumo::ui::DialogPresenter;

namespace {

const QString kTitle = QStringLiteral("Odinstalace programu Zefirak");

bool confirmed() {
    const QString answer = qEnvironmentVariable("ZEF_UNINSTALL_ANSWER").toLower();
    if (!answer.isEmpty())
        return answer == QStringLiteral("yes");
    return lumo::setup::AskYesNo(QStringLiteral("Opravdu chcete odebrat program Zefirak ze systému?"), kTitle,
                                 false);
}

// Only files inside a logged program folder are removed, whatever else a log might name.
bool insideLoggedFolder(const QString& file, const QStringList& dirs) {
    const QString clean = QDir::cleanPath(file);
    for (const QString& dir : dirs) {
        const QString d = QDir::cleanPath(dir) + u'/';
        if (clean.startsWith(d) && clean.size() > d.size())
            return true;
    }
    return false;
}

// The program registered beside the log has been deleted with its folder by hand: only
// its registration is left, and without removing it the program could never be set up again.
bool onlyRegistrationLeft(const QString& logPath) {
    const QString folder = QFileInfo(logPath).absolutePath();
    const auto registered = lumo::registry::ReadValue(lumo::registry::kAppPathKey);
    return !QFileInfo::exists(folder) && registered && QFileInfo(*registered).absolutePath() == folder &&
           !QFileInfo::exists(*registered);
}

// The registration goes first: a program whose registration stays must keep its files, or
// it would be listed as installed with nothing left to run or remove.
bool removeRegistration(const QStringList& keys) {
    for (const QString& key : keys) {
        QString why;
        if (!lumo::registry::DeleteValue(key, {}, &why)) {
            DialogPresenter::msgBox(
                QStringLiteral("Registraci programu nelze odebrat, program zůstává nainstalován.\n%1")
                    .arg(why),
                kTitle, QMessageBox::Critical);
            return false;
        }
    }
    return true;
}

// Files can be removed only from a folder that can be written to; without this check a
// read-only program folder would lose its registration and keep every file.
bool foldersWritable(const QStringList& dirs) {
    for (const QString& dir : dirs) {
        const QFileInfo info(dir);
        if (info.isDir() && !info.isWritable()) {
            DialogPresenter::msgBox(
                QStringLiteral("Do složky %1 nelze zapisovat, program zůstává nainstalován.").arg(dir),
                kTitle, QMessageBox::Critical);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lumo::ui::InstallQtTranslations(app);
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("-n"));
    const QString logPath = at >= 0 ? args.value(at + 1) : QString();
    InstallLog log;
    if (!logPath.isEmpty() && onlyRegistrationLeft(logPath)) {
        if (!confirmed())
            return 1;
        return removeRegistration({lumo::registry::kAppPathKey}) ? 0 : 2;
    }
    // A log naming no program folder (emptied or overwritten) removes nothing: said so.
    if (logPath.isEmpty() || !log.load(logPath) || log.dirs.isEmpty()) {
        DialogPresenter::msgBox(QStringLiteral("Instalační záznam %1 nelze přečíst.").arg(logPath), kTitle,
                                QMessageBox::Critical);
        return 2;
    }
    if (!confirmed())
        return 1;
    if (!foldersWritable(log.dirs) || !removeRegistration(log.regKeys))
        return 2;
    QStringList left;
    for (const QString& file : log.files) {
        if (insideLoggedFolder(file, log.dirs) && !QFile::remove(file) && QFileInfo::exists(file))
            left.append(file);
    }
    for (const QString& entry : log.shortcuts) {
        if (entry.endsWith(QStringLiteral(".desktop")))
            QFile::remove(entry);
    }
    QFile::remove(logPath);
    for (const QString& dir : log.dirs)
        QDir().rmdir(dir); // only when empty
    if (!left.isEmpty()) {
        DialogPresenter::msgBox(
            QStringLiteral("Tyto soubory programu nelze odebrat:\n%1").arg(left.join(u'\n')), kTitle,
            QMessageBox::Warning);
        return 2;
    }
    return 0;
}
