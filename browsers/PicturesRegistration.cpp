#include "browsers/PicturesRegistration.h"

#include "browsers/PictureBrowser.h"
#include "mainwindow/MainWindowRegistry.h"

namespace lumo {

void RegisterPictures() {
    RegisterMainWindowHook([](FrmMain& form) { PictureBrowser::Install(form); });
}

} // namespace lumo
