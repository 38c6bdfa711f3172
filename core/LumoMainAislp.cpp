#include "core/LumoMainAislp.h"

#include "core/AppContext.h"
#include "core/CAISLP.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>

namespace lumo {

namespace {

QString libraryName() {
    return QString::fromLatin1(kAislpLibraryName);
}

QString firstExisting(const QStringList& candidates) {
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

CKelSrv& srvObj() {
    if (!App().SrvObj)
        err::Raise(err::errObjectNotSet);
    return *App().SrvObj;
}

} // namespace

QStringList AislpLibraryCandidates() {
    QStringList candidates;
    const QString cmd = paths::Normalize(App().Settings.AISLPCmd.trimmed());
    if (!cmd.isEmpty() && QDir::isAbsolutePath(cmd)) {
        const QString folder = QFileInfo(paths::Resolve(cmd)).absolutePath();
        candidates << paths::Resolve(folder + u'/' + libraryName());
    }
    candidates << paths::Resolve(QStringLiteral("/AISLP/") + libraryName());
    candidates << paths::InProgramDir(libraryName());
    return candidates;
}

void AktivujAISLP(bool ShowError) {
    try {
        const QString library = firstExisting(AislpLibraryCandidates());
        if (library.isEmpty())
            err::Raise(429, QStringLiteral("CAISLP"));
        App().AISLPObj = MakeServiceSlot(std::make_unique<CAISLP>(library));
        // A missing AISLPCmd raises here: the link stays unconnected.
        CKelSrv& srv = srvObj();
        App().AISLPObj->Location(srv.CompletePath(srv.FileDirectory(App().Settings.AISLPCmd)));
        App().AISLPConnected = App().AISLPObj->Pripojen();
    } catch (...) {
        const err::ErrorRecord& e = err::CaptureCurrentException();
        if (ShowError && App().ErrObj) {
            App().ErrObj->ErrView(
                54,
                QStringLiteral("Nelze aktivovat komunikační knihovnu AISLP, náhledy článků k přípravkům "
                               "nebudou k dispozici\r\nSystem: ") +
                    QString::number(static_cast<quint32>(e.Number), 16).toUpper() + QStringLiteral(" - ") +
                    e.Description,
                QStringLiteral("Nelze aktivovat komunikační knihovnu AISLP"),
                QStringLiteral("LUMO-LumoMain-AktivujAISLP-") + e.Source);
        }
        err::CurrentError().Clear();
    }
}

bool RegisterAISLP() {
    const QString library = firstExisting(AislpLibraryCandidates());
    return !library.isEmpty() && CAISLP::LibraryLoads(library);
}

bool SpustAISLP(const QString& CmdLine, bool Wait, const QString& Location) {
    try {
        srvObj().RunApl(CmdLine, Wait);
        return true;
    } catch (...) {
        const err::ErrorRecord& e = err::CaptureCurrentException();
        if (App().ErrObj) {
            App().ErrObj->ErrView(57, err::SystemText(QStringLiteral("Nelze spustit program AISLP"), e),
                                  QStringLiteral("Nelze spustit program AISLP"), Location + e.Description);
        }
        return false;
    }
}

} // namespace lumo
