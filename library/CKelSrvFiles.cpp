#include "library/CKelSrv.h"

#include "library/CopyProgress.h"
#include "library/SrvFileRecords.h"
#include "platform/text/AnsiText.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>

namespace lumo {

using srv::LocalPath;
using srv::RaiseObject;

namespace {

const QStringList kSkippedTrees = {QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev"),
                                   QStringLiteral("/run")};
constexpr int kMaxSearchDepth = 32;

srv::FileRecord fileRecord(const QString& path, const char* member) {
    const auto r = srv::ReadFileRecord(path);
    if (!r)
        RaiseObject(516, member, QStringLiteral("Nelze zjistit informace o souboru ") + path);
    return *r;
}

QString searchTree(const QString& folder, const QString& name, int depth) {
    if (depth > kMaxSearchDepth || kSkippedTrees.contains(folder))
        return {};
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& f : files) {
        if (f.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return f.absoluteFilePath();
    }
    const QFileInfoList subs =
        dir.entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo& d : subs) {
        const QString hit = searchTree(d.absoluteFilePath(), name, depth + 1);
        if (!hit.isEmpty())
            return hit;
    }
    return {};
}

} // namespace

bool CKelSrv::FileExist(const QString& FileName) const {
    return !FileName.isEmpty() && QFileInfo(LocalPath(FileName)).isFile();
}

qint64 CKelSrv::FileSize(const QString& FileName) const {
    return fileRecord(FileName, "FileSize").Size;
}

QString CKelSrv::FileDrive(const QString& FileName) const {
    return fileRecord(FileName, "FileDrive").Drive;
}

QString CKelSrv::FileDirectory(const QString& FileName) const {
    return fileRecord(FileName, "FileDirectory").Directory;
}

QString CKelSrv::FileFullName(const QString& FileName) const {
    return fileRecord(FileName, "FileFullName").Name;
}

QString CKelSrv::FileBaseName(const QString& FileName) const {
    return fileRecord(FileName, "FileBaseName").BaseName;
}

QString CKelSrv::FileExtension(const QString& FileName) const {
    return fileRecord(FileName, "FileExtension").Extension;
}

QString CKelSrv::FileShortDirectory(const QString& FileName) const {
    return fileRecord(FileName, "FileShortDirectory").ShortPath;
}

QString CKelSrv::FileShortName(const QString& FileName) const {
    return fileRecord(FileName, "FileShortName").ShortName;
}

QDateTime CKelSrv::FileDateCreated(const QString& FileName) const {
    return fileRecord(FileName, "FileDateCreated").DateCreated;
}

QDateTime CKelSrv::FileDateModified(const QString& FileName) const {
    return fileRecord(FileName, "FileDateModified").DateModified;
}

QDateTime CKelSrv::FileDateAccessed(const QString& FileName) const {
    return fileRecord(FileName, "FileDateAccessed").DateAccessed;
}

QString CKelSrv::FileVersion(const QString& FileName) const {
    return fileRecord(FileName, "FileVersion").Version;
}

bool CKelSrv::FileIsReadOnly(const QString& FileName) const {
    return fileRecord(FileName, "FileIsReadOnly").IsReadOnly;
}

bool CKelSrv::FileIsSystem(const QString& FileName) const {
    return fileRecord(FileName, "FileIsSystem").IsSystem;
}

bool CKelSrv::FileIsHidden(const QString& FileName) const {
    return fileRecord(FileName, "FileIsHidden").IsHidden;
}

bool CKelSrv::FileIsArchive(const QString& FileName) const {
    return fileRecord(FileName, "FileIsArchive").IsArchive;
}

bool CKelSrv::FileIsCompressed(const QString& FileName) const {
    return fileRecord(FileName, "FileIsCompressed").IsCompressed;
}

QString CKelSrv::FindFile(const QString& FileName, const QString& StartFolder) const {
    try {
        const QString name = FileName.trimmed();
        if (name.isEmpty())
            return {};
        if (!StartFolder.isEmpty()) {
            const QString start = LocalPath(CompletePath(StartFolder));
            return QFileInfo(start).isDir() ? searchTree(QDir(start).absolutePath(), name, 0) : QString();
        }
        // Every mounted volume in turn stands in for the drive letters.
        QStringList roots;
        for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
            if (v.isValid() && v.isReady() && !roots.contains(v.rootPath()))
                roots.append(v.rootPath());
        }
        roots.sort();
        for (const QString& root : roots) {
            const QString hit = searchTree(root, name, 0);
            if (!hit.isEmpty())
                return hit;
        }
        return {};
    } catch (...) {
        RaiseObject(515, "FindFile",
                    QStringLiteral("Hledání souboru ") + FileName + QStringLiteral(" selhalo"));
    }
}

void CKelSrv::SetFileAttribute(const QString& FileName, long Attributes) const {
    const QString local = LocalPath(FileName);
    if (!QFileInfo(local).isFile())
        RaiseObject(517, "SetFileAttribute", QStringLiteral("Nelze nastavit atributy souboru ") + FileName);
    QFile::Permissions p = QFile::permissions(local);
    // Only the read-only bit has a counterpart here: the write permissions.
    const QFile::Permissions write =
        QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
    if (Attributes & 1)
        p &= ~write;
    else if (!(p & write))
        p |= QFile::WriteOwner | QFile::WriteUser;
    if (!QFile::setPermissions(local, p))
        RaiseObject(517, "SetFileAttribute", QStringLiteral("Nelze nastavit atributy souboru ") + FileName);
}

QString CKelSrv::GetTempFileName() const {
    // The form "radXXXXX.tmp" of the file-system object's temporary names.
    const QString digits = QString::number(QRandomGenerator::global()->bounded(0x100000), 16).toUpper();
    return QStringLiteral("rad") + digits.rightJustified(5, u'0') + QStringLiteral(".tmp");
}

void CKelSrv::DeleteFile(const QString& FileName, bool Force) const {
    const QString local = LocalPath(FileName);
    const bool ok = QFileInfo(local).isFile() && (Force || !srv::IsReadOnly(local)) && QFile::remove(local);
    if (!ok)
        RaiseObject(518, "DeleteFile", QStringLiteral("Nelze odstranit soubor ") + FileName);
}

void CKelSrv::RenameFile(const QString& OldName, const QString& NewName) const {
    const QString from = LocalPath(OldName);
    QString to = LocalPath(NewName);
    // A new name that differs only in case finds the file itself; the name is taken as written.
    if (QFileInfo::exists(from) && QFileInfo(to).canonicalFilePath() == QFileInfo(from).canonicalFilePath())
        to =
            QFileInfo(to).absolutePath() + u'/' + QFileInfo(QString(NewName).replace(u'\\', u'/')).fileName();
    const bool ok =
        QFileInfo(from).isFile() && !to.isEmpty() && !QFileInfo::exists(to) && QFile::rename(from, to);
    if (!ok)
        RaiseObject(519, "RenameFile",
                    QStringLiteral("Nelze přejmenovat soubor ") + OldName + QStringLiteral(" na ") + NewName);
}

void CKelSrv::CopyFile(const QString& Source, const QString& Target, long Flags) const {
    const QString src = LocalPath(Source);
    const QString dst = LocalPath(Target);
    if (!QFileInfo(src).isFile())
        RaiseObject(513, "CopyFile", QStringLiteral("Soubor ") + Source + QStringLiteral(" neexistuje"));
    const bool move = Flags & 1;
    if (QFileInfo::exists(dst) && !(Flags & 2))
        RaiseObject(521, "CopyFile",
                    QStringLiteral("Soubor ") + Target +
                        QStringLiteral(" existuje a jeho přepsáná není povoleno"));
    const auto fail = [&] {
        RaiseObject(520, "CopyFile",
                    QStringLiteral("Nelze zkopírovat soubor ") + Source + QStringLiteral(" do ") + Target);
    };
    // A file copied or moved onto itself would be lost when the source is deleted.
    // A read-only target cannot be deleted without force, so it is not overwritten either.
    if (dst.isEmpty() || QFileInfo(dst).isDir() ||
        QFileInfo(src).canonicalFilePath() == QFileInfo(dst).canonicalFilePath() ||
        (QFileInfo::exists(dst) && srv::IsReadOnly(dst)))
        fail();

    CopyProgress* progress =
        (Flags & 4) && FormsLoaded() ? (m_CopyProgress ? m_CopyProgress : ProgressWindow()) : nullptr;
    if (!progress) {
        if (move && std::rename(QFile::encodeName(src).constData(), QFile::encodeName(dst).constData()) == 0)
            return;
        // A move to another volume copies and deletes.
        if (!srv::CopyFileContents(src, dst, nullptr) || (move && !QFile::remove(src)))
            fail();
        return;
    }
    progress->ShowProgress(move ? QStringLiteral("Přesun souboru") : QStringLiteral("Kopírování souboru"),
                           (move ? QStringLiteral("Přesouvám soubor ") : QStringLiteral("Kopíruji soubor ")) +
                               Source + QStringLiteral("\r\ndo ") + Target);
    const bool ok = srv::CopyFileContents(src, dst, progress) && (!move || QFile::remove(src));
    progress->HideProgress();
    if (!ok)
        fail();
}

QString CKelSrv::GetTextFromFile(const QString& FileName) const {
    const QString local = LocalPath(FileName);
    QFile f(local);
    if (local.isEmpty() || !QFileInfo(local).isFile() || !f.open(QIODevice::ReadOnly))
        RaiseObject(514, "GetTextFromFile", QStringLiteral("Chyba při načítání dat ze souboru ") + FileName);
    return text::decodeAnsi(f.readAll());
}

QFileInfo CKelSrv::GetFile(const QString& FileName) const {
    const QFileInfo fi(LocalPath(FileName));
    if (!fi.isFile())
        srv::RaiseSystem(ENOENT, "GetFile");
    return fi;
}

QString CKelSrv::CompletePath(const QString& Path) const {
    if (Path.isEmpty() || Path.endsWith(u'/') || Path.endsWith(u'\\'))
        return Path;
    return Path + u'/';
}

} // namespace lumo
