#pragma once

#include <QByteArray>
#include <QObject>
#include <QSize>
#include <QString>

#include <array>
#include <functional>

class QAction;
class QImage;
class QMenu;
class QWidget;

namespace lumo {

class FrmMain;

// The pictures page of the main window: the shown herb's pictures one at a time, fitted
// to the page with their name under them, stepped through with the toolbar, the popup menu
// and the arrow keys of the main list, and printed one to a page. A picture is written to
// "Temp.jpg" in the program folder; its bytes are kept, so a later resize or print never
// depends on that file (another instance in the same folder writes it too).
class PictureBrowser : public QObject {
public:
    // Creates the page's toolbar buttons and popup menu and fills the window's hooks.
    explicit PictureBrowser(FrmMain& form);

    // The one on a window (created on first use).
    static PictureBrowser& Install(FrmMain& form);

    // Loads the herb's picture ids; shows the first when the pictures page is current.
    void NactiObrazky(long herb);
    // Shows picture CurrentPicture (nothing when it is the one shown last).
    void UkazObrazek();
    // Fits the picture into the page's frame.
    void PrizpusobObrazek();
    // Enables the toolbar buttons and popup menu entries.
    void NastavTbObr();

    void mnuObrFirst_Click();
    void mnuObrLast_Click();
    void mnuObrNext_Click();
    void mnuObrPrev_Click();
    void mnuObrPrint_Click();

    // The id of the picture looked up last.
    long ShownPictureId = 0;
    // The width and height of the picture shown, in pixels (empty when none).
    QSize PictureSize;
    // The printer dialog of the print command; false when cancelled.
    std::function<bool(QWidget* owner)> ChoosePrinter;

    QMenu* mnuObr = nullptr;
    // Toolbar buttons and menu entries by command: First, Last, Prev, Next, Print.
    std::array<QAction*, 5> Buttons{};
    std::array<QAction*, 5> MenuItems{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createCommands();
    void step(int command);
    void showMissing();
    void loadPicture(const QString& name, const QByteArray& data);
    void setCaption(const QString& caption, int widthPx);
    void renderPixmap();
    void printOnCurrentPrinter();

    FrmMain& m_form;
    QByteArray m_data; // the picture shown, as written to Temp.jpg
    QSize m_rendered;  // the pixel size the shown pixmap was decoded at
};

// A picture's bytes decoded at most at size (its proportions kept; a null size: whole).
// Raises 481 when they hold no readable picture.
QImage ReadPicture(const QByteArray& data, const QSize& size = QSize());

} // namespace lumo
