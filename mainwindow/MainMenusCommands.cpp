#include "mainwindow/FrmMain.h"
#include "mainwindow/FullTextPanel.h"
#include "mainwindow/MainMenus.h"

#include "core/AppContext.h"
#include "core/FrmSetup.h"
#include "core/LumoMainAislp.h"
#include "core/Settings.h"
#include "core/frmAbout.h"
#include "library/CKelErr.h"
#include "library/CKelHelp.h"
#include "library/CKelSrv.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/text/AnsiText.h"
#include "platform/version/ProgramVersion.h"
#include "print/CKelPrinter.h"
#include "print/PrinterDialogs.h"

#include <QAction>
#include <QDesktopServices>
#include <QLineEdit>
#include <QUrl>
#include <QUrlQuery>

#include <pwd.h>
#include <unistd.h>

namespace lumo {

namespace {

// The user's full name from the account, else the login name.
QString userName() {
    if (const passwd* pw = getpwuid(getuid())) {
        QString full = QString::fromLocal8Bit(pw->pw_gecos).section(u',', 0, 0).trimmed();
        if (full.isEmpty())
            full = QString::fromLocal8Bit(pw->pw_name);
        return full;
    }
    return qEnvironmentVariable("USER");
}

} // namespace

// Every view command ends on the search box with its focus colours.
void MainMenus::afterView() {
    m_form.NastavTb();
    m_form.focusSearchBox();
}

void MainMenus::mnuByliny_Click() {
    m_form.NactiSeznamBylin();
    m_form.CurrentTab = m_form.tabIndex() + 1;
    afterView();
}

void MainMenus::ShowCategoryView(int listMode) {
    static const char* const handlers[] = {"",
                                           "",
                                           "mnuUcLatky_Click",
                                           "mnuIndSkup_Click",
                                           "mnuPripravky_Click",
                                           "mnuIndikace_Click",
                                           "mnuKombinace_Click",
                                           "mnuSber_Click",
                                           "mnuCeledi_Click"};
    const auto& filler = m_form.Hooks.ListFillers[static_cast<size_t>(listMode)];
    if (!filler) {
        m_form.reportNotAvailable(QStringLiteral("Výběr"),
                                  QStringLiteral("LUMO-FrmMain-") + QLatin1String(handlers[listMode]));
        return;
    }
    filler(QString());
    afterView();
}

void MainMenus::mnuKonec_Click() {
    m_form.close();
}

void MainMenus::mnuVytisknout_Click() {
    m_form.runOrReport(m_form.Hooks.PrintShown, QStringLiteral("Tisk článku"),
                       QStringLiteral("LUMO-FrmMain-mnuVytisknout_Click"));
}

void MainMenus::mnuNahled_Click() {
    m_form.runOrReport(m_form.Hooks.PreviewShown, QStringLiteral("Náhled tisku"),
                       QStringLiteral("LUMO-FrmMain-mnuNahled_Click"));
}

void MainMenus::mnuSetupTisk_Click() {
    if (!App().PrinterObj) {
        m_form.reportNotAvailable(QStringLiteral("Nastavení tiskárny"),
                                  QStringLiteral("LUMO-FrmMain-mnuSetupTisk_Click"));
        return;
    }
    print::ShowPrinterSetup(&m_form);
}

void MainMenus::mnuSelect_Click() {
    if (CKelErr* errObj = App().ErrObj.get())
        errObj->ErrView(101, QStringLiteral("Tato funkce není implementována"),
                        QStringLiteral("Zefirak - Tato funkce není implementována"),
                        QStringLiteral("LUMO-FrmMain-mnuSelect_Click"));
}

void MainMenus::mnuFullText_Click() {
    m_search.ZapniHledani();
}

void MainMenus::mnuNastaveni_Click() {
    ShowFrmSetup(&m_form);
    mnuByliny_Click();
}

void MainMenus::checkLanguage(int language) {
    item(QStringLiteral("mnuCestina"))->setChecked(language == 1);
    item(QStringLiteral("mnuSlovenstina"))->setChecked(language == 2);
}

void MainMenus::setLanguage(int language) {
    checkLanguage(language);
    App().Settings.Language = language;
    NactiTextyOkna();
}

void MainMenus::mnuCestina_Click() {
    setLanguage(1);
}

void MainMenus::mnuSlovenstina_Click() {
    setLanguage(2);
}

void MainMenus::mnuProfil_Click(int Index) {
    const long n = Index + 1;
    try {
        if (!LoadProfileFile(n))
            return;
    } catch (...) {
        // The settings file stays Lumo.ini whatever failed in the profile.
        err::CaptureCurrentException();
        App().IniFile = SettingsFilePath();
        m_form.reportError(102, QStringLiteral("Nelze načíst profil %1").arg(n),
                           QStringLiteral("Nelze načíst profil"),
                           QStringLiteral("LUMO-FrmMain-mnuProfil_Click-"), true);
        return;
    }
    m_form.CurrentHerbName.clear();
    mnuByliny_Click();
    m_form.CurrentTab = 1;
    m_form.UkazVybrane();
}

void MainMenus::mnuAISLP_Click() {
    const ProgramSettings& s = App().Settings;
    SpustAISLP(s.AISLPCmd, s.SyncAISLP, QStringLiteral("LUMO-FrmMain-mnuAISLP_Click-"));
}

// Help contents and index; a failure is reported as number with the handler's location.
void MainMenus::showHelp(long command, long context, int number, const QString& handler) {
    try {
        if (!App().HelpObj)
            err::Raise(91);
        App().HelpObj->ShowHelp(command, context, QString(), 1, &m_form);
    } catch (...) {
        err::CaptureCurrentException();
        m_form.reportError(number, QStringLiteral("Při volání nápovědy došlo k systémové chybě."),
                           QStringLiteral("Nelze zobrazit nápovědu"),
                           QStringLiteral("LUMO-FrmMain-") + handler + u'-', true);
    }
}

void MainMenus::mnuObsah_Click() {
    showHelp(CKelHelp::cmdContext, 1000, 50, QStringLiteral("mnuObsah_Click"));
}

void MainMenus::mnuIndex_Click() {
    showHelp(CKelHelp::cmdIndex, 0, 51, QStringLiteral("mnuIndex_Click"));
}

void MainMenus::ShowDocument(const QString& fileName, const QString& handler) {
    CKelPrinter* printer = App().PrinterObj.get();
    if (!printer) {
        m_form.reportNotAvailable(fileName, QStringLiteral("LUMO-FrmMain-") + handler);
        return;
    }
    QString text;
    try {
        if (!App().SrvObj)
            err::Raise(91);
        CKelSrv& srv = *App().SrvObj;
        text = srv.GetTextFromFile(srv.CompletePath(paths::ProgramDir()) + fileName);
    } catch (...) {
        // A missing document is reported and no preview is shown.
        err::CaptureCurrentException();
        m_form.reportError(104, QStringLiteral("Nelze zobrazit dokument ") + fileName,
                           QStringLiteral("Nelze zobrazit dokument"),
                           QStringLiteral("LUMO-FrmMain-") + handler + u'-', true);
        return;
    }
    // A document's preview takes the document's menu caption as its header, not the name of
    // the herb shown last.
    QString caption = fileName;
    if (const QAction* menuItem =
            item(handler.endsWith(QStringLiteral("_Click")) ? handler.chopped(6) : handler))
        caption = menuItem->text().remove(u'&');
    printer->PageHeader(caption);
    printer->PrintPreview(text, false, false, QStringLiteral("Courier New"), 10);
}

QString MainMenus::SupportAddress() {
    return QStringLiteral("podpora@zefirak.cz");
}

QString MainMenus::SupportMailUrl(const QString& user, const QString& version) {
    const QString body = QStringLiteral("Uživatel: ") + text::rightTrimBlanks(user) + QStringLiteral(", ") +
                         QStringLiteral("Verze: ") + version;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QStringLiteral("Zefirak"));
    query.addQueryItem(QStringLiteral("body"), body);
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(SupportAddress());
    url.setQuery(query);
    return QString::fromLatin1(url.toEncoded());
}

void MainMenus::mnuPodpora_Click() {
    const QString url = SupportMailUrl(userName(), version::OwnVersion());
    const bool opened = OpenUrl ? OpenUrl(url) : QDesktopServices::openUrl(QUrl::fromEncoded(url.toLatin1()));
    if (!opened && App().ErrObj)
        App().ErrObj->ErrView(
            105, QStringLiteral("Nelze otevřít poštovní program pro adresu ") + SupportAddress(),
            QStringLiteral("Technická podpora"), QStringLiteral("LUMO-FrmMain-mnuPodpora_Click"));
}

void MainMenus::mnuAbout_Click() {
    ShowFrmAbout(&m_form);
}

} // namespace lumo
