#pragma once

namespace lumo {

// Adds the menu bar, the main toolbar's buttons and the full-text search panel to the main
// window, with the window's interface-language texts.
void RegisterMainMenus();

} // namespace lumo
