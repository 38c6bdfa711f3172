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

    // True when another running instance holds the lock. Either way this instance holds it
    // (shared) from then until destroyed, so that later starts see it too.
    bool AnotherInstanceRunning();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
    bool m_another = false;
};

} // namespace lumo::instance
