#include "browsers/PreparationBrowser.h"
#include "browsers/SearchToolbar.h"
#include "core/AppContext.h"
#include "core/HerbDb.h"
#include "core/LumoMainAislp.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/FrmMainFixture.h"
#include "platform/db/Connection.h"
#include "platform/ui/RichTextBox.h"

#include "core/aislp/AislpTestPlugin.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace lumo::test {
namespace {

const QString kTea = QStringLiteral("Heřmánkový čaj porcovaný 20 × 1,5 g");
const QString kStomachTea = QStringLiteral("Žaludeční čaj porcovaný 20 × 1,5 g");

// The window with its preparations on the sample database and an AISLP installation.
class PreparationPage : public FrmMainFixture {
protected:
    void SetUp() override {
        FrmMainFixture::SetUp();
        ASSERT_TRUE(QFile::copy(qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb"),
                                dir.file(QStringLiteral("Lumo.mdb"))));
        App().DbConnection = std::make_unique<db::Connection>();
        App().DbConnection->open(dir.file(QStringLiteral("Lumo.mdb")), DatabasePassword());
        App().Settings.AISLPCmd = aislp.program();
        App().Settings.SyncAISLP = true;
        App().Settings.NamesLang = 1;
    }
    void load() {
        loadWindow([this](FrmMain& f) { prip = &PreparationBrowser::Install(f); });
    }
    QStringList column(int c) const {
        QStringList out;
        for (int i = 0; i < form->LvPrip->topLevelItemCount(); ++i)
            out << form->LvPrip->topLevelItem(i)->text(c);
        return out;
    }
    void choose(QTreeWidget* list, const QString& text) {
        list->setCurrentItem(list->findItems(text, Qt::MatchExactly).first());
    }
    void describe(const QString& name) {
        choose(form->Lv, name);
        form->Hooks.ShowItem[4]();
    }
    QString description() const { return form->RtfTemp->Text(); }

    AislpInstall aislp{dir.file(QStringLiteral("AISLP"))};
    PreparationBrowser* prip = nullptr;
};

} // namespace

// The herb's preparations with their codes; Enter starts AISLP's program on the chosen one,
// "Byliny" lists its herbs; without the program the AISLP button is off, and a program that
// cannot be started is reported.
TEST_F(PreparationPage, HerbsPreparationsListTheirHerbsAndStartAislp) {
    load();
    form->CurrentHerb = 23; // Podběl lékařský: no preparations
    form->RefillHerbLists(23);
    form->setTabIndex(4);
    EXPECT_FALSE(prip->toolbar().isEnabled(QStringLiteral("Select")));
    form->CurrentHerb = 1;
    form->RefillHerbLists(1);
    EXPECT_EQ(column(0), (QStringList{kTea, QStringLiteral("Heřmánkový extrakt k výplachům"), kStomachTea}));
    EXPECT_EQ(column(1), (QStringList{"0014872", "0052231", "0015005"}));
    EXPECT_TRUE(prip->toolbar().isEnabled(QStringLiteral("Select")));
    EXPECT_TRUE(prip->toolbar().isEnabled(QStringLiteral("AISLP")));

    choose(form->LvPrip, kTea);
    form->LvPrip->setFocus();
    QTest::keyClick(form->LvPrip, Qt::Key_Return);
    EXPECT_EQ(aislp.arguments(), (QStringList{"/pfa", ",0014872"}));

    // "Byliny" has no key of its own: Tab reaches it from the list, Enter presses it.
    form->Timer1_Timer(); // the tab strip shown again after the layout
    QWidget* herbs = form->LvPrip->nextInFocusChain();
    while (!(herbs->focusPolicy() & Qt::TabFocus) || !herbs->isVisible() || !herbs->isEnabled())
        herbs = herbs->nextInFocusChain();
    ASSERT_EQ(herbs, form->TbPrip->widgetForAction(prip->toolbar().button(QStringLiteral("Select"))));
    QTest::keyClick(herbs, Qt::Key_Return);
    EXPECT_EQ(form->ListMode, 1);
    EXPECT_EQ(listTexts(), QStringList{QStringLiteral("Heřmánek pravý")});
    EXPECT_EQ(form->panelText(QStringLiteral("Podminka")), QStringLiteral("Byliny v přípravku ") + kTea);

    // A program file that may not be run: reported, the program goes on.
    QFile::setPermissions(aislp.program(), QFile::ReadOwner | QFile::WriteOwner);
    choose(form->LvPrip, kTea);
    prip->toolbar().button(QStringLiteral("AISLP"))->trigger();
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze spustit program AISLP")});

    App().Settings.AISLPCmd = dir.file(QStringLiteral("chybí/MVAW.exe"));
    prip->NastavTbPrip();
    EXPECT_FALSE(prip->toolbar().isEnabled(QStringLiteral("AISLP")));
    prip->mnuPripAISLP_Click();
    EXPECT_EQ(reports.size(), 1);
}

// Every preparation in the main list; the description renders the AISLP article between the
// title and the herb list when the link answers, keeps the previous one when an article is
// malformed (report 24), and has no article without the link. The busy panel never stays.
TEST_F(PreparationPage, DescriptionRendersTheArticleOfTheConnectedLink) {
    aislp.addArticle(
        QStringLiteral("0015005"),
        QStringLiteral("<par value=\"02\"><title>Složení</title><content><div class=\"x\"><p>Heřmánkový "
                       "květ<BR/>Mátová nať</p></div></content></par><par value=\"01\"><title>Použití"
                       "</title><content>Při zažívacích potížích.</content></par>"));
    aislp.addArticle(QStringLiteral("0014872"), QStringLiteral("<par value=\"01\"><title>Bez konce"));
    AktivujAISLP(false);
    ASSERT_TRUE(App().AISLPConnected);
    load();
    form->Hooks.ListFillers[4](QString());
    EXPECT_EQ(form->ListMode, 4);
    EXPECT_TRUE(listTexts().contains(kStomachTea));

    describe(kStomachTea);
    const QString text = description();
    EXPECT_TRUE(
        text.startsWith(kStomachTea + QStringLiteral("\r\n\r\nPoužití\r\nPři zažívacích potížích.\r\n\r\n"
                                                     "Složení\r\nHeřmánkový květ\r\nMátová nať\r\n\r\n"
                                                     "Seznam bylin\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Heřmánek pravý\r\n")));
    EXPECT_FALSE(form->Frame2->isVisible());
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();

    describe(kTea);
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze načíst popis přípravku")});
    EXPECT_EQ(description(), text);
    EXPECT_FALSE(form->Frame2->isVisible());

    App().ReleaseObjects(); // the link goes with its object
    App().ErrObj = std::make_unique<CKelErr>();
    App().SrvObj = std::make_unique<CKelSrv>();
    App().DbConnection = std::make_unique<db::Connection>();
    App().DbConnection->open(dir.file(QStringLiteral("Lumo.mdb")), DatabasePassword());
    describe(kStomachTea);
    EXPECT_TRUE(description().startsWith(kStomachTea + QStringLiteral("\r\n\r\nSeznam bylin\r\n")))
        << description().toStdString();
    // The line under the title is a small one, however large the title.
    const QTextBlock spacer = form->RtfTemp->document()->findBlockByNumber(1);
    EXPECT_TRUE(spacer.text().isEmpty());
    EXPECT_EQ(spacer.charFormat().fontPointSize(), 6);

    // The window closed while a description is built: it is finished first, then the window closes.
    QTimer::singleShot(0, form, [this] { form->close(); }); // as the window manager's close
    describe(kTea);
    EXPECT_TRUE(description().startsWith(kTea + QStringLiteral("\r\n\r\nSeznam bylin\r\n")))
        << description().toStdString();
    EXPECT_TRUE(form->isVisible());
    QApplication::processEvents();
    EXPECT_FALSE(form->isVisible());
}

} // namespace lumo::test
