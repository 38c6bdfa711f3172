#include "installer/SetupPaths.h"

#include "installer/SetupState.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/ini/IniFile.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/registry/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace lumo::setup {

namespace {

const QString kCurrentVersionKey =
    QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion");

QString dataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// The folder of path when its file name is name (case ignored); nullopt otherwise. A
// folder that merely contains the name ("/home/lumo/...") does not count.
std::optional<QString> folderOfFile(const QString& path, const QString& name) {
    const QString p = paths::Normalize(path.trimmed());
    const qsizetype slash = p.lastIndexOf(u'/');
    if (p.mid(slash + 1).compare(name, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return p.left(slash + 1);
}

} // namespace

SetupState& State() {
    static SetupState state;
    return state;
}

QString WithSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

QString GetSourceFolder() {
    const QString forced = qEnvironmentVariable("LUMO_SETUP_SOURCE");
    return WithSlash(forced.isEmpty() ? QCoreApplication::applicationDirPath() : forced);
}

QString GetAppExePath() {
    return registry::ReadValue(registry::kAppPathKey).value_or(QString());
}

QString GetAppFolder() {
    State().AppExePath = GetAppExePath();
    return folderOfFile(State().AppExePath, kProgramFile).value_or(QString());
}

QString GetWindowsPath() {
    return dataHome() + QStringLiteral("/zefirak-setup");
}

QString GetWinSysPath() {
    return GetWindowsPath() + QStringLiteral("/system");
}

QString GetCommonFile() {
    // Without the value the user's data folder stands in, so "System/" never turns
    // into a folder relative to wherever the installer runs.
    const auto value = registry::ReadValue(kCurrentVersionKey, QStringLiteral("CommonFilesDir"));
    return WithSlash(value && !value->isEmpty() ? *value : dataHome());
}

QString GetCommonFileSys() {
    return GetCommonFile() + QStringLiteral("System/");
}

QString GetTempPath() {
    return WithSlash(QDir::tempPath());
}

QString GetUninstallCommand() {
    const QString folder = folderOfFile(GetAppExePath(), kProgramFile).value_or(QString());
    return GetWindowsPath() + QStringLiteral("/ST6UNST.EXE -n \"") + folder + QStringLiteral("ST6UNST.LOG\"");
}

QString DesktopFolder(bool allUsers) {
    if (allUsers)
        return {};
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString SpecialFolderPath(int folder) {
    switch (folder) {
    case 16:
        return DesktopFolder(false);
    case 2:
        return dataHome() + QStringLiteral("/applications");
    case 7:
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/autostart");
    default:
        return {};
    }
}

bool FileExists(const QString& path) {
    if (path.trimmed().isEmpty() || path.contains(u'"'))
        return false;
    return QFileInfo(paths::Resolve(path)).isFile();
}

bool FolderExists(const QString& path) {
    if (path.trimmed().isEmpty() || path.contains(u'"'))
        return false;
    return QFileInfo(paths::Resolve(path)).isDir();
}

long ColourBits() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}

void ReadDatabaseLocation() {
    SetupState& s = State();
    const QString value = ini::ReadValue(s.AppFolder + QStringLiteral("Lumo.ini"), QStringLiteral("Main"),
                                         QStringLiteral("DatabaseLocation"))
                              .value_or(s.AppFolder + QStringLiteral("Lumo.mdb"));
    // A bare file name has no folder of its own: the database lies beside the program.
    const QString folder = folderOfFile(value, QStringLiteral("Lumo.mdb")).value_or(QString());
    s.DatabaseFolder = folder.isEmpty() ? s.AppFolder : folder;
}

void WriteDatabaseLocation() {
    const SetupState& s = State();
    QString why;
    if (!ini::WriteValue(s.AppFolder + QStringLiteral("Lumo.ini"), QStringLiteral("Main"),
                         QStringLiteral("DatabaseLocation"), s.DatabaseFolder + QStringLiteral("Lumo.mdb"),
                         &why))
        err::Raise(err::errPathFileAccess, QStringLiteral("ZefSetup"), why);
}

} // namespace lumo::setup
