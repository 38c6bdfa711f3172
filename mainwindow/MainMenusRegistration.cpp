#include "mainwindow/MainMenusRegistration.h"

#include "mainwindow/FrmMain.h"
#include "mainwindow/FullTextPanel.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MainWindowRegistry.h"

namespace lumo {

void RegisterMainMenus() {
    RegisterMainWindowHook([](FrmMain& form) {
        auto* search = new FullTextPanel(form);
        auto* menus = new MainMenus(form, *search);
        form.Hooks.NactiCastiHledani = [search] { search->NactiCastiHledani(); };
        form.Hooks.NactiTextyOkna = [menus] { menus->NactiTextyOkna(); };
        form.Hooks.NactiMenu = [menus] { menus->NactiMenu(); };
    });
}

} // namespace lumo
