#pragma once

#include "mainwindow/HerbListFiller.h"
#include "mainwindow/HerbNameIndex.h"

#include <QHash>
#include <QStringList>

#include <optional>
#include <vector>

namespace lumo {

// How the search box shows the result of what was typed.
enum class SearchBoxState {
    Normal,           // found in the list (or the box lost the focus)
    NotFound,         // found nowhere
    ForeignInList,    // found only under another language's name; the herb is in the list
    ForeignNotInList, // the same, but the list (a search result) lacks the herb
};

// Back and fore colour (0x00BBGGRR) of a search box state.
struct BoxColors {
    long back = 0;
    long fore = 0;
    bool operator==(const BoxColors&) const = default;
};
BoxColors SearchBoxColors(SearchBoxState state);

// The type-ahead of the search box: the names of the list and every herb's alternative
// names, each held as a prefix index so a keystroke never waits for the database.
class HerbNameSearch {
public:
    // The list's texts and keys in list order.
    void setList(const QStringList& texts, const QStringList& keys);
    void invalidateList() { m_listValid = false; }
    bool listValid() const { return m_listValid; }
    // The list row of the first item that begins with the text (trimmed; case ignored);
    // a blank text gives the first item; -1 when nothing matches.
    int findInList(const QString& text) const;
    // The row of the first item with the key; -1 when none has it.
    int rowOfKey(const QString& key) const;

    // Alternative names in Czech order.
    void setForeignNames(std::vector<ForeignName> names);
    bool foreignLoaded() const { return m_foreignLoaded; }
    // The alphabetically first alternative name that begins with the text as typed.
    std::optional<ForeignName> findForeign(const QString& text) const;

private:
    HerbNameIndex m_list;
    QHash<QString, int> m_keyRows;
    bool m_listValid = false;
    HerbNameIndex m_foreignIndex;
    std::vector<ForeignName> m_foreign;
    bool m_foreignLoaded = false;
};

} // namespace lumo
