#include "browsers/BrowsersRegistration.h"

#include "browsers/Browsers.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MainWindowRegistry.h"

namespace lumo {

Browsers& InstallBrowsers(FrmMain& form) {
    if (Browsers* existing = Browsers::Of(form))
        return *existing;
    return *new Browsers(form);
}

void RegisterBrowsers() {
    RegisterMainWindowHook([](FrmMain& form) { InstallBrowsers(form); });
}

} // namespace lumo
