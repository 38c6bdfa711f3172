#include "mainwindow/HerbListItem.h"

namespace lumo {

HerbListItem::HerbListItem(const QString& name, long idx) : QTreeWidgetItem(UserType), m_idx(idx) {
    setText(0, name);
}

QVariant HerbListItem::data(int column, int role) const {
    if (column == 0 && role == Qt::UserRole)
        return QString(u'K' + QString::number(m_idx));
    return QTreeWidgetItem::data(column, role);
}

} // namespace lumo
