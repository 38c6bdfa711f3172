#include "mainwindow/HerbNameIndex.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace lumo {

QString FoldName(const QString& text) {
    return text.toCaseFolded();
}

void HerbNameIndex::clear() {
    m_keys.clear();
    m_rows.clear();
    m_sparse.clear();
}

void HerbNameIndex::build(const QStringList& names) {
    clear();
    const int n = static_cast<int>(names.size());
    std::vector<QString> folded;
    folded.reserve(n);
    for (const QString& name : names)
        folded.push_back(FoldName(name));
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return folded[a] < folded[b]; });
    m_keys.reserve(n);
    m_rows.reserve(n);
    for (int row : order) {
        m_keys.push_back(std::move(folded[row]));
        m_rows.push_back(row);
    }
    if (n == 0)
        return;
    m_sparse.push_back(m_rows);
    for (int span = 1; 2 * span <= n; span *= 2) {
        const std::vector<int>& prev = m_sparse.back();
        std::vector<int> next(n - 2 * span + 1);
        for (int i = 0; i + 2 * span <= n; ++i)
            next[i] = std::min(prev[i], prev[i + span]);
        m_sparse.push_back(std::move(next));
    }
}

int HerbNameIndex::minRow(int from, int to) const {
    const int level = std::bit_width(static_cast<unsigned>(to - from)) - 1;
    return std::min(m_sparse[level][from], m_sparse[level][to - (1 << level)]);
}

int HerbNameIndex::findFirst(const QString& text) const {
    const QString key = FoldName(text);
    const auto first = std::lower_bound(m_keys.begin(), m_keys.end(), key);
    const auto last =
        std::partition_point(first, m_keys.end(), [&](const QString& k) { return k.startsWith(key); });
    if (first == last)
        return -1;
    return minRow(static_cast<int>(first - m_keys.begin()), static_cast<int>(last - m_keys.begin()));
}

} // namespace lumo
