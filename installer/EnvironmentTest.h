#pragma once

#include "installer/CVerOS.h"

#include <QString>

// The environment test: the operating system's row of the version table and the data
// components LUMO needs. On Linux DCOM counts as present, ADO answers the version of
// the linked database engine and Jet is a read-only test open of the medium's database.
namespace lumo::setup {

class EnvProbe {
public:
    virtual ~EnvProbe() = default;
    virtual void GetOSInfo(CVerOS& os) = 0;
    virtual bool DCOMInstalled() = 0;
    virtual QString ADOVersion() = 0;
    virtual QString JetVersion() = 0;
};

// The machine itself.
class LinuxProbe : public EnvProbe {
public:
    void GetOSInfo(CVerOS& os) override { os.GetOSInfo(); }
    bool DCOMInstalled() override { return true; }
    QString ADOVersion() override;
    // "4.0" when the Jet library files lie in the system folder or the database beside
    // ZefSetup opens with its key and answers a statement; "" otherwise.
    QString JetVersion() override;
};

// Whether the database opens with its key and answers a statement; with checkPages, also
// whether every page of it reads back sound.
bool DatabaseOpens(const QString& path, bool checkPages);

struct OsRow {
    QString caption;
    QString jetInstaller;
    QString mdacInstaller;
};
// The row of a version code; the last row (unknown) with known = false.
OsRow OsRowFor(long code, bool* known);

// Whether an ADO version text is 2.5 or later.
bool AdoVersionReady(const QString& version);

struct EnvResult {
    bool DcomReady = false;
    bool OSKnown = false;
    bool AdoReady = false;
    bool JetReady = false;
    QString AdoVersionText;
    QString JetVersionText;
    QString JetInstaller;
    QString MdacInstaller;
    QString LblOSVer;
    QString LblOS;
    bool LblOSBold = true;
    long LblOSColour = 0;
    QString EnvState; // lblVer(14)
    long EnvStateColour = 0;
    bool allReady() const { return DcomReady && OSKnown && AdoReady && JetReady; }
};

EnvResult TestComponents(EnvProbe& probe, CVerOS& os);

} // namespace lumo::setup
