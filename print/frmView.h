#pragma once

#include "print/PrintEngine.h"

#include <QDialog>
#include <QMap>

#include <array>
#include <optional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QToolBar;

namespace lumo::print {

class PaperView;

// The print preview "Náhled tisku": pages the prepared document for the current printer at its
// first showing, shows one page on its paper or the whole document, and prints a page range,
// chooses the printer, changes the margins (the pages are cut again) and saves to a file.
class frmView : public QDialog {
    Q_OBJECT
public:
    // Form_Load. shown: the window is shown as a preview (not only used for printing).
    explicit frmView(bool shown = true);
    ~frmView() override;

    // Margins into the margin boxes, the document into the engine (the print module's
    // PrepareDocument after loading the form).
    void PrepareDocument(const QString& text, bool plainText, const QString& fontName, float fontSize);

    void NastavOkraje();
    bool PripravNahled();
    void NastavTiskarnu();
    void TiskDokumentu();
    QString GetTargetFileName();
    // Saves the whole prepared document to name (rich text for *.rtf); false after a report.
    bool UlozNahled(const QString& name);

    int StartPage() const { return m_startPage; }
    void StartPage(int value) { m_startPage = value; }
    int EndPage() const { return m_endPage; }
    void EndPage(int value) { m_endPage = value; }
    int CurrentPage() const { return m_currentPage; }
    // The first showing has paginated the document.
    bool Activated() const { return m_activated; }
    // A range box's value into StartPage (0) or EndPage (1); the box shows the result.
    void ValidatePageRange(int index);

    // A toolbar command by its key ("PRINT", "NEXT", ...).
    void Toolbar1_ButtonClick(const QString& key);
    QAction* button(const QString& key) const { return m_buttons.value(key); }
    void cmbPrinters_Click(const QString& deviceName);
    void cmdX_Click();
    void ShowMarginsPanel();

    PrintEngine& engine() { return m_engine; }

    QToolBar* Toolbar1 = nullptr;
    QComboBox* cmbPrinters = nullptr;
    std::array<QLabel*, 4> lblPage{};
    std::array<QLineEdit*, 2> txtPage{};
    PaperView* shpPage = nullptr;
    ui::RichTextBox* rtfView = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QLineEdit*, 4> txtMargin{};
    std::array<QLabel*, 4> lblView{};
    QPushButton* cmdX = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildToolbar();
    void buildMarginsPanel();
    void Form_Activate();
    void FillPrinterList();
    void SizeWindow();
    void ShowPage();
    void updatePageStyle();
    void goToPage(int page);
    // What shows the document: the whole-document box, or the paper of page view.
    QWidget* viewer() const;
    bool marginValid(int index) const;
    // A number as the user types it (the system's format or a decimal point), and back.
    static std::optional<double> parseNumber(const QString& text);
    static QString numberText(double v);
    void closeMarginsPanel();
    void paginateAgain();
    bool formKey(QKeyEvent& key);
    bool boxKey(QLineEdit* box, QKeyEvent& key);
    void failed();

    PrintEngine m_engine;
    QStackedWidget* m_stack = nullptr;
    QScrollArea* m_pageScroll = nullptr; // the paper of page view
    QWidget* m_wholePage = nullptr;
    QMap<QString, QAction*> m_buttons;
    bool m_firstActivation = true;
    bool m_activated = false;
    bool m_shown;
    QString m_wholeDocument;
    int m_currentPage = 1;
    int m_startPage = 1;
    int m_endPage = 1;
};

// The word under a point of the box (twips from its top left): the run of ASCII letters, digits
// and underscores around the character there; "" off the text.
QString GetWordAtPoint(ui::RichTextBox& box, int x, int y);

} // namespace lumo::print
