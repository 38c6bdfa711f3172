#include "platform/ui/DialogPresenter.h"

#include "platform/ui/Units.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace lumo::ui {

namespace {

DialogPresenter::Hook& installedHook() {
    static DialogPresenter::Hook hook;
    return hook;
}

// The text a user reads on a button: mnemonic marks removed, "&&" kept as "&".
QString withoutMnemonics(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

int refuseToBlock(QDialog& dialog) {
    std::fprintf(stderr, "Modal dialog \"%s\" not shown: no one can answer it on the offscreen platform.\n",
                 dialog.windowTitle().toLocal8Bit().constData());
    dialog.setResult(QDialog::Rejected);
    return QDialog::Rejected;
}

// Moves a dialog that the program made grow (the print dialog's details open downwards) back
// inside its screen's work area; sizes the user drags are left alone.
class StayOnScreen : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Resize || event->spontaneous() || !window || !window->isVisible() ||
            !window->screen())
            return false;
        const QRect frame = window->frameGeometry();
        const QPoint inside = TopLeftInside(frame, window->screen()->availableGeometry());
        if (inside != frame.topLeft())
            window->move(inside);
        return false;
    }
};

} // namespace

int DialogPresenter::exec(QDialog& dialog) {
    const QString stay = QStringLiteral("stayOnScreen");
    if (!dialog.findChild<QObject*>(stay, Qt::FindDirectChildrenOnly)) {
        auto* filter = new StayOnScreen(&dialog);
        filter->setObjectName(stay);
        dialog.installEventFilter(filter);
    }
    // A copy: the hook may replace itself while the dialog is open.
    const Hook hook = installedHook();
    if (!hook) {
        if (QGuiApplication::platformName() == QStringLiteral("offscreen"))
            return refuseToBlock(dialog);
        return dialog.exec();
    }
    // The hook runs inside the dialog's own loop, so it sees the dialog shown and
    // modal exactly as a user would, and nested dialogs reach it too.
    QPointer<QDialog> guard(&dialog);
    QTimer::singleShot(0, &dialog, [hook, guard]() {
        if (!guard || !guard->isVisible())
            return;
        const std::optional<int> answer = hook(*guard);
        if (answer && guard && guard->isVisible())
            guard->done(*answer);
    });
    return dialog.exec();
}

QMessageBox::StandardButton DialogPresenter::msgBox(const QString& text, const QString& title,
                                                    QMessageBox::Icon icon,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton,
                                                    QWidget* parent) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const int result = exec(box);
    if (QAbstractButton* clicked = box.clickedButton())
        return box.standardButton(clicked);
    return static_cast<QMessageBox::StandardButton>(result);
}

void DialogPresenter::setHook(Hook hook) {
    installedHook() = std::move(hook);
}

const DialogPresenter::Hook& DialogPresenter::hook() {
    return installedHook();
}

bool DialogPresenter::clickButton(QWidget& root, const QString& name) {
    const QList<QAbstractButton*> buttons = root.findChildren<QAbstractButton*>();
    for (QAbstractButton* b : buttons) {
        if (!b->isVisibleTo(&root) || !b->isEnabled())
            continue;
        if (b->objectName() == name || b->text() == name || withoutMnemonics(b->text()) == name) {
            b->click();
            return true;
        }
    }
    return false;
}

ScopedDialogHook::ScopedDialogHook(DialogPresenter::Hook hook) : m_previous(DialogPresenter::hook()) {
    DialogPresenter::setHook(std::move(hook));
}

ScopedDialogHook::~ScopedDialogHook() {
    DialogPresenter::setHook(std::move(m_previous));
}

} // namespace lumo::ui
