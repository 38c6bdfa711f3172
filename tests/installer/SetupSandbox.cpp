#include "SetupSandbox.h"

#include "installer/SetupState.h"
#include "platform/ui/DialogPresenter.h"

#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMessageBox>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace lumo::test {

class SetupSandbox::HookHolder {
public:
    explicit HookHolder(SetupSandbox& box)
        : m_scope([&box](QDialog& dialog) -> std::optional<int> {
              if (auto* text = dialog.findChild<QLabel*>(QStringLiteral("lblERR"))) {
                  box.reports.append(text->text());
                  return QDialog::Accepted;
              }
              if (dialog.findChild<QWidget*>(QStringLiteral("CmdMsg0"))) {
                  ui::DialogPresenter::clickButton(dialog, box.shortcutYes ? QStringLiteral("CmdMsg0")
                                                                           : QStringLiteral("CmdMsg1"));
                  return std::nullopt;
              }
              if (auto* box2 = qobject_cast<QMessageBox*>(&dialog)) {
                  box.questions.append(box2->text());
                  return box.answerYes ? QMessageBox::Yes : QMessageBox::No;
              }
              return std::nullopt; // the copy window copies and closes itself
          }) {}

private:
    ui::ScopedDialogHook m_scope;
};

SetupSandbox::SetupSandbox() {
    for (const char* sub : {"home/Desktop", "config", "data", "medium", "tmp"})
        QDir().mkpath(path(QString::fromLatin1(sub)));
    const auto set = [this](const char* name, const QString& value) {
        m_env.push_back(std::make_unique<ScopedEnv>(name, value.toUtf8()));
    };
    set("HOME", home());
    set("XDG_CONFIG_HOME", path(QStringLiteral("config")));
    set("XDG_DATA_HOME", dataHome());
    set("TMPDIR", path(QStringLiteral("tmp")));
    set("LUMO_SETUP_SOURCE", medium());
    set("ZEF_SETUP_SILENT", QStringLiteral("1"));
    set("ZEF_SETUP_TARGET", path(QStringLiteral("Program Files/Zefirak")));
    set("ZEF_UNINSTALL_ANSWER", QStringLiteral("yes"));
    QDirIterator it(QStringLiteral(LUMO_MEDIUM_DIR), QDir::Files);
    while (it.hasNext()) {
        it.next();
        QFile::copy(it.filePath(), medium() + it.fileName());
    }
    setup::State() = setup::SetupState{};
    m_hook = std::make_unique<HookHolder>(*this);
}

SetupSandbox::~SetupSandbox() {
    for (const QString& folder : m_mounts)
        ::umount(QFile::encodeName(folder).constData());
    m_hook.reset();
    setup::State() = setup::SetupState{};
}

bool SetupSandbox::mount(const QString& folder, const char* type, unsigned long flags, const char* options) {
    // In a mount namespace of this test program's own where the system allows one.
    static const bool ownNamespace =
        ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    Q_UNUSED(ownNamespace);
    const QByteArray f = QFile::encodeName(folder);
    const char* source = (flags & MS_BIND) ? f.constData() : type;
    if (::geteuid() != 0 || ::mount(source, f.constData(), type, flags, options) != 0)
        return false;
    m_mounts.prepend(folder);
    return true;
}

bool SetupSandbox::makeReadOnly(const QString& folder) {
    if (::geteuid() != 0) {
        QDirIterator it(folder, QDir::Files);
        while (it.hasNext())
            QFile::setPermissions(it.next(), QFile::ReadOwner);
        return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    // Root writes anywhere: a read-only mount of the folder over itself.
    return mount(folder, nullptr, MS_BIND, nullptr) &&
           ::mount(nullptr, QFile::encodeName(folder).constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                   nullptr) == 0;
}

bool SetupSandbox::makeSmallDisk(const QString& folder) {
    return mount(folder, "tmpfs", 0, "size=64k");
}

QByteArray SetupSandbox::read(const QString& p) const {
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void SetupSandbox::write(const QString& p, const QByteArray& bytes) const {
    QDir().mkpath(p.section(u'/', 0, -2));
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace lumo::test
