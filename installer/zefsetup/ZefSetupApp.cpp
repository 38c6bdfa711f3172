// ZefSetup: the installer started from the installation medium.
#include "installer/SetupPaths.h"
#include "installer/frmMain.h"
#include "platform/instance/InstanceGuard.h"
#include "platform/ui/QtTranslations.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lumo::ui::InstallQtTranslations(app);
    lumo::instance::InstanceGuard guard(QStringLiteral("zefsetup.lock"));
    if (guard.AnotherInstanceRunning())
        return 0;
    // Script file names without a folder are taken from the medium, as when started from it.
    QDir::setCurrent(lumo::setup::GetSourceFolder());
    lumo::setup::frmMain window;
    window.show();
    return app.exec();
}
