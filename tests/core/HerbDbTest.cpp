#include "core/HerbDb.h"
#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "library/ErrMain.h"
#include "platform/db/Connection.h"
#include "platform/err/VbError.h"
#include "platform/ui/DialogPresenter.h"

#include "common/TempProgramDir.h"
#include "platform/DbFixture.h"

#include <QDialog>
#include <QDir>

#include <gtest/gtest.h>

namespace lumo {
namespace {

class HerbDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        App().ErrObj = std::make_unique<CKelErr>();
        App().DbConnection.reset();
        App().DbVersion = DbVersionRecord{};
        path = dir.file(QStringLiteral("Lumo.mdb"));
        test::WriteDatabase(path, DatabasePassword(), test::HerbFixture());
    }
    void TearDown() override {
        App().ErrObj.reset();
        App().DbConnection.reset();
        App().DbVersion = DbVersionRecord{};
        App().Settings.DatabaseLocation.clear();
    }

    test::TempProgramDir dir;
    QString path;
    QStringList reports; // titles of the error dialogs shown
    ui::ScopedDialogHook hook{[this](QDialog& d) -> std::optional<int> {
        reports << d.windowTitle();
        return QDialog::Rejected;
    }};
};

TEST_F(HerbDbTest, OpensTheSettingsLocationReadOnly) {
    const QByteArray before = test::FileBytes(path);
    App().Settings.DatabaseLocation = path + QStringLiteral("   ");
    ASSERT_TRUE(OpenDatabase());
    ASSERT_TRUE(App().DbConnection && App().DbConnection->isOpen());
    EXPECT_TRUE(ReadDbVersion());
    App().DbConnection->execute(QStringLiteral("SELECT * FROM Byliny ORDER BY Nazev"));
    App().ReleaseObjects();
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_EQ(test::FileBytes(path), before);

    // The settings file may spell the name in another case.
    App().ErrObj = std::make_unique<CKelErr>();
    EXPECT_TRUE(OpenDatabase(dir.path() + QStringLiteral("/LUMO.mdb")));
}

TEST_F(HerbDbTest, FailedOpenIsReportedAsErrorOne) {
    const QString text = dir.file(QStringLiteral("Text.mdb"));
    dir.write(QStringLiteral("Text.mdb"),
              QByteArray("[Main]\r\nDatabaseLocation=C:\\Lumo\r\n").repeated(100));
    const QString otherKey = dir.file(QStringLiteral("Other.mdb"));
    test::WriteDatabase(otherKey, QStringLiteral("jiné heslo"), test::HerbFixture());

    const struct {
        QString location;
        QString system;
    } cases[] = {
        {dir.file(QStringLiteral("chybí/Lumo.mdb")), QStringLiteral("System: 3024-Could not find file")},
        {QString(), QStringLiteral("System: 3024-Could not find file")},
        {text, QStringLiteral("System: 3031-Not a valid password")},
        {otherKey, QStringLiteral("System: 3031-Not a valid password")},
    };
    for (const auto& c : cases) {
        reports.clear();
        EXPECT_FALSE(OpenDatabase(c.location)) << qPrintable(c.location);
        EXPECT_FALSE(App().DbConnection->isOpen());
        EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze připojit databázi")});
        const ErrReport& r = ErrState().Report;
        EXPECT_EQ(r.Number, 1);
        EXPECT_EQ(r.Title, QStringLiteral("Nelze připojit databázi"));
        EXPECT_EQ(r.Source, QStringLiteral("LUMO-LumoMain-OpenDatabase-LumoDb"));
        EXPECT_TRUE(r.Message.contains(QStringLiteral("Nelze připojit databázi Zefiraku\r\n") + c.system))
            << qPrintable(r.Message);
    }
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("chybí"))));
    EXPECT_FALSE(ReadDbVersion());
}

TEST_F(HerbDbTest, VersionIsTheRowWithTheHighestIdx) {
    ASSERT_TRUE(OpenDatabase(path));
    ASSERT_TRUE(ReadDbVersion());
    EXPECT_EQ(App().DbVersion.FromDate, QDate(2005, 10, 31));
    EXPECT_EQ(App().DbVersion.Verze, 6);
    EXPECT_EQ(App().DbVersion.Edice, QStringLiteral("Třetí   "));
}

TEST_F(HerbDbTest, UnreadableVersionKeepsTheOldValuesSilently) {
    const DbVersionRecord old{QDate(2000, 1, 2), 3, QStringLiteral("Stará")};
    const struct {
        const char* name;
        QStringList statements;
    } cases[] = {
        {"empty",
         {QStringLiteral("CREATE TABLE Verze (Idx INTEGER, FromDate TEXT, Verze INTEGER, Edice TEXT)")}},
        {"missing", {QStringLiteral("CREATE TABLE Byliny (Idx INTEGER)")}},
        {"bad date",
         {QStringLiteral("CREATE TABLE Verze (Idx INTEGER, FromDate TEXT, Verze INTEGER, Edice TEXT)"),
          QStringLiteral("INSERT INTO Verze VALUES (1, 'včera', 2, 'Nová')")}},
    };
    for (const auto& c : cases) {
        const QString file = dir.file(QString::fromLatin1(c.name) + QStringLiteral(".mdb"));
        test::WriteDatabase(file, DatabasePassword(), c.statements);
        ASSERT_TRUE(OpenDatabase(file)) << c.name;
        App().DbVersion = old;
        err::CurrentError().Clear();
        EXPECT_FALSE(ReadDbVersion()) << c.name;
        EXPECT_EQ(App().DbVersion.Edice, old.Edice);
        EXPECT_EQ(App().DbVersion.FromDate, old.FromDate);
        EXPECT_EQ(err::CurrentError().Number, 0);
    }
    EXPECT_TRUE(reports.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("Errors.txt"))));
}

} // namespace
} // namespace lumo
