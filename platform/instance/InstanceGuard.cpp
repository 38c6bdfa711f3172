#include "platform/instance/InstanceGuard.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

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

InstanceGuard::~InstanceGuard() = default;

bool InstanceGuard::AnotherInstanceRunning() {
    if (m_lock && m_lock->isLocked())
        return false;
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock whose owner died is stale at once.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return false;
    if (m_lock->error() == QLockFile::LockFailedError)
        return true;
    // The folder cannot hold a lock: do not refuse to start for that.
    return false;
}

} // namespace lumo::instance
