#include "mainwindow/HerbNameSearch.h"

namespace lumo {

BoxColors SearchBoxColors(SearchBoxState state) {
    switch (state) {
    case SearchBoxState::NotFound:
        return {255, 65535};
    case SearchBoxState::ForeignInList:
        return {65535, 255};
    case SearchBoxState::ForeignNotInList:
        return {0xC0C0C0, 255};
    case SearchBoxState::Normal:
        break;
    }
    return {0xFFFFFF, 0};
}

void HerbNameSearch::setList(const QStringList& texts, const QStringList& keys) {
    m_list.build(texts);
    m_keyRows.clear();
    for (int row = static_cast<int>(keys.size()) - 1; row >= 0; --row)
        m_keyRows.insert(keys[row], row); // the first row of a repeated key wins
    m_listValid = true;
}

int HerbNameSearch::rowOfKey(const QString& key) const {
    return m_keyRows.value(key, -1);
}

int HerbNameSearch::findInList(const QString& text) const {
    return m_list.findFirst(text.trimmed());
}

void HerbNameSearch::setForeignNames(std::vector<ForeignName> names) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(names.size()));
    for (const ForeignName& n : names)
        texts << n.Nazev;
    m_foreignIndex.build(texts);
    m_foreign = std::move(names);
    m_foreignLoaded = true;
}

std::optional<ForeignName> HerbNameSearch::findForeign(const QString& text) const {
    const int row = m_foreignIndex.findFirst(text);
    if (row < 0)
        return std::nullopt;
    return m_foreign[static_cast<size_t>(row)];
}

} // namespace lumo
