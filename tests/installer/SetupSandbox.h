#pragma once

#include "common/ScopedEnv.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace lumo::test {

// A home of its own (HOME, XDG folders, desktop), a copy of the installation medium and
// a dialog hook: error reports are recorded, the shortcut question and message boxes
// get the answers set here, the copy window runs by itself.
class SetupSandbox {
public:
    SetupSandbox();
    ~SetupSandbox();

    QString root() const { return m_dir.path(); }
    QString medium() const { return root() + QStringLiteral("/medium/"); }
    QString home() const { return root() + QStringLiteral("/home"); }
    QString desktop() const { return home() + QStringLiteral("/Desktop"); }
    QString dataHome() const { return root() + QStringLiteral("/data"); }
    QString path(const QString& rel) const { return root() + u'/' + rel; }

    QByteArray read(const QString& path) const;
    // Makes a folder of the sandbox read-only for this process and the programs it starts
    // (for root, who writes anywhere, through a read-only mount); false when it cannot.
    bool makeReadOnly(const QString& folder);
    // Puts a small file system of its own at folder (root only); false when it cannot.
    bool makeSmallDisk(const QString& folder);
    void write(const QString& path, const QByteArray& bytes) const;

    // The texts of the error windows shown so far.
    QStringList reports;
    // The message boxes' questions shown so far.
    QStringList questions;
    bool answerYes = true;   // message boxes
    bool shortcutYes = true; // "Vytvořit zástupce na ploše?"

private:
    bool mount(const QString& folder, const char* type, unsigned long flags, const char* options);
    QTemporaryDir m_dir;
    QStringList m_mounts;
    std::vector<std::unique_ptr<ScopedEnv>> m_env;
    class HookHolder;
    std::unique_ptr<HookHolder> m_hook;
};

} // namespace lumo::test
