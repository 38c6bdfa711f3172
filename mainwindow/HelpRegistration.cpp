#include "mainwindow/HelpRegistration.h"

#include "core/AppContext.h"
#include "library/CKelHelp.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MainWindowRegistry.h"

namespace lumo {

void RegisterHelp() {
    RegisterMainWindowHook([](FrmMain& form) {
        form.Hooks.ShowHelp = [](long id) {
            if (App().HelpObj)
                App().HelpObj->ShowHelp(CKelHelp::cmdContext, id, {}, 1);
        };
    });
}

} // namespace lumo
