#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <system_error>

// What the file, folder and drive members of the service object share: their
// records and the errors they raise.
namespace lumo {
class CopyProgress;
}

namespace lumo::srv {

// Clears the current error and raises the object error vbObjectError + offset with the
// source "KelVBLib-CKelService-" + member.
[[noreturn]] void RaiseObject(long offset, const char* member, const QString& description);
// The platform's own error for a failed system call (file not found, permission denied, ...).
// code is an errno value.
[[noreturn]] void RaiseSystem(int code, const char* member);
// The members that have no counterpart on this system: "Operace není v tomto systému
// dostupná"; the source names the member.
[[noreturn]] void RaiseNotAvailable(const char* member);

// A caller's path on disk: "\" as "/", names resolved case-insensitively.
QString LocalPath(const QString& path);
// Read-only as the Windows attribute means it: nobody may write, whoever asks.
bool IsReadOnly(const QString& localPath);

// What files and folders have alike.
struct EntryRecord {
    QString Name;
    QString Drive;
    QString ShortPath;
    QString ShortName;
    qint64 Size = 0;
    bool IsReadOnly = false;
    bool IsArchive = false;
    bool IsSystem = false;
    bool IsHidden = false;
    QDateTime DateCreated;
    QDateTime DateModified;
    QDateTime DateAccessed;
};

struct FileRecord : EntryRecord {
    QString Directory;
    bool IsCompressed = false;
    QString Version;
    QString BaseName;
    QString Extension;
};
// nullopt when path is not an existing file.
std::optional<FileRecord> ReadFileRecord(const QString& path);

struct FolderRecord : EntryRecord {
    QString ParentFolder;
    bool IsRoot = false;
};
// nullopt when path is not an existing folder. The size is summed only when asked for.
std::optional<FolderRecord> ReadFolderRecord(const QString& path, bool withSize = false);

// The mount root of the volume that holds localPath.
QString DriveOf(const QString& localPath);
// Whether drive names the root of a mounted volume.
bool IsDrive(const QString& drive);

// Copies src's bytes to dst through a temporary file beside dst, so an existing target
// is replaced only by a complete copy; dst gets src's permissions. With progress, the
// bar follows each 4096-byte block.
bool CopyFileContents(const QString& src, const QString& dst, CopyProgress* progress);

} // namespace lumo::srv
