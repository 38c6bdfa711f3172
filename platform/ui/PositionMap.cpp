#include "platform/ui/PositionMap.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace lumo::ui {

void PositionMap::rebuild() const {
    m_text.clear();
    m_seps.clear();
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        const QString t = b.text();
        const int base = b.position();
        m_text.reserve(m_text.size() + t.size() + 2);
        for (int i = 0; i < t.size(); ++i) {
            const QChar c = t.at(i);
            if (c == QChar::LineSeparator) {
                m_seps.push_back(base + i);
                m_text += QStringLiteral("\r\n");
            } else {
                m_text += c;
            }
        }
        if (b.next().isValid()) {
            m_seps.push_back(base + b.length() - 1);
            m_text += QStringLiteral("\r\n");
        }
    }
    m_valid = true;
}

void PositionMap::contentsChange(int position, int charsRemoved, int charsAdded) {
    if (!m_valid)
        return;
    if (charsRemoved != charsAdded) {
        m_valid = false;
        return;
    }
    // Restyling reports the range as removed and added again; keep the map when the
    // characters there are still the ones it holds.
    const int end = std::min(position + charsAdded, docEnd());
    for (int d = std::max(0, position); d < end; ++d) {
        const QChar c = m_doc->characterAt(d);
        const int b = toBox(d);
        const bool isSep = std::binary_search(m_seps.begin(), m_seps.end(), d);
        const bool same = isSep ? (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
                                : b < m_text.size() && m_text.at(b) == c;
        if (!same) {
            m_valid = false;
            return;
        }
    }
}

const QString& PositionMap::text() const {
    if (!m_valid)
        rebuild();
    return m_text;
}

int PositionMap::length() const {
    return int(text().size());
}

int PositionMap::docEnd() const {
    return std::max(0, m_doc->characterCount() - 1);
}

int PositionMap::toBox(int docPos) const {
    if (!m_valid)
        rebuild();
    docPos = std::clamp(docPos, 0, docEnd());
    const auto before = std::lower_bound(m_seps.begin(), m_seps.end(), docPos) - m_seps.begin();
    return docPos + int(before);
}

int PositionMap::toDoc(int boxPos) const {
    if (!m_valid)
        rebuild();
    boxPos = std::clamp(boxPos, 0, length());
    // Separator k takes box positions seps[k] + k (CR) and seps[k] + k + 1 (LF); count the
    // separators whose LF half lies before boxPos.
    std::size_t lo = 0, hi = m_seps.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (m_seps[mid] + int(mid) + 1 < boxPos)
            lo = mid + 1;
        else
            hi = mid;
    }
    return std::clamp(boxPos - int(lo), 0, docEnd());
}

} // namespace lumo::ui
