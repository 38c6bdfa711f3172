#include "mainwindow/FrmMainFixture.h"

#include "core/AppContext.h"
#include "core/Settings.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

namespace lumo::test {
namespace {

using FrmMainFrame = FrmMainFixture;

// Counts the key presses that reach a control.
class KeyCounter : public QObject {
public:
    explicit KeyCounter(int& count) : m_count(count) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            ++m_count;
        return false;
    }

private:
    int& m_count;
};

int twips(int pixels) {
    return static_cast<int>(std::lround(ui::PixelsToTwips(pixels)));
}

TEST_F(FrmMainFrame, OpensWithItsPanelsAndTheFirstHerbShown) {
    openDatabase();
    loadWindow();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zefirak"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(FrmMain::Instance(), form);
    for (const char* key : {"Caps", "NumLock", "Datum", "Popis", "Podminka"})
        EXPECT_NE(form->panel(QString::fromLatin1(key)), nullptr) << key;
    EXPECT_EQ(form->LangCount, 9);
    EXPECT_EQ(form->Languages.at(1).Nazev, QStringLiteral("Latinsky"));
    // The first activation shows item 1 and leaves typing to the search box.
    EXPECT_FALSE(form->Activated);
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("Cibule")});
    EXPECT_EQ(form->CurrentTab, 0);
    EXPECT_EQ(form->TxtByl->text(), QString());
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();
    form->Timer1_Timer();
    EXPECT_EQ(form->panelText(QStringLiteral("Datum")),
              QDate::currentDate().toString(QStringLiteral("d.M.yyyy")));
}

TEST_F(FrmMainFrame, StoredPlacementIsClampedAndTheSplitterRaised) {
    App().Settings.Left = -50;
    App().Settings.Top = 99999;
    App().Settings.Width = 3000;
    App().Settings.Height = 2000;
    App().Settings.LeftSplit = 500;
    openDatabase();
    loadWindow();
    // Raised to the smallest window, which then widens to fit the splitter's range.
    EXPECT_GE(twips(form->width()), 8000 - 15);
    EXPECT_GE(twips(form->height()), 5000 - 15);
    EXPECT_EQ(form->x(), 0);
    EXPECT_EQ(form->splitterLeft(), 2000);
    EXPECT_EQ(form->layout().Lv.width, 1895);
    EXPECT_GE(form->minimumWidth(), ui::TwipsToPixels(10000) - 1);
}

// A window stored in the far corner at a size below its minimum grows to the minimum and
// moves back, so its right and bottom edges (the status bar) stay on the screen.
TEST_F(FrmMainFrame, AWindowRaisedToItsMinimumSizeStaysOnTheScreen) {
    App().Settings.Left = 99999999;
    App().Settings.Top = 99999999;
    App().Settings.Width = 0;
    App().Settings.Height = -5;
    openDatabase();
    loadWindow();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(form->width(), form->minimumWidth());
    EXPECT_GE(form->height(), form->minimumHeight());
    EXPECT_TRUE(area.contains(form->frameGeometry()))
        << form->frameGeometry().x() << ',' << form->frameGeometry().y();
    EXPECT_GT(form->y(), area.top());
}

// Restored from maximized with the splitter moved far right, the window takes the width the
// splitter needs; it grows back onto the screen, not over its edge.
TEST_F(FrmMainFrame, ARestoredWindowWidenedByTheSplitterStaysOnTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    App().Settings.Left = twips(area.left() + area.width() / 4);
    App().Settings.Top = twips(area.top() + 20);
    App().Settings.Width = twips(area.width() * 3 / 5);
    App().Settings.Height = twips(area.height() / 2);
    openDatabase();
    loadWindow();
    const int normalWidth = form->width();
    form->showMaximized();
    // The platform's geometry changes arrive through the event loop, later on a loaded machine.
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->width() > normalWidth; }));
    form->UmistiDelic(twips(form->width()));
    const int split = form->splitterLeft();
    form->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isMaximized(); }));
    form->Timer1_Timer();
    (void)QTest::qWaitFor(
        [&] { return form->width() >= form->minimumWidth() && area.contains(form->frameGeometry()); });
    EXPECT_EQ(form->splitterLeft(), split);
    EXPECT_GE(form->width(), form->minimumWidth());
    EXPECT_TRUE(area.contains(form->frameGeometry()))
        << form->frameGeometry().x() << ',' << form->frameGeometry().width() << " in " << area.width();
}

TEST_F(FrmMainFrame, FirstStartPicksTheScreenProfile) {
    App().Settings.ProfilNumber = 0;
    openDatabase();
    loadWindow();
    const int widthPixels = QGuiApplication::primaryScreen()->size().width();
    const int expected = widthPixels > 1024 ? 3 : widthPixels > 800 ? 2 : 1;
    EXPECT_EQ(App().Settings.ProfilNumber, expected);
    EXPECT_EQ(App().Settings.FontName, QStringLiteral("Arial CE"));
}

TEST_F(FrmMainFrame, AStoredProfileIsKept) {
    App().Settings.ProfilNumber = 5;
    App().Settings.FontName = QStringLiteral("Liberation Serif");
    openDatabase();
    loadWindow();
    EXPECT_EQ(App().Settings.ProfilNumber, 5);
    EXPECT_EQ(App().Settings.FontName, QStringLiteral("Liberation Serif"));
}

TEST_F(FrmMainFrame, ProfileMenuFollowsTheProfileFilesWhateverTheirCase) {
    dir.write(QStringLiteral("Lumo1.ini"), "[Main]\r\n");
    dir.write(QStringLiteral("LUMO5.INI"), "[Main]\r\n");
    App().Settings.ProfileNames[1] = QStringLiteral("Velký   ");
    openDatabase();
    loadWindow();
    const auto& m = form->ProfileMenu;
    EXPECT_EQ(m[0].Caption, QStringLiteral("Velký"));
    EXPECT_TRUE(m[0].Enabled && m[0].Visible);
    EXPECT_TRUE(m[4].Enabled && m[4].Visible);
    EXPECT_FALSE(m[1].Enabled);
    EXPECT_TRUE(m[1].Visible);
    EXPECT_FALSE(m[3].Visible);
    EXPECT_FALSE(m[8].Visible);
}

TEST_F(FrmMainFrame, CtrlDigitSwitchesTabsOnlyInTheHerbList) {
    openDatabase();
    loadWindow();
    form->Lv->setFocus();
    QTest::keyClick(form->Lv, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(form->tabIndex(), 2);
    EXPECT_EQ(form->CurrentTab, 3);
    EXPECT_TRUE(form->LvIndSk->isVisibleTo(form->STab));
    EXPECT_FALSE(form->RtfByl->isVisibleTo(form->STab));
    form->ListMode = 2;
    form->Lv->setFocus(); // the chosen page took it
    QTest::keyClick(form->Lv, Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(form->tabIndex(), 2);
    // Ctrl with the "5" key of a Czech keyboard, which types "ř".
    form->ListMode = 1;
    QKeyEvent press(QEvent::KeyPress, 0x158, Qt::ControlModifier, 14, 0x1f8, 0, QStringLiteral("ř"));
    QApplication::sendEvent(form->Lv, &press);
    EXPECT_EQ(form->tabIndex(), 4);
}

TEST_F(FrmMainFrame, AConnectedAislpLinkEnablesItsMenuItem) {
    openDatabase();
    App().Settings.AISLPCmd = dir.file(QStringLiteral("missing/MVAW.exe"));
    for (bool connected : {false, true}) {
        FrmMain window;
        window.setRecordView(std::make_unique<RecordingRecordView>(window));
        window.Hooks.AISLPConnected = [connected] { return connected; };
        window.Form_Load();
        EXPECT_EQ(window.AislpMenuEnabled, connected);
        window.hide();
    }
}

TEST_F(FrmMainFrame, F1AsksForTheTopicOfTheView) {
    openDatabase();
    loadWindow();
    std::vector<long> topics;
    form->Hooks.ShowHelp = [&](long id) { topics.push_back(id); };
    form->setTabIndex(3);
    form->Lv->setFocus();
    QTest::keyClick(form->Lv, Qt::Key_F1);
    form->ListMode = 5;
    QTest::keyClick(form->Lv, Qt::Key_F1);
    form->ListMode = 9;
    QTest::keyClick(form->Lv, Qt::Key_F1);
    EXPECT_EQ(topics, (std::vector<long>{1060, 1150, 0}));
}

TEST_F(FrmMainFrame, EscClosesOnlyWhenEnabledAndTheListIsEnabled) {
    openDatabase();
    loadWindow();
    form->Lv->setFocus();
    App().Settings.EscEnabled = false;
    QTest::keyClick(form->Lv, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    App().Settings.EscEnabled = true;
    form->Lv->setEnabled(false); // a full-text search runs
    form->TxtByl->setFocus();
    QTest::keyClick(form->TxtByl, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    form->Lv->setEnabled(true);
    // Esc that backs out of the menu bar's keyboard navigation (Alt, Down, Esc, Esc) is the
    // menu bar's: the window stays.
    form->menuBar()->addMenu(QStringLiteral("Výběr"));
    form->Form_Resize();
    form->menuBar()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), form->menuBar());
    QTest::keyClick(form->menuBar(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    form->Lv->setFocus();
    QTest::keyClick(form->Lv, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(dir.read(QStringLiteral("Lumo.ini")).isEmpty());
}

TEST_F(FrmMainFrame, ALetterTypedInTheListGoesToTheSearchBoxUntilATabIsChosen) {
    openDatabase();
    loadWindow();
    form->Lv->setFocus();
    // The key is not taken from the list: it goes on to the control it was typed in.
    int keysInList = 0;
    KeyCounter counter(keysInList);
    form->Lv->installEventFilter(&counter);
    // Delete brings the DEL character, which is typed nowhere.
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QApplication::sendEvent(form->Lv, &del);
    EXPECT_EQ(form->TxtByl->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), form->Lv);
    QTest::keyClick(form->Lv, Qt::Key_H);
    EXPECT_EQ(keysInList, 2);
    EXPECT_EQ(form->TxtByl->text(), QStringLiteral("h"));
    EXPECT_EQ(QApplication::focusWidget(), form->TxtByl);
    EXPECT_EQ(selectedText(), QStringLiteral("Hloh"));
    form->setTabIndex(1);
    form->LvUL->setFocus();
    QTest::keyClick(form->LvUL, Qt::Key_C);
    EXPECT_EQ(form->TxtByl->text(), QStringLiteral("h"));
}

TEST_F(FrmMainFrame, ClosingStoresThePlacementAndEverySetting) {
    openDatabase();
    loadWindow();
    form->UmistiDelic(3500);
    const QRect outer = form->frameGeometry();
    form->close();
    EXPECT_EQ(App().ErrObj, nullptr); // the service objects are released
    EXPECT_EQ(App().DbConnection, nullptr);
    const QString ini = text::decodeAnsi(dir.read(QStringLiteral("Lumo.ini")));
    EXPECT_TRUE(ini.contains(QStringLiteral("[MainWindow]\r\n"))) << ini.toStdString();
    EXPECT_TRUE(ini.contains(QStringLiteral("LeftSplit=3500\r\n"))) << ini.toStdString();
    EXPECT_TRUE(ini.contains(QStringLiteral("Width=") + QString::number(twips(outer.width())) +
                             QStringLiteral("\r\n")));
    EXPECT_TRUE(ini.contains(QStringLiteral("[Segment]"))); // the whole settings file
}

TEST_F(FrmMainFrame, ClosingWhileMinimizedKeepsTheStoredPlacement) {
    App().Settings.Width = 9000;
    App().Settings.LeftSplit = 2500;
    openDatabase();
    loadWindow();
    form->UmistiDelic(4000);
    form->setWindowState(Qt::WindowMinimized);
    form->close();
    const QString ini = text::decodeAnsi(dir.read(QStringLiteral("Lumo.ini")));
    EXPECT_TRUE(ini.contains(QStringLiteral("LeftSplit=2500\r\n"))) << ini.toStdString();
    EXPECT_TRUE(ini.contains(QStringLiteral("Width=9000\r\n"))) << ini.toStdString();
}

TEST_F(FrmMainFrame, ClosingDuringAnOperationWaitsForItToEnd) {
    openDatabase();
    loadWindow();
    auto outer = std::make_unique<FrmMain::BusyScope>(*form);
    form->BeginBusy();
    form->close();
    QApplication::processEvents();
    EXPECT_TRUE(form->isVisible());
    EXPECT_NE(App().DbConnection, nullptr);
    form->EndBusy();
    QApplication::processEvents();
    EXPECT_TRUE(form->isVisible());
    outer.reset();
    QApplication::processEvents();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(App().DbConnection, nullptr);
    EXPECT_FALSE(dir.read(QStringLiteral("Lumo.ini")).isEmpty());
}

TEST_F(FrmMainFrame, TheTimerShowsTheTabStripAgainAfterALayout) {
    openDatabase();
    loadWindow();
    form->resize(form->width() + 40, form->height() + 20);
    form->Form_Resize();
    EXPECT_FALSE(form->STab->isVisible());
    form->Timer1_Timer();
    EXPECT_TRUE(form->STab->isVisible());
    form->Splitting = true;
    form->Form_Resize();
    form->Splitting = true; // a drag goes on: the strip stays hidden
    form->STab->hide();
    form->Timer1_Timer();
    EXPECT_FALSE(form->STab->isVisible());
}

TEST_F(FrmMainFrame, DraggingTheSplitterMovesItByThePointer) {
    App().Settings.Width = 12000;
    App().Settings.LeftSplit = 3000;
    openDatabase();
    loadWindow();
    ASSERT_EQ(form->splitterLeft(), 3000);
    const QPoint start(2, 10);
    QTest::mousePress(form->img, Qt::LeftButton, {}, start);
    EXPECT_TRUE(form->Splitting);
    EXPECT_FALSE(form->STab->isEnabled());
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(20, 0)),
                     form->img->mapToGlobal(QPointF(start)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form->img, &move);
    const int afterMove = form->splitterLeft();
    EXPECT_NEAR(afterMove, 3000 + twips(22), 15);
    QTest::mouseRelease(form->img, Qt::LeftButton, {}, QPoint(0, 10));
    EXPECT_FALSE(form->Splitting);
    EXPECT_TRUE(form->STab->isEnabled());
    EXPECT_EQ(form->splitterLeft(), afterMove);
    EXPECT_EQ(form->layout().Lv.width, afterMove - 105);
    EXPECT_EQ(form->Lv->width(), ui::TwipsToPixels(afterMove - 105));
}

TEST_F(FrmMainFrame, ARightClickShowsTheHerbAndOpensItsPopup) {
    openDatabase();
    loadWindow();
    int popups = 0;
    form->Hooks.HerbPopupMenu = [&] { ++popups; };
    record->shown.clear();
    const QRect r = form->Lv->visualItemRect(form->Lv->topLevelItem(2));
    QTest::mouseClick(form->Lv->viewport(), Qt::RightButton, {}, r.center());
    EXPECT_EQ(record->shown, QStringList{QStringLiteral("Hloh")});
    EXPECT_EQ(popups, 1);
    EXPECT_FALSE(form->RightClick);
}

TEST_F(FrmMainFrame, TheHerbMenuOffersPreviewAndPrintOfTheRecord) {
    openDatabase();
    loadWindow();
    // A right click on a herb of the list, then on the record, opens mnuByl.
    const QRect r = form->Lv->visualItemRect(form->Lv->topLevelItem(1));
    QTest::mouseClick(form->Lv->viewport(), Qt::RightButton, {}, r.center());
    EXPECT_TRUE(form->mnuByl->isVisible());
    form->mnuByl->hide();
    form->RtfByl->resize(300, 200);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(10, 10),
                                form->RtfByl->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(form->RtfByl->viewport(), &menuEvent);
    EXPECT_TRUE(form->mnuByl->isVisible());
    EXPECT_EQ(form->mnuByl->actions(), (QList<QAction*>{form->mnuBylNahled, form->mnuBylTisk}));
    form->mnuByl->hide();
    // Without the print engine both say so; with it, they run its commands.
    form->mnuBylNahled->trigger();
    form->mnuBylTisk->trigger();
    EXPECT_EQ(reports, (QStringList{QStringLiteral("Náhled tisku"), QStringLiteral("Tisk článku")}));
    QStringList commands;
    form->Hooks.PreviewShown = [&] { commands << QStringLiteral("preview"); };
    form->Hooks.PrintShown = [&] { commands << QStringLiteral("print"); };
    form->mnuBylNahled->trigger();
    form->mnuBylTisk->trigger();
    EXPECT_EQ(commands, (QStringList{QStringLiteral("preview"), QStringLiteral("print")}));
    EXPECT_EQ(reports.size(), 2);
}

TEST_F(FrmMainFrame, CtrlUpFromTheListOrTheRecordSelectsTheSearchBoxText) {
    openDatabase();
    loadWindow();
    for (QWidget* from : {static_cast<QWidget*>(form->Lv), static_cast<QWidget*>(form->RtfByl)}) {
        type(QStringLiteral("Chmel"));
        from->setFocus();
        form->KeyNavigation = true;
        QTest::keyClick(from, Qt::Key_Up, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), form->TxtByl) << from->objectName().toStdString();
        EXPECT_EQ(form->TxtByl->selectedText(), QStringLiteral("Chmel"));
        EXPECT_FALSE(form->KeyNavigation);
        // Typing replaces the old text.
        QTest::keyClicks(form->TxtByl, QStringLiteral("hl"));
        EXPECT_EQ(form->TxtByl->text(), QStringLiteral("hl"));
        EXPECT_EQ(selectedText(), QStringLiteral("Hloh"));
    }
}

TEST_F(FrmMainFrame, PicturesCaptionsOnlyOnThePicturesPage) {
    openDatabase();
    loadWindow();
    for (int tab = 0; tab < 8; ++tab) {
        form->setTabIndex(tab);
        for (QLabel* label : form->LblObr)
            EXPECT_EQ(label->isVisibleTo(form->STab), tab == 3) << tab;
    }
}

} // namespace
} // namespace lumo::test
