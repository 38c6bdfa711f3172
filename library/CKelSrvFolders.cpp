#include "library/CKelSrv.h"

#include "library/SrvFileRecords.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/ui/DialogPresenter.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>

#include <cerrno>
#include <filesystem>

namespace lumo {

using srv::LocalPath;
using srv::RaiseObject;

namespace {

const QDir::Filters kFiles = QDir::Files | QDir::Hidden | QDir::System;
const QDir::Filters kFolders = QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

srv::FolderRecord folderRecord(const QString& path, const char* member, bool withSize = false) {
    const auto r = srv::ReadFolderRecord(path, withSize);
    if (!r)
        RaiseObject(546, member, QStringLiteral("Nelze zjistit informace o složce ") + path);
    return *r;
}

// The folder on disk, or the platform's "path not found".
QString existingFolder(const QString& path, const char* member) {
    const QString local = LocalPath(path);
    if (local.isEmpty() || !QFileInfo(local).isDir())
        srv::RaiseSystem(ENOTDIR, member);
    return local;
}

bool treeHasReadOnly(const QString& folder) {
    if (srv::IsReadOnly(folder))
        return true;
    QDirIterator it(folder, kFiles | QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (srv::IsReadOnly(it.next()))
            return true;
    }
    return false;
}

// Copies the tree src into dst (made when missing). Existing files are replaced only with overwrite.
bool copyTree(const QString& src, const QString& dst, bool overwrite) {
    if (!QFileInfo(dst).isDir() && !QDir().mkpath(dst))
        return false;
    const QDir from(src);
    for (const QFileInfo& f : from.entryInfoList(kFiles | QDir::NoSymLinks)) {
        const QString target = dst + u'/' + f.fileName();
        if (QFileInfo::exists(target) && !overwrite)
            return false;
        if (!srv::CopyFileContents(f.absoluteFilePath(), target, nullptr))
            return false;
    }
    for (const QFileInfo& d : from.entryInfoList(kFolders | QDir::NoSymLinks)) {
        if (!copyTree(d.absoluteFilePath(), dst + u'/' + d.fileName(), overwrite))
            return false;
    }
    return true;
}

bool isInside(const QString& inner, const QString& outer) {
    const QString a = QDir(inner).absolutePath() + u'/';
    const QString b = QDir(outer).absolutePath() + u'/';
    return a.startsWith(b);
}

// The drive on disk, or error 563 with the text the member uses.
QString existingDrive(const QString& drive, const char* member, const QString& prefix) {
    if (!srv::IsDrive(drive))
        RaiseObject(563, member, prefix + drive + QStringLiteral(" neexistuje"));
    return LocalPath(drive);
}

qint64 kilobytes(qint64 bytes) {
    return (bytes + 512) / 1024;
}

QStorageInfo readyDrive(const QString& drive, const char* member) {
    const QStorageInfo info(existingDrive(drive, member, QStringLiteral("Disku ")));
    if (!info.isValid() || !info.isReady())
        RaiseObject(576, member, QStringLiteral("Nelze zjistit informace o disku ") + drive);
    return info;
}

} // namespace

void CKelSrv::DeleteFolder(const QString& FolderName, bool Force) const {
    const QString local = existingFolder(FolderName, "DeleteFolder");
    if (!Force && treeHasReadOnly(local))
        srv::RaiseSystem(EACCES, "DeleteFolder");
    std::error_code ec;
    std::filesystem::remove_all(QFile::encodeName(local).toStdString(), ec);
    if (ec)
        srv::RaiseSystem(ec.value(), "DeleteFolder");
}

bool CKelSrv::FolderExist(const QString& FolderName) const {
    return !FolderName.isEmpty() && QFileInfo(LocalPath(FolderName)).isDir();
}

void CKelSrv::CreateFolder(const QString& FolderName) const {
    const QString local = LocalPath(FolderName);
    if (QFileInfo(local).isDir())
        return;
    std::error_code ec;
    std::filesystem::create_directory(QFile::encodeName(local).toStdString(), ec);
    if (ec)
        srv::RaiseSystem(ec.value() == ENOENT ? ENOTDIR : ec.value(), "CreateFolder");
}

void CKelSrv::CopyFolder(const QString& Source, const QString& Target, bool Overwrite) const {
    const QString src = LocalPath(Source);
    QString dst = LocalPath(Target);
    // A target written with a trailing separator is the folder to copy into.
    if ((Target.endsWith(u'/') || Target.endsWith(u'\\')) && QFileInfo(dst).isDir())
        dst = QDir(dst).absolutePath() + u'/' + QFileInfo(QDir(src).absolutePath()).fileName();
    const bool ok =
        QFileInfo(src).isDir() && !dst.isEmpty() && !isInside(dst, src) && copyTree(src, dst, Overwrite);
    if (!ok)
        RaiseObject(530, "CopyFolder",
                    QStringLiteral("Chyba při kopírování složky ") + Source + QStringLiteral(" do ") +
                        Target);
}

void CKelSrv::MoveFolder(const QString& Source, const QString& Target) const {
    const QString src = LocalPath(Source);
    const QString dst = LocalPath(Target);
    const auto fail = [&] {
        RaiseObject(531, "MoveFolder",
                    QStringLiteral("Chyba při přesunu složky ") + Source + QStringLiteral(" do ") + Target);
    };
    if (!QFileInfo(src).isDir() || dst.isEmpty() || QFileInfo::exists(dst) || isInside(dst, src))
        fail();
    if (QDir().rename(src, dst))
        return;
    // Another volume: copy, then remove the original only once the copy is whole.
    if (!copyTree(src, dst, false)) {
        QDir(dst).removeRecursively();
        fail();
    }
    if (!QDir(src).removeRecursively())
        fail();
}

QString CKelSrv::GetSpecialFolder(long Folder) const {
    switch (Folder) {
    case 0: // the Windows folder
    case 1: // the system folder
        srv::RaiseNotAvailable("GetSpecialFolder");
    case 2:
        return QDir::tempPath();
    default:
        err::Raise(err::errInvalidCall, QStringLiteral("KelVBLib-CKelService-GetSpecialFolder"));
    }
}

QDir CKelSrv::GetFolder(const QString& FolderName) const {
    return QDir(existingFolder(FolderName, "GetFolder"));
}

QString CKelSrv::FolderDrive(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderDrive").Drive;
}

QString CKelSrv::FolderParent(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderParent").ParentFolder;
}

QString CKelSrv::FolderShortName(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderShortName").ShortName;
}

QString CKelSrv::FolderShortParent(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderShortParent").ShortPath;
}

QDateTime CKelSrv::FolderDateCreated(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderDateCreated").DateCreated;
}

QDateTime CKelSrv::FolderDateModified(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderDateModified").DateModified;
}

QDateTime CKelSrv::FolderDateAccessed(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderDateAccessed").DateAccessed;
}

qint64 CKelSrv::FolderSize(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderSize", true).Size;
}

bool CKelSrv::FolderIsRoot(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderIsRoot").IsRoot;
}

bool CKelSrv::FolderIsReadOnly(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderIsReadOnly").IsReadOnly;
}

bool CKelSrv::FolderIsSystem(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderIsSystem").IsSystem;
}

bool CKelSrv::FolderIsHidden(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderIsHidden").IsHidden;
}

bool CKelSrv::FolderIsArchive(const QString& FolderName) const {
    return folderRecord(FolderName, "FolderIsArchive").IsArchive;
}

long CKelSrv::FolderNumFiles(const QString& FolderName) const {
    return static_cast<long>(FolderFiles(FolderName).size());
}

long CKelSrv::FolderNumSubFolders(const QString& FolderName) const {
    return static_cast<long>(FolderSubFolders(FolderName).size());
}

QFileInfoList CKelSrv::FolderFiles(const QString& FolderName) const {
    return QDir(existingFolder(FolderName, "FolderFiles")).entryInfoList(kFiles, QDir::Name);
}

QFileInfoList CKelSrv::FolderSubFolders(const QString& FolderName) const {
    return QDir(existingFolder(FolderName, "FolderSubFolders")).entryInfoList(kFolders, QDir::Name);
}

QString CKelSrv::GetDrives(long) const {
    srv::RaiseNotAvailable("GetDrives");
}

bool CKelSrv::DriveExist(const QString& Drive) const {
    return srv::IsDrive(Drive);
}

bool CKelSrv::DriveReady(const QString& Drive) const {
    return QStorageInfo(existingDrive(Drive, "DriveReady", QStringLiteral("Disk "))).isReady();
}

bool CKelSrv::SetLabel(const QString&, const QString&) const {
    srv::RaiseNotAvailable("SetLabel");
}

void CKelSrv::FormatDrive(const QString&) const {
    srv::RaiseNotAvailable("FormatDrive");
}

bool CKelSrv::InsertDisc(const QString& Drive, long& MediaType) const {
    static const QString prompts[] = {
        QStringLiteral("Vložte disketu do mechaniky "), QStringLiteral("Vložte disketu ZIP do mechaniky "),
        QStringLiteral("Vložte CD do mechaniky "),      QStringLiteral("Vložte disketu LS120 do mechaniky "),
        QStringLiteral("Vložte médium do mechaniky "),
    };
    if (MediaType < 1 || MediaType > 5)
        return false;
    const QString text =
        prompts[MediaType - 1] + Drive + QStringLiteral(" a stiskněte Enter\r\nPro přerušení stiskněte Esc");
    for (;;) {
        const auto answer = ui::DialogPresenter::msgBox(
            text, QStringLiteral("Vložení média"), QMessageBox::NoIcon, QMessageBox::Ok | QMessageBox::Cancel,
            QMessageBox::Ok, m_UsedForm.data());
        if (answer != QMessageBox::Ok)
            return false;
        const bool ready = srv::IsDrive(Drive) && QStorageInfo(LocalPath(Drive)).isReady();
        QApplication::beep();
        if (ready)
            return true;
    }
}

QString CKelSrv::DriveLabel(const QString& Drive) const {
    existingDrive(Drive, "DriveLabel", QStringLiteral("Disku "));
    srv::RaiseNotAvailable("DriveLabel");
}

QString CKelSrv::DriveSerialNumber(const QString& Drive) const {
    existingDrive(Drive, "DriveSerialNumber", QStringLiteral("Disku "));
    srv::RaiseNotAvailable("DriveSerialNumber");
}

qint64 CKelSrv::DriveFreeSize(const QString& Drive) const {
    return kilobytes(readyDrive(Drive, "DriveFreeSize").bytesFree());
}

qint64 CKelSrv::DriveAvailableSize(const QString& Drive) const {
    return kilobytes(readyDrive(Drive, "DriveAvailableSize").bytesAvailable());
}

qint64 CKelSrv::DriveFullSize(const QString& Drive) const {
    return kilobytes(readyDrive(Drive, "DriveFullSize").bytesTotal());
}

QString CKelSrv::DriveFileSystem(const QString& Drive) const {
    return QString::fromLatin1(readyDrive(Drive, "DriveFileSystem").fileSystemType());
}

QString CKelSrv::DriveShareName(const QString& Drive) const {
    existingDrive(Drive, "DriveShareName", QStringLiteral("Disku "));
    srv::RaiseNotAvailable("DriveShareName");
}

long CKelSrv::DriveType(const QString& Drive) const {
    existingDrive(Drive, "DriveType", QStringLiteral("Disku "));
    srv::RaiseNotAvailable("DriveType");
}

QStorageInfo CKelSrv::GetDrive(const QString& Drive) const {
    if (!srv::IsDrive(Drive))
        err::Raise(err::errDeviceUnavailable, QStringLiteral("KelVBLib-CKelService-GetDrive"));
    return QStorageInfo(LocalPath(Drive));
}

QString CKelSrv::FileSystem(const QString& Drive) const {
    return QString::fromLatin1(GetDrive(Drive).fileSystemType());
}

} // namespace lumo
