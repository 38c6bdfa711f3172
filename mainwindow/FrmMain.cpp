#include "mainwindow/FrmMain.h"

#include "core/AppContext.h"
#include "core/LumoMain.h"
#include "core/ScreenProfile.h"
#include "core/Settings.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/HerbRecord.h"
#include "mainwindow/HerbRecordView.h"
#include "mainwindow/MainWindowRegistry.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/rtf/FontMap.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/LockKeys.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/ToolbarKeys.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

namespace lumo {

namespace {

QPointer<FrmMain> g_mainWindow;

// Caps, NumLock, Datum, Popis; Popis holds a long Latin or preparation name whole.
constexpr int kStatusPanelWidths[4] = {900, 900, 1200, 4800};
const char* const kStatusKeys[5] = {"Caps", "NumLock", "Datum", "Popis", "Podminka"};

int px(int twips) {
    return ui::TwipsToPixels(twips);
}

QRect toPixels(const TwipRect& r) {
    return {px(r.left), px(r.top), px(r.width), px(r.height)};
}

int toTwips(int pixels) {
    return static_cast<int>(std::lround(ui::PixelsToTwips(pixels)));
}

QTreeWidget* newList(QWidget* parent, int columns = 1) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(columns);
    list->setHeaderHidden(columns == 1);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

void place(QWidget* w, const TwipRect& r) {
    if (w)
        w->setGeometry(toPixels(r));
}

} // namespace

FrmMain::FrmMain(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Zefirak"));
    createControls();
    g_mainWindow = this;
}

FrmMain::~FrmMain() {
    if (g_mainWindow == this)
        g_mainWindow = nullptr;
    qApp->removeEventFilter(this);
    // The list is deleted with the window's children after the members are gone: its last
    // changes must not reach them.
    if (Lv)
        QObject::disconnect(Lv->model(), nullptr, this, nullptr);
}

FrmMain* FrmMain::Instance() {
    return g_mainWindow.data();
}

void FrmMain::createControls() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("MenuBar"));
    Tb = new QToolBar(this);
    Tb->setObjectName(QStringLiteral("Tb"));
    TxtByl = new QLineEdit(this);
    TxtByl->setObjectName(QStringLiteral("TxtByl"));
    Lv = newList(this);
    Lv->setObjectName(QStringLiteral("Lv"));
    Lv->viewport()->setMouseTracking(true);
    img = new QFrame(this);
    img->setObjectName(QStringLiteral("img"));
    img->setCursor(Qt::SizeHorCursor);
    img->setMouseTracking(true);
    img->setAutoFillBackground(true);
    createRightSide();
    createFrames();
    createStatusBar();
    createHerbMenu();

    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer);

    connect(TxtByl, &QLineEdit::textChanged, this, [this] { TxtByl_Change(); });
    connect(Lv, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        Lv_ItemClick(item);
        Lv_Click();
    });
    connect(Lv, &QTreeWidget::itemDoubleClicked, this, [this] { Lv_DblClick(); });
    // Any change of the list's items makes the search box's index stale, and a key pressed
    // before it no longer chooses an item.
    QAbstractItemModel* model = Lv->model();
    const auto listChanged = [this] {
        m_search.invalidateList();
        m_lvKey = 0;
        m_lvKeyItem = nullptr;
    };
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, listChanged);
    connect(model, &QAbstractItemModel::modelReset, this, listChanged);
    connect(model, &QAbstractItemModel::dataChanged, this, listChanged);

    setMouseTracking(true);
    STab->setMouseTracking(true);
    // The form sees every key and mouse event of its controls before they do.
    qApp->installEventFilter(this);
}

void FrmMain::createRightSide() {
    STab = new QWidget(this);
    STab->setObjectName(QStringLiteral("STab"));
    STabBar = new QTabBar(STab);
    STabBar->setObjectName(QStringLiteral("STabBar"));
    for (const char* caption : {"Popis", "Účinné látky", "Indikační skupiny", "Obrázky", "Přípravky",
                                "Indikace", "Kombinace", "Sběr"})
        STabBar->addTab(QString::fromUtf8(caption));
    connect(STabBar, &QTabBar::currentChanged, this, [this] { STab_Click(); });
    createPages();

    // The description box lies over the tab strip when a category item is described.
    RtfTemp = new ui::RichTextBox(this);
    RtfTemp->setObjectName(QStringLiteral("RtfTemp"));
    RtfTemp->setLocked(true);
    RtfTemp->hide();
}

QWidget* FrmMain::pageControl(QWidget* control, int page) {
    control->setProperty("Tag", page);
    m_pageControls.push_back(control);
    return control;
}

void FrmMain::createPages() {
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    RtfByl = new ui::RichTextBox(STab);
    RtfByl->setLocked(true); // typed keys never edit the record
    pageControl(named(RtfByl, "RtfByl"), 1);
    TbSeg = new QToolBar(STab);
    pageControl(named(TbSeg, "TbSeg"), 1);
    TxtTemp = new QPlainTextEdit(STab);
    TxtTemp->setReadOnly(true); // it only covers the record while it is rebuilt
    named(TxtTemp, "TxtTemp")->hide();

    struct ListPage {
        QTreeWidget** list;
        const char* name;
        int page;
        int columns;
    };
    const ListPage lists[] = {{&LvUL, "LvUL", 2, 1},     {&LvIndSk, "LvIndSk", 3, 1},
                              {&LvPrip, "LvPrip", 5, 2}, {&LvInd, "LvInd", 6, 1},
                              {&LvSub, "LvSub", 6, 1},   {&LvKomb, "LvKomb", 7, 1},
                              {&LvCast, "LvCast", 8, 1}, {&LvMesic, "LvMesic", 8, 1}};
    for (const ListPage& l : lists) {
        *l.list = newList(STab, l.columns);
        pageControl(named(*l.list, l.name), l.page);
    }
    struct ToolPage {
        QToolBar** bar;
        const char* name;
        int page;
    };
    const ToolPage bars[] = {{&TbUL, "TbUL", 2},     {&TbIndSk, "TbIndSk", 3}, {&TbObr, "TbObr", 4},
                             {&TbPrip, "TbPrip", 5}, {&TbInd, "TbInd", 6},     {&TbKomb, "TbKomb", 7},
                             {&TbSber, "TbSber", 8}};
    for (const ToolPage& b : bars) {
        *b.bar = new QToolBar(STab);
        pageControl(named(*b.bar, b.name), b.page);
        // A page's commands without a key of their own (picture printing, herbs of a
        // preparation) are reached by Tab.
        ui::TabStopButtons(**b.bar);
    }
    ImgByl = new QLabel(STab);
    ImgByl->setAlignment(Qt::AlignCenter);
    pageControl(named(ImgByl, "ImgByl"), 4);
    for (int i = 0; i < 2; ++i) {
        LblObr[i] = new QLabel(STab);
        LblObr[i]->setObjectName(QStringLiteral("LblObr%1").arg(i));
        LblObr[i]->setAlignment(Qt::AlignCenter);
        // The captions lie over the foot of the picture; on other pages they would catch
        // the clicks and the wheel of the record and the lists.
        pageControl(LblObr[i], 4);
    }
}

void FrmMain::createFrames() {
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->resize(px(4800), px(1800));
    CmbFind = new QComboBox(Frame1);
    CmbFind->setObjectName(QStringLiteral("CmbFind"));
    CmbFind->setGeometry(px(120), px(240), px(4560), px(330));
    Frame1->hide();

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::Box);
    Frame2->resize(px(4200), px(1080));
    LblBusy = new QLabel(QStringLiteral("Načítám informace o bylině"), Frame2);
    LblBusy->setObjectName(QStringLiteral("LblBusy"));
    LblBusy->setGeometry(px(120), px(120), px(3960), px(330));
    pgbInf = new QProgressBar(Frame2);
    pgbInf->setObjectName(QStringLiteral("pgbInf"));
    pgbInf->setGeometry(px(120), px(570), px(3960), px(330));
    Frame2->hide();
}

void FrmMain::createStatusBar() {
    StBar = new QStatusBar(this);
    StBar->setObjectName(QStringLiteral("StBar"));
    StBar->setSizeGripEnabled(false);
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(StBar);
        label->setObjectName(QString::fromLatin1(kStatusKeys[i]));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (i < 4)
            label->setFixedWidth(px(kStatusPanelWidths[i]));
        StBar->addWidget(label, i == 4 ? 1 : 0);
    }
}

void FrmMain::createHerbMenu() {
    mnuByl = new QMenu(this);
    mnuByl->setObjectName(QStringLiteral("mnuByl"));
    mnuBylNahled = mnuByl->addAction(QStringLiteral("Náhled tisku"));
    mnuBylNahled->setObjectName(QStringLiteral("mnuBylNahled"));
    mnuBylTisk = mnuByl->addAction(QStringLiteral("Tisk článku"));
    mnuBylTisk->setObjectName(QStringLiteral("mnuBylTisk"));
    connect(mnuBylNahled, &QAction::triggered, this, [this] { mnuBylNahled_Click(); });
    connect(mnuBylTisk, &QAction::triggered, this, [this] { mnuBylTisk_Click(); });
    // The right button on the record opens it instead of the box's own menu.
    RtfByl->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RtfByl, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupHerbMenu(RtfByl->viewport()->mapToGlobal(pos)); });
}

void FrmMain::PopupHerbMenu(const QPoint& globalPos) {
    if (Hooks.HerbPopupMenu)
        Hooks.HerbPopupMenu();
    else
        mnuByl->popup(globalPos);
}

void FrmMain::reportNotAvailable(const QString& title, const QString& location) {
    if (CKelErr* errObj = App().ErrObj.get())
        errObj->ErrView(5, QStringLiteral("Tato funkce zatím není k dispozici"), title, location);
}

void FrmMain::runOrReport(const std::function<void()>& command, const QString& title,
                          const QString& location) {
    if (command)
        command();
    else
        reportNotAvailable(title, location);
}

void FrmMain::mnuBylNahled_Click() {
    runOrReport(Hooks.PreviewShown, QStringLiteral("Náhled tisku"),
                QStringLiteral("LUMO-FrmMain-mnuBylNahled_Click"));
}

void FrmMain::mnuBylTisk_Click() {
    runOrReport(Hooks.PrintShown, QStringLiteral("Tisk článku"),
                QStringLiteral("LUMO-FrmMain-mnuBylTisk_Click"));
}

void FrmMain::UkazZamky() {
    const ui::LockKeyState state = ui::QueryLockKeys();
    const struct {
        const char* key;
        const char* caption;
        bool on;
    } locks[] = {{"Caps", "CAPS", state.caps}, {"NumLock", "NUM", state.num}};
    for (const auto& lock : locks) {
        QLabel* label = panel(QString::fromLatin1(lock.key));
        const QString text = state.known ? QString::fromLatin1(lock.caption) : QString();
        if (label->text() != text)
            label->setText(text);
        // As the lock panels have always shown: the caption is dimmed while the lock is off.
        label->setEnabled(lock.on);
    }
}

QLabel* FrmMain::panel(const QString& key) const {
    return StBar->findChild<QLabel*>(key, Qt::FindDirectChildrenOnly);
}

void FrmMain::setPanelText(const QString& key, const QString& text) {
    if (QLabel* label = panel(key))
        label->setText(text);
}

QString FrmMain::panelText(const QString& key) const {
    const QLabel* label = panel(key);
    return label ? label->text() : QString();
}

int FrmMain::menuBarHeight() const {
    return m_menuBar->actions().isEmpty() ? 0 : m_menuBar->heightForWidth(width());
}

MainLayoutInput FrmMain::layoutInput() const {
    MainLayoutInput in;
    in.clientWidth = toTwips(width());
    in.clientHeight = toTwips(height());
    in.menuHeight = toTwips(menuBarHeight());
    in.split = m_imgLeft;
    in.statusPanelsWidth =
        kStatusPanelWidths[0] + kStatusPanelWidths[1] + kStatusPanelWidths[2] + kStatusPanelWidths[3];
    in.frame1Width = toTwips(Frame1->width());
    in.frame1Height = toTwips(Frame1->height());
    in.frame2Width = toTwips(Frame2->width());
    in.frame2Height = toTwips(Frame2->height());
    in.pripColumn2 = toTwips(LvPrip->columnWidth(1));
    return in;
}

void FrmMain::applyLayout() {
    m_layout = LayOutMainWindow(layoutInput());
    const MainLayout& l = m_layout;
    setMinimumSize(px(MinimumClientWidth(m_imgLeft)), px(kMinClientHeight) + menuBarHeight());
    m_menuBar->setGeometry(0, 0, width(), menuBarHeight());
    m_menuBar->setVisible(menuBarHeight() > 0);
    place(Tb, l.Tb);
    place(StBar, l.StBar);
    if (QLabel* p5 = panel(QStringLiteral("Podminka")))
        p5->setFixedWidth(px(l.statusPanel5));
    place(TxtByl, l.TxtByl);
    place(Lv, l.Lv);
    Lv->setColumnWidth(0, px(l.lvColumn));
    place(img, l.img);
    place(STab, l.STab);
    STabBar->setGeometry(0, 0, px(l.STab.width), STabBar->sizeHint().height());
    place(RtfTemp, l.RtfTemp);
    place(RtfByl, l.RtfByl);
    place(TxtTemp, l.TxtTemp);
    place(TbSeg, l.TbSeg);
    const std::pair<QTreeWidget*, const TwipRect*> lists[] = {
        {LvUL, &l.LvUL},   {LvIndSk, &l.LvIndSk}, {LvKomb, &l.LvKomb}, {LvPrip, &l.LvPrip},
        {LvInd, &l.LvInd}, {LvSub, &l.LvSub},     {LvCast, &l.LvCast}, {LvMesic, &l.LvMesic}};
    for (const auto& [list, r] : lists)
        place(list, *r);
    for (QTreeWidget* list : {LvUL, LvIndSk, LvKomb})
        list->setColumnWidth(0, px(l.pageColumn));
    LvPrip->setColumnWidth(0, px(l.pripColumn1));
    for (QTreeWidget* list : {LvInd, LvSub, LvCast, LvMesic})
        list->setColumnWidth(0, px(l.halfColumn));
    place(ImgByl, l.ImgByl);
    place(LblObr[0], l.LblObr0);
    place(LblObr[1], l.LblObr1);
    for (QToolBar* bar : {TbUL, TbIndSk, TbObr, TbPrip, TbInd, TbKomb, TbSber})
        place(bar, {l.RtfByl.left, l.pageToolbarTop, l.RtfByl.width, 390});
    VycentrujRamy();
}

void FrmMain::VycentrujRamy() {
    place(Frame1, m_layout.Frame1);
    place(Frame2, m_layout.Frame2);
}

void FrmMain::UmistiDelic(int X) {
    m_imgLeft = ClampSplit(X, toTwips(width()));
    applyLayout();
    if (CurrentTab == 4 && Hooks.PrizpusobObrazek)
        Hooks.PrizpusobObrazek();
}

void FrmMain::Form_Resize() {
    if (isMinimized())
        return;
    Splitting = true;
    // The tab strip and the picture are shown again by the timer once the layout settles.
    if (CurrentTab == 4)
        ImgByl->hide();
    STab->hide();
    applyLayout();
    if (CurrentTab == 4 && Hooks.PrizpusobObrazek)
        Hooks.PrizpusobObrazek();
    Splitting = false;
}

void FrmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
    if (m_restoring)
        fitRestoredWindow();
}

void FrmMain::Timer1_Timer() {
    fixFrameSize(true);
    if (m_restoring) {
        fitRestoredWindow();
        m_restoring = false;
    }
    const QString today = QDate::currentDate().toString(QStringLiteral("d.M.yyyy"));
    if (panelText(QStringLiteral("Datum")) != today)
        setPanelText(QStringLiteral("Datum"), today);
    UkazZamky();
    if (Splitting || ListMode != 1)
        return;
    if (CurrentTab == 4)
        ImgByl->show();
    STab->show();
}

void FrmMain::readProfileMenu() {
    const ProgramSettings& s = App().Settings;
    for (int i = 1; i <= 9; ++i) {
        ProfileMenuItem& item = ProfileMenu[static_cast<size_t>(i - 1)];
        item.Caption = text::rightTrimBlanks(s.ProfileNames[i]);
        // The profile file is found whatever the case of its name.
        item.Enabled = QFileInfo::exists(ProfileFilePath(i));
        item.Visible = item.Enabled || i <= 3;
    }
}

void FrmMain::Form_Load() {
    Activated = true;
    NactiJazyky();
    CurrentTab = 0;
    TxtByl->clear();
    // The box's own font, which survives every text it is given, in the installed stand-in
    // for the profile's face name.
    QFont recordFont = RtfByl->document()->defaultFont();
    recordFont.setFamily(rtf::SubstituteFont(App().Settings.FontName));
    RtfByl->document()->setDefaultFont(recordFont);
    RtfByl->setText(QString());
    CurrentHerb = CurrentUL = CurrentIndSk = CurrentPrip = CurrentInd = CurrentKomb = CurrentMonth =
        CurrentCeled = CurrentLit = CurrentPicture = 0;
    readProfileMenu();
    placeFromSettings();
    applyLayout();
    FindText.clear();
    const QString aislp = App().Settings.AISLPCmd.trimmed();
    AislpMenuEnabled = (Hooks.AISLPConnected && Hooks.AISLPConnected()) ||
                       (!aislp.isEmpty() && QFileInfo::exists(paths::Resolve(aislp)));
    NactiMenu();
    if (Hooks.NactiCastiHledani)
        Hooks.NactiCastiHledani();
    NactiSeznamBylin();
    CurrentTab = 1;
    NastavTb();
    if (App().Settings.Language != 1 && Hooks.NactiTextyOkna)
        Hooks.NactiTextyOkna();
    QCoreApplication::processEvents();
    show();
    Timer1->start();
}

void FrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (Activated)
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void FrmMain::applyScreenProfile() {
    ProgramSettings& s = App().Settings;
    if (s.ProfilNumber >= 1 && s.ProfilNumber <= 9)
        return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int widthPixels = screen ? screen->size().width() : 0;
    const int profile = ChooseScreenProfile(widthPixels);
    s.ProfilNumber = static_cast<qint16>(profile);
    ApplyScreenProfile(s, profile, App().SrvObj ? App().SrvObj->OSPlatform() : QString());
}

void FrmMain::Form_Activate() {
    if (!Activated || m_closed)
        return;
    Activated = false;
    fixFrameSize(false);
    if (App().Settings.LeftSplit > 0)
        UmistiDelic(App().Settings.LeftSplit);
    applyScreenProfile();
    if (Lv->topLevelItemCount() > 0) {
        selectListItem(Lv->topLevelItem(0));
        UkazBylinu();
    }
    FindPart = 0;
    if (CmbFind->count() > 0)
        CmbFind->setCurrentIndex(0);
    CurrentTab = 0;
    TxtByl->setFocus();
    TxtByl->clear();
    // The search box's indexes are built once the window is idle, not on the first keystroke.
    QTimer::singleShot(0, this, [this] { PrepareSearch(); });
}

void FrmMain::NactiMenu() {
    // The menus and the main toolbar's buttons are added by their own code.
    if (Hooks.NactiMenu)
        Hooks.NactiMenu();
}

void FrmMain::BeginBusy() {
    ++m_busyDepth;
}

void FrmMain::EndBusy() {
    if (m_busyDepth > 0)
        --m_busyDepth;
    if (m_busyDepth == 0 && m_closePending) {
        m_closePending = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

void FrmMain::Form_QueryUnload() {
    ProgramSettings& s = App().Settings;
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const QRect outer = frameGeometry();
        s.Left = toTwips(outer.x());
        s.Top = toTwips(outer.y());
        s.Width = toTwips(outer.width());
        s.Height = toTwips(outer.height());
        s.LeftSplit = m_imgLeft;
    }
    SaveSettings(false);
    m_closed = true;
    Timer1->stop();
    ReleaseObjects();
}

void FrmMain::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    // Never close under a running operation: it still uses the connection and the record.
    if (m_busyDepth > 0) {
        m_closePending = true;
        event->ignore();
        return;
    }
    Form_QueryUnload();
    event->accept();
    QCoreApplication::quit();
}

void LoadMainWindow() {
    auto* form = new FrmMain();
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setRecordView(std::make_unique<HerbRecord>(*form));
    RunMainWindowHooks(*form);
    form->Form_Load();
}

} // namespace lumo
