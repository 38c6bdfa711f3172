#include "platform/db/SqlFunctions.h"
#include "platform/db/CzechCollation.h"

#include <QStringList>

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include <algorithm>

namespace lumo::db {
namespace {

struct LikeCase {
    const char* pattern;
    const char* text;
    bool matches;
};

class LikeMatchTest : public ::testing::TestWithParam<LikeCase> {};

TEST_P(LikeMatchTest, MatchesAsJet) {
    const LikeCase& c = GetParam();
    EXPECT_EQ(LikeMatch(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text), QLatin1Char('\\')),
              c.matches)
        << c.pattern << " LIKE " << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, LikeMatchTest,
    ::testing::Values(
        LikeCase{"čer%", "Černucha", true}, LikeCase{"čer%", "čertkus", true},
        LikeCase{"čer%", "Cermák", false}, LikeCase{"ČER%", "černucha", true},
        LikeCase{"šalvěj", "ŠALVĚJ", true}, LikeCase{"ř%", "Řepík", true}, LikeCase{"c%", "čaj", false},
        LikeCase{"%uch%", "Černucha", true}, LikeCase{"%a", "Černucha", true},
        LikeCase{"%x", "Černucha", false}, LikeCase{"_er%", "Černucha", true}, LikeCase{"__", "ab", true},
        LikeCase{"__", "a", false}, LikeCase{"", "", true}, LikeCase{"", "a", false}, LikeCase{"%", "", true},
        LikeCase{"a%b%c", "aXbYc", true}, LikeCase{"a%b%c", "aXbY", false}, LikeCase{"%%a", "ba", true},
        // The escape character takes the next one literally.
        LikeCase{"50\\%", "50%", true}, LikeCase{"50\\%", "500", false}, LikeCase{"a\\_b", "a_b", true},
        LikeCase{"a\\_b", "axb", false}, LikeCase{"a\\\\b", "a\\b", true},
        // Jet's * and ? are no wildcards here.
        LikeCase{"a*", "abc", false}, LikeCase{"a?", "ab", false}, LikeCase{"a*", "a*", true},
        LikeCase{"O'Brien%", "O'Brien Jr.", true}));

TEST(LikeMatchTest, WithoutEscapeCharacterBackslashIsPlain) {
    EXPECT_TRUE(LikeMatch(QStringLiteral("a\\%"), QStringLiteral("a\\xyz")));
}

TEST(CzechCollationTest, SortsByCzechRules) {
    const QStringList expected = {
        QStringLiteral("Cibule"),   QStringLiteral("Čekanka"), QStringLiteral("Heřmánek"),
        QStringLiteral("Chmel"),    QStringLiteral("chrpa"),   QStringLiteral("Ibišek"),
        QStringLiteral("Rozrazil"), QStringLiteral("Řepík"),   QStringLiteral("Saturejka"),
        QStringLiteral("Šalvěj"),   QStringLiteral("Zázvor"),  QStringLiteral("žindava"),
    };
    QStringList names = expected;
    std::reverse(names.begin(), names.end());
    std::swap(names[0], names[5]);
    CzechCollation c;
    std::sort(names.begin(), names.end(),
              [&c](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
    EXPECT_EQ(names, expected);
}

TEST(CzechCollationTest, CaseDoesNotSeparateNames) {
    CzechCollation c;
    // "ABC" falls between "abb" and "abd" rather than before every lower-case name.
    EXPECT_LT(c.compare(QStringLiteral("abb"), QStringLiteral("ABC")), 0);
    EXPECT_LT(c.compare(QStringLiteral("ABC"), QStringLiteral("abd")), 0);
    EXPECT_EQ(c.compare(QStringLiteral("Máta"), QStringLiteral("Máta")), 0);
    EXPECT_LT(c.compare(QStringLiteral("hz"), QStringLiteral("CHa")), 0);
}

// Len counts UTF-16 units as the text reads into a string, malformed bytes included.
TEST(SqlFunctionsTest, LenCountsAsTheTextReads) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    CzechCollation collation;
    ASSERT_EQ(RegisterSqlFunctions(db, &collation), SQLITE_OK);
    const QList<QByteArray> texts{"",
                                  "Máta peprná",
                                  "Мята",
                                  "\xF0\x9F\x8C\xBF list",
                                  "\xC3",
                                  "a\x80"
                                  "b",
                                  "\xE0\x80\x80",
                                  "\xED\xA0\x80",
                                  "\xF4\x90\x80\x80",
                                  "\xC1\xBF"};
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT Len(CAST(? AS TEXT))", -1, &st, nullptr), SQLITE_OK);
    for (const QByteArray& text : texts) {
        sqlite3_bind_blob(st, 1, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
        EXPECT_EQ(sqlite3_column_int64(st, 0), QString::fromUtf8(text).size()) << text.toHex().constData();
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
}

} // namespace
} // namespace lumo::db
