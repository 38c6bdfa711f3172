#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace lumo::setup {

// The installer's error window: the text on the caller's colour, back, end and help
// buttons. Children are named "lblERR", "Frame1", "cmdErr0".."cmdErr2", "tmrErr".
class FrmErrSetup : public QDialog {
    Q_OBJECT
public:
    FrmErrSetup(const QString& text, const QString& title, int flags, long colour, int timeout,
                QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The buttons' keys (arrows, Tab, Space) reach the window first.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdErr_Click(int index);

    QFrame* Frame1 = nullptr;
    QLabel* lblERR = nullptr;
    std::array<QPushButton*, 3> cmdErr{};
    QTimer* tmrErr = nullptr;
    bool m_timerOn = false;
};

} // namespace lumo::setup
