#pragma once

#include "mainwindow/FrmMainLayout.h"
#include "mainwindow/HerbNameSearch.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPoint;
class QPlainTextEdit;
class QProgressBar;
class QStatusBar;
class QTabBar;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumo {

namespace ui {
class RichTextBox;
}
class HerbRecordView;

// A language of herb names: a row of table Jazyk.
struct LanguageEntry {
    long Idx = 0;
    QString Nazev;
};

// State of one item of the profile menu.
struct ProfileMenuItem {
    QString Caption;
    bool Enabled = false;
    bool Visible = true;
};

// What the other parts of the window plug in. Every entry may stay empty.
struct FrmMainHooks {
    // Show routine of list modes 2..9 (index = list mode).
    std::array<std::function<void()>, 10> ShowItem;
    // Herbs-with-item routine of list modes 2..8 (double click, Enter in the list).
    std::array<std::function<void()>, 10> HerbsWithItem;
    // Toolbar state of tab pages 1..7 when chosen (index = tab index; 3 shows the picture).
    std::array<std::function<void()>, 8> TabChosen;
    // The per-herb lists refilled after a record is composed, in this order:
    // active substances, indication groups, preparations, pictures, indications,
    // combinations, collection calendar.
    std::array<std::function<void(long Idx)>, 7> HerbListLoaders;
    // Fits the picture to its page (pictures page, after a layout).
    std::function<void()> PrizpusobObrazek;
    // Previous and next picture (Left and Right in the list on the pictures page); they
    // wrap from the last picture to the first and back, although the toolbar's Prev and Next
    // are disabled at the ends.
    std::function<void()> PicturePrev;
    std::function<void()> PictureNext;
    // F1: context help for a topic id.
    std::function<void(long id)> ShowHelp;
    // Full-text search parts, the window's interface-language texts, and the menus' state
    // once the load has read the profile menu and the AISLP item (NactiMenu).
    std::function<void()> NactiCastiHledani;
    std::function<void()> NactiTextyOkna;
    std::function<void()> NactiMenu;
    // Opens instead of the herb popup menu mnuByl when set.
    std::function<void()> HerbPopupMenu;
    // Whether the AISLP link is connected (its menu item is then enabled whatever AISLPCmd says).
    std::function<bool()> AISLPConnected;
    // All-items fillers of list modes 2..9 (index = list mode): active substances, indication
    // groups, preparations, indications, combinations, collection months, families,
    // literature. The browsers fill them; the menus and toolbar call them with a filter
    // ("" for every item).
    std::array<std::function<void(const QString& Filter)>, 10> ListFillers;
    // Preview and printing of what is shown (the record's popup menu offers both); each
    // reports that it is not available while empty.
    std::function<void()> PreviewShown;
    std::function<void()> PrintShown;
};

// The main window: herb or category list with its search box on the left, the tab strip
// with the herb record and the per-herb lists on the right.
class FrmMain : public QWidget {
    Q_OBJECT
public:
    explicit FrmMain(QWidget* parent = nullptr);
    ~FrmMain() override;

    // The one main window; null while none is loaded.
    static FrmMain* Instance();

    // --- frame (FrmMain.cpp) ---
    // Start-up sequence; ends by showing the form.
    void Form_Load();
    // One-time work on the first activation; later calls do nothing.
    void Form_Activate();
    // Stores the placement and every setting, and releases the service objects.
    void Form_QueryUnload();
    void Timer1_Timer();
    // Places the splitter at X (twips) and lays out both sides.
    void UmistiDelic(int X);
    // Lays out every pane for the current client size and splitter.
    void Form_Resize();
    void VycentrujRamy();
    int splitterLeft() const { return m_imgLeft; }
    const MainLayout& layout() const { return m_layout; }

    // A running operation (a record composition, a search) that lets events run: closing
    // the window meanwhile is carried out once the outermost one ends.
    void BeginBusy();
    void EndBusy();
    bool isBusy() const { return m_busyDepth > 0; }
    // Keeps the window busy for a scope.
    class BusyScope {
    public:
        explicit BusyScope(FrmMain& form) : m_form(form) { m_form.BeginBusy(); }
        ~BusyScope() { m_form.EndBusy(); }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        FrmMain& m_form;
    };

    // --- keys, tabs, toolbar (FrmMainEvents.cpp) ---
    // Form-level keys seen before the control; returns true when the key is swallowed.
    bool Form_KeyDown(int KeyCode, int Shift);
    void Form_KeyUp();
    // A typed character; returns true when it went to the search box.
    bool Form_KeyPress(const QString& Text);
    void STab_Click();
    void NastavTb();
    void UkazZalozku();
    // Selects the first tab page.
    void PrvniZalozka();
    int tabIndex() const; // STab.Tab
    void setTabIndex(int tab);

    // --- herb list and search box (FrmMainList.cpp) ---
    void NactiJazyky();
    // Fills the list with herbs; after the first activation the herb shown is shown again
    // when it is in the new list, unless reshow is false (the caller shows another).
    void NactiNazvy(const QString& Sql, long Joined, bool reshow = true);
    void NactiSeznamBylin(bool reshow = true);
    QString NajdiCiziNazev(const QString& Text);
    // Builds the search box's indexes of the list and of the alternative names ahead of the
    // first keystroke (a failure is left for the keystroke's lookup to report).
    void PrepareSearch();
    // The keys to the search box, with its focus colours and its text selected.
    void focusSearchBox();
    void UkazVybrane();
    // A click in the list (the category browsers' all-items fillers call it after a fill).
    void Lv_Click();
    // Shows the herb selected in the list (through the record view when one is set).
    void UkazBylinu();
    // Calls the per-herb list loaders for a herb, in their order.
    void RefillHerbLists(long Idx);
    void setRecordView(std::unique_ptr<HerbRecordView> view);
    HerbRecordView* recordView() const { return m_recordView.get(); }

    // List items: key "K" & id and the name; consumers read the id from the key.
    QTreeWidgetItem* addListItem(const QString& key, const QString& text);
    QTreeWidgetItem* findListKey(const QString& key) const;
    QTreeWidgetItem* selectedListItem() const;
    void selectListItem(QTreeWidgetItem* item, bool scroll = true);
    static QString listKey(const QTreeWidgetItem* item);
    static long listId(const QTreeWidgetItem* item);

    // The herb popup menu mnuByl (right click on the record or on a herb of the list): preview
    // and printing of the record, through Hooks.PreviewShown and Hooks.PrintShown.
    void PopupHerbMenu(const QPoint& globalPos);
    void mnuBylNahled_Click();
    void mnuBylTisk_Click();
    QMenu* mnuByl = nullptr;
    QAction* mnuBylNahled = nullptr;
    QAction* mnuBylTisk = nullptr;

    // Reports through the error dialog that a command's function is not available.
    void reportNotAvailable(const QString& title, const QString& location);
    // Runs a command another part supplies; while it is missing, reports it as not available.
    void runOrReport(const std::function<void()>& command, const QString& title, const QString& location);
    // Reports a failure through the error dialog; with runTime (inside a catch block) the
    // message gets the error's "System:" line and the location ends with its description.
    void reportError(int number, const QString& message, const QString& title, const QString& location,
                     bool runTime);

    // Status bar panels by key: "Caps", "NumLock", "Datum", "Popis", "Podminka".
    void setPanelText(const QString& key, const QString& text);
    QString panelText(const QString& key) const;
    QLabel* panel(const QString& key) const;
    // Shows the Caps Lock and Num Lock state in their panels (empty where it is not known).
    void UkazZamky();

    // Colours of the search box (0x00BBGGRR).
    void setSearchBoxColors(BoxColors colors);
    BoxColors searchBoxColors() const;

    // Menus and the main toolbar's buttons are placed here by their own code; the view
    // buttons 1..9 of Tb (index = button) show the list mode through NastavTb.
    void NactiMenu();
    // The window's menu bar, above Tb; it takes no room while it holds no menu.
    QMenuBar* menuBar() const { return m_menuBar; }
    std::array<QAction*, 10> TbButtons{};

    FrmMainHooks Hooks;

    // --- state ---
    long ListMode = 1;
    long CurrentTab = 0;
    bool Activated = false;
    bool CtrlDown = false;
    bool Splitting = false;
    QString FindText;
    int FindPart = 0;
    QString CurrentHerbName;
    long CurrentHerb = 0, CurrentUL = 0, CurrentIndSk = 0, CurrentPrip = 0, CurrentInd = 0, CurrentKomb = 0,
         CurrentMonth = 0, CurrentCeled = 0, CurrentLit = 0, CurrentPicture = 0;
    long MarkedULCount = 0, MarkedIndSkCount = 0, MarkedIndCount = 0, MarkedKombCount = 0,
         MarkedMonthsCount = 0, PictureCount = 0;
    // The shown herb's picture ids at 1..PictureCount; element 0 is 0.
    std::vector<long> PictureIds{0};
    // Marked ids of the last search of each category: entry i (1-based) at i - 1, read only
    // 1..count (a count is zeroed on its own).
    std::vector<long> MarkedUL, MarkedIndSk, MarkedKomb, MarkedInd, MarkedSubInd;
    long MarkedSubIndCount = 0;
    // Marked months at 1..MarkedMonthsCount.
    std::array<int, 13> MarkedMonths{};
    // The herbs of the shown description's herb list ("Seznam bylin"), in its order: a click on
    // one of its names leads to that herb even where two herbs share the name.
    std::vector<long> DescriptionHerbs;
    // The indications list entered last: false LvInd, true LvSub.
    bool ActiveIndList = false;
    long LangCount = 0;
    std::vector<LanguageEntry> Languages; // entry k (1-based) at k - 1
    bool KeyNavigation = false;
    bool RightClick = false;
    bool ForceLoad = false;
    std::array<ProfileMenuItem, 9> ProfileMenu;
    bool AislpMenuEnabled = false;

    // --- controls ---
    QToolBar* Tb = nullptr;
    QStatusBar* StBar = nullptr;
    QLineEdit* TxtByl = nullptr;
    QTreeWidget* Lv = nullptr;
    QFrame* img = nullptr;
    QWidget* STab = nullptr; // the tab strip: its tab row and the page controls
    QTabBar* STabBar = nullptr;
    ui::RichTextBox* RtfTemp = nullptr;
    ui::RichTextBox* RtfByl = nullptr;
    QPlainTextEdit* TxtTemp = nullptr;
    QToolBar* TbSeg = nullptr;
    QTreeWidget *LvUL = nullptr, *LvIndSk = nullptr, *LvPrip = nullptr, *LvInd = nullptr, *LvSub = nullptr,
                *LvKomb = nullptr, *LvCast = nullptr, *LvMesic = nullptr;
    QToolBar *TbUL = nullptr, *TbIndSk = nullptr, *TbObr = nullptr, *TbPrip = nullptr, *TbInd = nullptr,
             *TbKomb = nullptr, *TbSber = nullptr;
    QLabel* ImgByl = nullptr;
    std::array<QLabel*, 2> LblObr{};
    QFrame* Frame1 = nullptr;
    QComboBox* CmbFind = nullptr;
    QFrame* Frame2 = nullptr;
    QProgressBar* pgbInf = nullptr;
    QLabel* LblBusy = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // FrmMain.cpp
    void createControls();
    void createRightSide();
    void createPages();
    void createFrames();
    void createStatusBar();
    void createHerbMenu();
    QWidget* pageControl(QWidget* control, int page);
    void applyLayout();
    void placeFromSettings();
    void fixFrameSize(bool tick);
    void keepPlacementOnScreen(QSize frame);
    void fitRestoredWindow();
    void readProfileMenu();
    void applyScreenProfile();
    MainLayoutInput layoutInput() const;

    // FrmMainEvents.cpp
    bool isOwnKeyTarget(const QWidget* widget) const;
    bool handleKeyPress(QObject* watched, QKeyEvent* event);
    bool handleKeyRelease(QObject* watched, QKeyEvent* event);
    bool handleMouse(QObject* watched, QEvent* event);
    void img_MouseDown();
    void img_MouseMove(int X);
    void img_MouseUp(int X);
    void setSplitterHighlight(bool on);
    void Form_MouseMove();

    // FrmMainList.cpp
    void TxtByl_Change();
    bool TxtByl_KeyDown(int KeyCode, int Shift);
    void TxtByl_Click();
    void TxtByl_LostFocus();
    bool Lv_KeyDown(int KeyCode, int Shift);
    void Lv_KeyUp(int KeyCode, int Shift);
    void Lv_ItemClick(QTreeWidgetItem* item);
    void Lv_DblClick();
    void Lv_KeySelection(int key, bool navigating);
    void clearCurrentOfMode();
    void moveListSelection(int KeyCode);
    void refreshListIndex();
    bool loadForeignNames(bool report = true);
    // The rows of a list statement, shared with the cache for all-herbs statements (allHerbs).
    // A failing statement is reported and gives the rows read before the failure.
    std::shared_ptr<const std::vector<HerbListRow>> readHerbRows(const QString& Sql, bool allHerbs,
                                                                 long Joined);
    void showSelectedHerbPlain();

    int menuBarHeight() const;

    QMenuBar* m_menuBar = nullptr;
    std::vector<QWidget*> m_pageControls;
    std::unique_ptr<HerbRecordView> m_recordView;
    HerbNameSearch m_search;
    // Rows of the all-herbs statements: the database is read-only, so a list read once is
    // refilled without its query (keyed by database file and statement).
    std::map<QString, std::shared_ptr<const std::vector<HerbListRow>>> m_listCache;
    MainLayout m_layout;
    int m_imgLeft = 3000;
    int m_busyDepth = 0;
    bool m_closePending = false;
    bool m_closed = false;
    bool m_splitterHighlight = false;
    bool m_frameFixed = false;
    int m_frameWaitTicks = 0;
    // The list's selection when a key was pressed in it (m_lvKey 0: no key pending).
    QTreeWidgetItem* m_lvKeyItem = nullptr;
    int m_lvKey = 0;
    TwipRect m_placement;
    bool m_restoring = false; // left the maximized state; fitted at the next resize or tick
};

// Creates the one main window, runs the registered main-window hooks on it, then loads and
// shows it (start-up's last step).
void LoadMainWindow();

} // namespace lumo
