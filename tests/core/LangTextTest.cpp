#include "core/LangText.h"
#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "platform/ui/DialogPresenter.h"

#include "common/TempProgramDir.h"
#include "platform/DbFixture.h"
#include "platform/db/Connection.h"

#include <QDialog>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace lumo;

namespace {

// Answers every error dialog and keeps its caption; the report goes to "Errors.txt" as usual.
class LangTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        App().ErrObj = std::make_unique<CKelErr>();
        test::WriteDatabase(
            m_dir.file(QStringLiteral("Lumo.mdb")), QString(),
            {QStringLiteral("CREATE TABLE LangRes (ID INTEGER, IdxLang INTEGER, Idx INTEGER, Popis TEXT)"),
             QStringLiteral("INSERT INTO LangRes VALUES (201, 2, 3, 'c  '), (201, 2, 1, 'a '), "
                            "(201, 2, 2, 'b'), (201, 1, 1, 'Soubor'), (202, 2, 1, 'p'), "
                            "(202, 2, 2, NULL), (202, 2, 3, ' q'), (203, 2, 1, '   '), "
                            "(204, 2, 2, 'druhý'), (204, 2, 1, 'první  ' || char(13, 10))")});
        m_connection.open(m_dir.file(QStringLiteral("Lumo.mdb")), QString());
    }
    void TearDown() override { App().ErrObj.reset(); }

    QByteArray log() const { return m_dir.read(QStringLiteral("Errors.txt")); }

    test::TempProgramDir m_dir;
    db::Connection m_connection;
    QStringList m_titles;
    ui::ScopedDialogHook m_hook{[this](QDialog& d) -> std::optional<int> {
        m_titles << d.windowTitle();
        return QDialog::Rejected;
    }};
};

} // namespace

TEST_F(LangTextTest, PiecesAreJoinedInOrderWithoutTheirTrailingBlanks) {
    EXPECT_EQ(GetLangText(&m_connection, 2, 201), QStringLiteral("abc"));
    EXPECT_EQ(GetLangText(&m_connection, 1, 201), QStringLiteral("Soubor"));
    EXPECT_EQ(GetLangText(&m_connection, 2, 202), QStringLiteral("p q")); // a Null piece counts as empty
    // Only blanks are trimmed: a line break at a piece's end belongs to the text.
    EXPECT_EQ(GetLangText(&m_connection, 2, 204), QStringLiteral("první  \r\ndruhý"));
    // A text stored as blanks exists; it is empty, not missing.
    EXPECT_EQ(GetLangText(&m_connection, 2, 203), QString());
    // Only Czech and Slovak texts exist; another language number reads the Czech one.
    EXPECT_EQ(GetLangText(&m_connection, 7, 201), QStringLiteral("Soubor"));
    EXPECT_TRUE(m_titles.isEmpty());
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(LangTextTest, MissingTextIsReportedEachTimeItIsAskedFor) {
    EXPECT_EQ(GetLangText(&m_connection, 2, 999), QString());
    EXPECT_EQ(GetLangText(&m_connection, 1, 202), QString()); // Slovak only
    EXPECT_EQ(GetLangText(&m_connection, 2, 999), QString());
    EXPECT_EQ(GetLangText(&m_connection, 7, 999), QString()); // names the setting's value
    EXPECT_EQ(m_titles.size(), 4);
    const QByteArray entries = log();
    EXPECT_TRUE(entries.contains("\r\nChyba: 53" + QByteArray(28, ' ') +
                                 "[Nelze zjistit text]\r\n"
                                 "Zdroj: LUMO-LumoMain-GetLangText\r\n"
                                 "Popis: Nenalezen text ID 999 pro jazyk ID 2\r\n*\r\n"));
    EXPECT_TRUE(entries.contains("Popis: Nenalezen text ID 202 pro jazyk ID 1\r\n"));
    EXPECT_TRUE(entries.contains("Popis: Nenalezen text ID 999 pro jazyk ID 7\r\n"));
}

TEST_F(LangTextTest, ProgramWideTextUsesTheInterfaceLanguage) {
    App().DbConnection = std::make_unique<db::Connection>();
    App().DbConnection->open(m_dir.file(QStringLiteral("Lumo.mdb")), QString());
    App().Settings.Language = 2;
    EXPECT_EQ(GetLangText(201), QStringLiteral("abc"));
    App().Settings.Language = 1;
    EXPECT_EQ(GetLangText(201), QStringLiteral("Soubor"));
    App().DbConnection.reset();
    App().Settings.Language = 0;
}

TEST_F(LangTextTest, FailingQueryIsReportedWithTheSystemText) {
    db::Connection other;
    test::WriteDatabase(m_dir.file(QStringLiteral("Empty.mdb")), QString(),
                        {QStringLiteral("CREATE TABLE Jine (ID INTEGER)")});
    other.open(m_dir.file(QStringLiteral("Empty.mdb")), QString());
    EXPECT_EQ(GetLangText(&other, 1, 205), QString());
    EXPECT_EQ(m_titles, QStringList{QStringLiteral("Nelze zjistit text")});
    const QByteArray entries = log();
    EXPECT_TRUE(entries.contains("Chyba: 49")) << entries.constData();
    // The engine's number and text follow "System: " joined by a bare "-".
    EXPECT_TRUE(QString::fromLatin1(entries).contains(QRegularExpression(
        QStringLiteral("Popis: Nelze zjistit text ID 205 pro jazyk ID 1\r\nSystem: -?\\d+-\\S"))));
    EXPECT_TRUE(entries.contains("Zdroj: LUMO-LumoMain-GetLangText-"));
}

TEST(MonthNames, CzechSlovakAndUnknownLanguages) {
    MonthNameArray names;
    SetMonthNames(names, 1);
    EXPECT_EQ(names[1], QStringLiteral("Leden"));
    EXPECT_EQ(names[2], QStringLiteral("Únor"));
    EXPECT_EQ(names[7], QStringLiteral("Červenec"));
    EXPECT_EQ(names[12], QStringLiteral("Prosinec"));
    EXPECT_TRUE(names[0].isEmpty());

    for (long czech : {3L, 4L}) {
        MonthNameArray other;
        SetMonthNames(other, czech);
        EXPECT_EQ(other, names);
    }

    SetMonthNames(names, 2);
    EXPECT_EQ(names[3], QStringLiteral("Marc"));
    EXPECT_EQ(names[5], QStringLiteral("Maj"));
    EXPECT_EQ(names[10], QStringLiteral("Október"));

    const MonthNameArray slovak = names;
    for (long unknown : {0L, 5L, -1L, 1000L}) {
        SetMonthNames(names, unknown);
        EXPECT_EQ(names, slovak) << unknown;
    }
    EXPECT_THROW((void)names[13], err::VbError);
}

TEST(MonthNames, ProgramWideNamesStayCzechWhateverTheInterfaceLanguage) {
    App().Settings.Language = 2;
    SetMonthNames(1);
    EXPECT_EQ(App().MonthNames[5], QStringLiteral("Květen"));
    App().Settings.Language = 0;
}
