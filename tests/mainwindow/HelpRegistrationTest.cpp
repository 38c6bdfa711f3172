#include "mainwindow/FrmMainFixture.h"

#include "core/AppContext.h"
#include "library/CKelHelp.h"
#include "mainwindow/FrmMainKeys.h"
#include "mainwindow/HelpRegistration.h"
#include "mainwindow/MainWindowRegistry.h"
#include "platform/help/HelpWindow.h"
#include "platform/help/HtmlHelp.h"

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
};

// F1 in the main window opens the program's help at the topic of what is shown.
TEST_F(HelpRegistrationTest, F1OpensTheHelpFileAtTheTopicOfTheView) {
    ASSERT_TRUE(QFile::copy(qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.chm"),
                            dir.file(QStringLiteral("Lumo.chm"))));
    App().HelpObj = MakeServiceSlot(std::make_unique<CKelHelp>());
    App().HelpObj->HelpName(dir.file(QStringLiteral("Lumo.chm")));
    ClearMainWindowHooks();
    RegisterHelp();
    openDatabase();
    form = new FrmMain();
    RunMainWindowHooks(*form);
    form->setRecordView(std::make_unique<RecordingRecordView>(*form));
    form->Form_Load();
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

} // namespace
} // namespace lumo::test
