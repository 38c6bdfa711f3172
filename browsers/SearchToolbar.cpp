#include "browsers/SearchToolbar.h"

#include "browsers/BrowserErrors.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

namespace lumo {

SearchToolbar::SearchToolbar(QToolBar* bar, const QString& owner) : m_bar(bar), m_owner(owner) {
    m_bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void SearchToolbar::add(const QString& key, const QString& caption, const QString& toolTip) {
    QAction* action = m_bar->addAction(caption);
    action->setObjectName(key);
    action->setToolTip(toolTip);
    m_buttons[key] = action;
    QObject::connect(action, &QAction::triggered, this, [this, key] {
        if (onClick)
            Guarded((m_owner + QStringLiteral("_ButtonClick")).toUtf8().constData(), [&] { onClick(key); });
    });
}

QAction* SearchToolbar::button(const QString& key) const {
    const auto it = m_buttons.find(key);
    return it == m_buttons.end() ? nullptr : it->second;
}

void SearchToolbar::setEnabled(const QString& key, bool enabled) {
    if (QAction* b = button(key))
        b->setEnabled(enabled);
}

bool SearchToolbar::isEnabled(const QString& key) const {
    const QAction* b = button(key);
    return b && b->isEnabled();
}

QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const std::function<void()>& handler) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    const QString handlerName = QString::fromLatin1(name) + QStringLiteral("_Click");
    QObject::connect(action, &QAction::triggered, menu,
                     [handler, handlerName] { Guarded(handlerName.toUtf8().constData(), handler); });
    return action;
}

} // namespace lumo
