#include "installer/EnvironmentTest.h"

#include "installer/SetupPaths.h"
#include "installer/SetupState.h"
#include "platform/db/CipherFormat.h"
#include "platform/db/Connection.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"

#include <QFileInfo>

#include <sqlite3.h>

namespace lumo::setup {

namespace {

long roundedNumber(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? qRound(v) : 0;
}

} // namespace

QString LinuxProbe::ADOVersion() {
    return QString::fromLatin1(sqlite3_libversion());
}

QString LinuxProbe::JetVersion() {
    const QString sys = State().WinSysPath;
    if (FileExists(sys + QStringLiteral("/MSJet40.dll")))
        return QStringLiteral("4.0");
    if (FileExists(sys + QStringLiteral("/MSJet35.dll")))
        return QStringLiteral("3.51");
    const QString db = GetSourceFolder() + QStringLiteral("Lumo.mdb");
    if (!FileExists(db))
        return {};
    if (DatabaseOpens(db, false))
        return QStringLiteral("4.0");
    err::CurrentError().Clear(); // the probe's answer, not an error of a later report
    return {};
}

bool DatabaseOpens(const QString& path, bool checkPages) {
    try {
        db::Connection c;
        c.open(paths::Resolve(path), QString::fromLatin1(db::kDatabasePassword));
        bool ok = true;
        if (checkPages)
            c.forEachRow(QStringLiteral("PRAGMA quick_check"), {}, [&ok](const db::Connection::Row& row) {
                ok = ok && row.text(0) == QStringLiteral("ok");
                return ok;
            });
        else
            c.execute(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        c.close();
        return ok;
    } catch (...) {
        return false;
    }
}

OsRow OsRowFor(long code, bool* known) {
    const QString jet9x = QStringLiteral("JET\\Jet40SP8_9xNT.exe");
    const QString jetXp = QStringLiteral("JET\\WindowsXP-KB829558-x86-CSY.exe");
    const QString mdac25 = QStringLiteral("MDAC\\MDAC25SP3\\mdac_typ.exe");
    const QString mdac28 = QStringLiteral("MDAC\\MDAC28SP1\\mdac_typ.exe");
    *known = true;
    switch (code) {
    case 2:
        return {QStringLiteral("MS Windows 95"), jet9x, mdac25};
    case 3:
        return {QStringLiteral("MS Windows 98"), jet9x, mdac25};
    case 4:
        return {QStringLiteral("MS Windows ME"), QStringLiteral("JET\\jet40sp8_Wme.exe"), mdac25};
    case 5:
        return {QStringLiteral("MS Windows NT 3.51"), jet9x, mdac25};
    case 6:
        return {QStringLiteral("MS Windows NT 4.0"), jet9x, mdac25};
    case 7:
        return {QStringLiteral("MS Windows 2000"), QStringLiteral("JET\\Windows2000-KB829558-x86-CSY.exe"),
                mdac28};
    case 8:
        return {QStringLiteral("MS Windows XP"), jetXp, mdac28};
    case 9:
        return {QStringLiteral("MS Windows 2003"),
                QStringLiteral("JET\\WindowsServer2003-KB829558-x86-CSY.exe"), mdac28};
    case 10:
        return {QStringLiteral("MS Windows Vista"), jetXp, mdac28};
    case 11:
        return {QStringLiteral("MS Windows 7"), jetXp, mdac28};
    case 12:
        return {QStringLiteral("MS Windows 8"), jetXp, mdac28};
    case CVerOS::kLinux:
        // The components come with the system's packages: nothing to start.
        return {QStringLiteral("Linux"), QString(), QString()};
    default:
        *known = false;
        return {QStringLiteral("Neznámá verze OS"), jet9x, mdac25};
    }
}

bool AdoVersionReady(const QString& version) {
    if (version.trimmed().isEmpty())
        return false;
    const qsizetype dot = version.indexOf(u'.');
    const long major = dot < 0 ? 0 : roundedNumber(version.left(dot));
    const long minor = dot < 0 ? 0 : roundedNumber(version.mid(dot + 1));
    return major > 2 || (major == 2 && minor >= 5);
}

EnvResult TestComponents(EnvProbe& probe, CVerOS& os) {
    EnvResult r;
    r.DcomReady = probe.DCOMInstalled();
    probe.GetOSInfo(os);
    r.LblOSVer = QStringLiteral("%1.%2.%3 - %4")
                     .arg(os.MajorVersion())
                     .arg(os.MinorVersion())
                     .arg(os.BuildNumber())
                     .arg(os.TextVerze());
    const OsRow row = OsRowFor(os.WinVersion(), &r.OSKnown);
    r.LblOS = row.caption;
    r.JetInstaller = row.jetInstaller;
    r.MdacInstaller = row.mdacInstaller;

    r.AdoVersionText = probe.ADOVersion();
    if (!r.AdoVersionText.trimmed().isEmpty()) {
        r.AdoReady = AdoVersionReady(r.AdoVersionText);
    } else {
        r.AdoReady = false;
        r.AdoVersionText = QStringLiteral("není instalováno");
        r.LblOSBold = false;
    }
    r.JetVersionText = r.AdoReady ? probe.JetVersion() : QString();
    r.JetReady = r.JetVersionText == QStringLiteral("4.0");
    if (!r.JetReady)
        r.JetVersionText = QStringLiteral("není instalován");

    r.LblOS += QStringLiteral(", MDAC ") + r.AdoVersionText + QStringLiteral(", JET ") + r.JetVersionText;
    if (!r.DcomReady) {
        r.LblOSBold = false;
        r.LblOS += QStringLiteral(", DCOM není instalován");
    }
    const bool ready = r.allReady();
    r.LblOSColour = ready ? 0x8000 : 0xFF;
    r.EnvState = ready ? QStringLiteral("OK") : QStringLiteral("nepřipraveno");
    r.EnvStateColour = r.LblOSColour;
    return r;
}

} // namespace lumo::setup
