#include "mainwindow/HerbNameSearch.h"
#include "platform/db/CzechCollation.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>

namespace lumo {
namespace {

// The names as the database lists them: in Czech order.
QStringList czechOrder(QStringList names) {
    const db::CzechCollation collation;
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collation.compare(a, b) < 0; });
    return names;
}

const QStringList kHerbs =
    czechOrder({QStringLiteral("Hloh"), QStringLiteral("Chmel"), QStringLiteral("Cibule"),
                QStringLiteral("Čekanka"), QStringLiteral("Heřmánek pravý"), QStringLiteral("Máta peprná"),
                QStringLiteral("Heřmánek římský"), QStringLiteral("Hořec")});

TEST(HerbNameIndex, ListInCzechOrder) {
    EXPECT_EQ(kHerbs, (QStringList{"Cibule", "Čekanka", "Heřmánek pravý", "Heřmánek římský", "Hloh", "Hořec",
                                   "Chmel", "Máta peprná"}));
}

TEST(HerbNameIndex, FindsTheFirstNameInListOrderThatBeginsWithTheText) {
    HerbNameIndex index;
    index.build(kHerbs);
    struct Case {
        const char* text;
        const char* expected; // nullptr: nothing found
    };
    const Case cases[] = {
        {"heř", "Heřmánek pravý"},
        {"HEŘMÁNEK Ř", "Heřmánek římský"},
        {"h", "Heřmánek pravý"},
        {"ch", "Chmel"},
        {"c", "Cibule"},
        {"č", "Čekanka"},
        {"Č", "Čekanka"},
        {"ho", "Hořec"},
        {"máta peprná", "Máta peprná"},
        {"", "Cibule"},
        {"her", nullptr},
        {"'", nullptr},
        {"%", nullptr},
        {"Máta peprná a", nullptr},
        {"ma", nullptr},
    };
    for (const Case& c : cases) {
        const int row = index.findFirst(QString::fromUtf8(c.text));
        if (!c.expected)
            EXPECT_EQ(row, -1) << c.text;
        else
            EXPECT_EQ(row, kHerbs.indexOf(QString::fromUtf8(c.expected))) << c.text;
    }
}

TEST(HerbNameIndex, AgreesWithALinearWalkOnRandomLists) {
    const QString letters = QStringLiteral("aAbcčČhHřŘ ");
    QRandomGenerator rng(20240307);
    for (int round = 0; round < 40; ++round) {
        QStringList names;
        const int count = rng.bounded(1, 60);
        for (int i = 0; i < count; ++i) {
            QString name;
            for (int n = rng.bounded(0, 6); n > 0; --n)
                name += letters.at(rng.bounded(static_cast<int>(letters.size())));
            names << name;
        }
        HerbNameIndex index;
        index.build(names); // any order: a search result need not be sorted
        for (int probe = 0; probe < 30; ++probe) {
            QString text;
            for (int n = rng.bounded(0, 3); n > 0; --n)
                text += letters.at(rng.bounded(static_cast<int>(letters.size())));
            int expected = -1;
            for (int i = 0; i < names.size(); ++i) {
                if (names[i].startsWith(text, Qt::CaseInsensitive)) {
                    expected = i;
                    break;
                }
            }
            ASSERT_EQ(index.findFirst(text), expected) << "'" << text.toStdString() << "'";
        }
    }
}

TEST(HerbNameIndex, EmptyIndexFindsNothing) {
    HerbNameIndex index;
    EXPECT_EQ(index.findFirst(QString()), -1);
    index.build({});
    EXPECT_EQ(index.findFirst(QStringLiteral("a")), -1);
}

TEST(HerbNameSearch, ListSearchTrimsAndKeysFindTheirFirstRow) {
    HerbNameSearch search;
    EXPECT_FALSE(search.listValid());
    search.setList({"Máta", "peprmintka", "máta"}, {"K5", "K5", "K7"});
    EXPECT_TRUE(search.listValid());
    EXPECT_EQ(search.findInList(QStringLiteral("  pep  ")), 1);
    EXPECT_EQ(search.findInList(QStringLiteral("MÁT")), 0);
    EXPECT_EQ(search.rowOfKey(QStringLiteral("K5")), 0);
    EXPECT_EQ(search.rowOfKey(QStringLiteral("K7")), 2);
    EXPECT_EQ(search.rowOfKey(QStringLiteral("K8")), -1);
    search.invalidateList();
    EXPECT_FALSE(search.listValid());
}

TEST(HerbNameSearch, ForeignNamesMatchTheTextAsTypedAndLiterally) {
    HerbNameSearch search;
    EXPECT_FALSE(search.foreignLoaded());
    search.setForeignNames({{5, QStringLiteral("Matricaria")},
                            {5, QStringLiteral("Mentha piperita")},
                            {3, QStringLiteral("Mentha_x")},
                            {9, QStringLiteral("O'Brien")}});
    EXPECT_TRUE(search.foreignLoaded());
    auto found = search.findForeign(QStringLiteral("MENTHA"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->IdxByliny, 5);
    EXPECT_EQ(found->Nazev, QStringLiteral("Mentha piperita"));
    // Pattern characters and quotes are letters like any other.
    EXPECT_EQ(search.findForeign(QStringLiteral("Mentha_"))->IdxByliny, 3);
    EXPECT_FALSE(search.findForeign(QStringLiteral("M%")));
    EXPECT_FALSE(search.findForeign(QStringLiteral("'")));
    EXPECT_EQ(search.findForeign(QStringLiteral("o'b"))->IdxByliny, 9);
    // The text is not trimmed: a trailing blank must be in the name.
    EXPECT_FALSE(search.findForeign(QStringLiteral("Matricaria ")));
}

TEST(HerbNameSearch, BoxColoursOfEachState) {
    EXPECT_EQ(SearchBoxColors(SearchBoxState::Normal), (BoxColors{0xFFFFFF, 0}));
    EXPECT_EQ(SearchBoxColors(SearchBoxState::NotFound), (BoxColors{255, 65535}));
    EXPECT_EQ(SearchBoxColors(SearchBoxState::ForeignInList), (BoxColors{65535, 255}));
    EXPECT_EQ(SearchBoxColors(SearchBoxState::ForeignNotInList), (BoxColors{0xC0C0C0, 255}));
}

} // namespace
} // namespace lumo
