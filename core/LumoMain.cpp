#include "core/LumoMain.h"

#include "core/AppContext.h"
#include "core/FrmSplash.h"
#include "core/HerbDb.h"
#include "core/LangText.h"
#include "core/LumoMainAislp.h"
#include "core/PrinterSeam.h"
#include "core/Settings.h"
#include "library/CKelErr.h"
#include "library/CKelHelp.h"
#include "library/CKelSound.h"
#include "library/CKelSrv.h"
#include "library/ErrMain.h"
#include "platform/db/Connection.h"
#include "platform/err/VbError.h"
#include "platform/help/HtmlHelp.h"
#include "platform/instance/InstanceGuard.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/process/Background.h"
#include "platform/sound/SoundBackend.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>

namespace lumo {

namespace {

QPointer<FrmSplash> g_splash;
StartupHooks g_hooks;

void fillDefaults(StartupHooks& hooks) {
    if (!hooks.anotherInstanceRunning) {
        hooks.anotherInstanceRunning = [] {
            // Held for the life of the process once taken.
            static instance::InstanceGuard guard;
            return guard.AnotherInstanceRunning();
        };
    }
    if (!hooks.runSettingsDialog)
        hooks.runSettingsDialog = [] {};
    if (!hooks.loadMainWindow)
        hooks.loadMainWindow = [] {};
    if (!hooks.fatalMessage) {
        hooks.fatalMessage = [](const QString& text, const QString& title) {
            ui::DialogPresenter::msgBox(text, title, QMessageBox::Critical);
        };
    }
}

void unloadSplash() {
    if (g_splash) {
        g_splash->close();
        delete g_splash.data();
    }
}

// The second-instance test of step 50: true when start-up must end.
bool refuseSecondInstance() {
    // Asked first, whatever MultipleRun says: the test also takes this instance's lock,
    // so a later start that does not allow several instances still sees this one.
    const bool another = g_hooks.anotherInstanceRunning();
    if (App().Settings.MultipleRun || !another)
        return false;
    App().ErrObj->ErrView(
        99,
        QStringLiteral("Zefirak je již spuštěn, vícenásobné spuštění je v nastavení zakázáno. "
                       "Chcete-li Zefiraku spouštět ve více instancích, povolte vícenásobné "
                       "spuštění v nastavení"),
        QStringLiteral("Vícenásobné spuštění"), QStringLiteral("LUMO-LumoMain-Main"));
    return true;
}

// Step 80: the connection, one more try after the settings dialog, then the version row.
bool connectDatabase() {
    if (!OpenDatabase()) {
        g_hooks.runSettingsDialog();
        if (!OpenDatabase())
            return false;
    }
    if (ReadDbVersion() && g_splash) {
        const DbVersionRecord& v = App().DbVersion;
        g_splash->LblEd->setText(text::rightTrimBlanks(v.Edice) + QStringLiteral(" (") +
                                 v.FromDate.toString(QStringLiteral("d.M.yyyy")) + u')');
    }
    return true;
}

// The error dialog's beeps and wave go through the sound object while it exists.
void connectErrorSounds() {
    ErrSeams& seams = ErrState().Seams;
    seams.WaveReady = [] { return App().SoundObj && App().SoundObj->WaveReady(); };
    seams.Beep = [](int hz, int ms) {
        if (App().SoundObj)
            App().SoundObj->MBeep(hz, ms);
    };
    seams.PlayWave = [](const QString& file) {
        if (App().SoundObj)
            App().SoundObj->PlayWav(file, 1);
    };
}

// Step 20: the sound object; with a wave device the error sound and the start sound.
void createSound() {
    App().SoundObj = MakeServiceSlot(std::make_unique<CKelSound>());
    connectErrorSounds();
    if (App().SoundObj->WaveReady()) {
        App().ErrObj->SoundEnabled(true);
        App().SoundObj->PlayWav(paths::ProgramDir() + QStringLiteral("/LUMO.Wav"), 1);
    }
}

// Step 60: the help object on the program's help file; the error dialog's help
// button and F1 open the error help in the same help window.
void createHelp() {
    App().HelpObj = MakeServiceSlot(std::make_unique<CKelHelp>());
    App().HelpObj->HelpName(App().SrvObj->CompletePath(paths::ProgramDir()) + QStringLiteral("Lumo.chm"));
    ErrState().Seams.HtmlHelp = [](QWidget* owner, const QString& path, int command, long context) {
        help::HtmlHelp(owner, path, command, context);
    };
}

StartOutcome runSteps() {
    g_splash = new FrmSplash();
    g_splash->show();
    // Beside the splash's first paint and the first steps: the sound module for step 20 and the
    // database engine's tables for step 80.
    sound::PreloadBackend();
    process::RunInBackground(db::WarmUpEngine);
    QCoreApplication::processEvents();

    ShowStartStep(10, QStringLiteral("Nahrávám programové vybavení"));
    App().ErrObj = std::make_unique<CKelErr>();

    ShowStartStep(20, QStringLiteral("Nahrávám multimediální podporu"));
    createSound();

    ShowStartStep(30, QStringLiteral("Nahrávám obslužné rutiny"));
    App().SrvObj = std::make_unique<CKelSrv>();

    ShowStartStep(40, QStringLiteral("Nahrávám nastavení programu"));
    App().IniFile = SettingsFilePath();

    ShowStartStep(50, QStringLiteral("Načítám uživatelské nastavení"));
    SetSegmentTitles();
    LoadSettings(false);
    if (refuseSecondInstance()) {
        unloadSplash();
        ReleaseObjects();
        return StartOutcome::SecondInstance;
    }

    ShowStartStep(60, QStringLiteral("Nahrávám nápovědu"));
    createHelp();

    ShowStartStep(70, QStringLiteral("Nahrávám tiskovou podporu"));
    CreatePrinterObject();

    ShowStartStep(80, QStringLiteral("Připojuji databázi bylin"));
    if (!connectDatabase()) {
        unloadSplash();
        ReleaseObjects();
        return StartOutcome::NoDatabase;
    }

    ShowStartStep(85, QStringLiteral("Testuji připojení AISLP"));
    AktivujAISLP(false);
    if (!App().AISLPConnected) {
        RegisterAISLP();
        AktivujAISLP(false);
    }

    ShowStartStep(90, QStringLiteral("Načítám jazykovou podporu"));
    SetMonthNames(1);

    ShowStartStep(100, QStringLiteral("Aktivuji uživatelské rozhraní"));
    g_hooks.loadMainWindow();
    unloadSplash();
    return StartOutcome::Started;
}

} // namespace

StartOutcome Main(StartupHooks hooks) {
    fillDefaults(hooks);
    g_hooks = std::move(hooks);
    try {
        return runSteps();
    } catch (...) {
        const err::ErrorRecord& e = err::CaptureCurrentException();
        // An error without a source of its own is the program's, as the runtime names it.
        const QString source = e.Source.isEmpty() ? QStringLiteral("LUMO") : e.Source;
        g_hooks.fatalMessage(
            QStringLiteral("Při startu aplikace Zefirak došlo k závažné chybě číslo %1 (%2) v "
                           "modulu Main-%3. Aplikace bude nyní ukončena")
                .arg(e.Number)
                .arg(e.Description, source),
            QStringLiteral("Nelze spustit aplikaci"));
        unloadSplash();
        return StartOutcome::Fatal;
    }
}

void ShowStartStep(int Progress, const QString& Caption) {
    if (g_splash) {
        g_splash->PgB->setValue(Progress);
        FrmSplash::SetPair(g_splash->lblInfo, Caption);
    }
    if (g_hooks.stepShown)
        g_hooks.stepShown(Progress, Caption);
    QCoreApplication::processEvents();
}

void ReleaseObjects() {
    // An exit at start-up can come while the work begun beside the splash still runs; the
    // exit handlers of its libraries (the cipher library's clean-up) must not run under it.
    process::WaitForBackgroundWork();
    App().ReleaseObjects();
}

int ExitCodeOf(StartOutcome outcome) {
    return outcome == StartOutcome::Started ? 0 : 1;
}

FrmSplash* Splash() {
    return g_splash.data();
}

} // namespace lumo
