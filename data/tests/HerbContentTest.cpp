#include "data/builder/HerbContent.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumo::data;

namespace {

QString writeFile(const QTemporaryDir& dir, const char* name, const char* text) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

const char* const kHerb =
    "Idx: 7\nNazev: Bez černý\nKratkyNaz: Bez\nCeled: Adoxaceae\nLatinsky: Sambucus nigra L.\n"
    "Slovensky: Baza čierna\nFrancouzsky:\nRusky: Бузина чёрная\nLidove: bezinky; kozičky\n"
    "Sber: květ 5-6; plod 8,9\nObrazky: strom: Keř; plod: Plody\n\n[Výskyt]\nRoste hojně\nu plotů.\n\nDruhý "
    "odstavec.\n"
    "[Článek]\nÚvod.\n";

TEST(HerbContent, ReadsHeaderSectionsAndParagraphs) {
    QTemporaryDir dir;
    const HerbSource h = readHerb(writeFile(dir, "h.txt", kHerb));
    EXPECT_EQ(h.idx, 7);
    EXPECT_EQ(h.nazev, QStringLiteral("Bez černý"));
    EXPECT_EQ(h.names[2], QStringLiteral("Sambucus nigra L."));
    EXPECT_EQ(h.names[6], QString());
    EXPECT_EQ(h.names[8], QStringLiteral("Бузина чёрная"));
    EXPECT_EQ(h.folk, (QStringList{QStringLiteral("bezinky"), QStringLiteral("kozičky")}));
    ASSERT_EQ(h.sber.size(), 2);
    EXPECT_EQ(h.sber[1].part, QStringLiteral("plod"));
    EXPECT_EQ(h.sber[1].months, (QList<int>{8, 9}));
    ASSERT_EQ(h.obrazky.size(), 2);
    EXPECT_EQ(h.obrazky[0].kind, QStringLiteral("strom"));
    ASSERT_EQ(h.sections.size(), 1);
    EXPECT_EQ(h.sections[0].typ, 11);
    EXPECT_EQ(h.sections[0].paragraphs,
              (QStringList{QStringLiteral("Roste hojně u plotů."), QStringLiteral("Druhý odstavec.")}));
    EXPECT_EQ(h.intro, QStringList{QStringLiteral("Úvod.")});
}

TEST(HerbContent, BadSourcesNameFileAndLine) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"Idx: 1\nNazev: A\nCeled: X\nLatinsky: a\nBarva: modrá\n", "h.txt:5: unknown key Barva"},
        {"Idx: 1\nNazev: A\nCeled: X\nLatinsky: a\nSber: květ 13\n", "h.txt:5: bad month '13'"},
        {"Idx: 1\nNazev: A\nCeled: X\nLatinsky: a\n[Zázraky]\ntext\n", "h.txt:5: unknown section Zázraky"},
        {"Idx: 1\nNazev: A\nCeled: X\nLatinsky: a\n[Výskyt]\na\n[Výskyt]\nb\n",
         "h.txt:7: section Výskyt given twice"},
        {"Idx: 1\nNazev: A\nCeled: X\n", "the Latin name is required"},
        {"Idx: x\n", "h.txt:1: Idx must be a positive number"},
        {"Idx: 1\nNazev: A\nCeled: X\nLatinsky: a\nKresba: ubor #fff\n",
         "Kresba needs form and three colours"},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        try {
            readHerb(writeFile(dir, "h.txt", c.text));
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ContentError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
    }
}

TEST(HerbContent, MonthsAndTables) {
    EXPECT_EQ(parseMonths(QStringLiteral("4-5,9")), (QList<int>{4, 5, 9}));
    EXPECT_THROW(parseMonths(QStringLiteral("8-6")), ContentError);
    EXPECT_THROW(parseMonths(QStringLiteral("0")), ContentError);
    QTemporaryDir dir;
    const QList<TableRow> rows = readTable(writeFile(dir, "t.txt", "# c\n\n1| a |b\n2|c|d\n"), 3);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].fields, (QStringList{QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(rows[1].line, 4);
    EXPECT_THROW(readTable(writeFile(dir, "u.txt", "1|a\n"), 3), ContentError);
    EXPECT_THROW(readTable(dir.filePath(QStringLiteral("missing.txt")), 2), ContentError);
    EXPECT_EQ(sectionNumber(QStringLiteral("Sběr, sušení")), 14);
    EXPECT_EQ(sectionNumber(QStringLiteral("Název")), 0);
}

} // namespace
