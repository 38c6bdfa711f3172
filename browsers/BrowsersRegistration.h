#pragma once

namespace lumo {

class FrmMain;
class Browsers;

// Registers the category browsers with the main window: every new window gets them before
// it loads.
void RegisterBrowsers();

// Puts the browsers on a window: their controllers (children of the window) and the window's
// hooks they fill. Returns the controllers.
Browsers& InstallBrowsers(FrmMain& form);

} // namespace lumo
