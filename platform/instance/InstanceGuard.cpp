#include "platform/instance/InstanceGuard.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace lumo::instance {

namespace {

QString lockFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir;
}

} // namespace

InstanceGuard::InstanceGuard(const QString& lockName) : m_path(lockFolder() + u'/' + lockName) {}

InstanceGuard::~InstanceGuard() {
    // The file stays: removing it would let a starting instance lock a file no longer in the folder.
    if (m_fd >= 0)
        ::close(m_fd);
}

bool InstanceGuard::AnotherInstanceRunning() {
    if (m_fd >= 0)
        return m_another;
    // Advisory locks on the open file, not the file's existence: no stale locks to detect and
    // nothing written or synced to disk while the program starts.
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false; // the folder cannot hold a lock: do not refuse to start for that
    // Alone when nobody holds any lock; then, like every instance that runs, this one keeps a
    // shared lock, so that a later start sees it even while it runs beside another.
    m_another = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (m_another && errno != EWOULDBLOCK) {
        ::close(fd);
        m_another = false;
        return false;
    }
    // Taking the shared lock waits at most for another start's moment between its two locks.
    if (::flock(fd, LOCK_SH) != 0) {
        ::close(fd);
        return m_another;
    }
    m_fd = fd;
    return m_another;
}

} // namespace lumo::instance
