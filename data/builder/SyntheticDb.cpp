#include "data/builder/SyntheticDb.h"

#include "data/builder/DbWriter.h"
#include "data/builder/HerbDbBuilder.h"
#include "data/builder/Lcg.h"
#include "data/builder/PlatePainter.h"
#include "data/builder/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace lumo::data {

namespace {

// Category sizes of the generated database.
constexpr int kLatky = 60, kSkupiny = 30, kTopInd = 40, kSubInd = 120, kKombinace = 40, kPripravky = 300,
              kCeledi = 40, kLiteratura = 20, kPlates = 12, kCasti = 8;

const char16_t* const kStems[] = {u"Čer", u"Chme", u"Hla", u"Řeb", u"Šal", u"Žlu", u"Ost",  u"Kop",
                                  u"Bez", u"Cib",  u"Ďáb", u"Mát", u"Lí",  u"Pod", u"Zlat", u"Vřes"};
const char16_t* const kEnds[] = {u"ník", u"ka", u"ovec", u"íček", u"yně", u"ice", u"ěnka", u"ec"};
const char16_t* const kKinds[] = {u"lékařský", u"obecný", u"horský", u"luční", u"polní", u"vonný"};

// Sentences of the generated sections; %1 is a herb name written as a link.
const char16_t* const kSentences[] = {
    u"Droga obsahuje **silici**, třísloviny a flavonoidy, které spolu působí protizánětlivě.",
    u"Nálev se připravuje z jedné lžičky drogy na šálek vroucí vody a nechá se deset minut louhovat.",
    u"Rostlina roste na slunných stráních, mezích a okrajích cest od nížin do podhůří.",
    u"Sbírá se za suchého počasí, suší se ve stínu v tenké vrstvě při teplotě do 40 °C.",
    u"Často se kombinuje s bylinou __%1__, s níž tvoří vyváženou čajovou směs.",
    u"Při dlouhodobém užívání je vhodné dělat přestávky a sledovat snášenlivost.",
    u"Lidové léčitelství ji používalo při zažívacích potížích i k obkladům na rány.",
    u"Lodyha je přímá, větvená, listy jsou střídavé a květy vyrůstají v hustých květenstvích.",
    u"Příprava tinktury: droga se zalije 40% lihem v poměru 1:5 a macerují se dva týdny.",
    u"Pro děti a těhotné ženy je vhodná jen po poradě s lékařem nebo lékárníkem.",
    u"V kuchyni se mladé listy přidávají do polévek, salátů a bylinkových másel.",
    u"Účinné látky se nejlépe uvolní, když se droga před přípravou nálevu čerstvě rozdrtí.",
};

QString sentence(Lcg& rnd, int herbCount) {
    const int k = rnd.pick(0, int(std::size(kSentences)) - 1);
    QString s = QString::fromUtf16(kSentences[k]);
    if (s.contains(QStringLiteral("%1")))
        s = s.arg(SyntheticDb::herbName(rnd.pick(1, herbCount)));
    return s;
}

// About 1 KB of rich text: a heading and two paragraphs of four sentences.
QString section(Lcg& rnd, int typ, int herbCount, RtfWriter& article) {
    QStringList paragraphs;
    for (int p = 0; p < 2; ++p) {
        QStringList s;
        for (int i = 0; i < 4; ++i)
            s.append(sentence(rnd, herbCount));
        paragraphs.append(s.join(u' '));
    }
    RtfWriter rtf;
    HerbDbBuilder::sectionRtf(rtf, typ, paragraphs);
    HerbDbBuilder::sectionRtf(article, typ, paragraphs);
    return rtf.finish();
}

void writeCategories(DbWriter& db) {
    for (int i = 1; i <= kCeledi; ++i)
        db.insert(QStringLiteral("Celedi"),
                  {i, QStringLiteral("Čeleď %1").arg(i), QStringLiteral("Familia%1aceae").arg(i),
                   HerbDbBuilder::description(QStringLiteral("Vygenerovaná čeleď číslo %1.").arg(i))});
    for (int i = 1; i <= kLatky; ++i)
        db.insert(QStringLiteral("UcinneLatky"),
                  {i, QStringLiteral("Látka %1").arg(i, 3, 10, QLatin1Char('0')),
                   HerbDbBuilder::description(QStringLiteral("Popis účinné látky %1.").arg(i))});
    for (int i = 1; i <= kSkupiny; ++i)
        db.insert(QStringLiteral("IndikacniSkupiny"),
                  {i, QStringLiteral("Skupina %1").arg(i, 2, 10, QLatin1Char('0')),
                   HerbDbBuilder::description(QStringLiteral("Popis indikační skupiny %1.").arg(i))});
    for (int i = 1; i <= kTopInd + kSubInd; ++i) {
        const int parent = i <= kTopInd ? 0 : 1 + (i - kTopInd - 1) % kTopInd;
        db.insert(QStringLiteral("Indikace"),
                  {i, QStringLiteral("Indikace %1").arg(i, 3, 10, QLatin1Char('0')),
                   HerbDbBuilder::description(QStringLiteral("Popis indikace %1.").arg(i)), parent});
    }
    for (int i = 1; i <= kKombinace; ++i)
        db.insert(QStringLiteral("Kombinace"),
                  {i, QStringLiteral("Kombinace %1").arg(i, 2, 10, QLatin1Char('0')),
                   HerbDbBuilder::description(QStringLiteral("Popis kombinace %1.").arg(i))});
    for (int i = 1; i <= kPripravky; ++i)
        db.insert(QStringLiteral("Pripravky"),
                  {i, QStringLiteral("Přípravek %1").arg(i, 3, 10, QLatin1Char('0')),
                   QString::number(10000 + i * 37)});
    for (int i = 1; i <= kLiteratura; ++i)
        db.insert(QStringLiteral("Literatura"),
                  {i, QStringLiteral("Autor %1").arg(i), QStringLiteral("Herbář %1").arg(i),
                   HerbDbBuilder::description(QStringLiteral("Vygenerovaný titul."))});
}

void linkSome(DbWriter& db, Lcg& rnd, int herb, const char* table, int lo, int hi, int range) {
    QSet<int> seen;
    const int n = rnd.pick(lo, hi);
    for (int i = 0; i < n; ++i) {
        const int id = rnd.pick(1, range);
        if (!seen.contains(id)) {
            seen.insert(id);
            db.insert(QString::fromLatin1(table), {herb, id});
        }
    }
}

void writeHerb(DbWriter& db, Lcg& rnd, int i, int count, int& nameIdx, const QList<QByteArray>& plates) {
    const QString name = SyntheticDb::herbName(i);
    db.insert(QStringLiteral("Byliny"), {i, name, name.section(u' ', 0, 0), rnd.pick(1, kCeledi)});
    const char* langs[] = {"Herba synthetica %1",   "Syntetická bylina %1", "Kunstkraut %1",
                           "Synthetic herb %1",     "Herbe synthétique %1", "Hierba sintética %1",
                           "Синтетическая трава %1"};
    db.insert(QStringLiteral("Nazvy"), {++nameIdx, i, 1, name});
    for (int lang = 2; lang <= 8; ++lang)
        db.insert(QStringLiteral("Nazvy"), {++nameIdx, i, lang, QString::fromUtf8(langs[lang - 2]).arg(i)});
    for (int f = 1; f <= 2; ++f)
        db.insert(QStringLiteral("Nazvy"),
                  {++nameIdx, i, 9, QStringLiteral("lidový název %1/%2").arg(i).arg(f)});
    linkSome(db, rnd, i, "UcLatkyByliny", 3, 6, kLatky);
    linkSome(db, rnd, i, "IndSkupByliny", 1, 3, kSkupiny);
    linkSome(db, rnd, i, "IndikaceByliny", 2, 5, kTopInd + kSubInd);
    linkSome(db, rnd, i, "KombinaceByliny", 1, 2, kKombinace);
    linkSome(db, rnd, i, "PripravkyByliny", 0, 3, kPripravky);
    const int part = rnd.pick(1, kCasti), first = rnd.pick(3, 8);
    for (int m = first; m < first + rnd.pick(2, 4) && m <= 12; ++m)
        db.insert(QStringLiteral("Sber"), {i, part, m});
    RtfWriter article;
    article.title(name);
    for (int typ = 1; typ <= 22; ++typ)
        db.insert(QStringLiteral("Texty"), {i, typ, section(rnd, typ, count, article)});
    db.insert(QStringLiteral("Clanky"), {i, article.finish()});
    db.insert(QStringLiteral("Obrazky"),
              {i, i, QStringLiteral("%1 – tabule").arg(name), plates[i % plates.size()]});
}

} // namespace

SyntheticDb::SyntheticDb(const QString& schemaPath, const QString& contentDir, int herbCount)
    : m_schema(schemaPath), m_content(contentDir), m_count(herbCount) {}

QString SyntheticDb::herbName(int i) {
    const int s = (i - 1) % int(std::size(kStems));
    const int e = (i - 1) / int(std::size(kStems)) % int(std::size(kEnds));
    const int k = (i - 1) / int(std::size(kStems) * std::size(kEnds)) % int(std::size(kKinds));
    return QStringLiteral("%1%2 %3 %4")
        .arg(QString::fromUtf16(kStems[s]), QString::fromUtf16(kEnds[e]), QString::fromUtf16(kKinds[k]))
        .arg(i);
}

void SyntheticDb::build(const QString& outDir) const {
    QList<QByteArray> plates;
    const char* kinds[] = {"rostlina", "kvet", "list", "plod", "koren", "droga"};
    for (int i = 0; i < kPlates; ++i) {
        const PlatePainter painter(herbName(i + 1), QStringLiteral("Herba synthetica"), DrawStyle{});
        plates.append(
            painter.paint({QString::fromLatin1(kinds[i % 6]), QStringLiteral("Tabule %1").arg(i + 1)}));
    }
    HerbDbBuilder::writeDatabase(outDir, m_schema, 1, [&](DbWriter& db) {
        HerbDbBuilder::writeFixedTables(db, m_content);
        writeCategories(db);
        Lcg rnd(20261201u);
        int nameIdx = 0;
        for (int i = 1; i <= m_count; ++i)
            writeHerb(db, rnd, i, m_count, nameIdx, plates);
    });
}

} // namespace lumo::data
