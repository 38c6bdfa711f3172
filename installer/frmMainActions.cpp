// frmMain: the six actions.
#include "installer/frmMain.h"

#include "installer/EnvironmentTest.h"
#include "installer/FrmCopy.h"
#include "installer/FrmMsg.h"
#include "installer/ReportError.h"
#include "installer/SetupPaths.h"
#include "installer/SetupRun.h"
#include "installer/SetupState.h"
#include "installer/Shortcuts.h"
#include "installer/VersionCompare.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/registry/Registry.h"
#include "platform/ui/DialogPresenter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QMessageBox>
#include <QPushButton>

namespace lumo::setup {

namespace {

void deleteIfExists(const QString& path) {
    const QString resolved = paths::Resolve(path);
    if (QFileInfo(resolved).isFile())
        QFile::remove(resolved);
}

} // namespace

void frmMain::closeEvent(QCloseEvent* event) {
    if (Busy) {
        QApplication::beep();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frmMain::unload() {
    Busy = false;
    close();
}

void frmMain::cmdRun_Click(int index) {
    if (Busy)
        return;
    Busy = true;
    try {
        switch (index) {
        case 0:
            InstallComponent();
            break;
        case 1:
            InstallProgram();
            break;
        case 2:
            UpgradeProgram();
            break;
        case 3:
            LoadDatabase();
            break;
        case 4:
            RemoveProgram();
            break;
        default:
            unload();
            break;
        }
    } catch (...) {
        const err::ErrorRecord& e = err::CaptureCurrentException(QStringLiteral("ZefSetup"));
        ReportError(13,
                    err::SystemText(QStringLiteral("Došlo k systémovému selhání"), e, QStringLiteral("-")),
                    QStringLiteral("Systémové selhání instalační sady"), QStringLiteral("ZefSetup"));
        err::CurrentError().Clear();
        unload();
    }
    Busy = false;
}

void frmMain::runOutsideProgram(const QString& command) {
    // The buttons take no click while the program runs, and show it; clicks made meanwhile
    // reach them while they are still disabled, so none runs an action afterwards.
    QWidget* focused = focusWidget();
    Frame1->setEnabled(false);
    RunApl(command);
    QCoreApplication::processEvents();
    Frame1->setEnabled(true);
    if (focused)
        focused->setFocus();
}

bool frmMain::findInstalledProgram() {
    State().AppFolder = GetAppFolder();
    if (!State().AppFolder.isEmpty())
        return true;
    // No program registered any more (removed meanwhile): nothing is touched, the window
    // shows the new state.
    ui::DialogPresenter::msgBox(QStringLiteral("Zefirak není nainstalován."),
                                QStringLiteral("Instalace Zefiraku"), QMessageBox::Information);
    TestProstredi();
    return false;
}

void frmMain::InstallComponent() {
    const SetupState& s = State();
    if (!m_env.DcomReady) {
        StartApl(s.SourceFolder + QStringLiteral("DCOM98.EXE"));
        unload();
        return;
    }
    if (!m_env.AdoReady)
        StartApl(s.SourceFolder + m_env.MdacInstaller);
    else if (!m_env.JetReady)
        StartApl(s.SourceFolder + m_env.JetInstaller);
    TestProstredi();
}

void frmMain::InstallProgram() {
    SetupState& s = State();
    runOutsideProgram(paths::Resolve(s.SourceFolder + QStringLiteral("Setup.EXE")));
    s.AppFolder = GetAppFolder();
    if (s.AppFolder.isEmpty())
        return; // setup cancelled
    s.DatabaseFolder = s.AppFolder;
    WriteDatabaseLocation();
    if (FileExists(s.SourceFolder + QStringLiteral("Install.txt")))
        UpgradeApp(s.SourceFolder + QStringLiteral("Install.txt"), *this);
    FrmMsg question(this);
    ui::DialogPresenter::exec(question);
    if (s.ShortcutAnswer == 1) {
        const QString target = s.AppFolder + kProgramFile;
        if (!CreateDesktopShortcut(target, QStringLiteral("Zefirak"), s.AppFolder, 0, 0, QString()))
            CreateToolkitShortcut(QStringLiteral("Zefirak"), target, 16, QString());
    }
    TestProstredi();
}

void frmMain::UpgradeProgram() {
    SetupState& s = State();
    if (!findInstalledProgram())
        return;
    s.CopySource = s.SourceFolder + kProgramFile;
    s.CopyTarget = GetAppExePath();
    const long r = CompareAppVersion(s.CopySource, s.CopyTarget);
    if (r == 1 || r == 2) {
        // The help file goes along when the medium has one.
        if (FileExists(s.SourceFolder + QStringLiteral("Lumo.chm")))
            CopyWithWindow(s.SourceFolder + QStringLiteral("Lumo.chm"),
                           s.AppFolder + QStringLiteral("Lumo.chm"));
        CopyWithWindow(s.SourceFolder + kProgramFile, s.AppFolder + kProgramFile);
    }
    if (FileExists(s.SourceFolder + QStringLiteral("Upgrade.txt")))
        UpgradeApp(s.SourceFolder + QStringLiteral("Upgrade.txt"), *this);
    TestProstredi();
}

void frmMain::LoadDatabase() {
    SetupState& s = State();
    if (!findInstalledProgram())
        return;
    s.CopySource = s.SourceFolder + QStringLiteral("Lumo.mdb");
    s.DatabaseFolder = effectiveDatabaseFolder();
    s.CopyTarget = s.DatabaseFolder + QStringLiteral("Lumo.mdb");
    // Compared with the database the copy would replace: an older medium never
    // overwrites a newer database.
    if (CompareDBVersion(DBVersionAt(s.SourceFolder), DBVersionAt(s.DatabaseFolder)) != 0) {
        // A damaged medium never replaces the database the program works with.
        if (FileExists(s.CopySource) && !DatabaseOpens(s.CopySource, true)) {
            ReportError(94,
                        QStringLiteral("Databáze na instalačním médiu je poškozená, databáze v počítači "
                                       "zůstává beze změny.\r\n") +
                            s.CopySource,
                        QStringLiteral("Chyba při kopírování"), QStringLiteral("ZefSetup - CopyFile"));
            err::CurrentError().Clear();
        } else if (CopyWithWindow(s.CopySource, s.CopyTarget)) {
            // The stamp follows only a database that arrived whole.
            CopyWithWindow(s.SourceFolder + QStringLiteral("Lumo.INF"),
                           s.DatabaseFolder + QStringLiteral("Lumo.INF"));
        }
    }
    TestProstredi();
}

void frmMain::RemoveProgram() {
    SetupState& s = State();
    if (!findInstalledProgram())
        return;
    const QString app = s.AppFolder;
    runOutsideProgram(GetUninstallCommand());
    // The database, the error log, the settings and the profiles go only with the program:
    // a cancelled or failed removal leaves a program that still starts with all of them.
    if (GetAppExePath().isEmpty()) {
        for (const char* name : {"Lumo.INF", "Lumo.mdb", "Errors.txt", "LUMO.ini", "LUMO.inf"})
            deleteIfExists(app + QString::fromLatin1(name));
        for (int n = 1; n <= 9; ++n)
            deleteIfExists(app + QStringLiteral("LUMO%1.ini").arg(n));
        QDir().rmdir(app); // only when nothing of the user's is left in it
    }
    unload();
}

} // namespace lumo::setup
