#include "core/Settings.h"
#include "core/AppContext.h"
#include "core/ScreenProfile.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"

#include "common/FileSizeLimit.h"
#include "common/TempProgramDir.h"

#include <QDialog>
#include <QDir>
#include <QLocale>

#include <gtest/gtest.h>

using namespace lumo;

namespace {

const QSize kScreen(15360, 11520); // 1024 x 768 pixels at 15 twips a pixel

QByteArray crlf(const QString& text) {
    return text::encodeAnsi(text::toCrLf(text));
}

// The file without its empty lines: where blank lines fall between sections is the INI
// layer's business, every other byte is ours.
QByteArray withoutEmptyLines(QByteArray bytes) {
    while (bytes.contains("\r\n\r\n"))
        bytes.replace("\r\n\r\n", "\r\n");
    return bytes;
}

int countOf(const QByteArray& haystack, const QByteArray& needle) {
    return int(haystack.count(needle));
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousLocale = QLocale();
        App().ErrObj = std::make_unique<CKelErr>();
        App().SrvObj = std::make_unique<CKelSrv>();
        App().Settings = ProgramSettings{};
        App().IniFile = SettingsFilePath();
        SetSegmentTitles();
    }
    void TearDown() override {
        App().ErrObj.reset();
        App().SrvObj.reset();
        QLocale::setDefault(m_previousLocale);
    }

    ProgramSettings& settings() { return App().Settings; }
    void load(bool onlyProfile = false) { LoadSettings(App().Settings, App().IniFile, onlyProfile, kScreen); }

    test::TempProgramDir m_dir;
    QStringList m_dialogs;
    ui::ScopedDialogHook m_hook{[this](QDialog& d) -> std::optional<int> {
        m_dialogs << d.windowTitle();
        return QDialog::Rejected;
    }};
    QLocale m_previousLocale;
};

// A fresh installation: every default, then the screen profile of a 1024-pixel screen.
TEST_F(SettingsTest, FreshSettingsFileIsWrittenKeyByKeyInItsOrder) {
    QLocale::setDefault(QLocale(QLocale::Czech));
    load();
    ASSERT_TRUE(ApplyScreenProfile(settings(), 2, QStringLiteral("Linux")));
    settings().ProfilNumber = 2;
    settings().LeftMargin = 12.5f;
    ASSERT_TRUE(SaveSettings(false));

    QString expected =
        QStringLiteral("[Main]\nDatabaseLocation=%1/Lumo.mdb\nAISLPCmd=\nSyncAISLP=False\nEscEnabled=True\n"
                       "InsertLine=False\nProfilNumber=2\nMultipleRun=False\n"
                       "EnableSegmentDef=True\nFontName=Arial CE\nSafeText=False\nLanguage=1\nNamesLang=1\n"
                       "DisableSegmentSel=False\nLogLevel=0\nUpdateProfil=False\n"
                       "[MainWindow]\nLeft=0\nTop=0\nWidth=15360\nHeight=11520\nLeftSplit=0\n"
                       "[Page]\nLeftMargin=12,5\nTopMargin=10\nRightMargin=10\nBottomMargin=10\n"
                       "[Print]\nDisableColors=True\n[Profiles]\n")
            .arg(m_dir.path());
    for (int n = 1; n <= 9; ++n)
        expected += QStringLiteral("Name%1=Profil %1\n").arg(n);
    expected += QStringLiteral("[Segment]\n");
    for (int i = 1; i <= 22; ++i)
        expected +=
            QStringLiteral("Enabled%1=True\nIndex%1=%1\nTitleSize%1=12\nTitleColor%1=3\nTextSize%1=10\n"
                           "TextColor%1=0\nLeftIndent%1=240\nKeyName%1=%2\n")
                .arg(i)
                .arg(settings().SegmentTitles[i]);
    expected += QStringLiteral("[Names]\nTitleSize=20\nTitleColor=4\nSubTitleSize=12\nSubTitleColor=1\n"
                               "NameSize=12\nNameColor=0\nLeftIndent=240\n");

    const QByteArray written = m_dir.read(QStringLiteral("Lumo.ini"));
    EXPECT_EQ(withoutEmptyLines(written), crlf(expected));
    EXPECT_EQ(written.count('\n'), written.count("\r\n"));
    EXPECT_TRUE(written.contains("KeyName2=\xDA\xE8inn\xE9 l\xE1tky\r\n")); // Windows-1250
    EXPECT_TRUE(m_dialogs.isEmpty());
}

TEST_F(SettingsTest, RoundTripKeepsEveryValueAndEveryForeignLine) {
    QLocale::setDefault(QLocale(QLocale::Czech));
    const QString longPath = QStringLiteral("/data/") + QString(70, u'ž') +
                             QStringLiteral("/Léčivé byliny ") + QString(60, u'x') +
                             QStringLiteral("/Lumo.mdb");
    ASSERT_GT(longPath.size(), 150);
    m_dir.write(QStringLiteral("Lumo.ini"),
                crlf(QStringLiteral("; kept comment\n[Main]\nFoo=1\nSyncAISLP=true\n"
                                    "ProfilNumber=4\n[About]\nZvuk=beep.wav\n"
                                    "[Segment]\nKeyName5=Protiindikace   \n"
                                    "KeyName6=\"Užití\t\"\nKeyName7=Přípravky\u00A0\n")));
    load();
    // Every value away from its default, so nothing passes by accident.
    ProgramSettings& s = settings();
    s.DatabaseLocation = longPath;
    s.AISLPCmd = QStringLiteral("/opt/aislp/MVAW.exe");
    s.EscEnabled = false;
    s.MultipleRun = s.InsertLine = s.DisableSegmentSel = s.EnableSegmentDef = s.SafeText = s.UpdateProfil =
        true;
    s.DisableColors = false;
    s.Left = -120;
    s.Top = 75;
    s.Width = 9000;
    s.Height = 7000;
    s.LeftSplit = 3015;
    s.TopMargin = 7.25f;
    s.RightMargin = 0.5f;
    s.BottomMargin = 30;
    s.ProfileNames[9] = QStringLiteral("Velké písmo");
    s.FontName = QStringLiteral("DejaVu Sans");
    s.Language = 2;
    s.NamesLang = 9;
    s.LogLevel = 2;
    for (int i = 1; i <= 22; ++i)
        s.Segments[i] = SegmentSettings{i % 2 == 0,    qint16(23 - i), qint16(i), i % 16,
                                        qint16(i + 1), 15 - i % 16,    i * 10,    QString()};
    s.Names = NamesStyle{41, 5, 25, 2, 23, 6, 100};
    const ProgramSettings before = s;
    ASSERT_TRUE(SaveSettings(false));

    s = ProgramSettings{};
    SetSegmentTitles();
    load();
    EXPECT_EQ(s, before);
    EXPECT_EQ(s.SegmentTitles[5], QStringLiteral("Protiindikace"));
    // Only blanks are trimmed: a tab and a non-breaking space belong to the title.
    EXPECT_EQ(s.SegmentTitles[6], QStringLiteral("Užití\t"));
    EXPECT_EQ(s.SegmentTitles[7], QStringLiteral("Přípravky\u00A0"));
    EXPECT_EQ(s.DatabaseLocation, longPath); // whole, however long

    const QByteArray written = m_dir.read(QStringLiteral("Lumo.ini"));
    EXPECT_TRUE(written.startsWith("; kept comment\r\n[Main]\r\nFoo=1\r\nSyncAISLP=True\r\n"));
    EXPECT_TRUE(written.contains("[About]\r\nZvuk=beep.wav\r\n"));
    EXPECT_EQ(countOf(written, "[Main]"), 1);
    EXPECT_EQ(countOf(written, "ProfilNumber="), 1);

    // Saving what was just loaded changes no byte.
    ASSERT_TRUE(SaveSettings(false));
    EXPECT_EQ(m_dir.read(QStringLiteral("Lumo.ini")), written);
}

TEST_F(SettingsTest, ValuesThatDoNotConvertFallBackToTheirDefaultsAndAreLogged) {
    m_dir.write(
        QStringLiteral("Lumo.ini"),
        crlf(QStringLiteral("[Main]\nSyncAISLP=abc\nEscEnabled=nie\nProfilNumber=99999\nLanguage=sk\n"
                            "FontName=Tahoma\n[MainWindow]\nLeft=12x\nTop=300\n[Page]\nLeftMargin=1.2.3\n"
                            "TopMargin=15,5\n[Segment]\nTitleSize5=big\nTitleSize6=18\n[Names]\n"
                            "LeftIndent=\n")));
    load();
    const ProgramSettings& s = settings();
    EXPECT_FALSE(s.SyncAISLP);
    EXPECT_TRUE(s.EscEnabled);
    EXPECT_EQ(s.ProfilNumber, 0);
    EXPECT_EQ(s.Language, 1);
    EXPECT_EQ(s.Left, 0);
    EXPECT_EQ(s.Top, 300);
    EXPECT_EQ(s.LeftMargin, 10.0f);
    EXPECT_EQ(s.TopMargin, 15.5f);
    EXPECT_EQ(s.Segments[5].TitleSize, 36);
    EXPECT_EQ(s.Segments[6].TitleSize, 18);
    EXPECT_EQ(s.Names.LeftIndent, 240);
    EXPECT_EQ(s.FontName, QStringLiteral("Tahoma"));

    // One entry per bad value (an empty one counts as missing), and no dialog at start-up.
    const QByteArray log = m_dir.read(QStringLiteral("Errors.txt"));
    EXPECT_EQ(countOf(log, "Chyba: 55"), 7);
    EXPECT_EQ(countOf(log, "Zdroj: LUMO-LumoMain-LoadSettings-\r\n"), 7);
    EXPECT_TRUE(log.contains("Popis: Neplatn\xE1 hodnota \"abc\" kl\xED\xE8"
                             "e SyncAISLP v sekci Main"));
    EXPECT_TRUE(m_dialogs.isEmpty());
}

// Sizes, colours, indents and positions that the settings dialog never offers would make the
// record unreadable or drop its sections: they fall back to their defaults like bad text.
TEST_F(SettingsTest, ValuesOutsideTheDialogsRangesFallBackAndPositionsStayAPermutation) {
    m_dir.write(QStringLiteral("Lumo.ini"),
                crlf(QStringLiteral("[Segment]\nTitleSize1=0\nTextSize1=-10\nTitleSize2=400\nTextSize2=401\n"
                                    "TitleColor1=99\nTextColor1=-1\nTitleColor2=15\nLeftIndent1=-99999\n"
                                    "LeftIndent2=2147483647\nLeftIndent3=0\nIndex1=2\nIndex2=1\nIndex3=5\n"
                                    "Index4=0\nIndex6=23\nIndex7=7\nIndex7=9\n[Names]\nTitleSize=0\n"
                                    "SubTitleSize=32767\nNameColor=16\nLeftIndent=32768\n")));
    load();
    const ProgramSettings& s = settings();
    EXPECT_EQ(s.Segments[1].TitleSize, 36);
    EXPECT_EQ(s.Segments[1].TextSize, 24);
    EXPECT_EQ(s.Segments[2].TitleSize, 400);
    EXPECT_EQ(s.Segments[2].TextSize, 24);
    EXPECT_EQ(s.Segments[1].TitleColor, 3);
    EXPECT_EQ(s.Segments[1].TextColor, 0);
    EXPECT_EQ(s.Segments[2].TitleColor, 15);
    EXPECT_EQ(s.Segments[1].LeftIndent, 240);
    EXPECT_EQ(s.Segments[2].LeftIndent, 240);
    EXPECT_EQ(s.Segments[3].LeftIndent, 0);
    EXPECT_EQ(s.Names.TitleSize, 40);
    EXPECT_EQ(s.Names.SubTitleSize, 24);
    EXPECT_EQ(s.Names.NameColor, 0);
    EXPECT_EQ(s.Names.LeftIndent, 240);
    // Swapped positions are kept; section 3 takes 5 first, so section 5 gets the position left
    // free (3); the first of two keys of one name counts.
    const int expected[kSegmentCount] = {2,  1,  5,  4,  3,  6,  7,  8,  9,  10, 11,
                                         12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};
    for (int i = 1; i <= kSegmentCount; ++i)
        EXPECT_EQ(s.Segments[i].Index, expected[i - 1]) << i;
    EXPECT_EQ(countOf(m_dir.read(QStringLiteral("Errors.txt")), "Chyba: 55"), 13);
}

TEST_F(SettingsTest, ProfileFileLoadsOnlyTheProfilePartAndIsFoundInAnyCase) {
    m_dir.write(
        QStringLiteral("Lumo.ini"),
        crlf(QStringLiteral("[Main]\nDatabaseLocation=/db/Lumo.mdb\nProfilNumber=1\n[MainWindow]\nLeft=500\n"
                            "[Page]\nLeftMargin=20\n[Profiles]\nName3=Tisk\n")));
    m_dir.write(
        QStringLiteral("LUMO3.INI"),
        crlf(QStringLiteral("[Segment]\nTitleSize5=20\n[Main]\nLanguage=2\nDatabaseLocation=/other.mdb\n")));
    load();
    const ProgramSettings mainPart = settings();

    ASSERT_TRUE(LoadProfileFile(3));
    const ProgramSettings& s = settings();
    EXPECT_EQ(s.Segments[5].TitleSize, 20);
    EXPECT_EQ(s.Segments[6].TitleSize, 36);
    EXPECT_EQ(s.Language, 2);
    EXPECT_EQ(s.ProfilNumber, 3);
    EXPECT_EQ(s.SegmentTitles[5], QStringLiteral("Kontraindikace")); // no KeyName5 in the file
    EXPECT_EQ(s.DatabaseLocation, QStringLiteral("/db/Lumo.mdb"));
    EXPECT_EQ(s.Left, 500);
    EXPECT_EQ(s.LeftMargin, 20.0f);
    EXPECT_EQ(s.ProfileNames, mainPart.ProfileNames);
    EXPECT_EQ(App().IniFile, SettingsFilePath());

    // Written back into the same file, which holds the profile part only.
    settings().Segments[1].TextSize = 9;
    settings().UpdateProfil = true;
    ASSERT_TRUE(SaveProfileFile());
    EXPECT_EQ(App().IniFile, SettingsFilePath());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).filter(QStringLiteral("3"), Qt::CaseInsensitive),
              QStringList{QStringLiteral("LUMO3.INI")});
    const QByteArray profile = m_dir.read(QStringLiteral("LUMO3.INI"));
    EXPECT_TRUE(profile.contains("TextSize1=9\r\n"));
    EXPECT_TRUE(profile.contains("UpdateProfil=True\r\n"));
    EXPECT_TRUE(profile.contains("DatabaseLocation=/other.mdb\r\n")); // foreign to a profile, left alone
    for (const char* mainOnly :
         {"[MainWindow]", "[Page]", "[Print]", "[Profiles]", "ProfilNumber", "AISLPCmd"})
        EXPECT_FALSE(profile.contains(mainOnly)) << mainOnly;
    EXPECT_EQ(countOf(profile, "KeyName"), 22);
}

TEST_F(SettingsTest, ProfileNumbersOutsideOneToNineAndUnreadableProfilesChangeNothing) {
    m_dir.write(QStringLiteral("Lumo0.ini"), crlf(QStringLiteral("[Main]\nLanguage=2\n")));
    m_dir.write(QStringLiteral("Lumo10.ini"), crlf(QStringLiteral("[Main]\nLanguage=2\n")));
    load();
    const ProgramSettings before = settings();
    for (long n : {0L, 10L, -1L, 32767L, 4L /* no such file */}) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(LoadProfileFile(n));
        EXPECT_EQ(settings(), before);
        EXPECT_EQ(App().IniFile, SettingsFilePath());
    }
    // A profile file that cannot be read (here a folder of its name) is reported, not taken as
    // a file of defaults.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Lumo5.ini")));
    EXPECT_FALSE(LoadProfileFile(5));
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(App().IniFile, SettingsFilePath());
    EXPECT_EQ(m_dialogs, QStringList{QStringLiteral("Nelze načíst profil")});
    // Nor is a damaged one: binary data, or a file emptied by a full disk.
    m_dir.write(QStringLiteral("Lumo6.ini"), QByteArray("\x89PNG\r\n\x1a\n\0\x01[x]\xff=\xfe", 16));
    m_dir.write(QStringLiteral("Lumo8.ini"), QByteArray());
    for (long n : {6L, 8L}) {
        EXPECT_FALSE(LoadProfileFile(n));
        EXPECT_EQ(settings(), before);
    }
    EXPECT_EQ(m_dialogs.size(), 3);
    EXPECT_EQ(countOf(m_dir.read(QStringLiteral("Errors.txt")), "Invalid file format"), 2);
    QFile::remove(m_dir.file(QStringLiteral("Lumo6.ini")));
    QFile::remove(m_dir.file(QStringLiteral("Lumo8.ini")));
    EXPECT_TRUE(ProfileFilePath(0).isEmpty());
    EXPECT_TRUE(ProfileFilePath(10).isEmpty());
    EXPECT_EQ(ProfileFilePath(7), m_dir.file(QStringLiteral("Lumo7.ini")));

    for (qint16 n : {qint16(0), qint16(10), qint16(-3)}) {
        settings().ProfilNumber = n;
        EXPECT_FALSE(SaveProfileFile());
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.ini")}, QDir::Files).size(), 2);
}

TEST_F(SettingsTest, FirstWriteFailureIsReportedOnceAndTheRestIsStillTried) {
    // A file standing where the folder should be: no write can succeed, even for root.
    m_dir.write(QStringLiteral("blocked"), "x");
    App().IniFile = m_dir.file(QStringLiteral("blocked/Lumo.ini"));
    load();
    EXPECT_FALSE(SaveSettings(false));
    EXPECT_EQ(m_dialogs.size(), 1);
    const QByteArray log = m_dir.read(QStringLiteral("Errors.txt"));
    EXPECT_EQ(countOf(log, "Chyba: 56"), 1);
    // The file could not be written: its reason is given, no key is blamed.
    EXPECT_TRUE(log.contains("Lumo.ini, zm\xECny nastaven\xED nebudou zachov\xE1ny\r\nSystem: 75 - "));
    EXPECT_FALSE(SaveSettings(true));
    EXPECT_EQ(m_dialogs.size(), 2);
}

// A program folder that takes no new file while "Lumo.ini" is writable, as a read-only
// installation folder does: the settings are still kept, with no report.
TEST_F(SettingsTest, AFolderWithoutRoomForATemporaryFileStillKeepsTheSettings) {
    load();
    ASSERT_TRUE(SaveSettings(false));
    settings().DatabaseLocation = QStringLiteral("D:\\Jinde\\Lumo.mdb");
    {
        const text::ScopedTemporaryFileFailure noTemporaryFiles;
        EXPECT_TRUE(SaveSettings(false));
    }
    EXPECT_TRUE(m_dialogs.isEmpty());
    settings() = ProgramSettings{};
    load();
    EXPECT_EQ(settings().DatabaseLocation, QStringLiteral("D:\\Jinde\\Lumo.mdb"));

    // A disk that takes no write at all: closing with nothing changed loses nothing and is no
    // failure; a change that cannot be stored is reported.
    {
        const lumo::test::FileSizeLimit full(0);
        EXPECT_TRUE(SaveSettings(false));
        EXPECT_TRUE(m_dialogs.isEmpty());
        settings().AISLPCmd = QStringLiteral("/opt/mvaw/MVAW.exe");
        EXPECT_FALSE(SaveSettings(false));
    }
    EXPECT_EQ(m_dialogs.size(), 1);
}

// Two instances running at once, each closing with its own changes: neither loses the other's.
TEST_F(SettingsTest, ClosingKeepsWhatAnotherInstanceStoredMeanwhile) {
    load();
    ASSERT_TRUE(SaveSettings(false)); // a whole file, as after the first run
    ProgramSettings first, second;
    const QString ini = App().IniFile;
    for (ProgramSettings* s : {&first, &second}) {
        SetSegmentTitles(*s);
        LoadSettings(*s, ini, false, kScreen);
    }
    second.NamesLang = 2;
    second.Segments[5].Enabled = false;
    ASSERT_TRUE(SaveSettings(second, ini, false));
    first.LeftMargin = 25;
    first.Width = 9000;
    ASSERT_TRUE(SaveSettings(first, ini, false));

    load();
    EXPECT_EQ(settings().NamesLang, 2);
    EXPECT_FALSE(settings().Segments[5].Enabled);
    EXPECT_EQ(settings().LeftMargin, 25.0f);
    EXPECT_EQ(settings().Width, 9000);
}

TEST_F(SettingsTest, MissingTitleKeysKeepTheTitlesHeldNow) {
    settings().SegmentTitles[7] = QStringLiteral("Přípravky");
    m_dir.write(QStringLiteral("Lumo.ini"), crlf(QStringLiteral("[Segment]\nKeyName8=Směsi  \n")));
    load(true);
    EXPECT_EQ(settings().SegmentTitles[7], QStringLiteral("Přípravky"));
    EXPECT_EQ(settings().SegmentTitles[8], QStringLiteral("Směsi"));
    EXPECT_EQ(settings().SegmentTitles[0], QStringLiteral("Název"));
    EXPECT_EQ(settings().SegmentTitles[25], QStringLiteral("Klíčová slova"));
    EXPECT_TRUE(settings().DatabaseLocation.isEmpty()); // the main part was not read
}

TEST_F(SettingsTest, ProgramWideLoadTakesTheScreenAsTheWindowSize) {
    LoadSettings(false);
    const QSize screen = ScreenSizeTwips();
    EXPECT_GT(screen.width(), 0);
    EXPECT_EQ(settings().Width, screen.width());
    EXPECT_EQ(settings().Height, screen.height());
    EXPECT_EQ(settings().DatabaseLocation, m_dir.file(QStringLiteral("Lumo.mdb")));
    EXPECT_EQ(settings().ProfileNames[4], QStringLiteral("Profil 4"));
    EXPECT_EQ(settings().Segments[9].Index, 9);
}

TEST(ScreenProfile, ChoosesByWidthAndSetsTheDisplayDefaults) {
    EXPECT_EQ(ChooseScreenProfile(640), 1);
    EXPECT_EQ(ChooseScreenProfile(800), 1);
    EXPECT_EQ(ChooseScreenProfile(801), 2);
    EXPECT_EQ(ChooseScreenProfile(1024), 2);
    EXPECT_EQ(ChooseScreenProfile(1025), 3);

    const struct {
        int profile;
        qint16 title, text, namesTitle, namesOther;
    } sizes[] = {{1, 10, 8, 16, 10}, {2, 12, 10, 20, 12}, {3, 14, 12, 24, 14}};
    for (const auto& c : sizes) {
        SCOPED_TRACE(c.profile);
        ProgramSettings s;
        s.Segments[4].Index = 17;
        s.Segments[4].Caption = QStringLiteral("kept");
        s.DisableSegmentSel = s.UpdateProfil = true;
        s.NamesLang = 5;
        s.LogLevel = 2;
        s.Language = 2;
        s.ProfilNumber = 7;
        ASSERT_TRUE(ApplyScreenProfile(s, c.profile, QStringLiteral("Windows 98")));
        EXPECT_EQ(s.Segments[22].TitleSize, c.title);
        EXPECT_EQ(s.Segments[1].TextSize, c.text);
        EXPECT_EQ(s.Segments[4].Index, 4);
        EXPECT_EQ(s.Segments[4].Caption, QStringLiteral("kept"));
        EXPECT_EQ(s.Names.TitleSize, c.namesTitle);
        EXPECT_EQ(s.Names.SubTitleSize, c.namesOther);
        EXPECT_EQ(s.Names.NameSize, c.namesOther);
        EXPECT_EQ(s.Language, 1);
        EXPECT_TRUE(s.InsertLine);
        EXPECT_TRUE(s.EnableSegmentDef);
        EXPECT_EQ(s.FontName, QStringLiteral("Arial CE"));
        EXPECT_TRUE(s.DisableSegmentSel && s.UpdateProfil);
        EXPECT_EQ(s.NamesLang, 5);
        EXPECT_EQ(s.LogLevel, 2);
        EXPECT_EQ(s.ProfilNumber, 7);
    }
    ProgramSettings s;
    ASSERT_TRUE(ApplyScreenProfile(s, 1, QStringLiteral("Windows XP")));
    EXPECT_FALSE(s.InsertLine);
    const ProgramSettings before = s;
    for (int bad : {0, 4, -1, 9}) {
        EXPECT_FALSE(ApplyScreenProfile(s, bad, QStringLiteral("Windows 95")));
        EXPECT_EQ(s, before);
    }
}

} // namespace
