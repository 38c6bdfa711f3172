#include "mainwindow/MainMenus.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "mainwindow/FrmMainFixture.h"
#include "mainwindow/FullTextPanel.h"
#include "mainwindow/HerbRecord.h"
#include "mainwindow/MainMenusRegistration.h"
#include "mainwindow/MainWindowRegistry.h"
#include "platform/db/Connection.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"
#include "print/CKelPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <set>

namespace lumo::test {
namespace {

// The real window on a copy of the sample database, with the menus, the toolbar and the
// search panel registered as the program registers them.
class MainMenusTest : public FrmMainFixture {
protected:
    void SetUp() override {
        FrmMainFixture::SetUp();
        openSampleDatabase();
    }
    void TearDown() override {
        ClearMainWindowHooks();
        FrmMainFixture::TearDown();
    }

    void load() {
        ClearMainWindowHooks();
        RegisterMainMenus();
        form = new FrmMain();
        form->setRecordView(std::make_unique<HerbRecord>(*form));
        RunMainWindowHooks(*form);
        form->Form_Load();
        QApplication::setActiveWindow(form);
        QApplication::processEvents();
        form->Form_Activate();
        menus = form->findChild<MainMenus*>();
        search = form->findChild<FullTextPanel*>();
        ASSERT_TRUE(menus && search);
    }

    // Herbs whose section texts (of one part, 0 all) show the text, by the rich-text box.
    std::set<QString> herbsShowing(const QString& text, int part) {
        std::set<QString> keys;
        ui::RichTextBox box;
        App().DbConnection->forEachRow(QStringLiteral("SELECT IdxByliny, IdxTyp, Clanek FROM Texty"), {},
                                       [&](const db::Connection::Row& r) {
                                           if (part != 0 && r.integer(1) != part)
                                               return true;
                                           box.setTextRTF(r.text(2));
                                           if (box.Text().contains(text, Qt::CaseInsensitive))
                                               keys.insert(QStringLiteral("K%1").arg(r.integer(0)));
                                           return true;
                                       });
        return keys;
    }

    void searchFor(const QString& text, int part) {
        menus->item(QStringLiteral("mnuFullText"))->trigger();
        search->TxtFind->setText(text);
        form->CmbFind->setCurrentIndex(part);
        form->CmbFind->activated(part);
        search->CmdFind[0]->click();
    }

    std::set<QString> listedKeys() const {
        const QStringList keys = listKeys();
        return {keys.begin(), keys.end()};
    }

    MainMenus* menus = nullptr;
    FullTextPanel* search = nullptr;
};

// The search as the user runs it: the panel disables the window, the herbs whose visible
// texts hold the expression in any case are listed once by name with the condition shown,
// their records highlight it; a part searches only its sections; an expression found
// nowhere is reported and changes nothing.
TEST_F(MainMenusTest, FullTextSearchListsTheHerbsAndTheirRecordsHighlightIt) {
    load();
    // Opened and closed on the active substances page: that page stays, without the record over it.
    form->setTabIndex(1);
    menus->item(QStringLiteral("mnuFullText"))->trigger();
    search->CmdFind[1]->click();
    EXPECT_FALSE(form->LvUL->isHidden());
    EXPECT_TRUE(form->RtfByl->isHidden());
    form->setTabIndex(0);
    EXPECT_FALSE(form->RtfByl->isHidden());

    menus->item(QStringLiteral("mnuFullText"))->trigger();
    EXPECT_TRUE(form->Frame1->isVisibleTo(form));
    for (QWidget* w : {static_cast<QWidget*>(form->Lv), static_cast<QWidget*>(form->TxtByl),
                       static_cast<QWidget*>(form->Tb), form->STab})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    for (const char* name : {"mnuVyber", "mnuTisk", "mnuHledani", "mnuNastroje"})
        EXPECT_FALSE(menus->menu(QString::fromLatin1(name))->menuAction()->isEnabled()) << name;
    EXPECT_TRUE(menus->menu(QStringLiteral("mnuNapoveda"))->menuAction()->isEnabled());
    // Enter in the expression box leads on to the part list, which shows its focus in yellow.
    QTest::keyClick(search->TxtFind, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), form->CmbFind);
    const QImage parts = form->CmbFind->grab().toImage();
    const QColor back = parts.pixelColor(parts.width() * 3 / 5, parts.height() / 2);
    EXPECT_TRUE(back.red() > 200 && back.green() > 200 && back.blue() < 128) << back.name().toStdString();
    search->CmdFind[1]->click();
    EXPECT_FALSE(form->Frame1->isVisibleTo(form));
    EXPECT_TRUE(form->Lv->isEnabled());

    // A blank expression searches nothing.
    const QString unsearched = form->panelText(QStringLiteral("Podminka"));
    searchFor(QStringLiteral("   "), 0);
    EXPECT_EQ(form->panelText(QStringLiteral("Podminka")), unsearched);

    const std::set<QString> expected = herbsShowing(QStringLiteral("heřmánek"), 0);
    ASSERT_GT(expected.size(), 1u);
    searchFor(QStringLiteral("HEŘMÁNEK  "), 0);
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();
    EXPECT_EQ(listedKeys(), expected);
    EXPECT_EQ(form->Lv->topLevelItemCount(), int(expected.size()));
    EXPECT_EQ(form->FindText, QStringLiteral("HEŘMÁNEK"));
    EXPECT_EQ(form->panelText(QStringLiteral("Podminka")),
              QStringLiteral("Byliny s textem HEŘMÁNEK (Celý článek)"));
    EXPECT_FALSE(form->Frame1->isVisibleTo(form));
    EXPECT_TRUE(form->Lv->isEnabled());
    // The keys go on to the search box over the found herbs, not to the hidden panel.
    EXPECT_EQ(form->focusWidget(), form->TxtByl);

    form->selectListItem(form->Lv->topLevelItem(0));
    form->UkazBylinu();
    QApplication::processEvents();
    ASSERT_GE(form->RtfByl->Find(QStringLiteral("heřmánek"), 0, -1, 0), 0);
    EXPECT_EQ(form->RtfByl->SelUnderline(), ui::TriState::On);
    EXPECT_EQ(form->RtfByl->SelColor(), std::optional<long>(255));

    // One part: the herbs of that section type only, the first part as well.
    const std::set<QString> inFirst = herbsShowing(QStringLiteral("krevní"), 1);
    ASSERT_NE(inFirst, herbsShowing(QStringLiteral("krevní"), 0));
    searchFor(QStringLiteral("krevní"), 1);
    EXPECT_EQ(listedKeys(), inFirst);
    for (int part = 1; part <= 22; ++part) {
        const std::set<QString> inPart = herbsShowing(QStringLiteral("heřmánek"), part);
        if (inPart.empty() || inPart == expected)
            continue;
        searchFor(QStringLiteral("heřmánek"), part);
        EXPECT_EQ(listedKeys(), inPart) << part;
        EXPECT_EQ(form->panelText(QStringLiteral("Podminka")),
                  QStringLiteral("Byliny s textem heřmánek (") + form->CmbFind->itemText(part) + u')');
        break;
    }

    const QStringList before = listKeys();
    const QString condition = form->panelText(QStringLiteral("Podminka"));
    // Over a description, as a category view shows it, whose box could take the focus while
    // the panel's controls are disabled during the scan.
    form->STab->hide();
    form->RtfTemp->show();
    searchFor(QStringLiteral("fcharset"), 0); // markup is never matched
    EXPECT_EQ(reports, QStringList{QStringLiteral("Výraz nenalezen")});
    EXPECT_EQ(form->focusWidget(), form->TxtByl);
    form->RtfTemp->hide();
    form->STab->show();
    EXPECT_EQ(listKeys(), before);
    EXPECT_EQ(form->panelText(QStringLiteral("Podminka")), condition);
    EXPECT_TRUE(
        text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")))
            .contains(QStringLiteral("Nebyly nalezeny žádné byliny s textem fcharset v části Celý článek")));
}

// Slovak captions from the database at the start and both ways through the language items;
// the toolbar's commands and drop-down; commands whose parts are missing report it.
// The AISLP command on a program file that cannot be run: reported as a failed start (57)
// and the program goes on.
TEST_F(MainMenusTest, AislpProgramThatCannotStartIsReported) {
    dir.write(QStringLiteral("MVAW.exe"), "not a program");
    App().Settings.AISLPCmd = dir.file(QStringLiteral("MVAW.exe"));
    load();
    ASSERT_TRUE(menus->item(QStringLiteral("mnuAISLP"))->isEnabled());
    menus->item(QStringLiteral("mnuAISLP"))->trigger();
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze spustit program AISLP")});
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("57"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Nelze spustit program AISLP\r\nSystem: 70 - ")));
}

TEST_F(MainMenusTest, MenusSpeakSlovakAndEveryCommandAnswers) {
    App().Settings.Language = 2;
    load();
    EXPECT_EQ(menus->menu(QStringLiteral("mnuVyber"))->title(), QStringLiteral("Výber"));
    EXPECT_EQ(menus->item(QStringLiteral("mnuKonec"))->text(), QStringLiteral("&Koniec"));
    EXPECT_EQ(menus->item(QStringLiteral("mnuAbout"))->text(), QStringLiteral("O &programe"));
    EXPECT_EQ(menus->menu(QStringLiteral("mnuNapoveda"))->title(), QStringLiteral("Nápověda"));
    EXPECT_TRUE(menus->item(QStringLiteral("mnuSlovenstina"))->isChecked());
    EXPECT_FALSE(menus->item(QStringLiteral("mnuCestina"))->isChecked());
    menus->item(QStringLiteral("mnuCestina"))->trigger();
    EXPECT_EQ(App().Settings.Language, 1);
    EXPECT_EQ(menus->menu(QStringLiteral("mnuVyber"))->title(), QStringLiteral("Výběr"));
    EXPECT_EQ(menus->item(QStringLiteral("mnuAbout"))->text(), QStringLiteral("O &programu"));
    EXPECT_TRUE(menus->item(QStringLiteral("mnuCestina"))->isChecked());
    menus->mnuSlovenstina_Click();
    EXPECT_EQ(menus->item(QStringLiteral("mnuIndikace"))->text(), QStringLiteral("Indikácie"));
    EXPECT_FALSE(menus->item(QStringLiteral("mnuCestina"))->isChecked());
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u'|').toStdString();

    // Toolbar: 17 buttons, the view buttons pressed by list mode, the names languages.
    EXPECT_EQ(form->Tb->actions().size(), 17);
    QString filled = QStringLiteral("none");
    form->Hooks.ListFillers[2] = [&](const QString& filter) {
        filled = filter;
        form->ListMode = 2;
    };
    form->findChild<QAction*>(QStringLiteral("TbUL"))->trigger();
    EXPECT_EQ(filled, QString());
    EXPECT_TRUE(form->TbButtons[3]->isChecked());
    // The herb shown stays selected under its Latin name; the search box, which has the focus,
    // follows it.
    ASSERT_NE(form->CurrentHerb, 0);
    // The keys alone reach them: Shift+Tab from the search box, Down opens the drop-down.
    QWidget* herbs = form->TxtByl->previousInFocusChain();
    while (!(herbs->focusPolicy() & Qt::TabFocus) || !herbs->isVisible())
        herbs = herbs->previousInFocusChain();
    ASSERT_EQ(herbs, form->Tb->widgetForAction(form->TbButtons[1]));
    EXPECT_EQ(herbs->nextInFocusChain(), form->TxtByl);
    QTest::keyClick(herbs, Qt::Key_Down);
    auto* languages = form->findChild<QMenu*>(QStringLiteral("TbBylinyMenu"));
    ASSERT_TRUE(languages->isVisible());
    QTest::keyClick(languages, Qt::Key_Down);
    QTest::keyClick(languages, Qt::Key_Down);
    QTest::keyClick(languages, Qt::Key_Return);
    EXPECT_FALSE(languages->isVisible());
    EXPECT_EQ(form->focusWidget(), form->TxtByl);
    EXPECT_EQ(App().Settings.NamesLang, 2);
    EXPECT_EQ(form->ListMode, 1);
    EXPECT_FALSE(form->TbButtons[3]->isChecked());
    ASSERT_GT(form->Lv->topLevelItemCount(), 0);
    EXPECT_EQ(form->Lv->topLevelItem(0)->text(0), form->Lv->topLevelItem(0)->text(0).trimmed());
    ASSERT_NE(form->selectedListItem(), nullptr);
    EXPECT_EQ(form->TxtByl->text(), form->selectedListItem()->text(0));
    EXPECT_EQ(form->panelText(QStringLiteral("Popis")), form->selectedListItem()->text(0));
    // Each entry lists the names of its own language, in the order of the languages.
    const QList<QAction*> entries = languages->actions();
    for (qsizetype i = entries.size() - 1; i >= 1; --i) {
        entries[i]->trigger();
        EXPECT_EQ(App().Settings.NamesLang, i + 1) << entries[i]->text().toStdString();
    }

    // Profile 4 loads its profile part; a missing profile does nothing.
    dir.write(QStringLiteral("Lumo4.ini"), "[Segment]\r\nTitleSize1=30\r\n");
    menus->mnuProfil_Click(3);
    EXPECT_EQ(App().Settings.ProfilNumber, 4);
    EXPECT_EQ(App().IniFile, SettingsFilePath());
    menus->mnuProfil_Click(6);
    EXPECT_EQ(App().Settings.ProfilNumber, 4);

    reports.clear();
    form->findChild<QAction*>(QStringLiteral("TbIndSk"))->trigger(); // no filler registered
    menus->mnuSelect_Click();
    App().PrinterObj = MakeServiceSlot(std::make_unique<CKelPrinter>());
    menus->item(QStringLiteral("mnuZmeny"))->trigger(); // not in the temporary program folder
    EXPECT_EQ(reports, (QStringList{QStringLiteral("Výběr"),
                                    QStringLiteral("Zefirak - Tato funkce není implementována"),
                                    QStringLiteral("Nelze zobrazit dokument")}));

    // The settings dialog and the About box open modally; after the settings the herbs are listed.
    reports.clear();
    form->ListMode = 2;
    menus->item(QStringLiteral("mnuNastaveni"))->trigger();
    EXPECT_EQ(form->ListMode, 1);
    menus->item(QStringLiteral("mnuAbout"))->trigger();
    EXPECT_EQ(reports.size(), 2) << reports.join(u'|').toStdString();
    EXPECT_FALSE(reports.contains(QStringLiteral("O programu")));

    QString opened;
    menus->OpenUrl = [&](const QString& url) {
        opened = url;
        return true;
    };
    menus->item(QStringLiteral("mnuPodpora"))->trigger();
    EXPECT_TRUE(
        opened.startsWith(QStringLiteral("mailto:podpora@zefirak.cz?subject=Zefirak&body=U%C5%BEivatel:")))
        << opened.toStdString();
    EXPECT_EQ(MainMenus::SupportMailUrl(QStringLiteral("Jan Nov\u00e1k  "), QStringLiteral("5.1.0")),
              QStringLiteral("mailto:podpora@zefirak.cz?subject=Zefirak&body=U%C5%BEivatel:%20Jan%20Nov%C3%"
                             "A1k,%20Verze:%205.1.0"));
}

} // namespace
} // namespace lumo::test
