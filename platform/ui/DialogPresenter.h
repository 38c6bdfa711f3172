#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace lumo::ui {

// Every modal window of the program is shown through here, so that tests can
// answer dialogs instead of a user and never block.
class DialogPresenter {
public:
    // A hook sees each dialog once it is shown and modal. It answers by returning
    // a result (the dialog is finished with it), or by closing the dialog itself
    // (e.g. clickButton) and returning nullopt. When it returns nullopt and leaves
    // the dialog open, the dialog runs its own event loop as for a user.
    using Hook = std::function<std::optional<int>(QDialog& dialog)>;

    // Shows the dialog modally and returns its result.
    // Without a hook on the offscreen platform nobody could answer, so the dialog
    // is not shown: its caption goes to stderr and the result is QDialog::Rejected.
    static int exec(QDialog& dialog);

    // A message box with plain text (never interpreted as markup); returns the
    // button pressed, or NoButton when the box was dismissed without one.
    static QMessageBox::StandardButton
    msgBox(const QString& text, const QString& title, QMessageBox::Icon icon = QMessageBox::NoIcon,
           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton, QWidget* parent = nullptr);

    static void setHook(Hook hook);
    static const Hook& hook();

    // Clicks the button of root that a user can see and whose objectName or text
    // (with or without its '&' mnemonic marks) equals name. False when there is none.
    static bool clickButton(QWidget& root, const QString& name);
};

// Installs a hook for a scope and puts the previous one back afterwards.
class ScopedDialogHook {
public:
    explicit ScopedDialogHook(DialogPresenter::Hook hook);
    ~ScopedDialogHook();
    ScopedDialogHook(const ScopedDialogHook&) = delete;
    ScopedDialogHook& operator=(const ScopedDialogHook&) = delete;

private:
    DialogPresenter::Hook m_previous;
};

} // namespace lumo::ui
