#include "core/AppContext.h"
#include "core/HerbDb.h"
#include "library/CKelErr.h"
#include "platform/db/Connection.h"
#include "platform/db/CzechCollation.h"
#include "platform/db/JetSql.h"
#include "platform/ui/DialogPresenter.h"

#include "common/TempProgramDir.h"
#include "platform/DbFixture.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <functional>

#include <gtest/gtest.h>

// The bundled sample database, read by the queries the program's readers write.
namespace lumo {
namespace {

struct Family {
    const char* entity;
    const char* link;
    const char* key;
};

const Family kFamilies[] = {
    {"UcinneLatky", "UcLatkyByliny", "IdxUcLatky"},   {"IndikacniSkupiny", "IndSkupByliny", "IdxIndSkup"},
    {"Kombinace", "KombinaceByliny", "IdxKombinace"}, {"Pripravky", "PripravkyByliny", "IdxPripravku"},
    {"Indikace", "IndikaceByliny", "IdxIndikace"},
};

class SampleDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The build folder holds this executable in tests/core.
        QString build = qEnvironmentVariable("LUMO_BUILD_DIR");
        if (build.isEmpty())
            build = QCoreApplication::applicationDirPath() + QStringLiteral("/../..");
        path = QDir::cleanPath(build + QStringLiteral("/data/Lumo.mdb"));
        if (!QFileInfo::exists(path))
            GTEST_SKIP() << "the sample database is not built";
        bytes = test::FileBytes(path);
        App().ErrObj = std::make_unique<CKelErr>();
        ASSERT_TRUE(OpenDatabase(path));
        db = App().DbConnection.get();
    }
    void TearDown() override {
        App().ReleaseObjects();
        if (!bytes.isEmpty()) {
            EXPECT_EQ(test::FileBytes(path), bytes);
        }
    }

    db::Recordset run(const QString& sql) { return db->execute(sql); }

    // The column's values, which must be in Czech order and never blank.
    QStringList sortedColumn(const QString& sql, const QString& column) {
        db::Recordset rs = run(sql);
        QStringList values;
        for (; !rs.eof(); rs.moveNext())
            values << rs.field(column).str().trimmed();
        for (qsizetype i = 1; i < values.size(); ++i)
            EXPECT_LE(collation.compare(values[i - 1], values[i]), 0)
                << qPrintable(values[i - 1] + " > " + values[i]);
        EXPECT_FALSE(values.contains(QString())) << qPrintable(sql);
        return values;
    }

    QString firstId(const QString& sql, const QString& column = QStringLiteral("Idx")) {
        db::Recordset rs = run(sql);
        return rs.eof() ? QString() : rs.field(column).str();
    }

    test::TempProgramDir dir;
    ui::ScopedDialogHook hook{[](QDialog& d) -> std::optional<int> {
        ADD_FAILURE() << "unexpected dialog " << qPrintable(d.windowTitle());
        return QDialog::Rejected;
    }};
    QString path;
    QByteArray bytes;
    db::Connection* db = nullptr;
    db::CzechCollation collation;
};

TEST_F(SampleDbTest, VersionAndNameListsInEveryLanguage) {
    ASSERT_TRUE(ReadDbVersion());
    EXPECT_TRUE(App().DbVersion.FromDate.isValid());
    EXPECT_EQ(QString::number(App().DbVersion.Verze),
              firstId(QStringLiteral("SELECT * FROM Verze ORDER BY Idx DESC"), QStringLiteral("Verze")));

    const QStringList czech =
        sortedColumn(QStringLiteral("SELECT * FROM Byliny ORDER BY Nazev"), QStringLiteral("Nazev"));
    EXPECT_GE(czech.size(), 30);
    db::Recordset languages = run(QStringLiteral("SELECT * FROM Jazyk ORDER BY Idx"));
    EXPECT_EQ(languages.recordCount(), 9);
    for (int n = 2; n <= 9; ++n) {
        const QString sql =
            QStringLiteral("SELECT * FROM Byliny AS b, Nazvy AS n WHERE IdxByliny=b.Idx AND ") +
            QStringLiteral("IdxJazyk=") + QString::number(n) +
            QStringLiteral(" AND Len(Trim(n.Nazev))>0 ORDER BY n.Nazev");
        EXPECT_FALSE(sortedColumn(sql, QStringLiteral("n.Nazev")).isEmpty()) << n;
        EXPECT_GT(run(sql).field(QStringLiteral("b.Idx")).toLong(), 0);
    }
    // The name search: any case of a stored name's beginning finds it.
    const QString slovak = firstId(QStringLiteral("SELECT * FROM Nazvy WHERE IdxJazyk=3 ORDER BY Nazev"),
                                   QStringLiteral("Nazev"));
    db::Recordset found =
        db->execute(QStringLiteral("SELECT * FROM Nazvy WHERE Nazev LIKE ? ESCAPE '\\' ORDER BY Nazev"),
                    {db::LikeEscape(slovak.left(3).toUpper()) + u'%'});
    EXPECT_FALSE(found.eof());
    db::Recordset quoted = run(QStringLiteral("SELECT * FROM Nazvy WHERE Nazev LIKE ") +
                               db::QuoteText(QStringLiteral("O'Brien%")) + QStringLiteral(" ORDER BY Nazev"));
    EXPECT_TRUE(quoted.bof() && quoted.eof());
}

TEST_F(SampleDbTest, HerbRecordQueries) {
    const QString herb = firstId(QStringLiteral("SELECT * FROM Byliny ORDER BY Nazev"));
    db::Recordset b = run(QStringLiteral("SELECT * FROM Byliny WHERE Idx=") + herb);
    ASSERT_EQ(b.recordCount(), 1);
    EXPECT_GT(run(QStringLiteral("SELECT * FROM Nazvy WHERE IdxByliny=") + herb +
                  QStringLiteral(" ORDER BY IdxJazyk"))
                  .recordCount(),
              0);
    EXPECT_EQ(
        run(QStringLiteral("SELECT * FROM Celedi WHERE Idx=") + b.field(QStringLiteral("IdxCeled")).str())
            .recordCount(),
        1);
    EXPECT_TRUE(run(QStringLiteral("SELECT * FROM Clanky WHERE IdxByliny=") + herb)
                    .field(QStringLiteral("Clanek"))
                    .str()
                    .startsWith(QStringLiteral("{\\rtf")));
    int sections = 0;
    for (int typ = 1; typ <= 22; ++typ)
        sections += run(QStringLiteral("SELECT * FROM Texty WHERE IdxByliny=") + herb +
                        QStringLiteral(" AND IdxTyp=") + QString::number(typ))
                        .recordCount();
    EXPECT_GT(sections, 3);

    db::Recordset ind =
        run(QStringLiteral("SELECT * FROM Indikace AS u, IndikaceByliny AS b WHERE IdxByliny=") + herb +
            QStringLiteral(" AND b.IdxIndikace=Idx AND u.IdxIndikace=0 ORDER BY Nazev"));
    ASSERT_FALSE(ind.eof());
    EXPECT_EQ(ind.field(QStringLiteral("b.IdxIndikace")).toLong(), ind.field(QStringLiteral("Idx")).toLong());
    sortedColumn(
        QStringLiteral("SELECT DISTINCT Nazev, IdxCast FROM Casti AS u, Sber AS b WHERE IdxByliny=") + herb +
            QStringLiteral(" AND IdxCast=Idx ORDER BY Nazev"),
        QStringLiteral("Nazev"));
    db::Recordset pictures = run(QStringLiteral("SELECT * FROM Obrazky WHERE IdxByliny=") + herb +
                                 QStringLiteral(" ORDER BY Nazev"));
    ASSERT_FALSE(pictures.eof());
    EXPECT_TRUE(pictures.field(QStringLiteral("DataObr")).bytes().startsWith("\xFF\xD8"));
}

TEST_F(SampleDbTest, CategoryQueriesOfEveryFamily) {
    for (const Family& f : kFamilies) {
        const QString entity = QString::fromLatin1(f.entity);
        const QString link = QString::fromLatin1(f.link);
        const QString key = QString::fromLatin1(f.key);
        SCOPED_TRACE(f.entity);
        sortedColumn(QStringLiteral("SELECT * FROM %1 ORDER BY Nazev").arg(entity), QStringLiteral("Nazev"));
        const QString item = firstId(QStringLiteral("SELECT %1 FROM %2").arg(key, link), key);
        const QString other =
            firstId(QStringLiteral("SELECT %1 FROM %2 WHERE IdxByliny IN (SELECT IdxByliny FROM %2 "
                                   "WHERE %1=%3) AND %1<>%3")
                        .arg(key, link, item),
                    key);
        EXPECT_EQ(run(QStringLiteral("SELECT * FROM %1 WHERE Idx=%2").arg(entity, item)).recordCount(), 1);
        const QStringList herbs = sortedColumn(
            QStringLiteral(
                "SELECT DISTINCT b.* FROM Byliny AS b, %1 AS u WHERE Idx=IdxByliny AND %2=%3 ORDER BY Nazev")
                .arg(link, key, item),
            QStringLiteral("Nazev"));
        EXPECT_FALSE(herbs.isEmpty());
        EXPECT_EQ(
            sortedColumn(QStringLiteral("SELECT Nazev FROM Byliny WHERE Idx = ANY (SELECT IdxByliny FROM %1 "
                                        "WHERE %2=%3) ORDER BY Nazev")
                             .arg(link, key, item),
                         QStringLiteral("Nazev")),
            herbs);
        sortedColumn(
            QStringLiteral(
                "SELECT n.Nazev FROM Byliny AS b, Nazvy AS n WHERE IdxByliny = b.Idx AND IdxJazyk = 2 "
                "AND Len(Trim(n.Nazev)) > 0 AND b.Idx = ANY(SELECT IdxByliny FROM %1 WHERE %2=%3) "
                "ORDER BY n.Nazev")
                .arg(link, key, item),
            QStringLiteral("Nazev"));
        if (other.isEmpty())
            continue;
        const QStringList both =
            sortedColumn(QStringLiteral("SELECT * FROM Byliny WHERE Idx=ANY (SELECT IdxByliny FROM %1 WHERE "
                                        "%2=%3) AND Idx=ANY (SELECT "
                                        "IdxByliny FROM %1 WHERE %2=%4) ORDER BY Nazev")
                             .arg(link, key, item, other),
                         QStringLiteral("Nazev"));
        EXPECT_FALSE(both.isEmpty());
        for (const QString& h : both)
            EXPECT_TRUE(herbs.contains(h));
    }
}

TEST_F(SampleDbTest, FamiliesLiteratureCalendarAndTexts) {
    const QString family = firstId(QStringLiteral("SELECT * FROM Celedi ORDER BY Nazev"));
    sortedColumn(QStringLiteral("SELECT Nazev FROM Byliny WHERE IdxCeled = ") + family +
                     QStringLiteral(" ORDER BY Nazev"),
                 QStringLiteral("Nazev"));
    sortedColumn(QStringLiteral("SELECT * FROM Literatura ORDER BY Autor"), QStringLiteral("Autor"));
    EXPECT_FALSE(sortedColumn(QStringLiteral(
                                  "SELECT DISTINCT Nazev, Idx FROM Byliny WHERE Idx = ANY (SELECT IdxByliny "
                                  "FROM Sber WHERE Mesic=6) ORDER BY Nazev"),
                              QStringLiteral("Nazev"))
                     .isEmpty());
    EXPECT_GT(
        run(QStringLiteral("SELECT * FROM LangRes WHERE ID=201 AND IdxLang=1 ORDER BY Idx")).recordCount(),
        0);
    db::Recordset texts = run(QStringLiteral("SELECT * FROM Texty WHERE IdxTyp=1 ORDER BY IdxByliny"));
    EXPECT_GT(texts.recordCount(), 0);
}

// The readers name columns without their table, so the file must hold exactly these.
TEST_F(SampleDbTest, EveryTableHasExactlyTheColumnsTheReadersName) {
    const struct {
        const char* table;
        const char* columns;
    } tables[] = {
        {"Byliny", "Idx Nazev KratkyNaz IdxCeled"},
        {"Nazvy", "Idx IdxByliny IdxJazyk Nazev"},
        {"Jazyk", "Idx Nazev"},
        {"Celedi", "Idx Nazev Latinsky Popis"},
        {"Clanky", "IdxByliny Clanek"},
        {"Texty", "IdxByliny IdxTyp Clanek"},
        {"UcinneLatky", "Idx Nazev Popis"},
        {"UcLatkyByliny", "IdxByliny IdxUcLatky"},
        {"IndikacniSkupiny", "Idx Nazev Popis"},
        {"IndSkupByliny", "IdxByliny IdxIndSkup"},
        {"Kombinace", "Idx Nazev Popis"},
        {"KombinaceByliny", "IdxByliny IdxKombinace"},
        {"Pripravky", "Idx Nazev AislpID"},
        {"PripravkyByliny", "IdxByliny IdxPripravku"},
        {"Indikace", "Idx Nazev Popis IdxIndikace"},
        {"IndikaceByliny", "IdxByliny IdxIndikace"},
        {"Casti", "Idx Nazev"},
        {"Sber", "IdxByliny IdxCast Mesic"},
        {"Obrazky", "Idx IdxByliny Nazev DataObr"},
        {"Literatura", "Idx Autor Nazev Popis"},
        {"LangRes", "ID IdxLang Idx Popis"},
        {"Verze", "Idx FromDate Verze Edice"},
    };
    for (const auto& t : tables) {
        const QString table = QString::fromLatin1(t.table);
        EXPECT_EQ(run(QStringLiteral("SELECT * FROM ") + table).fieldNames(),
                  QString::fromLatin1(t.columns).split(u' '))
            << t.table;
    }
    EXPECT_EQ(firstId(QStringLiteral("SELECT count(*) AS n FROM sqlite_master WHERE type='table'"),
                      QStringLiteral("n")),
              QString::number(std::size(tables)));
}

// The full-text search lists its herbs with one "Idx=a OR Idx=b ..." term per
// found herb; on the 2,000-herb database that chain has thousands of terms.
TEST(SyntheticDbTest, ThousandsOfOrTermsListTheSameHerbsInTheSameOrder) {
    const QString path = qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/synthetic/Lumo.mdb");
    ASSERT_TRUE(QFileInfo::exists(path)) << "the synthetic database is built with the tests";
    db::Connection c;
    c.open(path, DatabasePassword());
    QList<long> all;
    for (db::Recordset rs = c.execute(QStringLiteral("SELECT Idx FROM Byliny ORDER BY Idx")); !rs.eof();
         rs.moveNext())
        all << rs.field(0).toLong();
    ASSERT_GE(all.size(), 2000);

    // Every third herb, in a scrambled order, between ids no herb has.
    QSet<long> wanted;
    QStringList terms;
    for (qsizetype i = 0; terms.size() < 5000; ++i) {
        const long id = i % 2 ? all[(i * 7) % all.size()] : 900000 + i;
        if (i % 2 && id % 3)
            continue;
        if (i % 2)
            wanted.insert(id);
        terms << QStringLiteral("Idx=") + QString::number(id);
    }
    const db::Recordset longForm =
        c.execute(QStringLiteral("SELECT * FROM Byliny WHERE ") + terms.join(QStringLiteral(" OR ")) +
                  QStringLiteral(" ORDER BY Nazev"));

    QStringList expected, got;
    for (db::Recordset rs = c.execute(QStringLiteral("SELECT * FROM Byliny ORDER BY Nazev")); !rs.eof();
         rs.moveNext())
        if (wanted.contains(rs.field(QStringLiteral("Idx")).toLong()))
            expected << rs.field(QStringLiteral("Idx")).str();
    for (db::Recordset rs = longForm; !rs.eof(); rs.moveNext())
        got << rs.field(QStringLiteral("Idx")).str();
    EXPECT_GT(expected.size(), 300);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(longForm.fieldNames(), (QStringList{"Idx", "Nazev", "KratkyNaz", "IdxCeled"}));

    // Long chains of other terms: names and numbers mixed in OR, and an AND of exclusions
    // with a BETWEEN in each of its OR branches.
    QStringList mixed, exclusions;
    QSet<long> mixedWanted, excluded;
    QHash<long, QString> names;
    for (db::Recordset rs = c.execute(QStringLiteral("SELECT Idx, Nazev FROM Byliny")); !rs.eof();
         rs.moveNext())
        names.insert(rs.field(0).toLong(), rs.field(1).str());
    for (qsizetype i = 0; i < 1500; ++i) {
        const long id = all[(i * 11) % all.size()];
        mixedWanted.insert(id);
        mixed << (i % 2 ? QStringLiteral("Nazev=") + db::QuoteText(names.value(id))
                        : QStringLiteral("Idx=") + QString::number(id));
        excluded.insert(all[i]);
        exclusions << QStringLiteral("Idx<>") + QString::number(all[i]);
    }
    const auto ids = [&](const QString& sql) {
        QStringList out;
        for (db::Recordset rs = c.execute(sql); !rs.eof(); rs.moveNext())
            out << rs.field(QStringLiteral("Idx")).str();
        return out;
    };
    const auto byName = [&](const std::function<bool(long)>& keep) {
        QStringList out;
        for (const QString& idx : ids(QStringLiteral("SELECT Idx FROM Byliny ORDER BY Nazev")))
            if (keep(idx.toLong()))
                out << idx;
        return out;
    };
    EXPECT_EQ(ids(QStringLiteral("SELECT * FROM Byliny WHERE ") + mixed.join(QStringLiteral(" OR ")) +
                  QStringLiteral(" ORDER BY Nazev")),
              byName([&](long id) { return mixedWanted.contains(id); }));
    EXPECT_EQ(ids(QStringLiteral("SELECT * FROM Byliny WHERE Idx BETWEEN 1 AND 999999 AND ") +
                  exclusions.join(QStringLiteral(" AND ")) + QStringLiteral(" OR Idx=-1 ORDER BY Nazev")),
              byName([&](long id) { return !excluded.contains(id); }));
}

} // namespace
} // namespace lumo
