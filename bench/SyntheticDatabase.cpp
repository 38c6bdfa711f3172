#include "bench/SyntheticDatabase.h"

#include "core/AppContext.h"
#include "core/HerbDb.h"
#include "core/LangText.h"
#include "core/ScreenProfile.h"
#include "core/Settings.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "platform/db/Connection.h"

namespace lumo::bench {

void OpenDatabase(const QString& path) {
    if (App().DbConnection)
        return;
    App().ErrObj = std::make_unique<CKelErr>();
    App().SrvObj = std::make_unique<CKelSrv>();
    App().DbConnection = std::make_unique<db::Connection>();
    App().DbConnection->open(path, DatabasePassword());
}

void OpenSyntheticDatabase() {
    if (App().DbConnection)
        return;
    SetSegmentTitles();
    ApplyScreenProfile(App().Settings, 3, QString());
    App().Settings.NamesLang = 1;
    App().Settings.Language = 1;
    App().Settings.ProfilNumber = 3;
    SetMonthNames(1);
    OpenDatabase(QStringLiteral(LUMO_SYNTHETIC_DB));
}

} // namespace lumo::bench
