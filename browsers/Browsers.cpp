#include "browsers/Browsers.h"

#include "browsers/CalendarBrowser.h"
#include "browsers/CategoryBrowser.h"
#include "browsers/CategoryMember.h"
#include "browsers/FamilyBrowser.h"
#include "browsers/IndicationBrowser.h"
#include "browsers/LiteratureBrowser.h"
#include "mainwindow/FrmMain.h"

namespace lumo {

Browsers::Browsers(FrmMain& form) : QObject(&form) {
    setObjectName(QStringLiteral("Browsers"));
    UL = new CategoryBrowser(form, ActiveSubstances());
    IndSk = new CategoryBrowser(form, IndicationGroups());
    Komb = new CategoryBrowser(form, Combinations());
    Sber = new CalendarBrowser(form);
    Ind = new IndicationBrowser(form);
    Celedi = new FamilyBrowser(form);
    Lit = new LiteratureBrowser(form);
    fillHooks(form);
}

Browsers::~Browsers() = default;

Browsers* Browsers::Of(const FrmMain& form) {
    return form.findChild<Browsers*>(QStringLiteral("Browsers"), Qt::FindDirectChildrenOnly);
}

void Browsers::fillHooks(FrmMain& form) {
    FrmMainHooks& h = form.Hooks;
    for (CategoryBrowser* b : {UL, IndSk, Komb}) {
        const auto mode = static_cast<size_t>(b->member().listMode);
        h.ShowItem[mode] = [b] { b->Ukaz(); };
        h.HerbsWithItem[mode] = [b] { b->BylinyS(); };
        h.ListFillers[mode] = [b](const QString& filter) { b->NactiNazvy(filter); };
    }
    // Tab pages: 1 active substances, 2 indication groups, 6 combinations.
    h.TabChosen[1] = [this] { UL->NastavTb(); };
    h.TabChosen[2] = [this] { IndSk->NastavTb(); };
    h.TabChosen[6] = [this] { Komb->NastavTb(); };
    // Per-herb lists in the composition's order: active substances, indication groups,
    // preparations, pictures, indications, combinations, collection calendar.
    h.HerbListLoaders[0] = [this](long idx) { UL->Nacti(idx); };
    h.HerbListLoaders[1] = [this](long idx) { IndSk->Nacti(idx); };
    h.HerbListLoaders[4] = [this](long idx) { Ind->NactiIndikace(idx); };
    h.HerbListLoaders[5] = [this](long idx) { Komb->Nacti(idx); };
    h.HerbListLoaders[6] = [this](long idx) { Sber->NactiSber(idx); };
    // Indications: tab 5, list mode 5.
    h.TabChosen[5] = [this] { Ind->NastavTbInd(); };
    h.ShowItem[5] = [this] { Ind->UkazInd(); };
    h.HerbsWithItem[5] = [this] { Ind->BylinySInd(); };
    h.ListFillers[5] = [this](const QString& filter) { Ind->NactiNazvyInd(filter); };
    // The collection calendar: tab 7, list mode 7 (the twelve months; no filter).
    h.TabChosen[7] = [this] { Sber->NastavTbSber(); };
    h.ShowItem[7] = [this] { Sber->NactiPopisSber(); };
    h.HerbsWithItem[7] = [this] { Sber->BylinySSber(); };
    h.ListFillers[7] = [this](const QString&) { Sber->NactiNazvySber(); };
    // Families (list mode 8) and literature (9): no tab page, no filter.
    h.ShowItem[8] = [this] { Celedi->UkazCeledi(); };
    h.HerbsWithItem[8] = [this] { Celedi->BylinySCeledi(); };
    h.ListFillers[8] = [this](const QString&) { Celedi->NactiCeledi(); };
    h.ShowItem[9] = [this] { Lit->UkazLit(); };
    h.ListFillers[9] = [this](const QString&) { Lit->NactiNazvyLit(); };
}

} // namespace lumo
