#include "installer/UpgradeScript.h"
#include "installer/SetupState.h"
#include "installer/UpgradeApp.h"

#include "SetupSandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lumo::setup;
using lumo::test::SetupSandbox;

namespace {

struct RecordingView : ScriptView {
    QStringList captions;
    QList<int> widths;
    bool visible = false;
    void setCaption(const QString& c) override { captions.append(c); }
    void showBar(bool v) override { visible = v; }
    int barFullWidth() const override { return 300; }
    void setBarWidth(int w) override { widths.append(w); }
};

} // namespace

TEST(UpgradeScript, FieldsAreReadFiveAtATime) {
    const ParsedScript s = ParseScript(QStringLiteral("\"a, b\" , x y ,\"\",  \"4\" ,REGISTER\r\n"
                                                      "\n"
                                                      "p,q,r\n" // short: the record goes on on the next line
                                                      "s,t\r\n"
                                                      "1,2,3\n"));
    ASSERT_EQ(s.records.size(), 2);
    EXPECT_EQ(s.records[0].Source, QStringLiteral("a, b"));
    EXPECT_EQ(s.records[0].FileName, QStringLiteral("x y"));
    EXPECT_EQ(s.records[0].Target, QString());
    EXPECT_EQ(s.records[0].Arguments, QStringLiteral("4"));
    EXPECT_EQ(s.records[0].Command, QStringLiteral("REGISTER"));
    EXPECT_EQ(s.records[1].Arguments, QStringLiteral("s"));
    EXPECT_EQ(s.records[1].Command, QStringLiteral("t"));
    EXPECT_EQ(s.missingFields, 2); // "1,2,3" lacks two

    ScriptFolders f;
    f.SourceFolder = QStringLiteral("/m/");
    f.AppFolder = QStringLiteral("/app/");
    f.WindowsPath = QStringLiteral("/win");
    f.TempPath = QStringLiteral("/tmp/");
    f.CommonFile = QStringLiteral("/cf/");
    f.CommonFileSys = QStringLiteral("/cf/System/");
    EXPECT_EQ(ExpandSource(QStringLiteral("%InstallPath%x%AppPath%"), f), QStringLiteral("/m/x/app/"));
    EXPECT_EQ(ExpandSource(QStringLiteral("%installpath%x"), f), QStringLiteral("%installpath%x"));
    EXPECT_EQ(ExpandTarget(QStringLiteral("%windowspath%\\"), f), QStringLiteral("/win\\"));
    EXPECT_EQ(ExpandTarget(QStringLiteral("%AppPath%%TempPath%"), f), QStringLiteral("/app/%TempPath%"));
    EXPECT_EQ(ExpandTarget(QStringLiteral("%CommonFileSys%"), f), QStringLiteral("/cf/System/"));
    EXPECT_EQ(ExpandTarget(QStringLiteral("%COMMONFILE%a%commonfile%"), f), QStringLiteral("/cf/a/cf/"));
}

TEST(UpgradeScript, RecordsRunInOrderAndAFailedStepIsReportedAndSkipped) {
    SetupSandbox box;
    SetupState& s = State();
    s.SourceFolder = box.medium();
    s.AppFolder = box.path(QStringLiteral("app/"));
    for (const char* name : {"a.txt", "b.txt", "c.txt", "e.txt"})
        box.write(box.medium() + QString::fromLatin1(name), QByteArray("new ") + name);
    box.write(s.AppFolder + "b.txt", "old b");
    box.write(s.AppFolder + "c.txt", "old c, longer than the new one");
    box.write(s.AppFolder + "e.txt", "old e");
    box.write(box.path("d.txt"), "to delete");
    const QString script =
        QStringLiteral("\"%InstallPath%\",\"a.txt\",\"%AppPath%\",\"\",\"SHOWCOPY\"\r\n"
                       "\"%InstallPath%\",\"b.txt\",\"%AppPath%\",\"\",\"NEWONLY\"\r\n"
                       "\"%InstallPath%\",\"c.txt\",\"%AppPath%\",\"\",\"\"\r\n"
                       "\"\",\"x.ocx\",\"\",\"\",\"regIster\"\r\n"
                       "\"\",\"%1\",\"\",\"\",\"DELETE\"\r\n"
                       "\"\",\"missing.txt\",\"\",\"\",\"DELETE\"\r\n"
                       "\"%InstallPath%\",\"e.txt\",\"%AppPath%\",\"\",\"USERCOPY\"\r\n"
                       "\"Zefirak Test\",\"LUMO\",\"%AppPath%\",\"--x 50%\",\"CREATESHORTCUT\"\r\n"
                       "\"\",\"%2\",\"\",\"\",\"view\"\r\n")
            .arg(box.path("d.txt"), box.path("chybi.txt"));
    box.write(box.medium() + "Test.txt", script.toUtf8());
    box.answerYes = false; // keep e.txt
    RecordingView view;
    UpgradeApp(box.medium() + "Test.txt", view);

    EXPECT_EQ(box.read(s.AppFolder + "a.txt"), "new a.txt");
    EXPECT_EQ(box.read(s.AppFolder + "b.txt"), "old b");
    EXPECT_EQ(box.read(s.AppFolder + "c.txt"), "new c.txt");
    EXPECT_EQ(box.read(s.AppFolder + "e.txt"), "old e");
    EXPECT_FALSE(QFile::exists(box.path("d.txt")));
    ASSERT_EQ(box.questions.size(), 2);
    EXPECT_EQ(box.questions[0],
              QStringLiteral("Kopírovaný soubor e.txt již existuje, \r\npřapsat cílový soubor?"));
    // A text to show that is missing is said so, as the text editor says it.
    EXPECT_TRUE(box.questions[1].startsWith(QStringLiteral("Soubor ") + box.path("chybi.txt") +
                                            QStringLiteral(" nelze otevřít")));
    ASSERT_EQ(box.reports.size(), 1);
    EXPECT_TRUE(box.reports[0].startsWith(QStringLiteral(
        "Chyba číslo 94 v modulu ZefSetup - UpgradeApp\r\nPopis chyby: Při aktualizaci došlo k následující "
        "systémové chybě\r\nUpgradeScriptRun DELETE(missing.txt)(6)\r\nSystem: 53-missing.txt: File not "
        "found\r\n")))
        << box.reports[0].toStdString();
    EXPECT_TRUE(box.reports[0].contains(QStringLiteral("\r\nSystem: 53 - ")));

    const QString entry = QString::fromUtf8(box.read(box.desktop() + "/Zefirak Test.desktop"));
    EXPECT_TRUE(
        entry.contains(QStringLiteral("Exec=\"") + s.AppFolder + QStringLiteral("LUMO\" \"--x\" \"50%%\"\n")))
        << entry.toStdString();
    EXPECT_EQ(view.captions.size(), 9);
    EXPECT_EQ(view.captions.first(), QStringLiteral("Aktualizace - 11% hotovo"));
    EXPECT_EQ(view.captions.last(), QStringLiteral("Aktualizace - 100% hotovo"));
    EXPECT_EQ(view.widths.last(), 300);
    EXPECT_FALSE(view.visible);
}

TEST(UpgradeScript, UnreadableOrTruncatedScriptsAreReportedOnce) {
    SetupSandbox box;
    State().SourceFolder = box.medium();
    State().AppFolder = box.path(QStringLiteral("app/"));
    RecordingView view;
    UpgradeApp(box.medium() + "Missing.txt", view);
    ASSERT_EQ(box.reports.size(), 1);
    EXPECT_TRUE(box.reports[0].contains(QStringLiteral("Start(0)")));
    EXPECT_TRUE(view.captions.isEmpty());

    // Three records: 33, 66, 100 %; the last line lacks fields, is reported and not run.
    box.write(box.medium() + "a.txt", "a");
    QDir().mkpath(State().AppFolder);
    box.write(box.medium() + "Three.txt", "%InstallPath%,a.txt,%AppPath%,,\r\n"
                                          "%InstallPath%,a.txt,%AppPath%,,\r\n"
                                          "%InstallPath%,a.txt,%AppPath%,,\r\n"
                                          "%InstallPath%,a.txt\r\n");
    box.reports.clear();
    UpgradeApp(box.medium() + "Three.txt", view);
    EXPECT_EQ(view.captions, (QStringList{QStringLiteral("Aktualizace - 33% hotovo"),
                                          QStringLiteral("Aktualizace - 66% hotovo"),
                                          QStringLiteral("Aktualizace - 100% hotovo")}));
    ASSERT_EQ(box.reports.size(), 1);
    EXPECT_TRUE(box.reports[0].contains(QStringLiteral("UpgradeScript(0)\r\nSystem: 62-")));
    EXPECT_EQ(box.read(State().AppFolder + "a.txt"), "a");
}
