#pragma once

#include "core/HerbDb.h"
#include "core/LangText.h"
#include "core/Settings.h"

#include <memory>

namespace lumo {

class CKelErr;
class CKelSrv;
namespace db {
class Connection;
}

// The program-wide slots. Start-up creates the one instance of each service
// object here; nobody else creates them. Released in ReleaseObjects order.
struct AppContext {
    AppContext();
    ~AppContext();

    // Releases the service objects in the fixed order (start-up exits, main window closing).
    void ReleaseObjects();

    std::unique_ptr<CKelErr> ErrObj;
    std::unique_ptr<CKelSrv> SrvObj;

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
