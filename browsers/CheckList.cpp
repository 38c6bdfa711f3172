#include "browsers/CheckList.h"

#include "browsers/BrowserErrors.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/FrmMainKeys.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace lumo {

namespace {

constexpr int kCheckRole = Qt::UserRole + 1; // the check state the list last reported

} // namespace

ListKey ListKeyOf(int keyCode, int shift) {
    if (shift == 0) {
        if (keyCode == vbKeyF6 || keyCode == vbKeyReturn)
            return ListKey::SearchSelected;
        if (keyCode == vbKeyF7)
            return ListKey::SearchMarked;
        if (keyCode == vbKeyF8)
            return ListKey::SearchAll;
    }
    if (keyCode == vbKeyUp && (shift & vbCtrlMask))
        return ListKey::ToSearchBox;
    return ListKey::None;
}

void ColourByMark(QTreeWidgetItem* item, bool marked) {
    item->setForeground(0, ui::OleToColor(marked ? 0xFF0000 : 0));
}

void GoToSearchBox(FrmMain& form) {
    form.focusSearchBox();
}

CheckList::CheckList(FrmMain& form, QTreeWidget* list, bool checkable)
    : m_form(form), m_list(list), m_checkable(checkable), m_name(list->objectName()) {
    QObject::connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (!onItemClick)
            return;
        // The clicked item is the selected one, also after a Ctrl+click took its selection.
        m_list->setCurrentItem(item);
        guarded("_ItemClick", [&] { onItemClick(item); });
    });
    QObject::connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (onDblClick)
            guarded("_DblClick", onDblClick);
    });
    QObject::connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (column == 0)
            itemChanged(item);
    });
    QObject::connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (onSelectionChange)
            guarded("_ItemClick", onSelectionChange);
    });
    m_list->setHeaderHidden(false);
    // Installed after the window's own filter, so the list's keys come here first (the
    // window takes Ctrl+Up itself).
    qApp->installEventFilter(this);
    // The window deletes its widgets before the controllers that watch them: a list that is gone
    // is watched no more, or the events of the widgets deleted after it would reach a dead list.
    QObject::connect(m_list, &QObject::destroyed, this, [this] { qApp->removeEventFilter(this); });
}

void CheckList::guarded(const char* event, const std::function<void()>& handler) const {
    Guarded((m_name + QLatin1String(event)).toUtf8().constData(), handler);
}

void CheckList::itemChanged(QTreeWidgetItem* item) {
    if (!m_checkable)
        return;
    const int state = item->checkState(0);
    if (item->data(0, kCheckRole).toInt() == state)
        return; // a colour or text change, or a check the program made
    item->setData(0, kCheckRole, state);
    if (onItemCheck)
        guarded("_ItemCheck", [&] { onItemCheck(item); });
}

void CheckList::clear() {
    const QSignalBlocker block(m_list);
    m_list->clear();
}

QTreeWidgetItem* CheckList::add(long id, const QString& text, bool marked) {
    const QSignalBlocker block(m_list);
    auto* item = new QTreeWidgetItem(m_list, QStringList{text});
    item->setData(0, Qt::UserRole, QStringLiteral("K") + QString::number(id));
    if (m_checkable) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        setMarked(item, marked);
    }
    return item;
}

void CheckList::setMarked(QTreeWidgetItem* item, bool marked) {
    const QSignalBlocker block(m_list);
    const Qt::CheckState state = marked ? Qt::Checked : Qt::Unchecked;
    item->setCheckState(0, state);
    item->setData(0, kCheckRole, static_cast<int>(state));
    ColourByMark(item, marked);
}

bool CheckList::isChecked(const QTreeWidgetItem* item) {
    return item && item->checkState(0) == Qt::Checked;
}

QTreeWidgetItem* CheckList::selected() const {
    const QList<QTreeWidgetItem*> items = m_list->selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

int CheckList::count() const {
    return m_list->topLevelItemCount();
}

std::vector<std::pair<long, QString>> CheckList::items(bool checkedOnly) const {
    std::vector<std::pair<long, QString>> out;
    for (int i = 0; i < count(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (!checkedOnly || isChecked(item))
            out.emplace_back(FrmMain::listId(item), item->text(0));
    }
    return out;
}

bool CheckList::anyChecked() const {
    for (int i = 0; i < count(); ++i) {
        if (isChecked(m_list->topLevelItem(i)))
            return true;
    }
    return false;
}

// A filled list selects nothing, and the keys start from the item with the focus frame. A
// move that cannot leave it (the only item, Up on the first, Down on the last) selects it
// instead of doing nothing, so that the keyboard alone reaches every item.
bool CheckList::selectFramedItem(const QKeyEvent* key) {
    QTreeWidgetItem* framed = m_list->currentItem();
    if (!framed || selected() || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const int row = m_list->indexOfTopLevelItem(framed);
    const int k = key->key();
    const bool towardFirst = k == Qt::Key_Up || k == Qt::Key_Home || k == Qt::Key_PageUp;
    const bool towardLast = k == Qt::Key_Down || k == Qt::Key_End || k == Qt::Key_PageDown;
    if (!(towardFirst && row == 0) && !(towardLast && row == count() - 1))
        return false;
    m_list->setCurrentItem(framed);
    return true;
}

bool CheckList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::FocusIn && onGotFocus) {
        guarded("_GotFocus", onGotFocus);
    } else if (watched == m_list && event->type() == QEvent::KeyPress && onKeyDown &&
               m_list->window()->focusWidget() == m_list) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = VbKeyCode(key->key(), key->nativeScanCode());
        const int shift = VbShiftState(key->modifiers());
        bool consumed = false;
        guarded("_KeyDown", [&] { consumed = onKeyDown(code, shift); });
        return consumed || selectFramedItem(key);
    } else if (watched == m_list->viewport() &&
               (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress) {
            m_form.RightClick = mouse->button() == Qt::RightButton;
        } else if (mouse->button() == Qt::RightButton) {
            // The list reports left clicks only.
            QTreeWidgetItem* item = m_list->itemAt(mouse->position().toPoint());
            if (item && onItemClick) {
                m_list->setCurrentItem(item);
                guarded("_ItemClick", [&] { onItemClick(item); });
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumo
