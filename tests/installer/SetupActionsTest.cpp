#include "installer/VersionCompare.h"
#include "installer/frmMain.h"
#include "platform/ini/IniFile.h"
#include "platform/registry/Registry.h"
#include "platform/version/ProgramVersion.h"

#include "SetupSandbox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace lumo::setup;
using lumo::test::ScopedEnv;
using lumo::test::SetupSandbox;

namespace {

QString target(const SetupSandbox& box) {
    return box.path(QStringLiteral("Program Files/Zefirak/"));
}

std::vector<bool> enabled(const frmMain& w) {
    std::vector<bool> out;
    for (int i = 0; i < 6; ++i)
        out.push_back(w.button(i)->isEnabled());
    return out;
}

} // namespace

TEST(SetupActions, InstallRepairUpgradeDatabaseAndRemoveAsAUserWould) {
    SetupSandbox box;
    const QString t = target(box);
    frmMain window;
    window.Form_Activate();
    EXPECT_EQ(window.versionLabel(4)->text(), lumo::version::FileVersionText(box.medium() + "LUMO"));
    EXPECT_FALSE(window.versionLabel(4)->text().isEmpty());
    const QString mediumStamp = StampDisplay(DBVersionAt(box.medium())).text;
    EXPECT_EQ(window.versionLabel(5)->text(), mediumStamp);
    EXPECT_EQ(window.versionLabel(6)->text(), QStringLiteral("není"));
    EXPECT_EQ(window.versionLabel(14)->text(), QStringLiteral("OK"));
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("LblOS"))
                    ->text()
                    .startsWith(QStringLiteral("Linux, MDAC 3.")));
    EXPECT_EQ(enabled(window), (std::vector<bool>{false, true, false, false, false, true}));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("imgSet"))->toolTip(),
              QStringLiteral("Technologie DCOM, ADO a JET instalovány, Zefirak není nainstalován"));

    // Install: the setup program copies, the window writes the settings, runs Install.txt
    // and puts the shortcut on the desktop. The buttons take no click while setup runs.
    bool endEnabledMeanwhile = true;
    QTimer::singleShot(0, &window, [&] { endEnabledMeanwhile = window.button(5)->isEnabled(); });
    window.button(1)->click();
    EXPECT_FALSE(endEnabledMeanwhile);
    EXPECT_TRUE(window.button(5)->isEnabled());
    ASSERT_TRUE(box.reports.isEmpty()) << box.reports.join("\n").toStdString();
    EXPECT_EQ(lumo::registry::ReadValue(lumo::registry::kAppPathKey), t + "LUMO");
    EXPECT_EQ(box.read(t + "LUMO"), box.read(box.medium() + "LUMO"));
    EXPECT_TRUE(QFileInfo(t + "LUMO").isExecutable());
    EXPECT_EQ(box.read(t + "Lumo.mdb"), box.read(box.medium() + "Lumo.mdb"));
    EXPECT_EQ(box.read(t + "Lumo.ini"), ("[Main]\r\nDatabaseLocation=" + t + "Lumo.mdb\r\n").toUtf8());
    EXPECT_EQ(box.read(t + "Cti.txt"), box.read(box.medium() + "Cti.txt"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Aktualizace - 100% hotovo")); // Install.txt ran
    // The wave output module and the help menu's documents come along.
    for (const char* file : {"LumoSound.so", "Licence.rtf", "Zmeny.rtf", "Literatura.rtf"}) {
        EXPECT_FALSE(box.read(box.medium() + file).isEmpty()) << file;
        EXPECT_EQ(box.read(t + file), box.read(box.medium() + file)) << file;
    }
    EXPECT_TRUE(box.read(box.desktop() + "/Zefirak.desktop").contains(("Exec=\"" + t + "LUMO\"").toUtf8()));
    EXPECT_TRUE(QFile::exists(box.dataHome() + "/applications/Zefirak.desktop"));
    EXPECT_EQ(enabled(window), (std::vector<bool>{false, false, true, true, true, true}));
    EXPECT_EQ(window.button(2)->text(), QStringLiteral("Opravit Zefiraku"));
    EXPECT_EQ(window.versionLabel(12)->text(), QStringLiteral("OK"));
    EXPECT_EQ(window.versionLabel(7)->text(), mediumStamp);
    EXPECT_EQ(window.button(3)->toolTip(), QStringLiteral("Touto volbou znovu nahrajete databázi"));

    // Upgrade: an older installed program is replaced and stays executable.
    ASSERT_TRUE(lumo::version::StampFileVersion(t + "LUMO", QStringLiteral("1.0.0")));
    box.write(t + "Cti.txt", "changed");
    box.write(t + "Zmeny.rtf", "the old version's changes");
    QFile::remove(t + "LumoSound.so");
    window.TestProstredi();
    EXPECT_EQ(window.button(2)->text(), QStringLiteral("Aktualizovat Zefiraku"));
    EXPECT_EQ(window.versionLabel(12)->text(), QStringLiteral("Aktualizovat"));
    EXPECT_EQ(window.versionLabel(12)->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    // The proposed action has the focus; Enter runs it.
    ASSERT_EQ(window.focusWidget(), window.button(2));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window.focusWidget(), &enter);
    EXPECT_EQ(box.read(t + "LUMO"), box.read(box.medium() + "LUMO"));
    EXPECT_TRUE(QFileInfo(t + "LUMO").isExecutable());
    EXPECT_EQ(box.read(t + "Cti.txt"), box.read(box.medium() + "Cti.txt")); // Upgrade.txt ran
    // The program's module and documents come with it.
    for (const char* file : {"LumoSound.so", "Zmeny.rtf"})
        EXPECT_EQ(box.read(t + file), box.read(box.medium() + file)) << file;
    EXPECT_EQ(window.versionLabel(12)->text(), QStringLiteral("OK"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Aktualizace - 100% hotovo"));

    // Database: an older installed edition is replaced, the stamp with it.
    box.write(t + "Lumo.mdb", "old edition");
    box.write(t + "Lumo.INF", QByteArray("\x01\x00", 2));
    window.TestProstredi();
    EXPECT_EQ(window.versionLabel(13)->text(), QStringLiteral("Aktualizovat"));
    window.button(3)->click();
    EXPECT_EQ(box.read(t + "Lumo.mdb"), box.read(box.medium() + "Lumo.mdb"));
    EXPECT_EQ(box.read(t + "Lumo.INF"), box.read(box.medium() + "Lumo.INF"));
    EXPECT_EQ(window.versionLabel(13)->text(), QStringLiteral("OK"));

    // Remove: what the program left and the settings and profiles go, nothing else.
    box.write(t + "Errors.txt", "log");
    box.write(t + "Lumo3.ini", "[Profile]");
    box.write(t + "notes.txt", "the user's own");
    // A log naming a file of a folder whose name only begins like the program's: it stays.
    const QString beside = t.chopped(1) + "2/notes.txt";
    box.write(beside, "the user's own");
    box.write(t + "ST6UNST.LOG", box.read(t + "ST6UNST.LOG") + "FILE " + beside.toUtf8() + "\n");
    window.button(4)->click();
    EXPECT_TRUE(box.reports.isEmpty()) << box.reports.join("\n").toStdString();
    for (const char* gone :
         {"LUMO", "Lumo.mdb", "Lumo.INF", "Errors.txt", "Lumo.ini", "Lumo3.ini", "ST6UNST.LOG"})
        EXPECT_FALSE(QFile::exists(t + QString::fromLatin1(gone))) << gone;
    EXPECT_TRUE(QFile::exists(t + "notes.txt"));
    EXPECT_TRUE(QFile::exists(beside));
    EXPECT_FALSE(lumo::registry::ReadValue(lumo::registry::kAppPathKey).has_value());
    EXPECT_FALSE(QFile::exists(box.dataHome() + "/applications/Zefirak.desktop"));

    // Installed again into a folder typed as "~/...": it lies in the home folder. Deleted by
    // hand, it leaves only the registration; removing that lets the program be set up again.
    {
        ScopedEnv typed("ZEF_SETUP_TARGET", "~/Programy/Zefirak");
        frmMain again;
        again.Form_Activate();
        again.button(1)->click();
    }
    const QString typed = box.home() + "/Programy/Zefirak/";
    EXPECT_EQ(lumo::registry::ReadValue(lumo::registry::kAppPathKey), typed + "LUMO");
    ASSERT_TRUE(QDir(typed).removeRecursively());
    frmMain stale;
    stale.Form_Activate();
    EXPECT_TRUE(stale.button(4)->isEnabled());
    EXPECT_FALSE(stale.button(1)->isEnabled());
    stale.cmdRun_Click(4);
    EXPECT_FALSE(lumo::registry::ReadValue(lumo::registry::kAppPathKey).has_value());
    frmMain fresh;
    fresh.Form_Activate();
    EXPECT_TRUE(fresh.button(1)->isEnabled());
}

TEST(SetupActions, NewerDatabaseElsewhereIsKeptAndACancelledRemovalKeepsTheSettings) {
    SetupSandbox box;
    const QString t = target(box);
    frmMain window;
    window.Form_Activate();
    window.button(1)->click();
    ASSERT_TRUE(QFile::exists(t + "LUMO"));

    const QString d = box.path(QStringLiteral("herbs/"));
    box.write(d + "Lumo.mdb", "a newer edition");
    box.write(d + "Lumo.INF", QByteArray("\xFF\x7F", 2));
    ASSERT_TRUE(lumo::ini::WriteValue(t + "Lumo.ini", QStringLiteral("Main"),
                                      QStringLiteral("DatabaseLocation"), d + "LUMO.MDB"));
    window.TestProstredi();
    EXPECT_EQ(window.versionLabel(7)->text(), StampDisplay(32767).text);
    EXPECT_FALSE(window.button(3)->isEnabled());
    window.cmdRun_Click(3);
    EXPECT_EQ(box.read(d + "Lumo.mdb"), "a newer edition");

    box.write(t + "Lumo1.ini", "[Profile]");
    box.write(t + "Errors.txt", "log");
    {
        ScopedEnv no("ZEF_UNINSTALL_ANSWER", "no");
        frmMain again;
        again.Form_Activate();
        again.cmdRun_Click(4);
    }
    EXPECT_TRUE(QFile::exists(t + "LUMO"));
    EXPECT_TRUE(QFile::exists(t + "Lumo.ini"));
    EXPECT_TRUE(QFile::exists(t + "Lumo1.ini"));
    EXPECT_EQ(box.read(t + "Lumo.mdb"), box.read(box.medium() + "Lumo.mdb"));
    EXPECT_EQ(box.read(t + "Errors.txt"), "log");
    EXPECT_TRUE(lumo::registry::ReadValue(lumo::registry::kAppPathKey).has_value());

    frmMain last;
    last.Form_Activate();
    last.cmdRun_Click(4);
    EXPECT_FALSE(QDir(t).exists()); // nothing of the program is left in it
    EXPECT_EQ(box.read(d + "Lumo.mdb"), "a newer edition");
}

TEST(SetupActions, AMediumShowingLowerCasedNamesInstallsAsWell) {
    // A plain ISO 9660 disc shows every name in lower case.
    SetupSandbox box;
    const QString version = lumo::version::FileVersionText(box.medium() + "LUMO");
    for (const QString& name : QDir(box.medium()).entryList(QDir::Files))
        ASSERT_TRUE(QFile::rename(box.medium() + name, box.medium() + name.toLower()));
    frmMain window;
    window.Form_Activate();
    EXPECT_EQ(window.versionLabel(4)->text(), version);
    ASSERT_TRUE(window.button(1)->isEnabled());
    window.button(1)->click();
    EXPECT_TRUE(box.reports.isEmpty()) << box.reports.join("\n").toStdString();
    const QString t = target(box);
    EXPECT_EQ(lumo::registry::ReadValue(lumo::registry::kAppPathKey), t + "LUMO");
    EXPECT_EQ(box.read(t + "Lumo.mdb"), box.read(box.medium() + "lumo.mdb"));
    EXPECT_EQ(window.versionLabel(12)->text(), QStringLiteral("OK"));
}
