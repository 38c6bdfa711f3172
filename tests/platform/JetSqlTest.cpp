#include "platform/db/JetSql.h"

#include <gtest/gtest.h>

namespace lumo::db {
namespace {

struct Translation {
    const char* jet;
    const char* sqlite;
};

class TranslateJetSqlTest : public ::testing::TestWithParam<Translation> {};

TEST_P(TranslateJetSqlTest, RewritesJetForms) {
    EXPECT_EQ(TranslateJetSql(QString::fromUtf8(GetParam().jet)).toStdString(),
              std::string(GetParam().sqlite));
}

INSTANTIATE_TEST_SUITE_P(
    Statements, TranslateJetSqlTest,
    ::testing::Values(
        // Nothing to change.
        Translation{"SELECT * FROM Texty WHERE IdxByliny=3 AND IdxTyp=7",
                    "SELECT * FROM Texty WHERE IdxByliny=3 AND IdxTyp=7"},
        // ORDER BY terms sort by Czech rules, before ASC/DESC, each term of a list.
        Translation{"SELECT * FROM Byliny ORDER BY Nazev", "SELECT * FROM Byliny ORDER BY Nazev COLLATE CS"},
        // Key columns are integers: no collation, so their indexes still order the rows.
        Translation{"SELECT * FROM Verze ORDER BY Idx DESC", "SELECT * FROM Verze ORDER BY Idx DESC"},
        Translation{"SELECT * FROM Texty ORDER BY IdxByliny", "SELECT * FROM Texty ORDER BY IdxByliny"},
        Translation{"SELECT * FROM Byliny AS b ORDER BY b.Idx, b.Nazev",
                    "SELECT * FROM Byliny AS b ORDER BY b.Idx, b.Nazev COLLATE CS"},
        Translation{"SELECT * FROM Literatura ORDER BY Autor asc, Nazev",
                    "SELECT * FROM Literatura ORDER BY Autor COLLATE CS asc, Nazev COLLATE CS"},
        Translation{"SELECT * FROM Byliny AS b, Nazvy AS n WHERE IdxByliny=b.Idx AND IdxJazyk=2 AND "
                    "Len(Trim(n.Nazev))>0 ORDER BY n.Nazev",
                    "SELECT * FROM Byliny AS b, Nazvy AS n WHERE IdxByliny=b.Idx AND IdxJazyk=2 AND "
                    "Len(Trim(n.Nazev))>0 ORDER BY n.Nazev COLLATE CS"},
        Translation{"SELECT * FROM Byliny ORDER BY Nazev COLLATE NOCASE",
                    "SELECT * FROM Byliny ORDER BY Nazev COLLATE NOCASE"},
        Translation{"SELECT * FROM T ORDER BY Len(Nazev), Trim(Nazev) DESC",
                    "SELECT * FROM T ORDER BY Len(Nazev) COLLATE CS, Trim(Nazev) COLLATE CS DESC"},
        // Quantified subqueries, with and without blanks, chained by ")AND".
        Translation{"SELECT * FROM Byliny WHERE Idx=ANY (SELECT IdxByliny FROM IndikaceByliny WHERE "
                    "IdxIndikace=5) AND "
                    "Idx=ANY (SELECT IdxByliny FROM IndikaceByliny WHERE IdxIndikace=12)AND Idx=ANY (SELECT "
                    "IdxByliny FROM "
                    "IndikaceByliny WHERE IdxIndikace=40) ORDER BY Nazev",
                    "SELECT * FROM Byliny WHERE Idx IN (SELECT IdxByliny FROM IndikaceByliny WHERE "
                    "IdxIndikace=5) AND "
                    "Idx IN (SELECT IdxByliny FROM IndikaceByliny WHERE IdxIndikace=12)AND Idx IN (SELECT "
                    "IdxByliny FROM "
                    "IndikaceByliny WHERE IdxIndikace=40) ORDER BY Nazev COLLATE CS"},
        Translation{"SELECT Nazev FROM Byliny WHERE Idx = ANY (SELECT IdxByliny FROM UcLatkyByliny WHERE "
                    "IdxUcLatky=3) ORDER BY Nazev",
                    "SELECT Nazev FROM Byliny WHERE Idx IN (SELECT IdxByliny FROM UcLatkyByliny WHERE "
                    "IdxUcLatky=3) ORDER BY Nazev COLLATE CS"},
        Translation{"SELECT n.Nazev FROM Byliny AS b, Nazvy AS n WHERE b.Idx = ANY(SELECT IdxByliny FROM L "
                    "WHERE K=1) ORDER BY n.Nazev",
                    "SELECT n.Nazev FROM Byliny AS b, Nazvy AS n WHERE b.Idx IN (SELECT IdxByliny FROM L "
                    "WHERE K=1) ORDER BY n.Nazev COLLATE CS"},
        Translation{"SELECT * FROM T WHERE Idx=some (SELECT 1) OR Idx <> ALL (SELECT 2)",
                    "SELECT * FROM T WHERE Idx IN (SELECT 1) OR Idx NOT IN (SELECT 2)"},
        // An ORDER BY inside a subquery ends at its parenthesis.
        Translation{
            "SELECT * FROM T WHERE Idx IN (SELECT Idx FROM U ORDER BY Nazev) ORDER BY Idx",
            "SELECT * FROM T WHERE Idx IN (SELECT Idx FROM U ORDER BY Nazev COLLATE CS) ORDER BY Idx"},
        // An OR chain of one column's values becomes one IN list; where a tighter
        // operator binds an end of the chain, or the column changes, it stays.
        Translation{"SELECT * FROM Byliny WHERE Idx=3 OR Idx=17 OR idx = -2 ORDER BY Nazev",
                    "SELECT * FROM Byliny WHERE Idx IN (3,17,-2) ORDER BY Nazev COLLATE CS"},
        Translation{"SELECT * FROM T WHERE (b.Nazev='a' OR b.Nazev=\"b\" OR Idx=1) AND x=1",
                    "SELECT * FROM T WHERE (b.Nazev IN ('a','b') OR Idx=1) AND x=1"},
        Translation{"SELECT * FROM T WHERE x=1 AND Idx=1 OR Idx=2 OR Idx=3 AND y=2",
                    "SELECT * FROM T WHERE x=1 AND Idx=1 OR Idx=2 OR Idx=3 AND y=2"},
        Translation{"SELECT * FROM T WHERE NOT Idx=1 OR Idx=2 OR Idx=3+1",
                    "SELECT * FROM T WHERE NOT Idx=1 OR Idx=2 OR Idx=3+1"},
        Translation{"SELECT * FROM T WHERE Idx=1 OR Nazev=1 OR Idx=2",
                    "SELECT * FROM T WHERE Idx=1 OR Nazev=1 OR Idx=2"},
        Translation{"SELECT * FROM T WHERE Nazev='x OR Nazev=1' OR Nazev='OR'",
                    "SELECT * FROM T WHERE Nazev IN ('x OR Nazev=1','OR')"},
        // TOP n becomes LIMIT n at the end of its own SELECT.
        Translation{"SELECT TOP 1 Idx FROM Byliny ORDER BY Idx DESC",
                    "SELECT Idx FROM Byliny ORDER BY Idx DESC LIMIT 1"},
        Translation{"SELECT DISTINCT TOP 5 Nazev FROM Byliny", "SELECT DISTINCT Nazev FROM Byliny LIMIT 5"},
        Translation{"SELECT * FROM T WHERE Idx IN (SELECT TOP 2 Idx FROM U) AND A=1",
                    "SELECT * FROM T WHERE Idx IN (SELECT Idx FROM U LIMIT 2) AND A=1"},
        Translation{"SELECT DISTINCTROW b.* FROM Byliny AS b", "SELECT DISTINCT b.* FROM Byliny AS b"},
        Translation{"SELECT * FROM T WHERE Nazev = \"a'b\"\"c\"", "SELECT * FROM T WHERE Nazev = 'a''b\"c'"},
        // Literals are never touched, whatever they hold.
        Translation{
            "SELECT * FROM Nazvy WHERE Nazev LIKE 'x=ANY (ORDER BY TOP 1''%' ORDER BY Nazev",
            "SELECT * FROM Nazvy WHERE Nazev LIKE 'x=ANY (ORDER BY TOP 1''%' ORDER BY Nazev COLLATE CS"},
        Translation{"SELECT * FROM Nazvy WHERE Nazev LIKE ? ESCAPE '\\' ORDER BY Nazev",
                    "SELECT * FROM Nazvy WHERE Nazev LIKE ? ESCAPE '\\' ORDER BY Nazev COLLATE CS"},
        // An unclosed literal is left for the engine to refuse.
        Translation{"SELECT * FROM Nazvy WHERE Nazev LIKE 'O'Brien%' ORDER BY Nazev",
                    "SELECT * FROM Nazvy WHERE Nazev LIKE 'O'Brien%' ORDER BY Nazev"}));

// Chains the engine takes stay as written; longer ones are nested in balanced groups.
TEST(LongChainsTest, OnlyChainsTooDeepForTheEngineAreNested) {
    const auto chain = [](int terms, const char* op) {
        QStringList parts;
        for (int i = 0; i < terms; ++i)
            parts << QStringLiteral("A%1>%1").arg(i);
        return QStringLiteral("SELECT * FROM T WHERE ") + parts.join(QString::fromLatin1(op));
    };
    EXPECT_EQ(TranslateJetSql(chain(200, " OR ")), chain(200, " OR "));
    EXPECT_EQ(TranslateJetSql(chain(200, " AND ")), chain(200, " AND "));
    for (const char* op : {" OR ", " AND "}) {
        const QString nested = TranslateJetSql(chain(5000, op));
        EXPECT_TRUE(nested.startsWith(QStringLiteral("SELECT * FROM T WHERE (("))) << op;
        EXPECT_EQ(QString(nested).remove(u'(').remove(u')'), chain(5000, op)) << op;
        int depth = 0, deepest = 0;
        for (QChar c : nested) {
            depth += c == u'(' ? 1 : c == u')' ? -1 : 0;
            deepest = qMax(deepest, depth);
            ASSERT_GE(depth, 0);
        }
        EXPECT_EQ(depth, 0);
        EXPECT_LE(deepest, 3) << op;
    }
}

TEST(FromAliasesTest, ReadsTheOutermostFromList) {
    const QHash<QString, QString> a = FromAliases(
        QStringLiteral("SELECT * FROM Byliny AS b, [Nazvy] n, Jazyk WHERE x IN (SELECT y FROM Sber AS s)"));
    EXPECT_EQ(a.value(QStringLiteral("byliny")), QStringLiteral("b"));
    EXPECT_EQ(a.value(QStringLiteral("nazvy")), QStringLiteral("n"));
    EXPECT_EQ(a.value(QStringLiteral("jazyk")), QStringLiteral("Jazyk"));
    EXPECT_FALSE(a.contains(QStringLiteral("sber")));
    EXPECT_EQ(a.size(), 3);

    const QHash<QString, QString> j = FromAliases(QStringLiteral(
        "SELECT * FROM Indikace AS u INNER JOIN IndikaceByliny AS b ON b.IdxIndikace=u.Idx ORDER BY Nazev"));
    EXPECT_EQ(j.value(QStringLiteral("indikace")), QStringLiteral("u"));
    EXPECT_EQ(j.value(QStringLiteral("indikaceByliny").toLower()), QStringLiteral("b"));
}

TEST(QuotingTest, TypedTextStaysText) {
    EXPECT_EQ(QuoteText(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(QuoteText(QString()), QStringLiteral("''"));
    EXPECT_EQ(LikeEscape(QStringLiteral("50%_a\\b")), QStringLiteral("50\\%\\_a\\\\b"));
    EXPECT_EQ(LikeEscape(QStringLiteral("a!%"), QLatin1Char('!')), QStringLiteral("a!!!%"));
}

} // namespace
} // namespace lumo::db
