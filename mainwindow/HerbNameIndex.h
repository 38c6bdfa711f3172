#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace lumo {

// A name as the type-ahead compares it: case folded for every letter (Czech ones included),
// accents kept ("heř" is not "her").
QString FoldName(const QString& text);

// Prefix lookup over a list of names kept in their list order. The folded names are sorted
// once, so the names that begin with a text form one run found by binary search; a sparse
// table over their list rows gives the first of them in list order in constant time.
class HerbNameIndex {
public:
    // Names in list order.
    void build(const QStringList& names);
    void clear();
    int size() const { return static_cast<int>(m_rows.size()); }

    // The list row of the first name (in list order) that begins with text compared without
    // regard to case; -1 when none does. An empty text gives row 0 of a non-empty list.
    int findFirst(const QString& text) const;

private:
    int minRow(int from, int to) const; // over sorted positions [from, to)

    std::vector<QString> m_keys;            // folded names, sorted
    std::vector<int> m_rows;                // list row of each sorted key
    std::vector<std::vector<int>> m_sparse; // m_sparse[k][i]: least row of keys [i, i + 2^k)
};

} // namespace lumo
