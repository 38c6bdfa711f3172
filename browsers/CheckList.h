#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

class QKeyEvent;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumo {

class FrmMain;

// What a key does in a per-herb list of the browsers.
enum class ListKey { None, SearchSelected, SearchMarked, SearchAll, ToSearchBox };
// F6 and Enter search on the selected item, F7 on the marked ones, F8 on all; Ctrl+Up goes
// back to the search box. Other keys and modifiers do nothing.
ListKey ListKeyOf(int keyCode, int shift);

// A per-herb list of the window (LvUL, LvMesic, ...) with the events the browsers handle.
// Items carry the key "K" + id; a checked item is marked and drawn blue. Checks set by the
// program raise no check event; a right click counts as an item click, and a clicked item
// is left selected. The column caption is shown.
class CheckList : public QObject {
public:
    CheckList(FrmMain& form, QTreeWidget* list, bool checkable);

    QTreeWidget* list() const { return m_list; }

    void clear();
    // Adds an item (checked and blue when marked) without raising a check event.
    QTreeWidgetItem* add(long id, const QString& text, bool marked = false);
    // The selected item, null when none.
    QTreeWidgetItem* selected() const;
    int count() const;
    // (id, text) of the items in list order, only the checked ones with checkedOnly.
    std::vector<std::pair<long, QString>> items(bool checkedOnly) const;
    bool anyChecked() const;

    static bool isChecked(const QTreeWidgetItem* item);
    // Checks or unchecks an item and colours it, without a check event.
    void setMarked(QTreeWidgetItem* item, bool marked);

    // Events, each run guarded (a failure is reported, never passed on).
    std::function<void(QTreeWidgetItem*)> onItemClick; // RightClick tells the button
    std::function<void(QTreeWidgetItem*)> onItemCheck;
    std::function<void()> onDblClick;
    std::function<bool(int keyCode, int shift)> onKeyDown; // true: the key is consumed
    std::function<void()> onGotFocus;
    // The user selected another item (fills and clears select nothing and raise nothing).
    std::function<void()> onSelectionChange;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs the list's handler for event ("_ItemClick", ...) guarded under its name.
    void guarded(const char* event, const std::function<void()>& handler) const;
    void itemChanged(QTreeWidgetItem* item);
    // A move key that cannot move from the framed item selects it (true: the key is used).
    bool selectFramedItem(const QKeyEvent* key);

    FrmMain& m_form;
    QTreeWidget* m_list;
    bool m_checkable;
    QString m_name;
};

// Colours an item by its mark: blue when marked, black when not.
void ColourByMark(QTreeWidgetItem* item, bool marked);
// Leaves a list for the search box: key navigation ends, the box gets its focus colours and
// the focus.
void GoToSearchBox(FrmMain& form);

} // namespace lumo
