#include "platform/help/HtmlHelp.h"

#include "platform/help/HelpWindow.h"
#include "platform/paths/ProgramPaths.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QPointer>
#include <QScreen>

#include <algorithm>

namespace lumo::help {

namespace {

QMap<QString, QPointer<HelpWindow>>& windows() {
    static QMap<QString, QPointer<HelpWindow>> open;
    return open;
}

// "file>window" to the file on disk; relative names belong to the program folder.
QString helpFile(const QString& path) {
    QString file = path;
    const qsizetype type = file.lastIndexOf(u'>');
    if (type >= 0)
        file.truncate(type);
    file = file.trimmed();
    if (file.isEmpty())
        return {};
    file = paths::Normalize(file);
    if (QDir::isRelativePath(file))
        return paths::InProgramDir(file);
    return paths::Resolve(file);
}

HelpWindow* windowFor(const QString& file, QWidget* owner) {
    QPointer<HelpWindow>& slot = windows()[file];
    if (slot && slot->parentWidget() != owner) {
        // Re-owned, so that it stays usable above a modal owner.
        const bool visible = slot->isVisible();
        slot->setParent(owner, Qt::Window);
        if (visible)
            slot->show();
    }
    if (!slot) {
        auto chm = std::make_unique<ChmFile>();
        if (!chm->open(file))
            return nullptr;
        slot = new HelpWindow(std::move(chm), owner);
        if (!owner)
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, slot.data(), &QObject::deleteLater);
    }
    return slot.data();
}

// A window about to be shown lies at the right edge of its owner's screen, level with the
// owner, wholly on the screen: the owner's left part (the list, a dialog's labels) stays in
// sight. The frame is not known before the first show, so room is left for it.
void placeBesideOwner(QWidget& window, QWidget* owner) {
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    constexpr int kFrame = 40;
    const QRect area = screen->availableGeometry().adjusted(0, 0, -kFrame / 4, -kFrame);
    window.resize(window.size().boundedTo(area.size()));
    QRect place(QPoint(), window.size());
    place.moveCenter(owner ? owner->frameGeometry().center() : area.center());
    window.move(area.right() + 1 - place.width(),
                std::clamp(place.top(), area.top(), area.bottom() + 1 - place.height()));
}

} // namespace

HelpWindow* HtmlHelp(QWidget* owner, const QString& path, int command, long context, const QString& topic) {
    if (command != hhDisplayTopic && command != hhDisplayToc && command != hhDisplayIndex &&
        command != hhKeywordLookup && command != hhHelpContext)
        return nullptr;
    const QString file = helpFile(path);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return nullptr;
    if (!owner)
        owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                  : QApplication::activeWindow();
    HelpWindow* window = windowFor(QFileInfo(file).absoluteFilePath(), owner);
    if (!window)
        return nullptr;
    switch (command) {
    case hhHelpContext:
        // A number without a topic shows the start page rather than an empty window.
        window->showTopic(window->file().topicForContext(static_cast<quint32>(context)));
        break;
    case hhDisplayToc:
        window->showContents();
        break;
    case hhDisplayIndex:
        window->showIndex(topic);
        break;
    case hhKeywordLookup:
        window->showKeyword(topic);
        break;
    default:
        window->showTopic(topic);
        break;
    }
    // A window that shows no topic yet shows the default one.
    if (window->currentTopic().isEmpty())
        window->showTopic({});
    if (!window->isVisible())
        placeBesideOwner(*window, owner);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

HelpWindow* OpenHelpWindow(const QString& path) {
    const QString file = helpFile(path);
    if (file.isEmpty())
        return nullptr;
    auto it = windows().find(QFileInfo(file).absoluteFilePath());
    return it == windows().end() ? nullptr : it->data();
}

void CloseHelpWindows() {
    for (QPointer<HelpWindow>& w : windows())
        delete w.data();
    windows().clear();
}

} // namespace lumo::help
