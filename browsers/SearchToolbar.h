#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QAction;
class QMenu;
class QToolBar;

namespace lumo {

// A page's toolbar of search buttons, each found by its key ("Select", "SelectMore",
// "SelectAll"); a click runs onClick with the key.
class SearchToolbar : public QObject {
public:
    SearchToolbar(QToolBar* bar, const QString& owner);

    void add(const QString& key, const QString& caption, const QString& toolTip);
    QAction* button(const QString& key) const;
    void setEnabled(const QString& key, bool enabled);
    bool isEnabled(const QString& key) const;

    std::function<void(const QString& key)> onClick;

private:
    QToolBar* m_bar;
    QString m_owner;
    std::map<QString, QAction*> m_buttons;
};

// Adds a named item to a popup menu that runs a guarded handler.
QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const std::function<void()>& handler);

} // namespace lumo
