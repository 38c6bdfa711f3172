#include "platform/db/SqlFunctions.h"
#include "platform/db/CzechCollation.h"

#include <QStringList>

#include <gtest/gtest.h>

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

} // namespace
} // namespace lumo::db
