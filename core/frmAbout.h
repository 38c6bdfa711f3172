#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace lumo {

// The modal About box: the program's version with the database edition, the release
// date, an optional sound, and the system-information program.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    void Form_Load();
    void cmdSysInfo_Click();
    // The database version stamp beside the database (0 on any error).
    qint16 DBVersion() const;

    std::array<QLabel*, 2> lblVersion{};
    QLabel* lblProductName = nullptr;
    QLabel* lblVarnosk = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// "Verze 5.1.0 - edition" ("Verze 5.1.0" without an edition).
QString AboutVersionLine(const QString& version, const QString& edition);
// "Datum vydání: 5.březen 2012"; empty without a date.
QString AboutDateLine(const QDate& date);

// Reads a string value of the per-user registry store; false when the key or value is missing.
bool GetKeyValue(const QString& KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

// Starts the system-information program named in the registry store, or reports error 105.
void StartSysInfo();

// Shows the About box modally (the help menu).
void ShowFrmAbout(QWidget* owner = nullptr);

} // namespace lumo
