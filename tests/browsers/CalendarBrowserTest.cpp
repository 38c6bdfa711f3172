#include "browsers/CalendarBrowser.h"
#include "browsers/BrowserFixture.h"
#include "browsers/Browsers.h"
#include "core/AppContext.h"
#include "core/LangText.h"
#include "platform/ui/RichTextBox.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace lumo::test {
namespace {

class CalendarBrowserTest : public BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        SetMonthNames(1);
    }
};

// The parts of the shown herb with the months of the first one; another part shows its
// months; marking two months and F7 finds the herbs collected in both, and the marked
// months show on the next herb.
TEST_F(CalendarBrowserTest, PartsMonthsAndTheSearchByMarkedMonths) {
    loadBrowsers();
    showHerb(1);
    form->setTabIndex(7);
    EXPECT_EQ(texts(form->LvCast), QStringList({"kořen", "květ"}));
    EXPECT_EQ(texts(form->LvMesic), QStringList({"Březen"}));
    select(form->LvMesic, QStringLiteral("Březen"));
    check(form->LvMesic, QStringLiteral("Březen"));
    form->LvCast->setCurrentItem(form->LvCast->topLevelItem(1)); // as a click does
    EXPECT_EQ(texts(form->LvMesic), QStringList({"Březen", "Květen"}));
    // Nothing is chosen or marked among the new months: the buttons say so.
    EXPECT_FALSE(browsers->Sber->toolbar().isEnabled(QStringLiteral("Select")));
    EXPECT_FALSE(browsers->Sber->toolbar().isEnabled(QStringLiteral("SelectMore")));

    check(form->LvMesic, QStringLiteral("Březen"));
    check(form->LvMesic, QStringLiteral("Květen"));
    EXPECT_TRUE(browsers->Sber->toolbar().isEnabled(QStringLiteral("SelectMore")));
    form->MarkedULCount = 2;
    form->LvMesic->setFocus();
    QTest::keyClick(form->LvMesic, Qt::Key_F7);
    EXPECT_EQ(listTexts(), QStringList({"Heřmánek"}));
    EXPECT_EQ(condition(), QStringLiteral("Byliny sbírané v měsících Březen, Květen"));
    EXPECT_EQ(form->MarkedMonthsCount, 2);
    EXPECT_EQ(form->MarkedULCount, 0);

    showHerb(3);
    EXPECT_EQ(checkedTexts(form->LvMesic), QStringList({"Březen"}));

    // F8 searches every month of the part shown.
    showHerb(1);
    form->LvCast->setCurrentItem(form->LvCast->topLevelItem(1));
    EXPECT_EQ(checkedTexts(form->LvMesic), QStringList({"Březen", "Květen"}));
    form->LvMesic->setFocus();
    QTest::keyClick(form->LvMesic, Qt::Key_F8);
    EXPECT_EQ(condition(), QStringLiteral("Byliny sbírané v měsících Březen, Květen"));
    EXPECT_EQ(form->MarkedMonthsCount, 2);
    showHerb(4);
    EXPECT_EQ(form->LvCast->topLevelItemCount() + form->LvMesic->topLevelItemCount(), 0);
}

// The calendar view lists the twelve months; a month's description lists each herb once, in
// bold and not as a link, with the parts collected in that month; Enter lists its herbs.
TEST_F(CalendarBrowserTest, MonthViewDescribesTheHerbsCollectedInTheMonth) {
    loadBrowsers();
    form->Hooks.ListFillers[7](QString());
    EXPECT_EQ(form->ListMode, 7);
    ASSERT_EQ(listTexts().size(), 12);
    EXPECT_EQ(listTexts().first(), QStringLiteral("Leden"));
    EXPECT_EQ(listTexts().last(), QStringLiteral("Prosinec"));
    form->Lv->setFocus(); // as the arrow keys leave it
    choose(QStringLiteral("Březen"));
    EXPECT_EQ(form->CurrentMonth, 3);
    // The box and the status bar name the month shown, as in the other views.
    EXPECT_EQ(form->TxtByl->text(), QStringLiteral("Březen"));
    EXPECT_EQ(form->panelText(QStringLiteral("Popis")), QStringLiteral("Březen"));
    EXPECT_EQ(form->RtfTemp->Text(),
              QStringLiteral("Březen\r\nČernucha (kořen)\r\nHeřmánek (kořen, květ)\r\n"));
    const int herb = form->RtfTemp->Text().indexOf(QStringLiteral("Heřmánek"));
    EXPECT_EQ(form->RtfTemp->charFormatAt(herb + 1).fontWeight(), QFont::Bold);
    EXPECT_FALSE(form->RtfTemp->charFormatAt(herb + 1).fontUnderline());
    const int parts = form->RtfTemp->Text().indexOf(QStringLiteral("(kořen, květ)"));
    EXPECT_NE(form->RtfTemp->charFormatAt(parts + 2).fontWeight(), QFont::Bold);

    form->Hooks.HerbsWithItem[7]();
    EXPECT_EQ(listTexts(), QStringList({"Černucha", "Heřmánek"}));
    EXPECT_EQ(condition(), QStringLiteral("Byliny sbírané v měsíci Březen"));
    // Reopening the calendar shows the same month again, also in the box, which a view
    // command leaves with the focus and another view's item.
    form->TxtByl->setFocus();
    form->TxtByl->setText(QStringLiteral("Silice"));
    form->Hooks.ListFillers[7](QString());
    EXPECT_EQ(selectedText(), QStringLiteral("Březen"));
    EXPECT_EQ(form->TxtByl->text(), QStringLiteral("Březen"));
}

// A month out of range in the data is reported; the months read before it stay.
TEST_F(CalendarBrowserTest, BadMonthIsReportedAndTheListKeepsWhatItHad) {
    QStringList db = CategoryDatabase();
    db << QStringLiteral("INSERT INTO Sber VALUES (4,20,2),(4,20,13)");
    loadBrowsers(db);
    showHerb(4);
    EXPECT_EQ(texts(form->LvMesic), QStringList({"Únor"}));
    EXPECT_EQ(reports, QStringList({"Nelze načíst sběr"}));
}

} // namespace
} // namespace lumo::test
