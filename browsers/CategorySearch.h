#pragma once

#include "browsers/CategorySql.h"
#include "browsers/MarkRules.h"

#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QTreeWidgetItem;

namespace lumo {

class CheckList;
class FrmMain;
class SearchToolbar;

// The search modes of a per-herb list.
enum SearchMode { SearchSelected = 1, SearchMarked = 2, SearchAll = 3 };

// What a per-herb list's herb search needs to know of its category.
struct SearchSpec {
    CategorySql::Link link;
    QString selectedCaption, markedCaption, allCaption;
    MarkFamily family;
    // Stores the ids the search used as the category's marks.
    std::function<void(const std::vector<long>& ids)> storeMarks;
};

// The herb search from a per-herb list: on the selected item (nothing without one), on the
// checked items or on all items. It rewrites the category's marks (an empty search leaves
// them cleared and nothing else), shows the condition in words, ends the other categories'
// marks and lists the herbs found.
void RunCategorySearch(FrmMain& form, const CheckList& list, const SearchSpec& spec, int mode);

// The toolbar state of a per-herb list: "Select" with a selected item, "SelectMore" with a
// checked one, "SelectAll" with any item.
void SetSearchButtons(SearchToolbar& toolbar, const CheckList& list);

// Marks the selected item when it is not, unmarks it when it is; false without one.
bool ToggleSelectedMark(CheckList& list);

// A right click on an item: the mark item's caption tells what it will do, and the page's
// popup menu opens at the mouse.
void PopupOnRightClick(FrmMain& form, QTreeWidgetItem* item, QAction* markItem, QMenu* menu);

// A per-herb list with marks, its toolbar and popup menu as the category pages use them.
struct SearchPage {
    CheckList& list;
    SearchToolbar& toolbar;
    QMenu* menu;
    QAction* markItem;
    // The search in a mode; the toolbar state.
    std::function<void(int mode)> search;
    std::function<void()> updateToolbar;
};
// Adds the buttons "Select", "SelectMore", "SelectAll" with their tool tips and connects the
// page: a check colours the item and updates the toolbar (so does a new selection), a right
// click opens the menu, a double click searches on the selected item, F6/Enter, F7, F8 and
// the buttons search in modes 1, 2, 3, Ctrl+Up goes to the search box.
void ConnectSearchPage(FrmMain& form, const SearchPage& page, const QString& selectTip,
                       const QString& moreTip, const QString& allTip);

} // namespace lumo
