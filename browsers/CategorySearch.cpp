#include "browsers/CategorySearch.h"

#include "browsers/CheckList.h"
#include "browsers/SearchToolbar.h"
#include "mainwindow/FrmMain.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QTreeWidget>

namespace lumo {

void RunCategorySearch(FrmMain& form, const CheckList& list, const SearchSpec& spec, int mode) {
    QString sql;
    if (mode == SearchSelected) {
        QTreeWidgetItem* item = list.selected();
        if (!item)
            return;
        const long id = FrmMain::listId(item);
        spec.storeMarks({id});
        sql = CategorySql::HerbsWithOne(spec.link, id);
        form.setPanelText(QStringLiteral("Podminka"), spec.selectedCaption + item->text(0));
    } else {
        const CategorySql::MarkedSearch search =
            CategorySql::Marked(spec.link, mode == SearchMarked ? spec.markedCaption : spec.allCaption,
                                list.items(mode == SearchMarked));
        spec.storeMarks(search.ids);
        if (search.ids.empty())
            return;
        sql = search.sql;
        form.setPanelText(QStringLiteral("Podminka"), search.condition);
    }
    ClearOtherMarks(form, spec.family);
    form.NactiNazvy(CategorySql::Ordered(sql), 0);
}

void SetSearchButtons(SearchToolbar& toolbar, const CheckList& list) {
    toolbar.setEnabled(QStringLiteral("Select"), list.selected() != nullptr);
    toolbar.setEnabled(QStringLiteral("SelectMore"), false);
    if (list.count() == 0) {
        toolbar.setEnabled(QStringLiteral("SelectAll"), false);
        return;
    }
    if (list.anyChecked())
        toolbar.setEnabled(QStringLiteral("SelectMore"), true);
    toolbar.setEnabled(QStringLiteral("SelectAll"), true);
}

bool ToggleSelectedMark(CheckList& list) {
    QTreeWidgetItem* item = list.selected();
    if (!item)
        return false;
    list.setMarked(item, !CheckList::isChecked(item));
    return true;
}

void PopupOnRightClick(FrmMain& form, QTreeWidgetItem* item, QAction* markItem, QMenu* menu) {
    if (!form.RightClick)
        return;
    markItem->setText(CheckList::isChecked(item) ? QStringLiteral("Odznačit") : QStringLiteral("Označit"));
    form.RightClick = false;
    menu->popup(QCursor::pos());
}

void ConnectSearchPage(FrmMain& form, const SearchPage& page, const QString& selectTip,
                       const QString& moreTip, const QString& allTip) {
    page.toolbar.add(QStringLiteral("Select"), QStringLiteral("Aktuální"), selectTip);
    page.toolbar.add(QStringLiteral("SelectMore"), QStringLiteral("Označené"), moreTip);
    page.toolbar.add(QStringLiteral("SelectAll"), QStringLiteral("Všechny"), allTip);
    const auto search = page.search;
    page.toolbar.onClick = [search](const QString& key) {
        if (key == QStringLiteral("Select"))
            search(SearchSelected);
        else if (key == QStringLiteral("SelectMore"))
            search(SearchMarked);
        else if (key == QStringLiteral("SelectAll"))
            search(SearchAll);
    };
    const auto update = page.updateToolbar;
    page.list.onItemCheck = [update](QTreeWidgetItem* item) {
        ColourByMark(item, CheckList::isChecked(item));
        update();
    };
    // "Select" is enabled exactly while an item is selected, so a choice updates it too.
    page.list.onSelectionChange = update;
    QAction* markItem = page.markItem;
    QMenu* menu = page.menu;
    FrmMain* f = &form;
    page.list.onItemClick = [f, markItem, menu](QTreeWidgetItem* item) {
        PopupOnRightClick(*f, item, markItem, menu);
    };
    page.list.onDblClick = [search] { search(SearchSelected); };
    page.list.onKeyDown = [f, search](int keyCode, int shift) {
        switch (ListKeyOf(keyCode, shift)) {
        case ListKey::SearchSelected:
            search(SearchSelected);
            return true;
        case ListKey::SearchMarked:
            search(SearchMarked);
            return true;
        case ListKey::SearchAll:
            search(SearchAll);
            return true;
        case ListKey::ToSearchBox:
            GoToSearchBox(*f);
            return true;
        case ListKey::None:
            break;
        }
        return false;
    };
}

} // namespace lumo
