#include "browsers/Browsers.h"

#include "browsers/BrowserErrors.h"
#include "browsers/CalendarBrowser.h"
#include "browsers/CategoryBrowser.h"
#include "browsers/CategoryMember.h"
#include "browsers/FamilyBrowser.h"
#include "browsers/IndicationBrowser.h"
#include "browsers/LiteratureBrowser.h"
#include "browsers/MainListSteps.h"
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

namespace {

// The window calls these from its own handlers: whatever fails is reported here.
std::function<void()> guarded(const QString& name, std::function<void()> f) {
    return [n = name.toUtf8(), f = std::move(f)] { Guarded(n.constData(), f); };
}

std::function<void(const QString&)> guardedFiller(const QString& name,
                                                  std::function<void(const QString&)> f) {
    return [n = name.toUtf8(), f = std::move(f)](const QString& filter) {
        Guarded(n.constData(), [&] { f(filter); });
    };
}

} // namespace

void Browsers::fillHooks(FrmMain& form) {
    FrmMainHooks& h = form.Hooks;
    for (CategoryBrowser* b : {UL, IndSk, Komb}) {
        const auto mode = static_cast<size_t>(b->member().listMode);
        const QString suffix = QString::fromLatin1(b->member().suffix);
        h.ShowItem[mode] = guarded(QStringLiteral("Ukaz") + suffix, [b] { b->Ukaz(); });
        h.HerbsWithItem[mode] = guarded(QStringLiteral("BylinyS") + suffix, [b] { b->BylinyS(); });
        h.ListFillers[mode] = guardedFiller(QStringLiteral("NactiNazvy") + suffix,
                                            [b](const QString& filter) { b->NactiNazvy(filter); });
    }
    // Tab pages: 1 active substances, 2 indication groups, 6 combinations.
    h.TabChosen[1] = guarded(QStringLiteral("NastavTbUL"), [this] { UL->NastavTb(); });
    h.TabChosen[2] = guarded(QStringLiteral("NastavTbIndSk"), [this] { IndSk->NastavTb(); });
    h.TabChosen[6] = guarded(QStringLiteral("NastavTbKomb"), [this] { Komb->NastavTb(); });
    // Indications: tab 5, list mode 5.
    h.TabChosen[5] = guarded(QStringLiteral("NastavTbInd"), [this] { Ind->NastavTbInd(); });
    h.ShowItem[5] = guarded(QStringLiteral("UkazInd"), [this] { Ind->UkazInd(); });
    h.HerbsWithItem[5] = guarded(QStringLiteral("BylinySInd"), [this] { Ind->BylinySInd(); });
    h.ListFillers[5] = guardedFiller(QStringLiteral("NactiNazvyInd"),
                                     [this](const QString& filter) { Ind->NactiNazvyInd(filter); });
    // The collection calendar: tab 7, list mode 7 (the twelve months; no filter).
    h.TabChosen[7] = guarded(QStringLiteral("NastavTbSber"), [this] { Sber->NastavTbSber(); });
    // Per-herb lists in the composition's order: active substances, indication groups,
    // preparations, pictures, indications, combinations, collection calendar. Each loader
    // reports its own failures.
    h.HerbListLoaders[0] = RefillOnPage(form, 1, [this](long idx) { UL->Nacti(idx); });
    h.HerbListLoaders[1] = RefillOnPage(form, 2, [this](long idx) { IndSk->Nacti(idx); });
    h.HerbListLoaders[4] = RefillOnPage(form, 5, [this](long idx) { Ind->NactiIndikace(idx); });
    h.HerbListLoaders[5] = RefillOnPage(form, 6, [this](long idx) { Komb->Nacti(idx); });
    h.HerbListLoaders[6] = RefillOnPage(form, 7, [this](long idx) { Sber->NactiSber(idx); });
    h.ShowItem[7] = guarded(QStringLiteral("NactiPopisSber"), [this] { Sber->NactiPopisSber(); });
    h.HerbsWithItem[7] = guarded(QStringLiteral("BylinySSber"), [this] { Sber->BylinySSber(); });
    h.ListFillers[7] =
        guardedFiller(QStringLiteral("NactiNazvySber"), [this](const QString&) { Sber->NactiNazvySber(); });
    // Families (list mode 8) and literature (9): no tab page, no filter.
    h.ShowItem[8] = guarded(QStringLiteral("UkazCeledi"), [this] { Celedi->UkazCeledi(); });
    h.HerbsWithItem[8] = guarded(QStringLiteral("BylinySCeledi"), [this] { Celedi->BylinySCeledi(); });
    h.ListFillers[8] =
        guardedFiller(QStringLiteral("NactiCeledi"), [this](const QString&) { Celedi->NactiCeledi(); });
    h.ShowItem[9] = guarded(QStringLiteral("UkazLit"), [this] { Lit->UkazLit(); });
    h.ListFillers[9] =
        guardedFiller(QStringLiteral("NactiNazvyLit"), [this](const QString&) { Lit->NactiNazvyLit(); });
}

} // namespace lumo
