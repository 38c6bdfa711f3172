#include "browsers/BrowsersRegistration.h"
#include "browsers/PicturesRegistration.h"
#include "browsers/PreparationsRegistration.h"
#include "core/FrmSetup.h"
#include "core/LumoMain.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/HelpRegistration.h"
#include "mainwindow/MainMenusRegistration.h"
#include "platform/process/HeapPolicy.h"
#include "platform/ui/QtTranslations.h"
#include "print/PrintRegistration.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    lumo::process::KeepFreedMemory();
    QApplication app(argc, argv);
    lumo::ui::InstallQtTranslations(app);
    QApplication::setApplicationName(QStringLiteral("LUMO"));
    // The program ends when its main window closes, not with the splash.
    QApplication::setQuitOnLastWindowClosed(false);

    // Each part of the program registers what it adds to the main window, one line each
    // (e.g. lumo::RegisterBrowsers();), before the start-up sequence loads the window.
    lumo::RegisterMainMenus();
    lumo::RegisterPrint();
    lumo::RegisterBrowsers();
    lumo::RegisterPictures();
    lumo::RegisterHelp();
    lumo::RegisterPreparations();

    lumo::StartupHooks hooks;
    hooks.loadMainWindow = [] { lumo::LoadMainWindow(); };
    hooks.runSettingsDialog = [] { lumo::ShowFrmSetup(); };
    const lumo::StartOutcome outcome = lumo::Main(hooks);
    if (outcome == lumo::StartOutcome::Fatal) {
        // The fatal handler ends at once, without releasing the service objects.
        std::fflush(nullptr);
        std::_Exit(1);
    }
    if (outcome != lumo::StartOutcome::Started)
        return lumo::ExitCodeOf(outcome);
    return app.exec();
}
