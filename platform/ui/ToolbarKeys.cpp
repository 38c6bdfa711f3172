#include "platform/ui/ToolbarKeys.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

namespace lumo::ui {

namespace {

// Watches the toolbar for its buttons and the buttons for Enter and Down.
class ButtonKeys : public QObject {
public:
    using QObject::QObject;

    void take(QObject* child) {
        auto* button = qobject_cast<QToolButton*>(child);
        if (!button || m_taken.contains(button))
            return;
        m_taken.insert(button);
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished) {
            take(static_cast<QChildEvent*>(event)->child());
        } else if (event->type() == QEvent::KeyPress) {
            const auto* press = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifiers mods = press->modifiers() & ~Qt::KeypadModifier;
            auto* button = qobject_cast<QToolButton*>(watched);
            if (!button || (mods != Qt::NoModifier && mods != Qt::AltModifier))
                return false;
            if ((press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
                button->click();
                return true;
            }
            // A toolbar's button shows the menu of its action.
            QMenu* menu = button->menu();
            if (!menu && button->defaultAction())
                menu = button->defaultAction()->menu();
            if (press->key() == Qt::Key_Down && menu) {
                menu->popup(button->mapToGlobal(QPoint(0, button->height())));
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QSet<QObject*> m_taken;
};

} // namespace

void TabStopButton(QToolButton& button) {
    auto* keys = new ButtonKeys(&button);
    keys->take(&button);
}

void TabStopButtons(QToolBar& bar) {
    auto* keys = new ButtonKeys(&bar);
    for (QObject* child : bar.children())
        keys->take(child);
    bar.installEventFilter(keys);
}

} // namespace lumo::ui
