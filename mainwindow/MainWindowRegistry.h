#pragma once

#include <functional>

namespace lumo {

class FrmMain;

// What each later part of the program adds to the main window (hooks, pages, menus) is
// registered here by that part's own registration function, before the window is loaded.
// Runs on the new window after its widgets exist and before Form_Load.
using MainWindowHook = std::function<void(FrmMain&)>;

// Adds a hook; hooks run in registration order.
void RegisterMainWindowHook(MainWindowHook hook);
// Forgets every hook (tests).
void ClearMainWindowHooks();
// Runs every registered hook on a window (LoadMainWindow).
void RunMainWindowHooks(FrmMain& form);

} // namespace lumo
