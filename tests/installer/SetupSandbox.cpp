#include "SetupSandbox.h"

#include "installer/SetupState.h"
#include "platform/ui/DialogPresenter.h"

#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMessageBox>

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
    m_hook.reset();
    setup::State() = setup::SetupState{};
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
