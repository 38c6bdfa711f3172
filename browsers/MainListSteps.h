#pragma once

#include "browsers/BrowserErrors.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace lumo {

class FrmMain;
namespace db {
class Recordset;
}

// Steps the category views share on the window's main list and description view.

// Switches the main list to a category's items: list mode, description view over the tab
// strip, empty list.
void BeginItemList(FrmMain& form, long listMode);
// Adds an item of the main list ("K" + id), selected when it is the current one.
void AddMainListItem(FrmMain& form, long id, const QString& text, long current, long oleColor = -1);

// One item of a category view's main list.
struct MainListRow {
    long id = 0;
    QString text;
    long oleColor = -1; // -1: the list's own colour
};
// Reads a row of a category view's statement as its item.
using MainListRowReader = std::function<MainListRow(const db::Recordset& rs)>;
// The item of an entity row: Idx and Nazev.
MainListRow EntityRow(const db::Recordset& rs);

// Fills the main list with a category view's rows: list mode, description view over the tab
// strip, the condition panel emptied when asked, one item a row with the current one
// selected; an empty result is reported and the view goes on. A failure is reported and
// ends the view: false, with the list as far as it got.
bool FillItemList(FrmMain& form, long listMode, bool clearCondition, const QString& sql, long current,
                  const LoadReport& empty, const LoadReport& failure,
                  const MainListRowReader& read = EntityRow);

// The list command of an entity's category view: a blank statement lists every item of
// entity (the condition panel emptied) and then shows the selected one with show; another
// lists its rows. Either way the list is then clicked as the user would.
void ListEntityItems(FrmMain& form, long listMode, const QString& entity, const QString& sql, long current,
                     const LoadReport& empty, const LoadReport& failure, const std::function<void()>& show,
                     const MainListRowReader& read = EntityRow);

// Shows the item selected in the main list: with none the search box, the herb record and
// the description are emptied and current becomes 0; otherwise current takes its id,
// describe builds the description and the search box takes the item's text unless the
// user is typing in it.
void ShowMainListItem(FrmMain& form, long& current, const std::function<void()>& describe);

// The search box takes the text of the item shown, unless the user is typing in it.
void PutShownItemInSearchBox(FrmMain& form, const QString& text);

// Lists the herbs of the item shown: the condition panel reads caption and the selected
// item's text. Nothing happens while no item is shown.
void ListHerbsOfShownItem(FrmMain& form, long current, const QString& sql, const QString& caption);

// The names language of the descriptions' herb lists (outside 1..9: Czech).
// A per-herb list's loader that, while the list's page (tab) is shown, also brings the page's
// toolbar up to the new list, as a new selection does: a stale button would act on the previous
// herb's items.
std::function<void(long)> RefillOnPage(FrmMain& form, size_t tab, std::function<void(long)> fill);

long DescriptionNamesLanguage();
// Reads column Nazev of every row of a statement.
QStringList ReadNames(const QString& sql);
// Reads the names of a description's herb list (the herb's Idx in the second column) and
// leaves the herbs, in list order, in the form's DescriptionHerbs for the links.
QStringList ReadHerbNames(FrmMain& form, const QString& sql);
// Runs a statement on the program's connection.
void OpenQuery(db::Recordset& rs, const QString& sql);

} // namespace lumo
