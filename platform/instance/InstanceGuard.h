#pragma once

#include <QString>

// Stand-in for the previous-instance test: a per-user lock file, locked for the life of the
// running program. The system drops the lock when the process ends, however it ends, so a
// crashed instance never leaves a lock behind.
namespace lumo::instance {

class InstanceGuard {
public:
    // lockName: the file name of the lock in the per-user runtime folder.
    explicit InstanceGuard(const QString& lockName = QStringLiteral("lumo.lock"));
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // Tries to take the lock; true when another running instance holds it.
    // After a false answer this instance holds the lock until destroyed.
    bool AnotherInstanceRunning();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace lumo::instance
