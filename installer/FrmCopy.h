#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace lumo::setup {

// The copy window: source, target, size, speed and time while one file is copied.
// Children are named after the controls ("LblInf2", "shp0", "shp1", "cmdStorno").
class FrmCopy : public QDialog {
    Q_OBJECT
public:
    FrmCopy(const QString& source, const QString& target, QWidget* parent = nullptr);

    // Runs the copy; true when it succeeded. A failure is reported (code 94).
    bool CopyFile();
    bool Busy() const { return m_busy; }
    bool Copied() const { return m_copied; }
    bool Started() const { return m_started; }

    // The scale's width, in the units of the bar's position.
    static constexpr int kScaleWidth = 4800;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLabel* label(int index, const QString& text);
    QLabel* pathLabel(int index, const QString& path);
    void setBar(int pos);

    QString m_source;
    QString m_target;
    std::array<QLabel*, 13> LblInf{};
    QFrame* Frame1 = nullptr;
    QFrame* shp0 = nullptr;
    QFrame* shp1 = nullptr;
    QPushButton* cmdStorno = nullptr;
    bool m_busy = false;
    bool m_scheduled = false;
    bool m_started = false;
    bool m_copied = false;
};

// Copies source to target in the copy window; the copy runs also when the window cannot
// be shown. True when the copy succeeded.
bool CopyWithWindow(const QString& source, const QString& target);

// Copies source to target without a window; a failure is reported (code 94). True when
// the copy succeeded.
bool ZkopirujSoubor(const QString& source, const QString& target);

} // namespace lumo::setup
