#include "library/CKelSrv.h"
#include "library/CopyProgress.h"

#include "common/TempProgramDir.h"
#include "platform/err/VbError.h"
#include "platform/ui/DialogPresenter.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>

#include <gtest/gtest.h>

using lumo::CKelSrv;
using lumo::err::VbError;
using lumo::test::TempProgramDir;

namespace {

constexpr long kBase = -2147221504L;

struct Raised {
    long number = 0;
    QString source;
    QString description;
};

Raised raised(const std::function<void()>& f) {
    try {
        f();
    } catch (const VbError& e) {
        return {e.Number(), e.Source(), e.Description()};
    }
    return {};
}

void expectRaised(const std::function<void()>& f, long offset, const char* member,
                  const QString& description) {
    const Raised r = raised(f);
    EXPECT_EQ(r.number, kBase + offset) << member;
    EXPECT_EQ(r.source, QStringLiteral("KelVBLib-CKelService-") + QString::fromLatin1(member));
    EXPECT_EQ(r.description, description) << r.description.toStdString();
}

QByteArray pattern(int size) {
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char(i * 7 % 251);
    return b;
}

class RecordingProgress : public lumo::CopyProgress {
public:
    void ShowProgress(const QString& caption, const QString& text) override {
        this->caption = caption;
        this->text = text;
        shown = true;
    }
    void SetProgress(int percent) override { values.push_back(percent); }
    void HideProgress() override { shown = false; }

    QString caption;
    QString text;
    std::vector<int> values;
    bool shown = false;
};

class CKelSrvFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.file(QString::fromUtf8(name)); }
    void mkdir(const char* name) const { QDir(dir.path()).mkpath(QString::fromUtf8(name)); }

    TempProgramDir dir;
    CKelSrv srv;
};

} // namespace

TEST_F(CKelSrvFiles, CompletePath) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/lumo", "/opt/lumo/"},
        {"/opt/lumo/", "/opt/lumo/"},
        {"", ""},
        {"C:\\Lumo\\", "C:\\Lumo\\"},
        {"x", "x/"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(srv.CompletePath(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
    dir.write("Lumo.ini", "x");
    EXPECT_TRUE(srv.FileExist(srv.CompletePath(dir.path()) + QStringLiteral("Lumo.ini")));
}

TEST_F(CKelSrvFiles, FileExistAndFileRecord) {
    mkdir("AISLP");
    dir.write("AISLP/MVAW.exe", pattern(1234));
    dir.write("Lumo1.ini", "");
    dir.write(".hidden.tar.gz", "x");
    EXPECT_TRUE(srv.FileExist(dir.path() + QStringLiteral("\\LUMO1.INI")));
    EXPECT_FALSE(srv.FileExist(dir.path() + QStringLiteral("/aislp")));
    EXPECT_FALSE(srv.FileExist(QString()));
    EXPECT_FALSE(srv.FileExist(path("nothing.txt")));

    const QString exe = dir.path() + QStringLiteral("\\aislp\\mvaw.EXE");
    EXPECT_EQ(srv.FileDirectory(exe), path("AISLP"));
    EXPECT_EQ(srv.FileSize(exe), 1234);
    EXPECT_EQ(srv.FileFullName(exe), QStringLiteral("MVAW.exe"));
    EXPECT_EQ(srv.FileBaseName(exe), QStringLiteral("MVAW"));
    EXPECT_EQ(srv.FileExtension(exe), QStringLiteral("exe"));
    EXPECT_EQ(srv.FileShortDirectory(exe), path("AISLP/MVAW.exe"));
    EXPECT_FALSE(srv.FileDrive(exe).isEmpty());
    EXPECT_TRUE(srv.FileDateModified(exe).isValid());
    EXPECT_TRUE(srv.FileDateCreated(exe).isValid());
    EXPECT_EQ(srv.FileVersion(exe), QString());
    EXPECT_FALSE(srv.FileIsHidden(exe));
    EXPECT_TRUE(srv.FileIsHidden(path(".hidden.tar.gz")));
    EXPECT_EQ(srv.FileBaseName(path(".hidden.tar.gz")), QStringLiteral(".hidden.tar"));
    EXPECT_FALSE(srv.FileIsSystem(exe) || srv.FileIsArchive(exe) || srv.FileIsCompressed(exe));

    srv.SetFileAttribute(exe, 1);
    EXPECT_TRUE(srv.FileIsReadOnly(exe));
    srv.SetFileAttribute(exe, 32);
    EXPECT_FALSE(srv.FileIsReadOnly(exe));

    const QString missing = dir.path() + QStringLiteral("\\x\\MVAW.exe");
    expectRaised([&] { srv.FileDirectory(missing); }, 516, "FileDirectory",
                 QStringLiteral("Nelze zjistit informace o souboru ") + missing);
    expectRaised([&] { srv.FileSize(path("AISLP")); }, 516, "FileSize",
                 QStringLiteral("Nelze zjistit informace o souboru ") + path("AISLP"));
    expectRaised([&] { srv.SetFileAttribute(missing, 1); }, 517, "SetFileAttribute",
                 QStringLiteral("Nelze nastavit atributy souboru ") + missing);
    EXPECT_EQ(raised([&] { srv.GetFile(missing); }).number, 53);
    EXPECT_EQ(srv.GetFile(exe).size(), 1234);
}

TEST_F(CKelSrvFiles, GetTextFromFile) {
    dir.write("Licence.rtf", QByteArray("\x4d\xe1\x74\x61\x00\x81\r\n", 8));
    EXPECT_EQ(srv.GetTextFromFile(dir.path() + QStringLiteral("\\LICENCE.RTF")),
              QStringLiteral("Máta") + QChar(0) + QChar(0x81) + QStringLiteral("\r\n"));
    const QString missing = path("Zmeny.rtf");
    expectRaised([&] { srv.GetTextFromFile(missing); }, 514, "GetTextFromFile",
                 QStringLiteral("Chyba při načítání dat ze souboru ") + missing);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(lumo::err::CurrentError().Number, kBase + 514);
}

TEST_F(CKelSrvFiles, CopyWithProgressReportsEachBlock) {
    RecordingProgress progress;
    srv.SetCopyProgress(&progress);
    const QByteArray data = pattern(10000);
    dir.write("src.bin", data);
    QFile::setPermissions(path("src.bin"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    srv.CopyFile(path("src.bin"), path("dst.bin"), 4);
    EXPECT_EQ(progress.caption, QStringLiteral("Kopírování souboru"));
    EXPECT_EQ(progress.text, QStringLiteral("Kopíruji soubor ") + path("src.bin") +
                                 QStringLiteral("\r\ndo ") + path("dst.bin"));
    EXPECT_EQ(progress.values, (std::vector<int>{41, 82, 100}));
    EXPECT_FALSE(progress.shown);
    EXPECT_EQ(dir.read("dst.bin"), data);
    EXPECT_EQ(QFile::permissions(path("dst.bin")), QFile::permissions(path("src.bin")));

    progress.values.clear();
    srv.CopyFile(path("dst.bin"), path("moved.bin"), 1 | 4);
    EXPECT_EQ(progress.caption, QStringLiteral("Přesun souboru"));
    EXPECT_TRUE(progress.text.startsWith(QStringLiteral("Přesouvám soubor ")));
    EXPECT_FALSE(QFile::exists(path("dst.bin")));
    EXPECT_EQ(dir.read("moved.bin"), data);

    // An empty file has no blocks: the bar goes straight to 100.
    progress.values.clear();
    dir.write("empty.bin", "");
    srv.CopyFile(path("empty.bin"), path("empty2.bin"), 4);
    EXPECT_EQ(progress.values, (std::vector<int>{100}));
    EXPECT_TRUE(QFile::exists(path("empty2.bin")));
}

TEST_F(CKelSrvFiles, CopyAndMoveRules) {
    dir.write("a.txt", "new");
    dir.write("b.txt", "old");
    expectRaised([&] { srv.CopyFile(path("a.txt"), path("b.txt"), 0); }, 521, "CopyFile",
                 QStringLiteral("Soubor ") + path("b.txt") +
                     QStringLiteral(" existuje a jeho přepsáná není povoleno"));
    EXPECT_EQ(dir.read("a.txt"), "new");
    EXPECT_EQ(dir.read("b.txt"), "old");
    expectRaised([&] { srv.CopyFile(path("none.txt"), path("c.txt"), 0); }, 513, "CopyFile",
                 QStringLiteral("Soubor ") + path("none.txt") + QStringLiteral(" neexistuje"));

    srv.CopyFile(path("A.TXT"), path("b.txt"), 2);
    EXPECT_EQ(dir.read("b.txt"), "new");
    srv.CopyFile(path("a.txt"), path("c.txt"), 4); // progress asked for, but no window: plain copy
    EXPECT_EQ(dir.read("c.txt"), "new");
    srv.CopyFile(path("c.txt"), path("b.txt"), 1 | 2);
    EXPECT_FALSE(QFile::exists(path("c.txt")));
    EXPECT_EQ(dir.read("b.txt"), "new");

    // Onto itself: refused, and the file survives even when moving.
    expectRaised([&] { srv.CopyFile(path("a.txt"), path("A.txt"), 1 | 2); }, 520, "CopyFile",
                 QStringLiteral("Nelze zkopírovat soubor ") + path("a.txt") + QStringLiteral(" do ") +
                     path("A.txt"));
    EXPECT_EQ(dir.read("a.txt"), "new");

    // A read-only target is not overwritten, by copy or by move.
    dir.write("ro.txt", "keep");
    srv.SetFileAttribute(path("ro.txt"), 1);
    for (long flags : {2L, 1L | 2L}) {
        EXPECT_EQ(raised([&] { srv.CopyFile(path("a.txt"), path("ro.txt"), flags); }).number, kBase + 520)
            << flags;
        EXPECT_EQ(dir.read("ro.txt"), "keep");
        EXPECT_TRUE(QFile::exists(path("a.txt")));
    }

    // An overwrite that cannot complete leaves the old target as it was.
    const QString longName = QString(250, u'n');
    dir.write(longName, "keep");
    EXPECT_EQ(raised([&] { srv.CopyFile(path("a.txt"), dir.file(longName), 2); }).number, kBase + 520);
    EXPECT_EQ(dir.read(longName), "keep");
}

TEST_F(CKelSrvFiles, DeleteRenameAndTempNames) {
    dir.write("ro.txt", "x");
    srv.SetFileAttribute(path("ro.txt"), 1);
    expectRaised([&] { srv.DeleteFile(path("ro.txt")); }, 518, "DeleteFile",
                 QStringLiteral("Nelze odstranit soubor ") + path("ro.txt"));
    EXPECT_TRUE(QFile::exists(path("ro.txt")));
    srv.DeleteFile(dir.path() + QStringLiteral("\\RO.TXT"), true);
    EXPECT_FALSE(QFile::exists(path("ro.txt")));
    EXPECT_EQ(raised([&] { srv.DeleteFile(path("ro.txt"), true); }).number, kBase + 518);

    dir.write("a.txt", "a");
    dir.write("b.txt", "b");
    expectRaised([&] { srv.RenameFile(path("a.txt"), path("b.txt")); }, 519, "RenameFile",
                 QStringLiteral("Nelze přejmenovat soubor ") + path("a.txt") + QStringLiteral(" na ") +
                     path("b.txt"));
    srv.RenameFile(path("A.txt"), path("c.txt"));
    EXPECT_EQ(dir.read("c.txt"), "a");
    EXPECT_FALSE(QFile::exists(path("a.txt")));
    // Only the case changes: the file takes the name as written.
    srv.RenameFile(path("c.txt"), dir.path() + QStringLiteral("\\C.txt"));
    EXPECT_EQ(QDir(dir.path()).entryList(QStringList{QStringLiteral("?.txt")}, QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("C.txt"), QStringLiteral("b.txt")}));
    EXPECT_EQ(raised([&] { srv.RenameFile(path("C.txt"), path("C.txt")); }).number, kBase + 519);

    const QRegularExpression temp(QStringLiteral("^rad[0-9A-F]{5}\\.tmp$"));
    EXPECT_TRUE(temp.match(srv.GetTempFileName()).hasMatch()) << srv.GetTempFileName().toStdString();
}

TEST_F(CKelSrvFiles, FindFile) {
    mkdir("a/b/c");
    mkdir("a/z");
    dir.write("a/b/c/Target.TXT", "x");
    EXPECT_EQ(srv.FindFile(QStringLiteral("target.txt"), dir.path() + QStringLiteral("\\A")),
              path("a/b/c/Target.TXT"));
    EXPECT_EQ(srv.FindFile(QStringLiteral("none.txt"), dir.path()), QString());
    EXPECT_EQ(srv.FindFile(QStringLiteral("target.txt"), path("missing")), QString());
    EXPECT_EQ(srv.FindFile(QString(), dir.path()), QString());
}

TEST_F(CKelSrvFiles, Folders) {
    srv.CreateFolder(path("New"));
    srv.CreateFolder(path("new")); // exists in other case: nothing to do
    EXPECT_TRUE(srv.FolderExist(dir.path() + QStringLiteral("\\NEW")));
    EXPECT_FALSE(QFileInfo::exists(path("new")));
    EXPECT_EQ(raised([&] { srv.CreateFolder(path("x/y")); }).number, 76);
    EXPECT_FALSE(srv.FolderExist(QString()));

    mkdir("src/sub");
    dir.write("src/one.txt", "1");
    dir.write("src/sub/two.txt", "22");
    dir.write("src/.h", "333");
    EXPECT_EQ(srv.FolderNumFiles(path("src")), 2);
    EXPECT_EQ(srv.FolderNumSubFolders(path("src")), 1);
    EXPECT_EQ(srv.FolderSize(path("src")), 6);
    EXPECT_EQ(srv.FolderParent(path("src")), dir.path());
    EXPECT_EQ(srv.FolderShortName(path("SRC")), QStringLiteral("src"));
    EXPECT_FALSE(srv.FolderIsRoot(path("src")));
    EXPECT_TRUE(srv.FolderIsRoot(QStringLiteral("/")));
    EXPECT_EQ(raised([&] { srv.FolderNumFiles(path("none")); }).number, 76);
    expectRaised([&] { srv.FolderSize(path("none")); }, 546, "FolderSize",
                 QStringLiteral("Nelze zjistit informace o složce ") + path("none"));

    srv.CopyFolder(path("src"), path("copy"));
    EXPECT_EQ(dir.read("copy/sub/two.txt"), "22");
    dir.write("copy/one.txt", "changed");
    expectRaised([&] { srv.CopyFolder(path("src"), path("copy"), false); }, 530, "CopyFolder",
                 QStringLiteral("Chyba při kopírování složky ") + path("src") + QStringLiteral(" do ") +
                     path("copy"));
    EXPECT_EQ(dir.read("copy/one.txt"), "changed");
    EXPECT_EQ(raised([&] { srv.CopyFolder(path("src"), path("src/sub/deeper")); }).number, kBase + 530);
    srv.CopyFolder(path("src"), path("New") + u'/');
    EXPECT_EQ(dir.read("New/src/one.txt"), "1");

    expectRaised([&] { srv.MoveFolder(path("copy"), path("New")); }, 531, "MoveFolder",
                 QStringLiteral("Chyba při přesunu složky ") + path("copy") + QStringLiteral(" do ") +
                     path("New"));
    srv.MoveFolder(path("copy"), path("moved"));
    EXPECT_FALSE(srv.FolderExist(path("copy")));
    EXPECT_EQ(dir.read("moved/sub/two.txt"), "22");

    srv.SetFileAttribute(path("moved/sub/two.txt"), 1);
    EXPECT_EQ(raised([&] { srv.DeleteFolder(path("moved")); }).number, 70);
    EXPECT_TRUE(srv.FolderExist(path("moved")));
    srv.DeleteFolder(path("MOVED"), true);
    EXPECT_FALSE(srv.FolderExist(path("moved")));
    EXPECT_EQ(raised([&] { srv.DeleteFolder(path("moved")); }).number, 76);
}

TEST_F(CKelSrvFiles, SpecialFoldersAndDrives) {
    EXPECT_EQ(srv.GetSpecialFolder(2), QDir::tempPath());
    const Raised windows = raised([&] { srv.GetSpecialFolder(0); });
    EXPECT_EQ(windows.number, kBase + 576);
    EXPECT_EQ(windows.source, QStringLiteral("KelVBLib-CKelService-GetSpecialFolder"));
    EXPECT_EQ(windows.description, QStringLiteral("Operace není v tomto systému dostupná"));
    EXPECT_EQ(raised([&] { srv.GetSpecialFolder(3); }).number, 5);

    EXPECT_TRUE(srv.DriveExist(QStringLiteral("/")));
    EXPECT_FALSE(srv.DriveExist(QStringLiteral("C:")));
    EXPECT_FALSE(srv.DriveExist(dir.path() + QStringLiteral("/none")));
    EXPECT_TRUE(srv.DriveReady(QStringLiteral("/")));
    EXPECT_GT(srv.DriveFullSize(QStringLiteral("/")), 0);
    EXPECT_GE(srv.DriveFullSize(QStringLiteral("/")), srv.DriveFreeSize(QStringLiteral("/")));
    EXPECT_FALSE(srv.FileSystem(QStringLiteral("/")).isEmpty());
    expectRaised([&] { srv.DriveReady(QStringLiteral("C:")); }, 563, "DriveReady",
                 QStringLiteral("Disk C: neexistuje"));
    expectRaised([&] { srv.DriveFreeSize(QStringLiteral("Q:")); }, 563, "DriveFreeSize",
                 QStringLiteral("Disku Q: neexistuje"));
    EXPECT_EQ(raised([&] { srv.GetDrive(QStringLiteral("Q:")); }).number, 68);

    const std::pair<const char*, std::function<void()>> unavailable[] = {
        {"FormatDrive", [&] { srv.FormatDrive(QStringLiteral("/")); }},
        {"SetLabel", [&] { srv.SetLabel(QStringLiteral("/"), QStringLiteral("LUMO")); }},
        {"GetDrives", [&] { srv.GetDrives(2); }},
        {"DriveLabel", [&] { srv.DriveLabel(QStringLiteral("/")); }},
        {"DriveType", [&] { srv.DriveType(QStringLiteral("/")); }},
        {"DriveSerialNumber", [&] { srv.DriveSerialNumber(QStringLiteral("/")); }},
        {"DriveShareName", [&] { srv.DriveShareName(QStringLiteral("/")); }},
    };
    for (const auto& [member, call] : unavailable) {
        const Raised r = raised(call);
        EXPECT_EQ(r.number, kBase + 576) << member;
        EXPECT_EQ(r.source, QStringLiteral("KelVBLib-CKelService-") + QString::fromLatin1(member));
        EXPECT_EQ(r.description, QStringLiteral("Operace není v tomto systému dostupná")) << member;
    }
}

TEST_F(CKelSrvFiles, InsertDisc) {
    QStringList texts;
    QStringList titles;
    int answer = QMessageBox::Cancel;
    lumo::ui::ScopedDialogHook hook([&](QDialog& d) -> std::optional<int> {
        if (auto* box = qobject_cast<QMessageBox*>(&d))
            texts.append(box->text());
        titles.append(d.windowTitle());
        return answer;
    });
    long media = 3;
    EXPECT_FALSE(srv.InsertDisc(QStringLiteral("E:"), media));
    EXPECT_EQ(texts, QStringList{QStringLiteral(
                         "Vložte CD do mechaniky E: a stiskněte Enter\r\nPro přerušení stiskněte Esc")});
    EXPECT_EQ(titles, QStringList{QStringLiteral("Vložení média")});

    media = 9;
    EXPECT_FALSE(srv.InsertDisc(QStringLiteral("E:"), media));
    EXPECT_EQ(texts.size(), 1) << "no question for an unknown medium";

    answer = QMessageBox::Ok;
    media = 5;
    EXPECT_TRUE(srv.InsertDisc(QStringLiteral("/"), media));
    EXPECT_TRUE(texts.back().startsWith(QStringLiteral("Vložte médium do mechaniky /")));
}
