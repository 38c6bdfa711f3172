#pragma once

#include <QDialog>

namespace lumo::setup {

// "Zástupce na ploše": asks whether to put a shortcut on the desktop. The answer goes to
// State().ShortcutAnswer: 1 yes, 2 no, 0 when the window was closed otherwise.
class FrmMsg : public QDialog {
    Q_OBJECT
public:
    explicit FrmMsg(QWidget* parent = nullptr);

private:
    void CmdMsg_Click(int index);
};

} // namespace lumo::setup
