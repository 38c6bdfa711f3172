#pragma once

class QCoreApplication;

namespace lumo::ui {

// Loads Qt's own Czech texts (buttons and captions of the file, print, colour and message
// dialogs), so the system dialogs speak the program's language. Silent where they are missing.
void InstallQtTranslations(QCoreApplication& app);

} // namespace lumo::ui
