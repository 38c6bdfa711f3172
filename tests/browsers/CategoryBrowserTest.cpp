#include "browsers/CategoryBrowser.h"
#include "browsers/BrowserFixture.h"
#include "browsers/Browsers.h"
#include "core/AppContext.h"
#include "platform/err/VbError.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

namespace lumo::test {
namespace {

const QColor kBlue(0, 0, 255);

class CategoryBrowserTest : public BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        loadBrowsers();
    }
    // The active-substances page as the user opens it.
    void openPage(int tab) { form->setTabIndex(tab); }
    QColor colour(QTreeWidget* list, const QString& text) {
        return list->findItems(text, Qt::MatchExactly).first()->foreground(0).color();
    }
};

// Marking two substances and pressing F7 lists exactly the herbs that have both, in Czech
// order, with the condition in words; the marks then show on every herb that has them and
// the other categories' marks end (the sub-indications' stay).
TEST_F(CategoryBrowserTest, MarkedSearchListsHerbsWithEveryMarkedItemAndKeepsTheMarks) {
    showHerb(1);
    openPage(1);
    EXPECT_EQ(texts(form->LvUL), QStringList({"Flavonoidy", "Silice"}));
    CategoryBrowser& ul = *browsers->UL;
    EXPECT_FALSE(ul.toolbar().isEnabled(QStringLiteral("SelectMore")));
    check(form->LvUL, QStringLiteral("Flavonoidy"));
    check(form->LvUL, QStringLiteral("Silice"));
    EXPECT_EQ(colour(form->LvUL, QStringLiteral("Silice")), kBlue);
    EXPECT_TRUE(ul.toolbar().isEnabled(QStringLiteral("SelectMore")));
    form->MarkedIndCount = 3;
    form->MarkedSubIndCount = 2;
    form->MarkedMonthsCount = 1;

    ASSERT_EQ(form->focusWidget(), form->LvUL);
    QTest::keyClick(form->LvUL, Qt::Key_F7);

    EXPECT_EQ(form->ListMode, 1);
    EXPECT_EQ(listTexts(), QStringList({"Černucha", "Heřmánek", "Šalvěj"}));
    EXPECT_EQ(condition(), QStringLiteral("Byliny s látkami Flavonoidy, Silice"));
    EXPECT_EQ(form->MarkedULCount, 2);
    EXPECT_EQ(form->MarkedIndCount, 0);
    EXPECT_EQ(form->MarkedMonthsCount, 0);
    EXPECT_EQ(form->MarkedSubIndCount, 2);

    showHerb(5);
    EXPECT_EQ(checkedTexts(form->LvUL), QStringList({"Flavonoidy", "Silice"}));
    EXPECT_EQ(colour(form->LvUL, QStringLiteral("Silice")), kBlue);
    EXPECT_EQ(colour(form->LvUL, QStringLiteral("Třísloviny")), QColor(Qt::black));
    // The toolbar follows a list refilled while its page is shown: nothing is selected and
    // nothing is checked over a herb without substances, and "SelectAll" is back for the next.
    openPage(1);
    ASSERT_TRUE(ul.toolbar().isEnabled(QStringLiteral("SelectMore")));
    showHerb(4);
    EXPECT_FALSE(ul.toolbar().isEnabled(QStringLiteral("SelectMore")));
    EXPECT_FALSE(ul.toolbar().isEnabled(QStringLiteral("Select")));
    EXPECT_FALSE(ul.toolbar().isEnabled(QStringLiteral("SelectAll")));
    showHerb(1);
    EXPECT_TRUE(ul.toolbar().isEnabled(QStringLiteral("SelectAll")));
}

// The searches that find nothing to search: no checked item clears the marks and changes
// nothing else; F8 on an empty list does the same; the selected-item search needs a selection.
TEST_F(CategoryBrowserTest, SearchesWithoutItemsOnlyClearTheMarks) {
    showHerb(1);
    openPage(1);
    form->MarkedULCount = 1;
    form->MarkedUL = {10};
    form->setPanelText(QStringLiteral("Podminka"), QStringLiteral("dříve"));
    const QStringList before = listTexts();
    browsers->UL->toolbar().button(QStringLiteral("SelectMore"))->setEnabled(true);
    browsers->UL->toolbar().button(QStringLiteral("SelectMore"))->trigger();
    EXPECT_EQ(form->MarkedULCount, 0);
    EXPECT_EQ(listTexts(), before);
    EXPECT_EQ(condition(), QStringLiteral("dříve"));

    QTest::keyClick(form->LvUL, Qt::Key_F6); // nothing selected
    EXPECT_EQ(listTexts(), before);
    // Ctrl+Up leaves the list for the search box.
    form->KeyNavigation = true;
    QTest::keyClick(form->LvUL, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(form->focusWidget(), static_cast<QWidget*>(form->TxtByl));
    EXPECT_FALSE(form->KeyNavigation);
    form->setTabIndex(2);
    form->setTabIndex(1);

    showHerb(4);
    form->MarkedULCount = 1;
    QTest::keyClick(form->LvUL, Qt::Key_F8);
    EXPECT_EQ(form->MarkedULCount, 0);
    EXPECT_EQ(listTexts(), before);
}

// A right click on an item selects it (the toolbar's "Select" follows) and opens the page's
// menu, whose first item says what it will do;
// marking from the menu colours the item and updates the toolbar; the menu's search on all
// items of indication groups keeps its caption as it stands.
TEST_F(CategoryBrowserTest, PopupMenuMarksAndSearches) {
    showHerb(5);
    openPage(2);
    QTreeWidget* list = form->LvIndSk;
    QTreeWidgetItem* item = list->topLevelItem(0);
    const QPoint at = list->visualItemRect(item).center();
    EXPECT_FALSE(browsers->IndSk->toolbar().isEnabled(QStringLiteral("Select")));
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
    QMenu* menu = browsers->IndSk->menu();
    EXPECT_TRUE(menu->isVisible());
    // The item is now selected, so "Select" can search on it.
    EXPECT_TRUE(browsers->IndSk->toolbar().isEnabled(QStringLiteral("Select")));
    QAction* mark = menu->findChild<QAction*>(QStringLiteral("mnuIndSkOznac"));
    EXPECT_EQ(mark->text(), QStringLiteral("Označit"));
    menu->hide();
    // A Ctrl+click leaves the clicked item selected, as every click does.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
    EXPECT_TRUE(item->isSelected());
    mark->trigger();
    EXPECT_TRUE(CheckList::isChecked(item));
    EXPECT_EQ(item->foreground(0).color(), kBlue);
    EXPECT_TRUE(browsers->IndSk->toolbar().isEnabled(QStringLiteral("SelectMore")));

    menu->findChild<QAction*>(QStringLiteral("mnuIndSkAll"))->trigger();
    EXPECT_EQ(condition(), QStringLiteral("Byliny s indikačnímu skupinami Trávení"));
    EXPECT_EQ(listTexts(), QStringList({"Heřmánek", "Šalvěj"}));
    menu->findChild<QAction*>(QStringLiteral("mnuIndSkNone"))->trigger();
    EXPECT_EQ(listTexts().size(), 5);
    EXPECT_EQ(form->MarkedIndSkCount, 0);
}

// The category view lists every item in Czech order and re-selects the current one; its
// description has the green centred title, the text, and the herbs as blue underlined
// links under an ordinary heading; Enter lists the item's herbs.
TEST_F(CategoryBrowserTest, AllItemsViewDescribesTheItemAndListsItsHerbs) {
    form->CurrentUL = 10;
    browsers->UL->NactiNazvy(QString());
    EXPECT_EQ(form->ListMode, 2);
    EXPECT_EQ(listTexts(), QStringList({"Flavonoidy", "Silice", "Třísloviny"}));
    EXPECT_EQ(selectedText(), QStringLiteral("Silice"));
    EXPECT_TRUE(form->RtfTemp->isVisibleTo(form));
    EXPECT_EQ(form->RtfTemp->Text(),
              QStringLiteral(
                  "Silice\r\nTěkavé látky.\r\nSeznam bylin\r\nČernucha\r\nHeřmánek\r\nChmel\r\nŠalvěj\r\n"));
    const QTextCharFormat title = form->RtfTemp->charFormatAt(1);
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(title.fontPointSize(), 14);
    EXPECT_EQ(title.foreground().color(), QColor(0, 128, 0));
    form->RtfTemp->setSelStart(1);
    EXPECT_EQ(form->RtfTemp->SelAlignment(), ui::AlignCenter);
    const int heading = form->RtfTemp->Text().indexOf(QStringLiteral("Seznam"));
    EXPECT_FALSE(form->RtfTemp->charFormatAt(heading + 1).fontUnderline());
    const int herb = form->RtfTemp->Text().indexOf(QStringLiteral("Chmel"));
    EXPECT_TRUE(form->RtfTemp->charFormatAt(herb + 1).fontUnderline());
    EXPECT_EQ(form->RtfTemp->charFormatAt(herb + 1).foreground().color(), kBlue);

    // A colour number outside the palette is black, and nothing is reported.
    App().Settings.Segments[1].TitleColor = 99;
    App().Settings.NamesLang = 5;
    choose(QStringLiteral("Silice"));
    const int list = form->RtfTemp->Text().indexOf(QStringLiteral("Seznam bylin"));
    EXPECT_EQ(form->RtfTemp->charFormatAt(list + 1).foreground().color(), QColor(Qt::black));
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_TRUE(
        form->RtfTemp->Text().endsWith(QStringLiteral("Seznam bylin\r\nHop\r\nChamomile\r\nSage\r\n")));

    form->Lv->setFocus();
    QTest::keyClick(form->Lv, Qt::Key_Return);
    EXPECT_EQ(form->ListMode, 1);
    EXPECT_EQ(condition(), QStringLiteral("Byliny s látkou Silice"));
    EXPECT_EQ(listTexts(), QStringList({"Černucha", "Heřmánek", "Chmel", "Šalvěj"}));
}

// A category without items is reported once; the empty view then takes Enter and a double
// click without doing anything.
// Whatever fails in a list's handler is reported and goes no further.
TEST_F(CategoryBrowserTest, HandlerFailureIsReportedNotPassedOn) {
    showHerb(1);
    openPage(1);
    browsers->UL->list().onDblClick = [] { err::Raise(91); };
    QTreeWidgetItem* item = form->LvUL->topLevelItem(0);
    Q_EMIT form->LvUL->itemDoubleClicked(item, 0); // as the list reports a double click
    EXPECT_EQ(reports, QStringList({"Požadavek nelze provést"}));
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-LvUL_DblClick-")));
}

using EmptyCategoryTest = BrowserFixture;
TEST_F(EmptyCategoryTest, IsReportedOnceAndTheEmptyListIsSafe) {
    QStringList db = CategoryDatabase();
    db << QStringLiteral("DELETE FROM UcinneLatky");
    loadBrowsers(db);
    browsers->UL->NactiNazvy(QString());
    EXPECT_EQ(reports, QStringList({"Nelze načíst názvy účinných látek"}));
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("Databáze neobsahuje názvy účinných látek")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-NactiNazvyUL")));
    EXPECT_EQ(form->Lv->topLevelItemCount(), 0);
    form->Lv->setFocus();
    QTest::keyClick(form->Lv, Qt::Key_Return);
    form->Hooks.HerbsWithItem[2]();
    EXPECT_EQ(form->ListMode, 2);
    EXPECT_EQ(reports.size(), 1);
}

} // namespace
} // namespace lumo::test
