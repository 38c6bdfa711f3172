#pragma once

namespace lumo {

// Registers the pictures page with the main window: every new window gets it before it loads.
void RegisterPictures();

} // namespace lumo
