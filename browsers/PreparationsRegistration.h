#pragma once

namespace lumo {

// Registers the preparations with the main window: every new window gets them before it loads.
void RegisterPreparations();

} // namespace lumo
