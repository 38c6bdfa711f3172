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
struct CategoryMember;

// One member of the category browser family (active substances, indication groups,
// combinations): the per-herb list with its marks, toolbar and popup menu on the member's
// tab page, the all-items view in the main list with the chosen item's description, and the
// herb searches. It works on the window's controls and state; the window owns both.
class CategoryBrowser : public QObject {
public:
    CategoryBrowser(FrmMain& form, const CategoryMember& member);

    const CategoryMember& member() const { return m_member; }
    CheckList& list() { return m_list; }
    SearchToolbar& toolbar() { return m_toolbar; }
    QMenu* menu() const { return m_menu; }

    // NactiUL: the herb's items, the marked ones checked.
    void Nacti(long herb);
    // HledejUL: mode 1 the selected item, 2 the marked ones, 3 all items.
    void Hledej(int mode);
    // NactiNazvyUL: the statement's items (blank: every item) in the main list.
    void NactiNazvy(const QString& sql);
    // UkazUL: shows the item selected in the main list.
    void Ukaz();
    // NactiPopisUL: the description of the current item.
    void NactiPopis();
    // BylinySUL: the herbs of the current item.
    void BylinyS();
    // NastavTbUL: the toolbar state.
    void NastavTb();
    // mnuULOznac_Click: marks or unmarks the selected item.
    void Oznac();

private:
    void createMenu();
    long& current();

    FrmMain& m_form;
    const CategoryMember& m_member;
    CheckList m_list;
    SearchToolbar m_toolbar;
    SearchSpec m_spec;
    QMenu* m_menu = nullptr;
    QAction* m_markItem = nullptr;
};

} // namespace lumo
