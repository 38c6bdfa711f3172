#include "mainwindow/MainWindowRegistry.h"
#include "core/AppContext.h"
#include "core/HerbDb.h"
#include "mainwindow/FrmMainFixture.h"
#include "platform/db/Connection.h"
#include "platform/ui/RichTextBox.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

namespace lumo::test {
namespace {

using MainWindowRegistry = FrmMainFixture;

// Two parts plug into the window as the program's own parts do: one adds a menu and a
// tab-page routine, the other a routine the window calls while it loads.
TEST_F(MainWindowRegistry, HooksRunOnTheNewWindowBeforeItLoads) {
    // The real record view composes on the bundled database.
    const QString sample = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb");
    ASSERT_TRUE(QFile::copy(sample, dir.file(QStringLiteral("Lumo.mdb"))));
    App().DbConnection = std::make_unique<db::Connection>();
    App().DbConnection->open(dir.file(QStringLiteral("Lumo.mdb")), DatabasePassword());
    QStringList calls;
    ClearMainWindowHooks();
    RegisterMainWindowHook([&](FrmMain& w) {
        // The widgets exist; nothing is loaded or shown yet.
        calls << QStringLiteral("page:%1:%2").arg(w.Lv->topLevelItemCount()).arg(w.isVisible());
        w.menuBar()->addMenu(QStringLiteral("&Byliny"));
        w.Hooks.TabChosen[1] = [&] { calls << QStringLiteral("tab 1"); };
    });
    RegisterMainWindowHook({}); // an empty hook is ignored
    RegisterMainWindowHook(
        [&](FrmMain& w) { w.Hooks.NactiCastiHledani = [&] { calls << QStringLiteral("load"); }; });
    LoadMainWindow();
    ClearMainWindowHooks();
    form = FrmMain::Instance();
    ASSERT_NE(form, nullptr);
    QApplication::processEvents();

    EXPECT_EQ(calls, (QStringList{QStringLiteral("page:0:0"), QStringLiteral("load")}));
    EXPECT_TRUE(form->isVisible());
    EXPECT_GT(form->Lv->topLevelItemCount(), 10);
    EXPECT_TRUE(form->RtfByl->Text().startsWith(form->CurrentHerbName))
        << form->CurrentHerbName.toStdString();
    // The menu bar lies above the toolbar, which keeps its height; the list fits below.
    QMenuBar* bar = form->menuBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry().top(), 0);
    EXPECT_GT(bar->height(), 0);
    EXPECT_EQ(form->Tb->y(), bar->height());
    EXPECT_GT(form->Lv->y(), form->Tb->geometry().bottom());
    EXPECT_LE(form->StBar->geometry().bottom(), form->height() - 1);
    form->setTabIndex(1);
    EXPECT_EQ(calls.last(), QStringLiteral("tab 1"));
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();
}

} // namespace
} // namespace lumo::test
