#pragma once

#include "installer/CVerOS.h"
#include "installer/EnvironmentTest.h"
#include "installer/UpgradeApp.h"

#include <QWidget>

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;

namespace lumo::setup {

// The installer's main window: six actions and the version and state labels. Children
// are named after the controls ("cmdRun0".."cmdRun5", "lblVer4", "LblOS", "imgSet").
class frmMain : public QWidget, public ScriptView {
    Q_OBJECT
public:
    // probe: the environment test (the machine itself when null).
    explicit frmMain(std::unique_ptr<EnvProbe> probe = nullptr, QWidget* parent = nullptr);
    ~frmMain() override;

    // The first activation: finds the installed program and sets the buttons.
    void Form_Activate();
    void cmdRun_Click(int index);
    // Sets the buttons and labels from the current state.
    void TestProstredi();

    QPushButton* button(int index) const { return cmdRun[index]; }
    QLabel* versionLabel(int index) const { return lblVer[index]; }
    const EnvResult& environment() const { return m_env; }

    // ScriptView
    void setCaption(const QString& caption) override;
    void showBar(bool visible) override;
    int barFullWidth() const override;
    void setBarWidth(int width) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Refused with a beep while an action runs: a window closed under a running setup
    // program would leave the installer running without a window.
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void buildControls();
    void applyEnvironment();
    void setComponentButton();
    void showInstalled();
    void showNotInstalled();
    void setLabel(int index, const QString& text, long colour);

    // Ends the installer from within an action.
    void unload();

    void InstallComponent();
    void InstallProgram();
    void UpgradeProgram();
    void LoadDatabase();
    void RemoveProgram();
    // Runs an outside program (setup, uninstaller) and waits for it.
    void runOutsideProgram(const QString& command);
    // Sets AppFolder; false (after a message) when no program is installed.
    bool findInstalledProgram();
    // The database folder the database action writes to.
    QString effectiveDatabaseFolder() const;

    std::unique_ptr<EnvProbe> m_probe;
    bool FirstActivation = true;
    bool Busy = false; // an action runs
    std::unique_ptr<CVerOS> OSInfo;
    EnvResult m_env;

    std::array<QPushButton*, 6> cmdRun{};
    std::array<QLabel*, 15> lblVer{};
    QLabel* LblOS = nullptr;
    QLabel* LblOSVer = nullptr;
    QLabel* imgSet = nullptr;
    std::array<QLabel*, 2> pctLogo{};
    QFrame* Shp1 = nullptr;
    QFrame* Shp2 = nullptr;
    QFrame* Frame1 = nullptr;
};

} // namespace lumo::setup
