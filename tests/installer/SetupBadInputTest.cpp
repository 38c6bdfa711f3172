#include "installer/frmMain.h"
#include "platform/registry/Registry.h"

#include "SetupSandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace lumo::setup;
using lumo::test::SetupSandbox;

namespace {

QString target(const SetupSandbox& box) {
    return box.path(QStringLiteral("Program Files/Zefirak/"));
}

bool registered() {
    return lumo::registry::ReadValue(lumo::registry::kAppPathKey).has_value();
}

// Installs through the window's install button; true when the program got registered.
bool installed(frmMain& window) {
    window.Form_Activate();
    window.button(1)->click();
    return registered();
}

} // namespace

TEST(SetupBadInput, ABrokenMediumInstallsNothingAndNeverReplacesAGoodDatabase) {
    SetupSandbox box;
    const QString t = target(box);
    const QByteArray list = box.read(box.medium() + "Setup.lst");
    box.write(box.root() + "/outside.txt", "beside the medium");
    // A list naming a file outside the medium's folder, or leaving out the program.
    for (const QByteArray& broken : {list + "../outside.txt\n", QByteArray("Lumo.mdb\n")}) {
        box.write(box.medium() + "Setup.lst", broken);
        frmMain window;
        window.Form_Activate();
        window.button(1)->click();
        EXPECT_FALSE(registered()) << broken.constData();
        EXPECT_TRUE(window.button(1)->isEnabled());
        EXPECT_EQ(window.focusWidget(), window.button(1)); // ready to try again
        EXPECT_FALSE(QFile::exists(box.path("Program Files/outside.txt")));
        EXPECT_FALSE(QFile::exists(t + "Lumo.mdb"));
    }

    // An optional file the medium lacks ("?") is no reason to refuse it.
    box.write(box.medium() + "Setup.lst", list + "?Chybi.txt\n");
    {
        // The medium's own folder chosen for the program: its removal would empty the medium.
        lumo::test::ScopedEnv onMedium("ZEF_SETUP_TARGET", box.medium().toUtf8());
        frmMain window;
        window.Form_Activate();
        window.button(1)->click();
        EXPECT_FALSE(registered());
        EXPECT_FALSE(QFile::exists(box.medium() + "ST6UNST.LOG"));
    }
    frmMain window;
    ASSERT_TRUE(installed(window));
    const QByteArray database = box.read(t + "Lumo.mdb");
    const QByteArray stamp = box.read(t + "Lumo.INF");
    ASSERT_FALSE(database.isEmpty());

    // A newer edition whose file broke on the way: it is refused, the working one stays.
    QFile::resize(box.medium() + "Lumo.mdb", database.size() / 2);
    box.write(box.medium() + "Lumo.INF", QByteArray("\xFF\x7F", 2));
    window.TestProstredi();
    ASSERT_TRUE(window.button(3)->isEnabled());
    window.button(3)->click();
    ASSERT_EQ(box.reports.size(), 1);
    EXPECT_TRUE(box.reports[0].contains(QStringLiteral("Databáze na instalačním médiu je poškozená")));
    EXPECT_EQ(box.read(t + "Lumo.mdb"), database);
    EXPECT_EQ(box.read(t + "Lumo.INF"), stamp);
}

TEST(SetupBadInput, ARegistrationThatCannotBeRemovedKeepsTheProgramAndTheSettings) {
    SetupSandbox box;
    const QString t = target(box);
    frmMain window;
    ASSERT_TRUE(installed(window));
    box.write(t + "Lumo1.ini", "[Profile]");
    const auto kept = [&] {
        EXPECT_TRUE(registered());
        for (const char* name : {"LUMO", "Lumo.ini", "Lumo1.ini", "ST6UNST.LOG", "Lumo.chm"})
            EXPECT_TRUE(QFile::exists(t + QString::fromLatin1(name))) << name;
    };

    // An installation log overwritten with other bytes: the uninstaller says it removes nothing.
    const QByteArray log = box.read(t + "ST6UNST.LOG");
    box.write(t + "ST6UNST.LOG", QByteArray("\0\x01\xFF garbage\n", 12));
    QProcess uninstaller;
    uninstaller.start(box.dataHome() + "/zefirak-setup/ST6UNST.EXE", {"-n", t + "ST6UNST.LOG"});
    ASSERT_TRUE(uninstaller.waitForFinished(60000));
    EXPECT_EQ(uninstaller.exitCode(), 2);
    kept();

    // A registration that cannot be removed: nothing is.
    box.write(t + "ST6UNST.LOG", log);
    if (!box.makeReadOnly(box.path("config/zefirak")))
        GTEST_SKIP() << "no read-only folder can be made here";

    window.cmdRun_Click(4);
    kept();
    EXPECT_TRUE(QFile::exists(box.dataHome() + "/applications/Zefirak.desktop"));
}

TEST(SetupBadInput, AProgramFolderThatCannotBeWrittenToStaysInstalledWhole) {
    SetupSandbox box;
    const QString t = target(box);
    frmMain window;
    ASSERT_TRUE(installed(window));
    if (!box.makeReadOnly(t))
        GTEST_SKIP() << "no read-only folder can be made here";

    // Nothing can be deleted there, so the program is not unregistered either.
    window.cmdRun_Click(4);
    EXPECT_TRUE(registered());
    EXPECT_TRUE(QFile::exists(box.dataHome() + "/applications/Zefirak.desktop"));
    for (const char* name : {"LUMO", "Lumo.mdb", "Lumo.ini", "ST6UNST.LOG"})
        EXPECT_TRUE(QFile::exists(t + QString::fromLatin1(name))) << name;
}

TEST(SetupBadInput, TheWindowStaysWhileTheSetupProgramRuns) {
    SetupSandbox box;
    frmMain window;
    window.show();
    window.Form_Activate();
    // The close box pressed while the setup program is still copying.
    bool refused = false;
    QTimer::singleShot(0, &window, [&] { refused = !window.close(); });
    window.button(1)->click();
    EXPECT_TRUE(refused);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(registered());
    EXPECT_TRUE(window.button(2)->isEnabled());
    window.button(5)->click();
    EXPECT_FALSE(window.isVisible());
}

TEST(SetupBadInput, AFullDiskKeepsTheRegistryAndTheDesktopEntryAsTheyWere) {
    // A small disk at folder holding one file, filled up.
    const auto fullDisk = [](SetupSandbox& box, const QString& folder, const QString& file,
                             const QByteArray& bytes) {
        QDir().mkpath(folder);
        if (!box.makeSmallDisk(folder))
            return false;
        box.write(folder + file, bytes);
        QFile filler(folder + "filler");
        const QByteArray block(4096, 'f');
        if (filler.open(QIODevice::WriteOnly))
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        return true;
    };
    const QByteArray registry = "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n@=kept\r\n";
    const QByteArray entry = "[Desktop Entry]\nType=Application\nName=Zefirak\nExec=lumo --my-own\n";
    {
        // The program folder lies on another disk: the files arrive, the registration cannot.
        SetupSandbox box;
        const QString store = box.path("config/zefirak/");
        if (!fullDisk(box, store, "registry.ini", registry))
            GTEST_SKIP() << "no file system of its own can be made here";
        frmMain window;
        window.Form_Activate();
        window.button(1)->click();
        EXPECT_FALSE(registered());
        EXPECT_EQ(box.read(store + "registry.ini"), registry);
        EXPECT_TRUE(window.button(1)->isEnabled());
    }
    {
        // The desktop is full: the user's own "Zefirak" entry stays.
        SetupSandbox box;
        ASSERT_TRUE(fullDisk(box, box.desktop() + '/', "Zefirak.desktop", entry));
        frmMain window;
        window.Form_Activate();
        window.button(1)->click();
        EXPECT_TRUE(registered());
        EXPECT_EQ(box.read(box.desktop() + "/Zefirak.desktop"), entry);
    }
}
