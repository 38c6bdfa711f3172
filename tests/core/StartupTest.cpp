#include "core/AppContext.h"
#include "core/FrmSplash.h"
#include "core/HerbDb.h"
#include "core/LumoMain.h"
#include "library/CKelErr.h"
#include "library/CKelHelp.h"
#include "library/CKelSound.h"
#include "library/ErrMain.h"
#include "platform/err/VbError.h"
#include "platform/process/Background.h"
#include "platform/sound/SoundBackend.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"

#include "common/TempProgramDir.h"
#include "core/aislp/AislpTestPlugin.h"

#include <QFile>
#include <QLabel>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace lumo;

namespace {

QString sampleDatabase() {
    return qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb");
}

// A program folder with a copy of the sample database and, optionally, a settings file.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(sampleDatabase())) << "build the data target first";
        ASSERT_TRUE(QFile::copy(sampleDatabase(), dir.file(QStringLiteral("Lumo.mdb"))));
        hooks.anotherInstanceRunning = [this] {
            ++instanceTests;
            return otherInstance;
        };
        hooks.runSettingsDialog = [this] {
            ++settingsDialogShown;
            if (fixLocationInDialog)
                App().Settings.DatabaseLocation = dir.file(QStringLiteral("Lumo.mdb"));
        };
        hooks.loadMainWindow = [this] { mainWindowLoaded = true; };
        hooks.fatalMessage = [this](const QString& text, const QString&) { fatal = text; };
        hooks.stepShown = [this](int progress, const QString& caption) {
            steps.push_back(progress);
            captions.push_back(caption);
            if (progress == 80 && Splash())
                editionBefore = Splash()->LblEd->text();
        };
    }
    void TearDown() override { App().ReleaseObjects(); }

    void writeIni(const QByteArray& text) { dir.write(QStringLiteral("Lumo.ini"), text); }
    QString errorLog() const { return lumo::text::decodeAnsi(dir.read(QStringLiteral("Errors.txt"))); }

    lumo::test::TempProgramDir dir;
    lumo::ui::ScopedDialogHook dialogs{[](QDialog&) { return std::optional<int>(0); }};
    StartupHooks hooks;
    bool otherInstance = false;
    int instanceTests = 0;
    bool fixLocationInDialog = false;
    int settingsDialogShown = 0;
    bool mainWindowLoaded = false;
    QString fatal;
    QString editionBefore;
    std::vector<int> steps;
    QStringList captions;
};

} // namespace

TEST_F(StartupTest, NormalStartWalksEveryStepAndShowsTheEdition) {
    QString edition;
    hooks.loadMainWindow = [&] {
        mainWindowLoaded = true;
        edition = Splash()->LblEd->text();
    };
    EXPECT_EQ(Main(hooks), StartOutcome::Started);
    EXPECT_EQ(steps, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 85, 90, 100}));
    EXPECT_EQ(
        captions,
        (QStringList{
            QStringLiteral("Nahrávám programové vybavení"), QStringLiteral("Nahrávám multimediální podporu"),
            QStringLiteral("Nahrávám obslužné rutiny"), QStringLiteral("Nahrávám nastavení programu"),
            QStringLiteral("Načítám uživatelské nastavení"), QStringLiteral("Nahrávám nápovědu"),
            QStringLiteral("Nahrávám tiskovou podporu"), QStringLiteral("Připojuji databázi bylin"),
            QStringLiteral("Testuji připojení AISLP"), QStringLiteral("Načítám jazykovou podporu"),
            QStringLiteral("Aktivuji uživatelské rozhraní")}));
    EXPECT_TRUE(mainWindowLoaded);
    EXPECT_EQ(Splash(), nullptr);
    const DbVersionRecord& v = App().DbVersion;
    EXPECT_EQ(edition, v.Edice.trimmed() + QStringLiteral(" (") +
                           v.FromDate.toString(QStringLiteral("d.M.yyyy")) + QStringLiteral(")"));
    EXPECT_EQ(App().MonthNames[3], QStringLiteral("Březen"));
    EXPECT_TRUE(errorLog().isEmpty());
    EXPECT_EQ(ExitCodeOf(StartOutcome::Started), 0);
}

TEST_F(StartupTest, AislpLinkIsActivatedWhenItsLibraryAnswers) {
    const lumo::test::AislpInstall aislp(dir.file(QStringLiteral("AISLP")));
    writeIni("[Main]\r\nAISLPCmd=" + aislp.program().toUtf8() + "\r\n");
    EXPECT_EQ(Main(hooks), StartOutcome::Started);
    EXPECT_TRUE(App().AISLPConnected);
    App().ReleaseObjects();
    EXPECT_EQ(App().AISLPObj, nullptr);

    // Without the library the start goes on, silently unconnected.
    QFile::remove(aislp.folder() + QStringLiteral("/mvawcom.so"));
    App().AISLPConnected = false;
    EXPECT_EQ(Main(hooks), StartOutcome::Started);
    EXPECT_FALSE(App().AISLPConnected);
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();
}

// Where a wave device exists the error sound is switched on and the start sound plays.
TEST_F(StartupTest, SoundAndHelpObjectsAreMadeAndTheStartSoundPlaysWhereADeviceExists) {
    struct Device : sound::SoundBackend {
        QStringList played;
        bool hasWaveOutput() override { return true; }
        bool playWave(const QString& path, long) override { return played << path, true; }
        void beep(int, int) override {}
    };
    auto device = std::make_unique<Device>();
    Device* dev = device.get();
    sound::SetBackend(std::move(device));
    QFile wave(qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/LUMO.Wav"));
    ASSERT_TRUE(wave.copy(dir.file(QStringLiteral("LUMO.Wav"))));

    EXPECT_EQ(Main(hooks), StartOutcome::Started);
    ASSERT_TRUE(App().SoundObj && App().HelpObj);
    EXPECT_TRUE(App().ErrObj->SoundEnabled());
    EXPECT_EQ(dev->played, QStringList{dir.file(QStringLiteral("LUMO.Wav"))});
    EXPECT_EQ(App().HelpObj->HelpName(), dir.path() + QStringLiteral("/Lumo.chm"));
    EXPECT_TRUE(ErrState().Seams.WaveReady());
    sound::SetBackend(sound::MakeSilentBackend());
    App().ReleaseObjects();
    EXPECT_FALSE(ErrState().Seams.WaveReady());

    // Without a device neither sound is on (the switch is the process's, not the object's).
    ErrState().SoundEnabled = false;
    EXPECT_EQ(Main(hooks), StartOutcome::Started);
    EXPECT_FALSE(App().ErrObj->SoundEnabled());
    sound::SetBackend(nullptr);
}

TEST_F(StartupTest, SecondInstanceIsRefusedUnlessAllowed) {
    otherInstance = true;
    writeIni("[Main]\r\nMultipleRun=False\r\n");
    // Work begun beside the splash (a slow machine) has ended before the program does.
    std::atomic<bool> workEnded = false;
    process::RunInBackground([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        workEnded = true;
    });
    EXPECT_EQ(Main(hooks), StartOutcome::SecondInstance);
    EXPECT_TRUE(workEnded);
    EXPECT_FALSE(mainWindowLoaded);
    EXPECT_EQ(steps.back(), 50);
    EXPECT_EQ(App().ErrObj, nullptr);
    const QString log = errorLog();
    EXPECT_TRUE(log.contains(QStringLiteral("\r\nChyba: 99 "))) << log.toStdString();
    EXPECT_TRUE(log.contains(
        QStringLiteral("[Vícenásobné spuštění]\r\nZdroj: LUMO-LumoMain-Main\r\n"
                       "Popis: Zefirak je již spuštěn, vícenásobné spuštění je v nastavení zakázáno. "
                       "Chcete-li Zefiraku spouštět ve více instancích, povolte vícenásobné spuštění v "
                       "nastavení\r\n*\r\n")))
        << log.toStdString();
    EXPECT_EQ(ExitCodeOf(StartOutcome::SecondInstance), 1);

    App().ReleaseObjects();
    QFile::remove(dir.file(QStringLiteral("Errors.txt")));
    writeIni("[Main]\r\nMultipleRun=True\r\n");
    steps.clear();
    instanceTests = 0;
    EXPECT_EQ(Main(hooks), StartOutcome::Started);
    EXPECT_TRUE(mainWindowLoaded);
    // Asked even when allowed: the test takes this instance's lock, which a later start
    // that does not allow several instances must find.
    EXPECT_EQ(instanceTests, 1);
}

TEST_F(StartupTest, MissingDatabaseOffersTheSettingsDialogOnce) {
    writeIni("[Main]\r\nDatabaseLocation=/nonexistent/Lumo.mdb\r\n");
    EXPECT_EQ(Main(hooks), StartOutcome::NoDatabase);
    EXPECT_EQ(settingsDialogShown, 1);
    EXPECT_FALSE(mainWindowLoaded);
    EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent/Lumo.mdb")));
    EXPECT_EQ(errorLog().count(QStringLiteral("Nelze připojit databázi")) >= 2, true)
        << errorLog().toStdString();
}

TEST_F(StartupTest, CorrectedLocationInTheDialogStarts) {
    writeIni("[Main]\r\nDatabaseLocation=/nonexistent/Lumo.mdb\r\n");
    fixLocationInDialog = true;
    EXPECT_EQ(Main(hooks), StartOutcome::Started);
    EXPECT_EQ(settingsDialogShown, 1);
    EXPECT_TRUE(mainWindowLoaded);
}

TEST_F(StartupTest, MalformedValueFallsBackInsteadOfEndingStartUp) {
    writeIni("[Main]\r\nEscEnabled=abc\r\nLanguage=2\r\n");
    EXPECT_EQ(Main(hooks), StartOutcome::Started);
    EXPECT_TRUE(fatal.isEmpty()) << fatal.toStdString();
    EXPECT_TRUE(App().Settings.EscEnabled) << "the default stands in";
    const QString log = errorLog();
    EXPECT_TRUE(log.contains(QStringLiteral("\r\nChyba: 55 "))) << log.toStdString();
    EXPECT_TRUE(
        log.contains(QStringLiteral("[Chybné nastavení]\r\nZdroj: LUMO-LumoMain-LoadSettings-\r\n"
                                    "Popis: Neplatná hodnota \"abc\" klíče EscEnabled v sekci Main "
                                    "souboru ") +
                     App().IniFile +
                     QStringLiteral(", použita výchozí hodnota \"True\"\r\nSystem: 13 - Type mismatch\r\n")))
        << log.toStdString();
    EXPECT_EQ(App().MonthNames[3], QStringLiteral("Březen"));
}

TEST_F(StartupTest, UnexpectedErrorEndsInTheFatalMessage) {
    hooks.loadMainWindow = [] { throw std::runtime_error("okno"); };
    EXPECT_EQ(Main(hooks), StartOutcome::Fatal);
    EXPECT_EQ(fatal,
              QStringLiteral("Při startu aplikace Zefirak došlo k závažné chybě číslo 5 (okno) v modulu "
                             "Main-LUMO. Aplikace bude nyní ukončena"));
    // A raised error keeps its own source.
    hooks.loadMainWindow = [] { err::Raise(13, QStringLiteral("CKelSrv")); };
    EXPECT_EQ(Main(hooks), StartOutcome::Fatal);
    EXPECT_TRUE(fatal.contains(QStringLiteral("číslo 13 (Type mismatch) v modulu Main-CKelSrv.")))
        << fatal.toStdString();
    EXPECT_EQ(ExitCodeOf(StartOutcome::Fatal), 1);
}

TEST(SplashForm, CaptionPairsStayEqual) {
    FrmSplash splash;
    EXPECT_EQ(splash.lblVersion[0]->text(), splash.lblVersion[1]->text());
    EXPECT_TRUE(splash.lblVersion[0]->text().startsWith(QStringLiteral("Verze ")));
    EXPECT_EQ(splash.lblPlatform[0]->text(), QStringLiteral("MS Windows™ 95/98/ME/2000/NT/XP/Vista/7"));
    FrmSplash::SetPair(splash.lblInfo, QStringLiteral("Krok"));
    EXPECT_EQ(splash.lblInfo[1]->text(), QStringLiteral("Krok"));
    // The picture lies under every caption.
    ASSERT_NE(splash.ImgSplash, nullptr);
    EXPECT_EQ(splash.children().first(), splash.ImgSplash);
    EXPECT_FALSE(splash.ImgSplash->pixmap().isNull());
}
