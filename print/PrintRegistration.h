#pragma once

namespace lumo {

// Plugs the print engine into the program: the printer object of start-up step 70 and the
// main window's print and preview commands. Called once by the executable before Main.
void RegisterPrint();

} // namespace lumo
