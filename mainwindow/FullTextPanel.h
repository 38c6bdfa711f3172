#pragma once

#include <QObject>
#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace lumo {

class FrmMain;

// The full-text search panel Frame1 of the main window: the expression box, the part list,
// the search and close buttons, the progress bar and the status label. While the panel is
// open the list, the search box, the tab strip, the toolbar and four menus are disabled.
class FullTextPanel : public QObject {
    Q_OBJECT
public:
    explicit FullTextPanel(FrmMain& form);

    // Fills the part list and the section toolbar's tooltips from the segment titles.
    void NactiCastiHledani();
    void ZapniHledani();
    void VypniHledani();
    // Index 0 searches (a blank expression switches the highlighting off); every index
    // closes the panel.
    void CmdFind_Click(int Index);
    // Runs the search for FindText in FindPart and lists the herbs found.
    void NactiBylinySTextem();

    QLabel* LblFind = nullptr;
    QLineEdit* TxtFind = nullptr;
    std::array<QPushButton*, 2> CmdFind{};
    QProgressBar* PgB = nullptr;
    QLabel* LblRun = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    // The menus, toolbar, list, search box and tab strip: off while the panel is open.
    void setWindowEnabled(bool on);
    // The panel's own input: off while a scan runs (no second scan, no close under it).
    void setInputEnabled(bool on);
    void endScan(const QString& caption);

    FrmMain& m_form;
    bool m_scanning = false;
};

} // namespace lumo
