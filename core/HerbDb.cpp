#include "core/HerbDb.h"

#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "platform/db/CipherFormat.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/text/AnsiText.h"

#include <cstdio>

namespace lumo {

namespace {

void reportOpenFailure(const err::ErrorRecord& e) {
    const QString description =
        err::SystemText(QStringLiteral("Nelze připojit databázi Zefiraku"), e, QStringLiteral("-"));
    const QString title = QStringLiteral("Nelze připojit databázi");
    const QString source = QStringLiteral("LUMO-LumoMain-OpenDatabase-") + e.Source;
    if (CKelErr* reporter = App().ErrObj.get())
        reporter->ErrView(1, description, title, source);
    else
        std::fprintf(stderr, "%s\n", qPrintable(source + u' ' + description));
}

} // namespace

QString DatabasePassword() {
    return QString::fromLatin1(db::kDatabasePassword);
}

bool OpenDatabase() {
    return OpenDatabase(App().Settings.DatabaseLocation);
}

bool OpenDatabase(const QString& databaseLocation) {
    try {
        if (!App().DbConnection)
            App().DbConnection = std::make_unique<db::Connection>();
        App().DbConnection->open(paths::Resolve(text::rightTrimBlanks(databaseLocation)), DatabasePassword());
        return true;
    } catch (...) {
        reportOpenFailure(err::CaptureCurrentException(db::DbErrorSource()));
        return false;
    }
}

bool ReadDbVersion() {
    try {
        db::Connection* connection = App().DbConnection.get();
        if (!connection || !connection->isOpen())
            return false;
        db::Recordset rs;
        rs.open(*connection, QStringLiteral("SELECT * FROM Verze ORDER BY Idx DESC"));
        if (rs.bof() && rs.eof()) {
            rs.close();
            return false;
        }
        // All three read before any is stored, so a bad row leaves the old values.
        DbVersionRecord v;
        v.FromDate = rs.field(QStringLiteral("FromDate")).toDate();
        v.Verze = static_cast<qint16>(rs.field(QStringLiteral("Verze")).toInt());
        v.Edice = rs.field(QStringLiteral("Edice")).str();
        rs.close();
        App().DbVersion = v;
        return true;
    } catch (...) {
        err::CurrentError().Clear();
        return false;
    }
}

} // namespace lumo
