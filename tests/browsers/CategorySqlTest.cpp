#include "browsers/CategorySql.h"
#include "browsers/BrowserFixture.h"
#include "core/AppContext.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace lumo::test {
namespace {

namespace sql = CategorySql;

const sql::Link kUL{QStringLiteral("UcLatkyByliny"), QStringLiteral("IdxUcLatky")};
const sql::Link kSber{QStringLiteral("Sber"), QStringLiteral("Mesic")};
const sql::Link kInd{QStringLiteral("IndikaceByliny"), QStringLiteral("IdxIndikace")};

struct Case {
    QString text;     // the statement as built
    QString expected; // the exact text
    QString column;   // read on the fixture
    QStringList rows; // values of column in order
};

class CategorySqlTest : public FrmMainFixture {
protected:
    QStringList run(const QString& statement, const QString& column) {
        QStringList values;
        db::Recordset rs = App().DbConnection->execute(statement);
        for (; !rs.eof(); rs.moveNext())
            values << rs.field(column).str();
        return values;
    }
};

// Every statement exactly as the browsers write it, and what it finds on the fixture
// (Czech order: Č after C, Ch after H; the Jet forms = ANY and Len run translated).
TEST_F(CategorySqlTest, StatementsAreExactAndRunOnTheDatabase) {
    openDatabase(CategoryDatabase());
    const auto marked = [](const sql::Link& link, std::vector<std::pair<long, QString>> items) {
        return sql::Ordered(sql::Marked(link, QString(), items).sql);
    };
    const QString byliny = QStringLiteral("Nazev");
    const Case cases[] = {
        {sql::PerHerb(QStringLiteral("UcinneLatky"), kUL, 1),
         "SELECT * FROM UcinneLatky AS u, UcLatkyByliny AS b WHERE IdxByliny=1 AND IdxUcLatky=Idx ORDER BY "
         "Nazev",
         byliny,
         {"Flavonoidy", "Silice"}},
        {sql::PerHerb(QStringLiteral("IndikacniSkupiny"),
                      {QStringLiteral("IndSkupByliny"), QStringLiteral("IdxIndSkup")}, 5),
         "SELECT * FROM IndikacniSkupiny AS u, IndSkupByliny AS b WHERE IdxByliny=5 AND IdxIndSkup=Idx ORDER "
         "BY Nazev",
         byliny,
         {"Trávení"}},
        {sql::AllItems(QStringLiteral("Kombinace")),
         "SELECT * FROM Kombinace ORDER BY Nazev",
         byliny,
         {"Čajová směs"}},
        {sql::Item(QStringLiteral("UcinneLatky"), 10),
         "SELECT * FROM UcinneLatky WHERE Idx=10",
         byliny,
         {"Silice"}},
        {sql::Ordered(sql::HerbsWithOne(kUL, 11)),
         "SELECT DISTINCT b.* FROM Byliny AS b, UcLatkyByliny AS u WHERE Idx=IdxByliny AND IdxUcLatky=11 "
         "ORDER BY Nazev",
         byliny,
         {"Černucha", "Heřmánek", "Šalvěj"}},
        {sql::HerbsWithItem(kUL, 10),
         "SELECT DISTINCT b.* FROM Byliny AS b, UcLatkyByliny AS u WHERE Idx=IdxByliny AND IdxUcLatky=10 "
         "ORDER BY Nazev",
         byliny,
         {"Černucha", "Heřmánek", "Chmel", "Šalvěj"}},
        {marked(kUL, {{10, "Silice"}}),
         "SELECT * FROM Byliny WHERE Idx=ANY (SELECT IdxByliny FROM UcLatkyByliny WHERE IdxUcLatky=10)  "
         "ORDER BY Nazev",
         byliny,
         {"Černucha", "Heřmánek", "Chmel", "Šalvěj"}},
        {marked(kUL, {{10, "Silice"}, {11, "Flavonoidy"}, {12, "Třísloviny"}}),
         "SELECT * FROM Byliny WHERE Idx=ANY (SELECT IdxByliny FROM UcLatkyByliny WHERE IdxUcLatky=10) AND "
         "Idx=ANY "
         "(SELECT IdxByliny FROM UcLatkyByliny WHERE IdxUcLatky=11)AND Idx=ANY (SELECT IdxByliny FROM "
         "UcLatkyByliny "
         "WHERE IdxUcLatky=12) ORDER BY Nazev",
         byliny,
         {"Šalvěj"}},
        {marked(kInd, {{5, ""}, {12, ""}, {40, ""}}),
         "SELECT * FROM Byliny WHERE Idx=ANY (SELECT IdxByliny FROM IndikaceByliny WHERE IdxIndikace=5) AND "
         "Idx=ANY "
         "(SELECT IdxByliny FROM IndikaceByliny WHERE IdxIndikace=12)AND Idx=ANY (SELECT IdxByliny FROM "
         "IndikaceByliny "
         "WHERE IdxIndikace=40) ORDER BY Nazev",
         byliny,
         {}},
        {marked(kSber, {{3, ""}, {5, ""}}),
         "SELECT * FROM Byliny WHERE Idx=ANY (SELECT IdxByliny FROM Sber WHERE Mesic=3) AND Idx=ANY (SELECT "
         "IdxByliny "
         "FROM Sber WHERE Mesic=5) ORDER BY Nazev",
         byliny,
         {"Heřmánek"}},
        {sql::Ordered(sql::HerbsWithOne(kSber, 3)),
         "SELECT DISTINCT b.* FROM Byliny AS b, Sber AS u WHERE Idx=IdxByliny AND Mesic=3 ORDER BY Nazev",
         byliny,
         {"Černucha", "Heřmánek"}},
        {sql::HerbNames(kUL, 10, 1),
         "SELECT Nazev, Idx FROM Byliny WHERE Idx = ANY (SELECT IdxByliny FROM UcLatkyByliny WHERE "
         "IdxUcLatky=10) "
         "ORDER BY "
         "Nazev",
         byliny,
         {"Černucha", "Heřmánek", "Chmel", "Šalvěj"}},
        {sql::HerbNames(kUL, 10, 5),
         "SELECT n.Nazev, b.Idx FROM Byliny AS b, Nazvy AS n WHERE IdxByliny = b.Idx AND IdxJazyk = 5 AND "
         "Len(Trim(n.Nazev)) > 0 "
         "AND b.Idx = ANY(SELECT IdxByliny FROM UcLatkyByliny WHERE IdxUcLatky=10) ORDER BY n.Nazev",
         byliny,
         {"Hop", "Chamomile", "Sage"}},
        {sql::HerbParts(1),
         "SELECT DISTINCT Nazev, IdxCast FROM Casti AS u, Sber AS b WHERE IdxByliny=1 AND IdxCast=Idx ORDER "
         "BY Nazev",
         byliny,
         {"kořen", "květ"}},
        {sql::PartMonths(1, 22),
         "SELECT * FROM Sber WHERE IdxByliny=1 AND IdxCast=22 ORDER BY Mesic",
         QStringLiteral("Mesic"),
         {"3", "5"}},
        {sql::MonthHerbs(3),
         "SELECT DISTINCT Nazev, Idx FROM Byliny WHERE Idx = ANY (SELECT IdxByliny FROM Sber WHERE Mesic=3) "
         "ORDER BY "
         "Nazev",
         byliny,
         {"Černucha", "Heřmánek"}},
        {sql::PartsInMonth(1, 3),
         "SELECT DISTINCT Nazev FROM Casti AS u, Sber AS b WHERE IdxByliny=1 AND IdxCast=Idx AND Mesic=3 "
         "ORDER BY Nazev",
         byliny,
         {"kořen", "květ"}},
        {sql::HerbIndications(1, 0),
         "SELECT * FROM Indikace AS u, IndikaceByliny AS b WHERE IdxByliny=1 AND b.IdxIndikace=Idx AND "
         "u.IdxIndikace=0 ORDER BY Nazev",
         byliny,
         {"Kašel", "Zažívací potíže"}},
        {sql::HerbIndications(2, 30),
         "SELECT * FROM Indikace AS u, IndikaceByliny AS b WHERE IdxByliny=2 AND b.IdxIndikace=Idx AND "
         "u.IdxIndikace=30 ORDER BY Nazev",
         QStringLiteral("b.IdxIndikace"),
         {"32"}},
        {sql::ChildIndications(30),
         "SELECT * FROM Indikace WHERE IdxIndikace=30 ORDER BY Nazev",
         byliny,
         {"Nadýmání", "Průjem"}},
        {sql::AllFamilies(), "SELECT * FROM Celedi ORDER BY Nazev", byliny, {"Hvězdnicovité", "Konopovité"}},
        {sql::Family(1), "SELECT * FROM Celedi WHERE Idx=1", QStringLiteral("Latinsky"), {"Asteraceae"}},
        {sql::FamilyHerbNames(1, 1),
         "SELECT Nazev, Idx FROM Byliny WHERE IdxCeled = 1 ORDER BY Nazev",
         byliny,
         {"Černucha", "Heřmánek", "Šalvěj"}},
        {sql::FamilyHerbNames(1, 5),
         "SELECT n.Nazev, b.Idx FROM Byliny AS b, Nazvy AS n WHERE IdxByliny = b.Idx AND IdxJazyk = 5 AND "
         "IdxCeled "
         "= 1 AND "
         "Len(Trim(n.Nazev)) > 0 ORDER BY n.Nazev",
         byliny,
         {"Chamomile", "Sage"}},
        {sql::FamilyHerbs(2), "SELECT * FROM Byliny WHERE IdxCeled=2 ORDER BY Nazev", byliny, {"Chmel"}},
        {sql::AllLiterature(),
         "SELECT * FROM Literatura ORDER BY Autor",
         QStringLiteral("Autor"),
         {"Janča", "Korbelář"}},
        {sql::LiteratureEntry(2), "SELECT * FROM Literatura WHERE Idx=2", byliny, {"Herbář"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        EXPECT_EQ(c.text, c.expected);
        EXPECT_EQ(run(c.text, c.column), c.rows);
    }
}

TEST(CategorySqlMarked, ConditionListsTheItemsAndAnEmptyListSearchesNothing) {
    const sql::MarkedSearch s = sql::Marked(kUL, QStringLiteral("Byliny s látkami "),
                                            {{11, QStringLiteral("Flavonoidy")}, {10, "Silice"}});
    EXPECT_EQ(s.condition, QStringLiteral("Byliny s látkami Flavonoidy, Silice"));
    EXPECT_EQ(s.ids, (std::vector<long>{11, 10}));
    const sql::MarkedSearch none = sql::Marked(kUL, QStringLiteral("Byliny s látkami "), {});
    EXPECT_TRUE(none.sql.isEmpty());
    EXPECT_TRUE(none.ids.empty());
}

} // namespace
} // namespace lumo::test
