#include "browsers/PreparationBrowser.h"

#include "browsers/BrowserErrors.h"
#include "browsers/CategorySql.h"
#include "browsers/CheckList.h"
#include "browsers/InstallOnce.h"
#include "browsers/MainListSteps.h"
#include "browsers/PreparationDescription.h"
#include "browsers/SearchToolbar.h"
#include "core/AppContext.h"
#include "core/CAISLP.h"
#include "core/LumoMainAislp.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/FrmMainKeys.h"
#include "platform/db/Recordset.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"

#include <QCoreApplication>
#include <QFrame>
#include <QMenu>
#include <QTreeWidget>

namespace lumo {

namespace {

constexpr LoadReport kPerHerb{21, "Nelze načíst přípravky, kontaktujte technickou podporu",
                              "Nelze načíst přípravky", "LUMO-FrmMain-NactiPripravky-"};
constexpr LoadReport kAllFailure{22, "Nelze načíst názvy přípravků, kontaktujte technickou podporu",
                                 "Nelze načíst názvy přípravků", "LUMO-FrmMain-NactiNazvyPrip-"};
constexpr LoadReport kAllEmpty{23, "Databáze neobsahuje názvy přípravků, kontaktujte technickou podporu",
                               "Nelze načíst názvy přípravků", "LUMO-FrmMain-NactiNazvyPrip"};
constexpr LoadReport kDescription{24, "Nelze načíst popis přípravku, kontaktujte technickou podporu",
                                  "Nelze načíst popis přípravku", "LUMO-FrmMain-NactiPopisPrip-"};
constexpr long kListMode = 4;
constexpr size_t kLoaderIndex = 2; // the third per-herb list of a composition
constexpr size_t kTabIndex = 4;
const QString kCaption = QStringLiteral("Byliny v přípravku ");

const CategorySql::Link kLink{QStringLiteral("PripravkyByliny"), QStringLiteral("IdxPripravku")};
const QString kEntity = QStringLiteral("Pripravky");

bool aislpProgramExists() {
    const QString cmd = App().Settings.AISLPCmd;
    return !text::rightTrimBlanks(cmd).isEmpty() && App().SrvObj && App().SrvObj->FileExist(cmd);
}

} // namespace

PreparationBrowser::PreparationBrowser(FrmMain& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("PreparationBrowser"));
    m_form.LvPrip->setHeaderLabels({QStringLiteral("Název"), QStringLiteral("ID AISLP")});
    m_list = new CheckList(form, form.LvPrip, false);
    m_list->setParent(this);
    m_list->onKeyDown = [this](int keyCode, int shift) { return onKeyDown(keyCode, shift); };

    m_toolbar = new SearchToolbar(form.TbPrip, QStringLiteral("TbPrip"));
    m_toolbar->setParent(this);
    m_toolbar->add(QStringLiteral("Select"), QStringLiteral("Byliny"),
                   QStringLiteral("Vyhledá byliny pro vybraný přípravek"));
    m_toolbar->add(QStringLiteral("AISLP"), QStringLiteral("AISLP"),
                   QStringLiteral("Vyhledá přípravek v AISLPu"));
    m_toolbar->onClick = [this](const QString& key) {
        if (key == QStringLiteral("Select"))
            mnuPripByl_Click();
        else if (key == QStringLiteral("AISLP"))
            mnuPripAISLP_Click();
    };
    // Never opened: its commands are reached through the toolbar and Enter.
    mnuPrip = new QMenu(QStringLiteral("Přípravky"), &form);
    mnuPrip->setObjectName(QStringLiteral("mnuPrip"));
    AddMenuItem(mnuPrip, "mnuPripByl", QStringLiteral("Byliny s přípravkem"), [this] { mnuPripByl_Click(); });
    AddMenuItem(mnuPrip, "mnuPripAISLP", QStringLiteral("Článek v AISLP"), [this] { mnuPripAISLP_Click(); });

    FrmMainHooks& h = form.Hooks;
    h.HerbListLoaders[kLoaderIndex] =
        RefillOnPage(form, kTabIndex, [this](long idx) { NactiPripravky(idx); });
    h.TabChosen[kTabIndex] = [this] { NastavTbPrip(); };
    h.ListFillers[kListMode] = [this](const QString& filter) { NactiNazvyPrip(filter); };
    h.ShowItem[kListMode] = [this] { UkazPrip(); };
    h.HerbsWithItem[kListMode] = [this] { BylinySPrip(); };
    if (!h.AISLPConnected)
        h.AISLPConnected = [] { return App().AISLPConnected; };
}

PreparationBrowser& PreparationBrowser::Install(FrmMain& form) {
    return InstallOnce<PreparationBrowser>(form);
}

void PreparationBrowser::NactiPripravky(long herb) {
    m_list->clear();
    try {
        db::Recordset rs;
        OpenQuery(rs, CategorySql::PerHerb(kEntity, kLink, herb));
        for (; !rs.eof(); rs.moveNext()) {
            QTreeWidgetItem* item = m_list->add(rs.field(QStringLiteral("Idx")).toLong(),
                                                rs.field(QStringLiteral("Nazev")).str());
            item->setText(1, rs.field(QStringLiteral("AislpID")).str());
        }
        rs.close();
    } catch (...) {
        ReportFailure(kPerHerb);
    }
}

void PreparationBrowser::NastavTbPrip() {
    const bool any = m_list->count() > 0;
    m_toolbar->setEnabled(QStringLiteral("Select"), any);
    m_toolbar->setEnabled(QStringLiteral("AISLP"), any && aislpProgramExists());
}

bool PreparationBrowser::onKeyDown(int keyCode, int shift) {
    if (keyCode == vbKeyReturn && shift == 0) {
        if (m_form.AislpMenuEnabled)
            mnuPripAISLP_Click();
        return true;
    }
    if (keyCode == vbKeyUp && shift == vbCtrlMask) {
        GoToSearchBox(m_form);
        return true;
    }
    return false;
}

void PreparationBrowser::mnuPripByl_Click() {
    QTreeWidgetItem* item = m_list->selected();
    if (!item)
        return;
    m_form.CurrentPrip = FrmMain::listId(item);
    m_form.setPanelText(QStringLiteral("Podminka"), kCaption + item->text(0));
    m_form.NactiNazvy(CategorySql::HerbsWithItem(kLink, m_form.CurrentPrip), 0);
}

void PreparationBrowser::mnuPripAISLP_Click() {
    QTreeWidgetItem* item = m_list->selected();
    if (!item || !aislpProgramExists())
        return;
    const QString code = text::rightTrimBlanks(item->text(1));
    SpustAISLP(App().Settings.AISLPCmd + QStringLiteral(" /pfa ,") + code, App().Settings.SyncAISLP,
               QStringLiteral("LUMO-FrmMain-mnuPripAISLP_Click-"));
}

void PreparationBrowser::NactiNazvyPrip(const QString& Sql) {
    ListEntityItems(m_form, kListMode, kEntity, Sql, m_form.CurrentPrip, kAllEmpty, kAllFailure,
                    [this] { UkazPrip(); });
}

void PreparationBrowser::UkazPrip() {
    ShowMainListItem(m_form, m_form.CurrentPrip, [this] { NactiPopisPrip(); });
}

void PreparationBrowser::NactiPopisPrip() {
    // The busy panel lets the window repaint but takes no input, so a click cannot start a
    // second description inside this one.
    if (m_describing)
        return;
    // A close meanwhile waits: the description still uses the connection.
    FrmMain::BusyScope busy(m_form);
    m_describing = true;
    try {
        PreparationContent content;
        db::Recordset rs;
        OpenQuery(rs, CategorySql::Item(kEntity, m_form.CurrentPrip));
        if (!rs.eof()) {
            m_form.Frame2->show();
            m_form.Frame2->raise();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            content.Name = rs.field(QStringLiteral("Nazev")).str();
            if (App().AISLPConnected && App().AISLPObj)
                content.Article = App().AISLPObj->ClanekPFA(rs.field(QStringLiteral("AislpID")).str());
        }
        rs.close();
        content.Herbs = ReadHerbNames(
            m_form, CategorySql::HerbNames(kLink, m_form.CurrentPrip, DescriptionNamesLanguage()));
        const QString rtf = PreparationDescriptionRtf(App().Settings, content);
        m_form.Frame2->hide();
        m_form.RtfTemp->setTextRTF(rtf);
    } catch (...) {
        m_form.Frame2->hide();
        ReportFailure(kDescription);
    }
    m_describing = false;
}

void PreparationBrowser::BylinySPrip() {
    ListHerbsOfShownItem(m_form, m_form.CurrentPrip, CategorySql::HerbsWithItem(kLink, m_form.CurrentPrip),
                         kCaption);
}

} // namespace lumo
