#include "browsers/IndicationBrowser.h"
#include "browsers/BrowserFixture.h"
#include "browsers/Browsers.h"
#include "browsers/CategoryBrowser.h"
#include "platform/ui/RichTextBox.h"

#include <QTest>
#include <QTreeWidget>

namespace lumo::test {
namespace {

using IndicationBrowserTest = BrowserFixture;

// Two levels: the sub-indications follow the chosen top-level one; F7 combines the marks of
// both lists (top level first); a search on one top-level indication keeps the marked
// sub-indications, which survive another category's search too.
TEST_F(IndicationBrowserTest, TwoLevelsMarksAndSearches) {
    loadBrowsers();
    showHerb(1);
    form->setTabIndex(5);
    EXPECT_EQ(texts(form->LvInd), QStringList({"Kašel", "Zažívací potíže"}));
    EXPECT_TRUE(texts(form->LvSub).isEmpty()); // Kašel has none
    select(form->LvInd, QStringLiteral("Zažívací potíže"));
    EXPECT_EQ(texts(form->LvSub), QStringList({"Nadýmání"}));
    // The keys alone reach the only item: a move that cannot move selects the framed item.
    form->LvSub->setFocus();
    QTest::keyClick(form->LvSub, Qt::Key_Down);
    ASSERT_NE(form->LvSub->currentItem(), nullptr);
    EXPECT_TRUE(form->LvSub->currentItem()->isSelected());
    EXPECT_TRUE(browsers->Ind->toolbar().isEnabled(QStringLiteral("Select")));

    const QStringList herbs = listTexts();
    form->LvSub->setFocus();
    QTest::keyClick(form->LvSub, Qt::Key_F7); // nothing marked: nothing happens
    EXPECT_EQ(listTexts(), herbs);
    EXPECT_TRUE(condition().isEmpty());

    check(form->LvInd, QStringLiteral("Zažívací potíže"));
    check(form->LvSub, QStringLiteral("Nadýmání"));
    EXPECT_TRUE(browsers->Ind->toolbar().isEnabled(QStringLiteral("SelectMore")));
    QTest::keyClick(form->LvSub, Qt::Key_F7);
    EXPECT_EQ(listTexts(), QStringList({"Heřmánek"}));
    EXPECT_EQ(condition(), QStringLiteral("Byliny s indikacemi Zažívací potíže, Nadýmání"));

    showHerb(1);
    form->setTabIndex(5); // the herb list's refill went back to the record
    form->LvInd->setFocus();
    select(form->LvInd, QStringLiteral("Kašel"));
    QTest::keyClick(form->LvInd, Qt::Key_F6);
    EXPECT_EQ(condition(), QStringLiteral("Byliny s indikací Kašel"));
    EXPECT_EQ(listTexts(), QStringList({"Černucha", "Heřmánek"}));
    EXPECT_EQ(form->MarkedIndCount, 1);
    EXPECT_EQ(form->MarkedInd.front(), 33);
    EXPECT_EQ(form->MarkedSubIndCount, 1);

    showHerb(1);
    browsers->UL->Hledej(3); // another category's search ends the top-level marks only
    EXPECT_EQ(form->MarkedIndCount, 0);
    showHerb(1);
    EXPECT_TRUE(checkedTexts(form->LvInd).isEmpty());
    select(form->LvInd, QStringLiteral("Zažívací potíže"));
    EXPECT_EQ(checkedTexts(form->LvSub), QStringList({"Nadýmání"}));
}

// The indications view: one list of both levels in Czech order, the top level coloured;
// a description has its broader or related indications and its herbs as links.
TEST_F(IndicationBrowserTest, ViewListsBothLevelsAndDescribesTheirRelations) {
    loadBrowsers();
    form->Hooks.ListFillers[5](QString());
    EXPECT_EQ(listTexts(), QStringList({"Kašel", "Nadýmání", "Průjem", "Zažívací potíže"}));
    EXPECT_EQ(form->Lv->topLevelItem(0)->foreground(0).color(), QColor(0x20, 0x60, 0x80));
    EXPECT_EQ(form->Lv->topLevelItem(1)->foreground(0).style(), Qt::NoBrush);

    choose(QStringLiteral("Nadýmání"));
    EXPECT_EQ(
        form->RtfTemp->Text(),
        QStringLiteral(
            "Nadýmání\r\nPlyny.\r\nŠirší indikace\r\nZažívací potíže\r\n\r\nSeznam bylin\r\nHeřmánek\r\n"));
    choose(QStringLiteral("Zažívací potíže"));
    EXPECT_EQ(form->RtfTemp->Text(),
              QStringLiteral("Zažívací potíže\r\nTrávení.\r\nSouvisející indikace\r\nNadýmání\r\n"
                             "Průjem\r\n\r\nSeznam bylin\r\nHeřmánek\r\nChmel\r\n"));
    const int related = form->RtfTemp->Text().indexOf(QStringLiteral("Průjem"));
    EXPECT_TRUE(form->RtfTemp->charFormatAt(related + 1).fontUnderline());
    const int heading = form->RtfTemp->Text().indexOf(QStringLiteral("Seznam bylin"));
    EXPECT_FALSE(form->RtfTemp->charFormatAt(heading + 1).fontUnderline());

    form->Hooks.HerbsWithItem[5]();
    EXPECT_EQ(condition(), QStringLiteral("Byliny s indikací Zažívací potíže"));
    EXPECT_EQ(listTexts(), QStringList({"Heřmánek", "Chmel"}));
}

} // namespace
} // namespace lumo::test
