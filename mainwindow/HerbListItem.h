#pragma once

#include <QTreeWidgetItem>

namespace lumo {

// A herb in the name list: its text and its key "K<Idx>", the key made when it is asked for,
// so that a list of tens of thousands of herbs is built without a key string per item.
class HerbListItem : public QTreeWidgetItem {
public:
    HerbListItem(const QString& name, long idx);

    QVariant data(int column, int role) const override;

private:
    long m_idx;
};

} // namespace lumo
