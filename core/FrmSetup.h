#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace lumo {

// The modal settings dialog. Most editors change the program-wide settings at once;
// OK stores the locations, switches and margins, Cancel reloads "Lumo.ini".
class FrmSetup : public QDialog {
    Q_OBJECT
public:
    explicit FrmSetup(QWidget* parent = nullptr);

    // Fills the controls from the settings.
    void Form_Load();

    void CmdRun_Click(int Index);
    void CmdMain_Click(int Index);

    // Every way of closing asks Form_QueryUnload first.
    void reject() override;

    // Controls, named as the dialog's design names them.
    QTabWidget* Stb = nullptr;
    std::array<QLineEdit*, 2> TxtMain{};
    std::array<QPushButton*, 2> CmdMain{};
    QCheckBox* ChkMain = nullptr;
    QComboBox* CmbLang = nullptr;
    std::array<QCheckBox*, 4> ChkPrg{};
    std::array<QLineEdit*, 4> TxtPrn{};
    QCheckBox* ChkPrn = nullptr;
    QListWidget* Lst = nullptr;
    std::array<QComboBox*, 4> CmbProfil{}; // 1 position, 2 title size, 3 text size
    std::array<QCheckBox*, 3> ChkSeg{};    // 0 save profile, 1 formatted text, 2 all sections
    std::array<QLineEdit*, 2> TxtSeg{};    // 0 profile name, 1 indent
    std::array<QLabel*, 16> LblNad{};
    std::array<QLabel*, 16> LblTxt{};
    std::array<QComboBox*, 4> CmbHdr{};
    std::array<QLabel*, 16> LblN{};
    std::array<QLabel*, 16> LblT{};
    std::array<QLabel*, 16> LblP{};
    QLineEdit* TxtHdr = nullptr;
    std::array<QLabel*, 3> LblNaz{}; // preview lines 7, 8, 9: title, subtitle, name
    std::array<QPushButton*, 3> CmdRun{};

    int CurSeg() const { return m_CurSeg; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildMainPage();
    QWidget* buildSectionPage();
    void fitToScreen();
    QWidget* buildNamesPage();
    QLabel* makeSwatch(int colour, QWidget* parent);
    QFrame* makeMarker(QWidget* parent);
    QWidget* makeSwatchStrip(std::array<QLabel*, 16>& swatches, QFrame*& marker, const QString& prefix);
    static void paintBack(QWidget* w, const QColor& colour);

    bool Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);
    bool Form_QueryUnload();
    void unload(int result);
    void reloadSettings();
    bool isTextBox(const QObject* box) const;
    bool isSwitch(const QObject* box) const;
    int swatchStripRow(const QObject* control) const;
    void focusIn(QWidget* control);
    void focusOut(QWidget* control);

    void Lst_Click();
    void Lst_ItemCheck(int Item, bool checked);
    void CmbProfil_Click(int Index);
    void setSectionColour(bool title, int Index);
    void LblNad_Click(int Index);
    void LblTxt_Click(int Index);
    void TxtSeg_LostFocus(int Index);
    void ChkSeg_Click(int Index);
    void CmbHdr_Click(int Index);
    void LblName_Click(int Row, int Index);
    const std::array<QLabel*, 16>& swatchRow(int row) const;
    int chosenColour(int row) const;
    void pickColour(int row, int colour);
    bool swatchKey(const QObject* strip, int key);
    void TxtHdr_LostFocus();
    void showSegment();
    void showNames();
    void showSwatchState();
    void moveMarker(QFrame* marker, QLabel* swatch);
    void restoreSizeText(int Index);

    bool m_Loading = false;
    int m_CurSeg = 1;
    bool m_LangChosen = false;
    bool m_Closing = false;
    QFrame* m_MarkNad = nullptr;
    QFrame* m_MarkTxt = nullptr;
    std::array<QFrame*, 3> m_MarkNames{};
};

// Shows the settings dialog modally (the settings menu and start-up after a failed
// database open).
void ShowFrmSetup(QWidget* owner = nullptr);

} // namespace lumo
