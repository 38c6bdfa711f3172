#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Stand-in for the previous-instance test: a per-user lock file held for the life
// of the running program. A lock left by a crashed process is taken over.
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
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace lumo::instance
