#include "core/AppContext.h"
#include "core/CAISLP.h"
#include "core/LumoMain.h"
#include "core/LumoMainAislp.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "platform/text/AnsiText.h"

#include "common/TempProgramDir.h"
#include "core/aislp/AislpTestPlugin.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace lumo;
using lumo::test::AislpInstall;

namespace {

class AislpLink : public ::testing::Test {
protected:
    void SetUp() override {
        App().ErrObj = std::make_unique<CKelErr>();
        App().SrvObj = std::make_unique<CKelSrv>();
        App().Settings.AISLPCmd = aislp.program();
        App().AISLPConnected = false;
    }
    void TearDown() override {
        App().ReleaseObjects();
        App().AISLPConnected = false;
        App().Settings.AISLPCmd.clear();
    }
    QString errorLog() const { return text::decodeAnsi(dir.read(QStringLiteral("Errors.txt"))); }

    lumo::test::TempProgramDir dir;
    AislpInstall aislp{dir.file(QStringLiteral("AISLP"))};
};

QStringList openClose(const QString& folder) {
    return {QStringLiteral("open ") + folder + u'/', QStringLiteral("close")};
}

} // namespace

TEST_F(AislpLink, ActivationConnectsToTheFolderOfTheProgram) {
    AktivujAISLP(true);
    ASSERT_TRUE(App().AISLPConnected);
    ASSERT_NE(App().AISLPObj, nullptr);
    EXPECT_EQ(App().AISLPObj->Location(), aislp.folder() + u'/');
    // The connection test opens and closes; nothing stays open.
    EXPECT_EQ(aislp.calls(), openClose(aislp.folder()));
    EXPECT_TRUE(errorLog().isEmpty());
    EXPECT_TRUE(RegisterAISLP());
    // A folder whose articles AISLP cannot open leaves the link unconnected.
    QDir(aislp.folder() + QStringLiteral("/Clanky")).removeRecursively();
    AktivujAISLP(false);
    EXPECT_FALSE(App().AISLPConnected);
}

TEST_F(AislpLink, ArticleRequestOpensAsksReadsAndClosesInOrder) {
    aislp.addArticle(QStringLiteral("12345"),
                     QStringLiteral("<par value=\"01\"><title>Léčivá látka</title>"));
    AktivujAISLP(false);
    aislp.clearCalls();
    CAISLP& link = *App().AISLPObj;

    EXPECT_EQ(link.ClanekPFA(QStringLiteral("12345")),
              QStringLiteral("<par value=\"01\"><title>Léčivá látka</title>"));
    EXPECT_EQ(aislp.calls(), (QStringList{QStringLiteral("open ") + aislp.folder() + u'/',
                                          QStringLiteral("request pAr00000012345"), QStringLiteral("data"),
                                          QStringLiteral("header"), QStringLiteral("close")}));
    EXPECT_EQ(link.Header(), QStringLiteral("AISLP pAr00000012345"));

    // A request the library refuses still closes what it opened, and gives no text.
    aislp.clearCalls();
    EXPECT_EQ(link.ClanekPFA(QStringLiteral("999")), QString());
    EXPECT_EQ(aislp.calls(), (QStringList{QStringLiteral("open ") + aislp.folder() + u'/',
                                          QStringLiteral("request pAr000000999"), QStringLiteral("close")}));
    EXPECT_FALSE(link.Picture(QStringLiteral("1"), QStringLiteral("2")).has_value());
}

TEST(AislpData, LastByteIsTheTerminatorAndTextIsWindows1250) {
    EXPECT_EQ(CAISLP::BytesToText(QByteArray("\xE8\x61\x00", 3)), QStringLiteral("ča"));
    EXPECT_EQ(CAISLP::BytesToText(QByteArray("A")), QString());
    EXPECT_EQ(CAISLP::BytesToText(QByteArray("AB")), QStringLiteral("A"));
    EXPECT_EQ(CAISLP::BytesToText(std::nullopt), QString());
}

TEST_F(AislpLink, WithoutAUsableLibraryTheLinkStaysUnconnected) {
    // No library anywhere: silent at start-up, reported when asked to.
    QFile::remove(aislp.folder() + QStringLiteral("/mvawcom.so"));
    AktivujAISLP(false);
    EXPECT_FALSE(App().AISLPConnected);
    EXPECT_TRUE(errorLog().isEmpty());
    EXPECT_FALSE(RegisterAISLP());
    AktivujAISLP(true);
    const QString log = errorLog();
    EXPECT_TRUE(log.contains(QStringLiteral("Nelze aktivovat komunikační knihovnu AISLP, náhledy článků")));
    EXPECT_TRUE(log.contains(QStringLiteral("System: 1AD - "))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-LumoMain-AktivujAISLP-")));

    // A file that is no library is not loaded and breaks nothing.
    dir.write(QStringLiteral("AISLP/mvawcom.so"), "not a library");
    EXPECT_FALSE(RegisterAISLP());
    AktivujAISLP(false);
    EXPECT_FALSE(App().AISLPConnected);

    // An empty AISLPCmd connects nothing, even with the library in the program folder.
    QFile::copy(AislpInstall::libraryFile(), dir.file(QStringLiteral("mvawcom.so")));
    App().Settings.AISLPCmd.clear();
    EXPECT_EQ(AislpLibraryCandidates().first(), QStringLiteral("/AISLP/mvawcom.so"));
    AktivujAISLP(false);
    EXPECT_FALSE(App().AISLPConnected);
    EXPECT_TRUE(aislp.calls().isEmpty());
}

TEST_F(AislpLink, ProgramStartsWithItsArgumentsAndAFailedStartIsReported) {
    EXPECT_TRUE(SpustAISLP(aislp.program() + QStringLiteral(" /pfa ,12345"), true, QStringLiteral("X-")));
    EXPECT_EQ(aislp.arguments(), (QStringList{QStringLiteral("/pfa"), QStringLiteral(",12345")}));

    EXPECT_FALSE(SpustAISLP(dir.file(QStringLiteral("missing/MVAW.exe")) + QStringLiteral(" /pfa ,1"), false,
                            QStringLiteral("LUMO-FrmMain-mnuAISLP_Click-")));
    const QString log = errorLog();
    EXPECT_TRUE(log.contains(QStringLiteral("57"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Nelze spustit program AISLP\r\nSystem: 53 - ")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-mnuAISLP_Click-")));
}
