// frmMain: the buttons and labels from the state of the machine and the installation.
#include "installer/frmMain.h"

#include "installer/ReportError.h"
#include "installer/SetupPaths.h"
#include "installer/SetupState.h"
#include "installer/VbColour.h"
#include "installer/VersionCompare.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/version/ProgramVersion.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

namespace lumo::setup {

namespace {

constexpr long kDarkRed = 0x80;
constexpr long kGreen = 0x8000;

} // namespace

QString frmMain::effectiveDatabaseFolder() const {
    const QString folder = State().DatabaseFolder;
    const QString trimmed = QString(folder).remove(QRegularExpression(QStringLiteral("\\s+$")));
    if (trimmed.isEmpty() || trimmed.size() >= 256)
        return State().AppFolder;
    return folder;
}

void frmMain::TestProstredi() {
    SetupState& s = State();
    s.WindowsPath = GetWindowsPath();
    s.WinSysPath = GetWinSysPath();
    s.CommonFile = GetCommonFile();
    s.CommonFileSys = GetCommonFileSys();
    s.TempPath = GetTempPath();

    m_env = TestComponents(*m_probe, *OSInfo);
    applyEnvironment();
    if (!m_env.OSKnown)
        ReportError(
            10,
            QStringLiteral("Ve vašem počítači je nainstalována neznámá verze Windows, v instalaci lze "
                           "pokračovat, výsledek však nelze předvídat, doporučujeme ukončení instalace a "
                           "kontaktování technické podpory"),
            QStringLiteral("Neznámá verze Windows"), QStringLiteral("ZefSetup-TestProstredi"));
    setComponentButton();

    s.CopySource = s.SourceFolder + kProgramFile;
    lblVer[4]->setText(version::FileVersionText(paths::Resolve(s.CopySource)));
    const StampView medium = StampDisplay(DBVersionAt(s.SourceFolder));
    setLabel(5, medium.text, medium.colour);
    if (!s.AppFolder.trimmed().isEmpty())
        showInstalled();
    else
        showNotInstalled();
}

void frmMain::applyEnvironment() {
    LblOSVer->setText(m_env.LblOSVer);
    LblOS->setText(m_env.LblOS);
    QFont f = LblOS->font();
    f.setBold(m_env.LblOSBold);
    LblOS->setFont(f);
    SetColour(LblOS, QPalette::WindowText, m_env.LblOSColour);
    setLabel(14, m_env.EnvState, m_env.EnvStateColour);
}

void frmMain::setComponentButton() {
    QPushButton* b = cmdRun[0];
    b->setEnabled(true);
    if (!m_env.DcomReady) {
        b->setToolTip(QStringLiteral("Nainstalovat technologii DCOM"));
        imgSet->setToolTip(QStringLiteral("Není nainstalována technologie DCOM"));
    } else if (!m_env.AdoReady) {
        b->setText(QStringLiteral("Instalovat komponentu MDAC"));
        b->setToolTip(QStringLiteral("Nainstalovat technologii ADO"));
        imgSet->setToolTip(QStringLiteral("Není nainstalována technologie ADO"));
    } else if (!m_env.JetReady) {
        b->setText(QStringLiteral("Instalovat podporu JET"));
        b->setToolTip(QStringLiteral("Nainstalovat technologii JET"));
        imgSet->setToolTip(QStringLiteral("Není nainstalována technologie JET"));
    } else {
        b->setEnabled(false);
        imgSet->setToolTip(QStringLiteral("Technologie DCOM, ADO a JET instalovány"));
        return;
    }
    for (int i = 1; i <= 4; ++i)
        cmdRun[i]->setEnabled(false);
}

void frmMain::showInstalled() {
    SetupState& s = State();
    ReadDatabaseLocation();
    cmdRun[1]->setEnabled(false);
    cmdRun[4]->setEnabled(true);
    s.CopySource = s.SourceFolder + kProgramFile;
    s.CopyTarget = s.AppExePath;
    lblVer[6]->setText(version::FileVersionText(paths::Resolve(s.CopyTarget)));

    const long r = CompareAppVersion(s.CopySource, s.CopyTarget);
    cmdRun[2]->setEnabled(r == 1 || r == 2);
    if (r == 1) {
        cmdRun[2]->setText(QStringLiteral("Aktualizovat Zefiraku"));
        cmdRun[2]->setToolTip(QStringLiteral("Touto volbou nahrajete novou verzi programu"));
        setLabel(12, QStringLiteral("Aktualizovat"), kDarkRed);
    } else {
        if (r == 2) {
            cmdRun[2]->setText(QStringLiteral("Opravit Zefiraku"));
            cmdRun[2]->setToolTip(QStringLiteral("Touto volbou opravíte stávající verzi programu"));
        }
        setLabel(12, QStringLiteral("OK"), kGreen);
    }

    // The database state follows the folder the database action writes to, so an older
    // medium never offers to overwrite a newer database kept elsewhere.
    const int installed = DBVersionAt(effectiveDatabaseFolder());
    const StampView stamp = StampDisplay(installed);
    setLabel(7, stamp.text, stamp.colour);
    const long d = CompareDBVersion(DBVersionAt(s.SourceFolder), installed);
    cmdRun[3]->setEnabled(d == 1 || d == 2);
    if (d == 1) {
        cmdRun[3]->setToolTip(QStringLiteral("Touto volbou nahrajete novou verzi databáze"));
        setLabel(13, QStringLiteral("Aktualizovat"), kDarkRed);
    } else {
        if (d == 2)
            cmdRun[3]->setToolTip(QStringLiteral("Touto volbou znovu nahrajete databázi"));
        setLabel(13, QStringLiteral("OK"), kGreen);
    }

    cmdRun[4]->setToolTip(QStringLiteral("Touto volbou odeberete Zefiraku ze systému"));
    imgSet->setToolTip(imgSet->toolTip() + QStringLiteral(", Zefirak je nainstalován v ") + s.AppFolder);
    if (cmdRun[2]->isEnabled() && r == 1)
        cmdRun[2]->setFocus();
    else if (cmdRun[3]->isEnabled() && d == 1)
        cmdRun[3]->setFocus();
    else
        cmdRun[5]->setFocus();
}

void frmMain::showNotInstalled() {
    if (!cmdRun[0]->isEnabled()) {
        cmdRun[1]->setEnabled(true);
        for (int i = 2; i <= 4; ++i)
            cmdRun[i]->setEnabled(false);
        cmdRun[1]->setToolTip(QStringLiteral("Touto volbou nainstalujete Zefiraku"));
        imgSet->setToolTip(imgSet->toolTip() + QStringLiteral(", Zefirak není nainstalován"));
    }
    lblVer[6]->setText(QStringLiteral("není"));
    lblVer[7]->setText(QStringLiteral("není"));
    lblVer[12]->setText(QString());
    lblVer[13]->setText(QString());
    (cmdRun[0]->isEnabled() ? cmdRun[0] : cmdRun[1])->setFocus();
}

} // namespace lumo::setup
