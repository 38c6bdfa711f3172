#include "mainwindow/HerbListFiller.h"

#include <gtest/gtest.h>

namespace lumo {
namespace {

TEST(HerbListFiller, StatementsOfTheAllHerbsListPerNamesLanguage) {
    EXPECT_EQ(HerbListFiller::AllHerbsSql(), QStringLiteral("SELECT * FROM Byliny ORDER BY Nazev"));
    EXPECT_EQ(HerbListFiller::LanguagesSql(), QStringLiteral("SELECT * FROM Jazyk ORDER BY Idx"));
    for (long language = 2; language <= 9; ++language) {
        EXPECT_EQ(
            HerbListFiller::NamesLanguageSql(language),
            QStringLiteral("SELECT * FROM Byliny AS b, Nazvy AS n WHERE IdxByliny=b.Idx AND IdxJazyk=") +
                QString::number(language) + QStringLiteral(" AND Len(Trim(n.Nazev))>0 ORDER BY n.Nazev"));
        EXPECT_EQ(HerbListFiller::AllHerbsSqlFor(language), HerbListFiller::NamesLanguageSql(language));
    }
    EXPECT_EQ(HerbListFiller::NamesLanguageSql(2),
              QStringLiteral("SELECT * FROM Byliny AS b, Nazvy AS n WHERE IdxByliny=b.Idx AND IdxJazyk=2 AND "
                             "Len(Trim(n.Nazev))>0 ORDER BY n.Nazev"));
    // Czech and any language out of range list the Czech names (no statement of their own).
    for (long language : {1L, 0L, 10L, -3L}) {
        EXPECT_EQ(HerbListFiller::AllHerbsSqlFor(language), QString()) << language;
        EXPECT_EQ(HerbListFiller::NamesLanguage(language), language == 1 ? 1 : 1);
    }
    EXPECT_EQ(HerbListFiller::NamesLanguage(9), 9);
    EXPECT_EQ(HerbListFiller::ForeignNamesSql(), QStringLiteral("SELECT * FROM Nazvy ORDER BY Nazev"));
}

TEST(HerbListFiller, AllHerbsStatementsAreRecognisedAndSearchesAreNot) {
    EXPECT_TRUE(HerbListFiller::IsAllHerbsSql(QString()));
    EXPECT_TRUE(HerbListFiller::IsAllHerbsSql(QStringLiteral("   ")));
    for (long language = 2; language <= 9; ++language)
        EXPECT_TRUE(HerbListFiller::IsAllHerbsSql(HerbListFiller::NamesLanguageSql(language) + u' '));
    EXPECT_FALSE(
        HerbListFiller::IsAllHerbsSql(QStringLiteral("SELECT * FROM Byliny WHERE Idx=1 ORDER BY Nazev")));
    EXPECT_FALSE(HerbListFiller::IsAllHerbsSql(HerbListFiller::NamesLanguageSql(2).replace(
        QStringLiteral("ORDER BY"), QStringLiteral("AND b.Idx=3 ORDER BY"))));
}

} // namespace
} // namespace lumo
