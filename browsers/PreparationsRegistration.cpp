#include "browsers/PreparationsRegistration.h"

#include "browsers/PreparationBrowser.h"
#include "mainwindow/MainWindowRegistry.h"

namespace lumo {

void RegisterPreparations() {
    RegisterMainWindowHook([](FrmMain& form) { PreparationBrowser::Install(form); });
}

} // namespace lumo
