#include "library/SrvFileRecords.h"

#include "library/CopyProgress.h"
#include "platform/err/VbError.h"
#include "platform/paths/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cmath>

namespace lumo::srv {

namespace {

constexpr qint64 kBlock = 4096;

QString sourceOf(const char* member) {
    return QStringLiteral("KelVBLib-CKelService-") + QString::fromLatin1(member);
}

QDateTime createdOf(const QFileInfo& fi) {
    // Not every file system keeps a birth time; the last change stands in for it.
    const QDateTime born = fi.birthTime();
    return born.isValid() ? born : fi.lastModified();
}

qint64 treeSize(const QString& folder) {
    qint64 size = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        size += it.fileInfo().size();
    }
    return size;
}

} // namespace

void RaiseObject(long offset, const char* member, const QString& description) {
    err::CurrentError().Clear();
    err::Raise(err::vbObjectError + offset, sourceOf(member), description);
}

void RaiseSystem(int code, const char* member) {
    try {
        throw std::system_error(code, std::generic_category());
    } catch (...) {
        const err::ErrorRecord r = err::CaptureCurrentException(sourceOf(member));
        err::Raise(r.Number, r.Source, r.Description);
    }
}

void RaiseNotAvailable(const char* member) {
    // The drive services' number: the last of the library's range.
    RaiseObject(576, member, QStringLiteral("Operace není v tomto systému dostupná"));
}

QString LocalPath(const QString& path) {
    return paths::Resolve(path);
}

bool IsReadOnly(const QString& localPath) {
    const QFile::Permissions p = QFile::permissions(localPath);
    return !(p & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

namespace {

// Fills what files and folders have alike once Name is known.
void fillEntry(EntryRecord& r, const QFileInfo& fi, const QString& local, const QString& shortPath) {
    if (r.Drive.isEmpty())
        r.Drive = DriveOf(local);
    // There are no short names: the long ones stand in.
    r.ShortPath = shortPath;
    r.ShortName = r.Name;
    r.IsReadOnly = IsReadOnly(local);
    r.IsHidden = r.Name.startsWith(u'.');
    r.DateCreated = createdOf(fi);
    r.DateModified = fi.lastModified();
    r.DateAccessed = fi.lastRead();
}

} // namespace

std::optional<FileRecord> ReadFileRecord(const QString& path) {
    const QString local = LocalPath(path);
    const QFileInfo fi(local);
    if (local.isEmpty() || !fi.isFile())
        return std::nullopt;
    FileRecord r;
    r.Name = fi.fileName();
    fillEntry(r, fi, local, fi.absoluteFilePath());
    r.Directory = fi.absolutePath();
    r.Size = fi.size();
    r.BaseName = fi.completeBaseName();
    r.Extension = fi.suffix();
    return r;
}

std::optional<FolderRecord> ReadFolderRecord(const QString& path, bool withSize) {
    const QString local = LocalPath(path);
    const QFileInfo fi(local);
    if (local.isEmpty() || !fi.isDir())
        return std::nullopt;
    FolderRecord r;
    const QString full = QDir(local).absolutePath();
    r.Drive = DriveOf(local);
    r.IsRoot = QDir(local).canonicalPath() == QDir(r.Drive).canonicalPath();
    r.Name = r.IsRoot ? QString() : QFileInfo(full).fileName();
    r.ParentFolder = QDir(local).isRoot() ? QString() : QFileInfo(full).absolutePath();
    fillEntry(r, fi, local, full);
    r.Size = withSize ? treeSize(local) : 0;
    return r;
}

QString DriveOf(const QString& localPath) {
    const QStorageInfo info(localPath);
    return info.isValid() ? info.rootPath() : QString();
}

bool IsDrive(const QString& drive) {
    const QString local = LocalPath(drive);
    if (local.isEmpty() || !QFileInfo(local).isDir())
        return false;
    const QStorageInfo info(local);
    return info.isValid() && QDir(local).canonicalPath() == QDir(info.rootPath()).canonicalPath();
}

bool CopyFileContents(const QString& src, const QString& dst, CopyProgress* progress) {
    QFile in(src);
    QSaveFile out(dst);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    const qint64 length = in.size();
    const qint64 blocks = length / kBlock;
    for (qint64 b = 1; b <= blocks; ++b) {
        const QByteArray data = in.read(kBlock);
        if (data.size() != kBlock || out.write(data) != kBlock)
            return false;
        if (progress) {
            progress->SetProgress(static_cast<int>(std::lrint(double(b) * kBlock * 100.0 / double(length))));
            // Keep the window painted; a click now must not start another action.
            if (QCoreApplication::instance())
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }
    const QByteArray rest = in.read(length % kBlock);
    if (rest.size() != length % kBlock || out.write(rest) != rest.size())
        return false;
    if (progress)
        progress->SetProgress(100);
    // Flushed before commit, which would not see a write failing now (disk full).
    if (!out.flush() || !out.commit())
        return false;
    QFile::setPermissions(dst, QFile::permissions(src));
    return true;
}

} // namespace lumo::srv
