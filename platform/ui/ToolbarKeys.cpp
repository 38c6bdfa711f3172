#include "platform/ui/ToolbarKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QToolBar>
#include <QToolButton>

namespace lumo::ui {

namespace {

// Watches the toolbar for its buttons and the buttons for Enter.
class ButtonKeys : public QObject {
public:
    using QObject::QObject;

    void take(QObject* child) {
        auto* button = qobject_cast<QToolButton*>(child);
        if (!button || button->focusPolicy() == Qt::TabFocus)
            return;
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished) {
            take(static_cast<QChildEvent*>(event)->child());
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            auto* button = qobject_cast<QToolButton*>(watched);
            if (button && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
                static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
                button->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void TabStopButtons(QToolBar& bar) {
    auto* keys = new ButtonKeys(&bar);
    for (QObject* child : bar.children())
        keys->take(child);
    bar.installEventFilter(keys);
}

} // namespace lumo::ui
