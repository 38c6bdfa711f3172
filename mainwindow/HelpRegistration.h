#pragma once

namespace lumo {

// The main window's context help: F1 opens the help file at the topic of the list
// mode and tab (registered before the window loads).
void RegisterHelp();

} // namespace lumo
