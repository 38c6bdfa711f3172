#include "browsers/BrowsersRegistration.h"

#include "browsers/Browsers.h"
#include "browsers/InstallOnce.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MainWindowRegistry.h"

namespace lumo {

Browsers& InstallBrowsers(FrmMain& form) {
    return InstallOnce<Browsers>(form);
}

void RegisterBrowsers() {
    RegisterMainWindowHook([](FrmMain& form) { InstallBrowsers(form); });
}

} // namespace lumo
