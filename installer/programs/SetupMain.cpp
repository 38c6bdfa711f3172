// The setup program of the installation medium: asks for the program folder, copies the
// files listed in "Setup.lst", places the uninstaller, writes the installation log, adds
// the applications-menu entry and, last, registers the program's path. Exit code 0 when
// installed, 1 when cancelled, 2 on failure.
// ZEF_SETUP_TARGET names the folder and ZEF_SETUP_SILENT=1 asks nothing (tests).
#include "installer/CopyEngine.h"
#include "installer/InstallLog.h"
#include "installer/SetupPaths.h"
#include "installer/SetupState.h"
#include "installer/Shortcuts.h"
#include "platform/err/VbError.h"
#include "platform/registry/Registry.h"
#include "platform/ui/DialogPresenter.h"
#include "platform/ui/QtTranslations.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

using namespace lumo::setup;

namespace {

const QString kTitle = QStringLiteral("Instalace programu Zefirak");

bool silent() {
    return qEnvironmentVariable("ZEF_SETUP_SILENT") == QStringLiteral("1");
}

void fail(const QString& text) {
    if (silent())
        qWarning("%s", qPrintable(text));
    else
        lumo::ui::DialogPresenter::msgBox(text, kTitle, QMessageBox::Critical);
}

// The folder chosen by the user; empty when cancelled.
QString askFolder(const QString& proposed) {
    QDialog dialog;
    dialog.setWindowTitle(kTitle);
    auto* edit = new QLineEdit(proposed, &dialog);
    edit->setObjectName(QStringLiteral("txtFolder"));
    auto* browse = new QPushButton(QStringLiteral("&Procházet…"), &dialog);
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
        const QString chosen = QFileDialog::getExistingDirectory(&dialog, kTitle, edit->text());
        if (!chosen.isEmpty())
            edit->setText(chosen);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("&Instalovat"), QDialogButtonBox::AcceptRole)
        ->setObjectName("cmdInstall");
    buttons->addButton(QStringLiteral("&Storno"), QDialogButtonBox::RejectRole)->setObjectName("cmdCancel");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Program Zefirak bude nainstalován do složky:"), &dialog));
    layout->addLayout(row);
    layout->addWidget(buttons);
    dialog.resize(520, dialog.sizeHint().height());
    if (lumo::ui::DialogPresenter::exec(dialog) != QDialog::Accepted)
        return {};
    return edit->text().trimmed();
}

// "~" is the home folder, as in a shell; a folder given without a root lies in the home
// folder, never on the medium the setup program runs from.
QString absoluteFolder(const QString& typed) {
    QString folder = typed;
    if (folder == u'~' || folder.startsWith(QStringLiteral("~/")))
        folder = QDir::homePath() + folder.mid(1);
    return QDir::isAbsolutePath(folder) ? folder : QDir::home().absoluteFilePath(folder);
}

// A list entry names one file of the medium's folder; a path (a folder, "..", a root) would
// read or write outside the medium and the program folder.
bool plainFileName(const QString& name) {
    return !name.contains(u'/') && !name.contains(u'\\') && name != QStringLiteral(".") &&
           name != QStringLiteral("..");
}

// A name as a message shows it: a line of garbage is cut short.
QString shown(const QString& name) {
    return name.size() > 80 ? name.left(80) + QStringLiteral("…") : name;
}

// The medium's file list: one name a line; "?" before a name marks a file the medium may lack.
// A list that names a path or leaves out the program is a broken medium: nothing is installed.
QStringList manifest(const QString& source, QString* error) {
    QFile f(source + QStringLiteral("Setup.lst"));
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Na instalačním médiu chybí seznam souborů Setup.lst.");
        return {};
    }
    QStringList names;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        QString name = line.trimmed();
        if (name.isEmpty())
            continue;
        const bool optional = name.startsWith(u'?');
        if (optional)
            name = name.mid(1).trimmed();
        if (!plainFileName(name)) {
            *error = QStringLiteral("Seznam souborů Setup.lst na instalačním médiu je poškozen: %1")
                         .arg(shown(name));
            return {};
        }
        if (QFile::exists(source + name))
            names.append(name);
        else if (!optional)
            *error = QStringLiteral("Na instalačním médiu chybí soubor %1.").arg(shown(name));
    }
    if (error->isEmpty() && !names.contains(kProgramFile, Qt::CaseInsensitive))
        *error = QStringLiteral("Na instalačním médiu chybí soubor %1.").arg(kProgramFile);
    return error->isEmpty() ? names : QStringList();
}

int install(const QString& source, const QString& folder) {
    QString why;
    const QStringList files = manifest(source, &why);
    if (!why.isEmpty()) {
        fail(why);
        return 2;
    }
    const QString target = WithSlash(QDir::cleanPath(folder));
    if (!QDir().mkpath(target)) {
        fail(QStringLiteral("Složku %1 nelze vytvořit.").arg(target));
        return 2;
    }
    InstallLog log;
    log.dirs.append(target);
    QProgressDialog progress(QStringLiteral("Kopírování souborů…"), QString(), 0,
                             static_cast<int>(files.size()));
    progress.setWindowTitle(kTitle);
    progress.setMinimumDuration(silent() ? 1000000 : 0);
    try {
        for (int i = 0; i < files.size(); ++i) {
            progress.setValue(i);
            CopyFileWithProgress(source + files[i], target + files[i]);
            log.files.append(target + files[i]);
        }
        const QString windows = GetWindowsPath();
        QDir().mkpath(windows);
        CopyFileWithProgress(source + QStringLiteral("ST6UNST.EXE"),
                             windows + QStringLiteral("/ST6UNST.EXE"));
    } catch (const lumo::err::VbError& e) {
        fail(QStringLiteral("Instalace se nezdařila: %1").arg(e.Description()));
        return 2;
    }
    progress.setValue(static_cast<int>(files.size()));
    const QString program = target + kProgramFile;
    if (CreateToolkitShortcut(QStringLiteral("Zefirak"), program, 2, QString()))
        log.shortcuts.append(SpecialFolderPath(2) + u'/' + ShortcutFileName(QStringLiteral("Zefirak")));
    log.regKeys.append(lumo::registry::kAppPathKey);
    if (!log.save(target + QStringLiteral("ST6UNST.LOG"), &why) ||
        !lumo::registry::WriteValue(lumo::registry::kAppPathKey, {}, program, &why)) {
        fail(QStringLiteral("Instalace se nezdařila: %1").arg(why));
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lumo::ui::InstallQtTranslations(app);
    const QString source = GetSourceFolder();
    QString folder = qEnvironmentVariable("ZEF_SETUP_TARGET");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/Zefirak");
    if (!silent())
        folder = askFolder(folder);
    if (folder.isEmpty())
        return 1;
    return install(source, absoluteFolder(folder));
}
