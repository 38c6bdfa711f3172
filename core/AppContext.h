#pragma once

#include "core/HerbDb.h"
#include "core/LangText.h"
#include "core/Settings.h"

#include <memory>

namespace lumo {

class CKelErr;
class CKelSrv;
class CKelSound;
class CKelHelp;
class CKelPrinter;
class CAISLP;
namespace db {
class Connection;
}

// A slot for a service object whose class lives in a library above this one (the
// creator supplies the deleter, so the slot needs only a declaration here).
template <class T> using ServiceSlot = std::unique_ptr<T, void (*)(T*)>;

template <class T> ServiceSlot<T> MakeServiceSlot(std::unique_ptr<T> object) {
    return ServiceSlot<T>(object.release(), [](T* p) { delete p; });
}

template <class T> ServiceSlot<T> EmptyServiceSlot() {
    return ServiceSlot<T>(nullptr, [](T*) {});
}

// The program-wide slots. Start-up creates the one instance of each service
// object here; nobody else creates them. Released in ReleaseObjects order.
struct AppContext {
    AppContext();
    ~AppContext();

    // Releases the service objects in the fixed order (start-up exits, main window closing).
    void ReleaseObjects();

    // Released in this order: HelpObj, ErrObj, PrinterObj, SoundObj, SrvObj, DbConnection, AISLPObj.
    std::unique_ptr<CKelErr> ErrObj;
    std::unique_ptr<CKelSrv> SrvObj;
    ServiceSlot<CKelSound> SoundObj = EmptyServiceSlot<CKelSound>();
    ServiceSlot<CKelHelp> HelpObj = EmptyServiceSlot<CKelHelp>();
    ServiceSlot<CKelPrinter> PrinterObj = EmptyServiceSlot<CKelPrinter>();
    ServiceSlot<CAISLP> AISLPObj = EmptyServiceSlot<CAISLP>();
    // Whether the last activation of the AISLP link connected; kept for the whole run.
    bool AISLPConnected = false;

    // Settings: the file read and written ("Lumo.ini", a profile file only while one is
    // loaded or saved), every settings value, and the month names (Czech, set once).
    QString IniFile;
    ProgramSettings Settings;
    MonthNameArray MonthNames;

    // The herb database: the one read-only connection of the run (opened by
    // OpenDatabase) and its version row (filled by ReadDbVersion).
    std::unique_ptr<db::Connection> DbConnection;
    DbVersionRecord DbVersion;
};

// The program's context.
AppContext& App();

} // namespace lumo
