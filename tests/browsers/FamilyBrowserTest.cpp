#include "browsers/BrowserFixture.h"
#include "core/AppContext.h"
#include "platform/ui/RichTextBox.h"

#include <QTreeWidget>

namespace lumo::test {
namespace {

using FamilyBrowserTest = BrowserFixture;

// Families: the list in Czech order without a condition, a family's title with its Latin
// name, its text and its herbs (in the names language, only non-blank names), the same
// family again on reopening, and a double click listing its herbs.
TEST_F(FamilyBrowserTest, FamiliesAreDescribedWithTheirHerbs) {
    QStringList db = CategoryDatabase();
    db << QStringLiteral("INSERT INTO Celedi VALUES (3,'Árónovité','Araceae',NULL)");
    loadBrowsers(db);
    form->setPanelText(QStringLiteral("Podminka"), QStringLiteral("dříve"));
    form->Hooks.ListFillers[8](QString());
    EXPECT_EQ(form->ListMode, 8);
    EXPECT_EQ(listTexts(), QStringList({"Árónovité", "Hvězdnicovité", "Konopovité"}));
    EXPECT_TRUE(condition().isEmpty());
    choose(QStringLiteral("Hvězdnicovité"));
    EXPECT_EQ(form->RtfTemp->Text(), QStringLiteral("Hvězdnicovité (Asteraceae)\r\nÚbory.\r\nSeznam bylin\r\n"
                                                    "Černucha\r\nHeřmánek\r\nŠalvěj\r\n"));
    App().Settings.NamesLang = 5;
    choose(QStringLiteral("Hvězdnicovité"));
    EXPECT_TRUE(form->RtfTemp->Text().endsWith(QStringLiteral("Seznam bylin\r\nChamomile\r\nSage\r\n")));
    choose(QStringLiteral("Árónovité"));
    EXPECT_EQ(form->RtfTemp->Text(), QStringLiteral("Árónovité (Araceae)\r\n"));

    choose(QStringLiteral("Hvězdnicovité"));
    form->Hooks.ListFillers[8](QString());
    EXPECT_EQ(selectedText(), QStringLiteral("Hvězdnicovité"));
    form->Hooks.HerbsWithItem[8]();
    EXPECT_EQ(form->ListMode, 1);
    EXPECT_EQ(listTexts(), QStringList({"Černucha", "Heřmánek", "Šalvěj"}));
    EXPECT_EQ(condition(), QStringLiteral("Byliny čeledi Hvězdnicovité"));
}

// Literature: "author, title" by author; the description is the entry alone, centred.
TEST_F(FamilyBrowserTest, LiteratureEntriesAndTheirDescriptions) {
    loadBrowsers();
    form->Hooks.ListFillers[9](QString());
    EXPECT_EQ(form->ListMode, 9);
    EXPECT_EQ(listTexts(), QStringList({"Janča, Herbář", "Korbelář, Naše rostliny"}));
    choose(QStringLiteral("Korbelář, Naše rostliny"));
    EXPECT_EQ(form->CurrentLit, 1);
    EXPECT_EQ(form->RtfTemp->Text(), QStringLiteral("Korbelář, Naše rostliny\r\nPříručka.\r\n"));
    form->RtfTemp->setSelStart(form->RtfTemp->TextLength());
    EXPECT_EQ(form->RtfTemp->SelAlignment(), ui::AlignCenter);
    // The literature list has no herbs to list.
    EXPECT_FALSE(form->Hooks.HerbsWithItem[9]);
}

using EmptyLiteratureTest = BrowserFixture;
TEST_F(EmptyLiteratureTest, IsReported) {
    QStringList db = CategoryDatabase();
    db << QStringLiteral("DELETE FROM Literatura");
    loadBrowsers(db);
    form->Hooks.ListFillers[9](QString());
    EXPECT_EQ(reports, QStringList({"Nelze načíst seznam použité literatury"}));
    EXPECT_EQ(form->Lv->topLevelItemCount(), 0);
}

} // namespace
} // namespace lumo::test
