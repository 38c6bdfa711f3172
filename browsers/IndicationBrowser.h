#pragma once

#include "browsers/CategorySearch.h"
#include "browsers/CheckList.h"
#include "browsers/SearchToolbar.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace lumo {

class FrmMain;

// Indications in two levels: the shown herb's top-level indications (LvInd) and the
// sub-indications of the chosen one (LvSub), both with marks; every indication in the main
// list with its broader and related indications and its herbs; the herb search on one
// indication or on the marked ones of both lists.
class IndicationBrowser : public QObject {
public:
    explicit IndicationBrowser(FrmMain& form);

    CheckList& topLevel() { return m_top; }
    CheckList& subLevel() { return m_sub; }
    SearchToolbar& toolbar() { return m_toolbar; }
    QMenu* menu() const { return m_menu; }

    void NactiIndikace(long herb);
    void NactiSubIndikace(long herb, long parent);
    // Mode 1 the selected item of the list entered last, 2 the marked items of both lists.
    void HledejInd(int mode);
    void NactiNazvyInd(const QString& sql);
    void UkazInd();
    void NactiPopisInd();
    void BylinySInd();
    void NastavTbInd();
    void mnuIndOznac_Click();

private:
    void createMenu();
    void connectList(CheckList& list, bool sub);
    bool keyDown(int keyCode, int shift);
    CheckList& activeList();

    FrmMain& m_form;
    CheckList m_top;
    CheckList m_sub;
    SearchToolbar m_toolbar;
    QMenu* m_menu = nullptr;
    QAction* m_markItem = nullptr;
};

} // namespace lumo
