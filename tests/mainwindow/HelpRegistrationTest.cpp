#include "mainwindow/FrmMainFixture.h"

#include "core/AppContext.h"
#include "library/CKelHelp.h"
#include "mainwindow/FrmMainKeys.h"
#include "mainwindow/HelpRegistration.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/MainMenusRegistration.h"
#include "mainwindow/MainWindowRegistry.h"
#include "platform/help/HelpWindow.h"
#include "platform/help/HtmlHelp.h"

#include <QAction>
#include <QFile>

namespace lumo::test {
namespace {

class HelpRegistrationTest : public FrmMainFixture {
protected:
    void TearDown() override {
        help::CloseHelpWindows();
        ClearMainWindowHooks();
        FrmMainFixture::TearDown();
    }
    // The program's help file and help object, and the window loaded with the registered
    // hooks (the menus' first, as the program registers them).
    void loadWithHelp(bool menus = false) {
        ASSERT_TRUE(QFile::copy(qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.chm"),
                                dir.file(QStringLiteral("Lumo.chm"))));
        App().HelpObj = MakeServiceSlot(std::make_unique<CKelHelp>());
        App().HelpObj->HelpName(dir.file(QStringLiteral("Lumo.chm")));
        ClearMainWindowHooks();
        if (menus)
            RegisterMainMenus();
        RegisterHelp();
        openDatabase();
        form = new FrmMain();
        RunMainWindowHooks(*form);
        form->setRecordView(std::make_unique<RecordingRecordView>(*form));
        form->Form_Load();
    }
};

// F1 in the main window opens the program's help at the topic of what is shown.
TEST_F(HelpRegistrationTest, F1OpensTheHelpFileAtTheTopicOfTheView) {
    loadWithHelp();
    EXPECT_TRUE(form->Form_KeyDown(vbKeyF1, 0));
    help::HelpWindow* w = help::OpenHelpWindow(App().HelpObj->HelpName());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    const QString topic = w->currentTopic();
    EXPECT_TRUE(topic == QStringLiteral("/zaznam.html") || topic == QStringLiteral("/byliny.html"))
        << topic.toStdString();
    EXPECT_EQ(App().HelpObj->HelpID() == 1030 || App().HelpObj->HelpID() == 1110, true)
        << App().HelpObj->HelpID();
}

// The settings and About commands of the menus open the real dialogs; the help contents
// open the program's help at its first topic.
TEST_F(HelpRegistrationTest, TheMenusOpenTheSettingsDialogTheAboutBoxAndTheHelp) {
    loadWithHelp(true);
    auto* menus = form->findChild<MainMenus*>();
    ASSERT_NE(menus, nullptr);
    reports.clear();
    menus->item(QStringLiteral("mnuNastaveni"))->trigger();
    menus->item(QStringLiteral("mnuAbout"))->trigger();
    EXPECT_EQ(reports,
              (QStringList{QStringLiteral("Nastavení programu"), QStringLiteral("O programu LUMO")}));
    menus->item(QStringLiteral("mnuObsah"))->trigger();
    help::HelpWindow* w = help::OpenHelpWindow(App().HelpObj->HelpName());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/uvod.html"));
}

} // namespace
} // namespace lumo::test
